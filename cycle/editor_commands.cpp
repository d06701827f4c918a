#include "cycle/editor_commands.h"

#include "cycle/limits.h"
#include "cycle/status_line.h"

namespace rotaplex {

namespace {

constexpr const char* kPickToEdit = "Pick from the list before editing!";
constexpr const char* kPickToAdd = "Pick from the list where you want to add it!";
constexpr const char* kPickToCopy = "Pick from the list what to copy!";
constexpr const char* kPickOneToEdit = "Pick only one entry to edit!";
// An index past the 16-bit range would wrap: a full rotation takes no more entries.
constexpr const char* kRotationFull = "The rotation already holds 32767 entries, the most it can hold.";

constexpr const char* kPickToMove = "Pick from the list the entry to move!";

constexpr const char* kNoRoomForCopies = "The copies would take the rotation past 32767 entries, the most it can hold.";

constexpr const char* kNoOtherVersion = "No other version of the rotation is waiting on disk.";
constexpr const char* kNoSets = "There are no rotation sets yet: Save as set makes one.";
constexpr const char* kNoEntriesForSet = "The rotation has no entries to save as a set.";
// Activating replaces servercycle.txt's entries: from a set's own window it would replace the set's.
constexpr const char* kActivateFromRotation = "Sets are activated into servercycle.txt: open it first (Open set).";

bool Full(const EditorState& state) { return state.EntryCount >= static_cast<std::size_t>(kMaxTableSize); }
bool RoomFor(const EditorState& state, std::size_t added) {
    return state.EntryCount + added <= static_cast<std::size_t>(kMaxTableSize);
}

// What works before the rotation and the catalogue are there.
bool NeedsNoRotation(EditorCommand command) {
    return command == EditorCommand::Quit || command == EditorCommand::Minimize || command == EditorCommand::About ||
           command == EditorCommand::Help || command == EditorCommand::OpenRecent;
}

}  // namespace

EntrySelection SelectedEntries(const EditorState& state) {
    if (!state.Selection.Empty()) return state.Selection;
    if (state.Selected) return *state.Selected;
    return {};
}

EntrySelection OrderedEntries(const EditorState& state) {
    EntrySelection selected = SelectedEntries(state);
    return selected.Count() > 1 ? selected : EntrySelection::Range(0, state.EntryCount);
}

bool CanRun(EditorCommand command, const EditorState& state) {
    if (state.Reading && !NeedsNoRotation(command)) return false;
    const EntrySelection selected = SelectedEntries(state);
    switch (command) {
    case EditorCommand::Add:
        // An empty rotation takes its first entry without a place to pick.
        return !Full(state) && !state.NoScenarios && (state.Selected || state.EntryCount == 0);
    case EditorCommand::Edit:
        return state.Selected && selected.Count() == 1;
    case EditorCommand::Delete:
    case EditorCommand::Cut:
    case EditorCommand::Copy:
        return !selected.Empty();
    case EditorCommand::Duplicate:
        return !selected.Empty() && RoomFor(state, selected.Count());
    case EditorCommand::MoveUp:
        return !selected.Empty() && selected.First() > 0;
    case EditorCommand::MoveDown:
        return !selected.Empty() && selected.Last() + 1 < state.EntryCount;
    case EditorCommand::Paste:
        return state.CanPaste && !Full(state);
    case EditorCommand::SelectAll:
        return state.EntryCount > 0;
    case EditorCommand::Shuffle:
    case EditorCommand::SortByName:
    case EditorCommand::SortByMissionFile:
        return OrderedEntries(state).Count() > 1;
    case EditorCommand::NextMissing:
    case EditorCommand::PreviousMissing:
    case EditorCommand::Find:
    case EditorCommand::FindNext:
    case EditorCommand::FindPrevious:
    case EditorCommand::GoTo:
        return state.EntryCount > 0;
    case EditorCommand::MoveToPosition:
        return state.Selected && selected.Count() == 1 && state.EntryCount > 1;
    case EditorCommand::Undo:
        return state.CanUndo;
    case EditorCommand::Redo:
        return state.CanRedo;
    case EditorCommand::OpenRecent:
        return state.RecentFolders > 0;
    case EditorCommand::Reload:
    case EditorCommand::KeepMine:
        return state.OtherVersion;
    case EditorCommand::SaveAsSet:
        return state.EntryCount > 0;
    case EditorCommand::OpenSet:  // servercycle.txt again, from a set
        return state.Sets > 0 || state.EditingSet;
    case EditorCommand::ActivateSet:
        return state.Sets > 0 && !state.EditingSet;
    case EditorCommand::DeleteSet:
    case EditorCommand::RenameSet:
        return state.Sets > 0;
    case EditorCommand::Save:
    case EditorCommand::Quit:
    case EditorCommand::Minimize:
    case EditorCommand::ReadAgain:
    case EditorCommand::About:
    case EditorCommand::Help:
    case EditorCommand::Compare:
        return true;
    }
    return false;
}

const char* WhyNot(EditorCommand command, const EditorState& state) {
    // The status line already tells how far the reading has got.
    if (CanRun(command, state) || state.Reading) return nullptr;
    switch (command) {
    case EditorCommand::Add:
        return Full(state) ? kRotationFull : state.NoScenarios ? kNothingToChoose : kPickToAdd;
    case EditorCommand::Edit:
        return state.Selection.Count() > 1 ? kPickOneToEdit : kPickToEdit;
    case EditorCommand::Delete:
    case EditorCommand::Cut:
        return kPickToEdit;
    case EditorCommand::Duplicate:
        return SelectedEntries(state).Empty() ? kPickToEdit : kNoRoomForCopies;
    case EditorCommand::Copy:
        return kPickToCopy;
    case EditorCommand::Paste:
        return state.CanPaste ? kRotationFull : nullptr;
    case EditorCommand::MoveToPosition:
        return state.EntryCount > 1 ? (state.Selection.Count() > 1 ? kPickOneToEdit : kPickToMove) : nullptr;
    case EditorCommand::Reload:
    case EditorCommand::KeepMine:
        return kNoOtherVersion;
    case EditorCommand::SaveAsSet:
        return kNoEntriesForSet;
    case EditorCommand::ActivateSet:
        return state.Sets > 0 ? kActivateFromRotation : kNoSets;
    case EditorCommand::OpenSet:
    case EditorCommand::DeleteSet:
    case EditorCommand::RenameSet:
        return kNoSets;
    default:
        return nullptr;
    }
}

std::string DeleteQuestion(std::size_t count, std::string_view onlyEntryText) {
    if (count == 1) return "Delete " + std::string(onlyEntryText) + "?\nAre you sure?";
    return "Delete " + std::to_string(count) + " entries?";
}

std::size_t AddedPosition(const EditorState& state, bool after) {
    if (!state.Selected) return 0;
    return *state.Selected + (after ? 1 : 0);
}

std::size_t PastePosition(const EditorState& state) {
    const EntrySelection selected = SelectedEntries(state);
    return selected.Empty() ? state.EntryCount : selected.Last() + 1;
}

std::string PasteNote(std::size_t entryLines, std::size_t skipped, bool inserted) {
    if (entryLines == 0) return "The clipboard holds no entry lines (map=...): nothing was pasted.";
    if (!inserted) return "The pasted entries would take the rotation past 32767 entries, the most it can hold.";
    if (skipped == 0) return "";
    return std::to_string(skipped) + (skipped == 1 ? " line that is no entry was skipped." : " lines that are no entries were skipped.");
}

}  // namespace rotaplex
