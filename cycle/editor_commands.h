#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cycle/entry_selection.h"

namespace rotaplex {

// The operator's commands on the rotation, whichever key, label or menu item starts them.
// Delete, the moves, Cut, Copy and Duplicate act on every selected entry; the moves take them as
// one block.
enum class EditorCommand {
    Add, Edit, Delete, MoveUp, MoveDown, Undo, Redo, Save, Quit, Minimize,
    Cut, Copy, Paste, Duplicate, SelectAll, Shuffle, SortByName, SortByMissionFile,
    // Going to an entry: one that matches no mission, one that contains a text, a position.
    NextMissing, PreviousMissing, Find, FindNext, FindPrevious, GoTo, MoveToPosition,
    // The rotation and the mission files as another program left them.
    ReadAgain, About, OpenRecent, Help,
    // After the notice of a version another program saved: take it, keep the edits, see the diff.
    Reload, KeepMine, Compare,
    // The named rotation sets beside servercycle.txt.
    SaveAsSet, OpenSet, ActivateSet, DeleteSet, RenameSet
};

// What decides whether a command can run: the rotation's size, the selected entries, the undo
// steps, the clipboard.
struct EditorState {
    std::size_t EntryCount = 0;
    // The entry with the focus, where ADD and EDIT act.
    std::optional<std::size_t> Selected;
    bool CanUndo = false;
    bool CanRedo = false;
    // Every selected entry, when the list selects more than one; empty: Selected alone.
    EntrySelection Selection = {};
    bool CanPaste = false;  // the clipboard holds text
    bool NoScenarios = false;  // the game folder has no mission to choose from
    std::size_t RecentFolders = 0;  // remembered game folders other than this one
    bool Reading = false;  // the game folder is still being read: no rotation to act on yet
    bool OtherVersion = false;  // the notice of another program's version stands
    std::size_t Sets = 0;  // the named rotation sets
    bool EditingSet = false;  // the window edits a set rather than servercycle.txt
};

// The entries the commands on a selection act on.
EntrySelection SelectedEntries(const EditorState& state);
// What Shuffle and the sorts reorder: the selected entries when there are several, else all.
EntrySelection OrderedEntries(const EditorState& state);

// Whether the command would act now; the context menu greys the ones that would not. While the
// folder is read, only the commands that need no rotation.
bool CanRun(EditorCommand command, const EditorState& state);

// What the operator is told when a command that cannot run is asked for anyway, or nullptr when
// it does nothing without a word (a move at the end of the list, nothing to undo).
const char* WhyNot(EditorCommand command, const EditorState& state);

// The question before Delete: the entry's text for one, the count for several.
std::string DeleteQuestion(std::size_t count, std::string_view onlyEntryText);

// Where ADD puts the new entry: first into an empty rotation, else before or after the selected one.
std::size_t AddedPosition(const EditorState& state, bool after);

// Where Paste puts the entries: after the last selected one, or at the end when none is.
std::size_t PastePosition(const EditorState& state);

// What the operator is told after a paste of entryLines entry lines and skipped other lines, of
// which inserted went in (all or none): empty when every line went in.
std::string PasteNote(std::size_t entryLines, std::size_t skipped, bool inserted);

}  // namespace rotaplex
