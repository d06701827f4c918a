#include "cycle/editor_commands.h"

#include <algorithm>

#include "cycle/limits.h"

namespace rotaplex {

namespace {

constexpr const char* kPickToEdit = "Pick from the list before editing!";
constexpr const char* kPickToAdd = "Pick from the list where you want to add it!";
// An index past the 16-bit range would wrap: a full rotation takes no more entries.
constexpr const char* kRotationFull = "The rotation already holds 32767 entries, the most it can hold.";

bool Full(const EditorState& state) { return state.EntryCount >= static_cast<std::size_t>(kMaxTableSize); }

}  // namespace

bool CanRun(EditorCommand command, const EditorState& state) {
    switch (command) {
    case EditorCommand::Add:
        // An empty rotation takes its first entry without a place to pick.
        return !Full(state) && (state.Selected || state.EntryCount == 0);
    case EditorCommand::Edit:
    case EditorCommand::Delete:
        return state.Selected.has_value();
    case EditorCommand::MoveUp:
        return state.Selected && *state.Selected > 0;
    case EditorCommand::MoveDown:
        return state.Selected && *state.Selected + 1 < state.EntryCount;
    case EditorCommand::Undo:
        return state.CanUndo;
    case EditorCommand::Redo:
        return state.CanRedo;
    case EditorCommand::Save:
    case EditorCommand::Quit:
    case EditorCommand::Minimize:
        return true;
    }
    return false;
}

const char* WhyNot(EditorCommand command, const EditorState& state) {
    if (CanRun(command, state)) return nullptr;
    switch (command) {
    case EditorCommand::Add:
        return Full(state) ? kRotationFull : kPickToAdd;
    case EditorCommand::Edit:
    case EditorCommand::Delete:
        return kPickToEdit;
    default:
        return nullptr;
    }
}

std::size_t AddedPosition(const EditorState& state, bool after) {
    if (!state.Selected) return 0;
    return *state.Selected + (after ? 1 : 0);
}

std::size_t MoveTarget(EditorCommand command, std::size_t selected) {
    return command == EditorCommand::MoveUp ? selected - 1 : selected + 1;
}

std::optional<std::size_t> SelectionAt(std::optional<std::size_t> position, std::size_t entryCount) {
    if (!position || entryCount == 0) return std::nullopt;
    return std::min(*position, entryCount - 1);
}

}  // namespace rotaplex
