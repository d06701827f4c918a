#include "ui/main/sets_menu.h"

#include <array>

namespace rotaplex {

namespace {

// Past the commands' and the recent folders' ids: a block of ids for each set command.
constexpr WORD kFirstSetId = 3000;
constexpr WORD kIdsPerCommand = 1000;
constexpr WORD kRotationItem = kIdsPerCommand - 1;  // servercycle.txt, in Open set's block
constexpr std::array<EditorCommand, 4> kSetCommands{EditorCommand::OpenSet, EditorCommand::ActivateSet,
                                                    EditorCommand::DeleteSet, EditorCommand::RenameSet};

WORD FirstIdOf(EditorCommand command) {
    for (std::size_t i = 0; i < kSetCommands.size(); ++i)
        if (kSetCommands[i] == command) return static_cast<WORD>(kFirstSetId + i * kIdsPerCommand);
    return 0;
}

}  // namespace

unique_hmenu MakeSetsMenu(EditorCommand command, const std::vector<std::string>& sets, bool editingSet) {
    unique_hmenu menu(CreatePopupMenu());
    const WORD first = FirstIdOf(command);
    if (command == EditorCommand::OpenSet && editingSet) {
        AppendMenuA(menu.get(), MF_STRING, first + kRotationItem, "servercycle.txt");
        if (!sets.empty()) AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    }
    // A block holds so many: more sets than that are for rotaplex-cli.
    for (std::size_t i = 0; i < sets.size() && i < kRotationItem; ++i)
        AppendMenuA(menu.get(), MF_STRING, first + i, MenuItemText(sets[i]).c_str());
    return menu;
}

std::optional<SetChoice> SetChoiceFromId(WORD id) {
    if (id < kFirstSetId || id >= kFirstSetId + kSetCommands.size() * kIdsPerCommand) return std::nullopt;
    const std::size_t offset = (id - kFirstSetId) % kIdsPerCommand;
    const EditorCommand command = kSetCommands[(id - kFirstSetId) / kIdsPerCommand];
    if (offset == kRotationItem) return SetChoice{command, std::nullopt};
    return SetChoice{command, offset};
}

}  // namespace rotaplex
