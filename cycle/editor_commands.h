#pragma once

#include <cstddef>
#include <optional>

namespace rotaplex {

// The operator's commands on the rotation, whichever key, label or menu item starts them.
enum class EditorCommand { Add, Edit, Delete, MoveUp, MoveDown, Undo, Redo, Save, Quit, Minimize };

// What decides whether a command can run: the rotation's size, the selected entry, the undo steps.
struct EditorState {
    std::size_t EntryCount = 0;
    std::optional<std::size_t> Selected;
    bool CanUndo = false;
    bool CanRedo = false;
};

// Whether the command would act now; the context menu greys the ones that would not.
bool CanRun(EditorCommand command, const EditorState& state);

// What the operator is told when a command that cannot run is asked for anyway, or nullptr when
// it does nothing without a word (a move at the end of the list, nothing to undo).
const char* WhyNot(EditorCommand command, const EditorState& state);

// Where ADD puts the new entry: first into an empty rotation, else before or after the selected one.
std::size_t AddedPosition(const EditorState& state, bool after);

// Where a move takes the selected entry: one place up or down.
std::size_t MoveTarget(EditorCommand command, std::size_t selected);

// The entry selected after an edit that touched position: the entry now standing there, the last
// one when position is past the end (a delete of the last entry, an undone append), none when the
// rotation is empty or nothing was touched.
std::optional<std::size_t> SelectionAt(std::optional<std::size_t> position, std::size_t entryCount);

}  // namespace rotaplex
