#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "cycle/editor_commands.h"
#include "ui/framework/menu_handles.h"

namespace rotaplex {

// The sets to choose from for one of the set commands, each item's WM_COMMAND id naming both the
// command and the set. Open set lists servercycle.txt first when the window edits a set.
unique_hmenu MakeSetsMenu(EditorCommand command, const std::vector<std::string>& sets, bool editingSet);

// What an item of such a menu chose: the command, and the set's place in the list (none:
// servercycle.txt itself).
struct SetChoice {
    EditorCommand Command;
    std::optional<std::size_t> Set;
};
std::optional<SetChoice> SetChoiceFromId(WORD id);

}  // namespace rotaplex
