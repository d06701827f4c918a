#include "cycle/editor_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rotaplex {
namespace {

using C = EditorCommand;
constexpr std::size_t kFull = 32767;
constexpr const char* kPickToEdit = "Pick from the list before editing!";
constexpr const char* kPickToAdd = "Pick from the list where you want to add it!";
constexpr const char* kFullText = "The rotation already holds 32767 entries, the most it can hold.";

std::string Why(C command, const EditorState& state) {
    const char* why = WhyNot(command, state);
    return why ? why : "";
}

struct RunCase {
    const char* what;
    C command;
    EditorState state;
    bool runs;
    std::string why;
};

template <std::size_t N>
void ExpectRuns(const RunCase (&cases)[N]) {
    for (const RunCase& c : cases) {
        EXPECT_EQ(CanRun(c.command, c.state), c.runs) << c.what;
        EXPECT_EQ(Why(c.command, c.state), c.why) << c.what;
    }
}

TEST(EditorCommandsTest, WhatCanRunAndWhatIsSaidOtherwise) {
    const EditorState empty{0, std::nullopt, false, false};
    const EditorState none{3, std::nullopt, true, false};
    const EditorState first{3, 0, false, true};
    const EditorState middle{3, 1, true, true};
    const EditorState last{3, 2, false, false};
    const EditorState only{1, 0, false, false};
    const EditorState full{kFull, 5, false, false};
    EditorState noMissions = empty;
    noMissions.NoScenarios = true;
    EditorState withRecent = first;
    withRecent.RecentFolders = 1;
    EditorState reading = withRecent;  // as the folder is read, with no rotation yet
    reading.Reading = true;
    const RunCase cases[] = {
        {"add into an empty rotation", C::Add, empty, true, ""},
        {"add without a selection", C::Add, none, false, kPickToAdd},
        {"add next to the selection", C::Add, last, true, ""},
        {"add to a full rotation", C::Add, full, false, kFullText},
        {"edit without a selection", C::Edit, none, false, kPickToEdit},
        {"edit in an empty rotation", C::Edit, empty, false, kPickToEdit},
        {"edit the selection", C::Edit, middle, true, ""},
        {"delete without a selection", C::Delete, none, false, kPickToEdit},
        {"delete the selection", C::Delete, first, true, ""},
        {"move the first up", C::MoveUp, first, false, ""},
        {"move the second up", C::MoveUp, middle, true, ""},
        {"move nothing up", C::MoveUp, none, false, ""},
        {"move the last down", C::MoveDown, last, false, ""},
        {"move the last but one down", C::MoveDown, middle, true, ""},
        {"move the only entry down", C::MoveDown, only, false, ""},
        {"move the only entry up", C::MoveUp, only, false, ""},
        {"move nothing down", C::MoveDown, none, false, ""},
        {"undo with a step", C::Undo, none, true, ""},
        {"undo without one", C::Undo, first, false, ""},
        {"redo with a step", C::Redo, first, true, ""},
        {"redo without one", C::Redo, none, false, ""},
        {"save unchanged", C::Save, empty, true, ""},
        {"quit", C::Quit, none, true, ""},
        {"minimise", C::Minimize, empty, true, ""},
        {"go to a missing entry in an empty rotation", C::NextMissing, empty, false, ""},
        {"go back to a missing entry", C::PreviousMissing, none, true, ""},
        {"find in an empty rotation", C::Find, empty, false, ""},
        {"find again without a selection", C::FindNext, none, true, ""},
        {"go to a position", C::GoTo, only, true, ""},
        {"move to a position without a selection", C::MoveToPosition, none, false,
         "Pick from the list the entry to move!"},
        {"move the only entry to a position", C::MoveToPosition, only, false, ""},
        {"move the selection to a position", C::MoveToPosition, last, true, ""},
        {"add with no mission to choose", C::Add, noMissions, false,
         "There is nothing to choose: the game folder has no mission files."},
        {"open recent with no other folder remembered", C::OpenRecent, first, false, ""},
        {"open recent with one", C::OpenRecent, withRecent, true, ""},
        {"add while reading", C::Add, reading, false, ""},
        {"undo while reading", C::Undo, reading, false, ""},
        {"save while reading", C::Save, reading, false, ""},
        {"read again while reading", C::ReadAgain, reading, false, ""},
        {"quit while reading", C::Quit, reading, true, ""},
        {"help while reading", C::Help, reading, true, ""},
        {"open recent while reading", C::OpenRecent, reading, true, ""},
    };
    ExpectRuns(cases);
}

TEST(EditorCommandsTest, TheNoticeOfAnotherVersionAndTheSets) {
    const EditorState plain{3, 0, false, false};
    const EditorState empty{0, std::nullopt, false, false};
    EditorState noticed = plain;
    noticed.OtherVersion = true;
    EditorState withSets = plain;
    withSets.Sets = 2;
    EditorState inSet = withSets;
    inSet.EditingSet = true;
    EditorState lastSetOpen = plain;
    lastSetOpen.EditingSet = true;
    const std::string noVersion = "No other version of the rotation is waiting on disk.";
    const std::string noSets = "There are no rotation sets yet: Save as set makes one.";
    const RunCase cases[] = {
        {"reload without a notice", C::Reload, plain, false, noVersion},
        {"reload after it", C::Reload, noticed, true, ""},
        {"keep mine without a notice", C::KeepMine, plain, false, noVersion},
        {"keep mine after it", C::KeepMine, noticed, true, ""},
        {"compare at any time", C::Compare, empty, true, ""},
        {"save an empty rotation as a set", C::SaveAsSet, empty, false,
         "The rotation has no entries to save as a set."},
        {"save entries as a set", C::SaveAsSet, plain, true, ""},
        {"open a set when there is none", C::OpenSet, plain, false, noSets},
        {"open a set", C::OpenSet, withSets, true, ""},
        {"back to servercycle.txt from a set", C::OpenSet, lastSetOpen, true, ""},
        {"activate with no set", C::ActivateSet, plain, false, noSets},
        {"activate into servercycle.txt", C::ActivateSet, withSets, true, ""},
        {"activate from a set's window", C::ActivateSet, inSet, false,
         "Sets are activated into servercycle.txt: open it first (Open set)."},
        {"delete with no set", C::DeleteSet, plain, false, noSets},
        {"rename a set", C::RenameSet, inSet, true, ""},
    };
    ExpectRuns(cases);
}

TEST(EditorCommandsTest, CommandsOnManySelectedEntries) {
    const auto many = [](std::size_t count, std::vector<std::size_t> selected, bool canPaste = false) {
        return EditorState{count, selected.front(), false, false, EntrySelection::Of(selected), canPaste};
    };
    const EditorState none{5, std::nullopt, false, false};
    const EditorState one{5, 2, false, false};
    const EditorState emptyPaste{0, std::nullopt, false, false, {}, true};
    const RunCase cases[] = {
        {"edit one of several", C::Edit, many(5, {1, 3}), false, "Pick only one entry to edit!"},
        {"delete several", C::Delete, many(5, {1, 3}), true, ""},
        {"move a block up from the top", C::MoveUp, many(5, {0, 3}), false, ""},
        {"move a scattered block up", C::MoveUp, many(5, {1, 4}), true, ""},
        {"move a block down from the bottom", C::MoveDown, many(5, {1, 4}), false, ""},
        {"move a block down", C::MoveDown, many(5, {0, 3}), true, ""},
        {"copy nothing", C::Copy, none, false, "Pick from the list what to copy!"},
        {"cut nothing", C::Cut, none, false, kPickToEdit},
        {"cut one", C::Cut, one, true, ""},
        {"duplicate into a full rotation", C::Duplicate, many(kFull - 1, {0, 1}), false,
         "The copies would take the rotation past 32767 entries, the most it can hold."},
        {"duplicate one into the last free place", C::Duplicate, many(kFull - 1, {0}), true, ""},
        {"paste without text", C::Paste, none, false, ""},
        {"paste into an empty rotation", C::Paste, emptyPaste, true, ""},
        {"paste into a full rotation", C::Paste, many(kFull, {0}, true), false, kFullText},
        {"select all of nothing", C::SelectAll, emptyPaste, false, ""},
        {"shuffle the whole rotation", C::Shuffle, one, true, ""},
        {"sort a single entry", C::SortByName, {1, 0, false, false}, false, ""},
        {"sort a selection", C::SortByMissionFile, many(5, {1, 2}), true, ""},
        {"move several to a position", C::MoveToPosition, many(5, {1, 2}), false, "Pick only one entry to edit!"},
    };
    ExpectRuns(cases);
    EXPECT_EQ(OrderedEntries(one), EntrySelection::Range(0, 5)) << "one entry selected: all are reordered";
    EXPECT_EQ(OrderedEntries(many(5, {1, 3})), EntrySelection::Of({1, 3}));
    EXPECT_EQ(DeleteQuestion(5, ""), "Delete 5 entries?");
    EXPECT_EQ(DeleteQuestion(1, "Hill CTF"), "Delete Hill CTF?\nAre you sure?");
}

TEST(EditorCommandsTest, WhereTheSelectionGoes) {
    // ADD: first into an empty rotation, else before (the selected place) or after it.
    EXPECT_EQ(AddedPosition({0, std::nullopt}, false), 0u);
    EXPECT_EQ(AddedPosition({0, std::nullopt}, true), 0u);
    EXPECT_EQ(AddedPosition({4, 2}, false), 2u);
    EXPECT_EQ(AddedPosition({4, 3}, true), 4u);
    // Paste: after the last selected entry, or at the end.
    EXPECT_EQ(PastePosition({4, std::nullopt}), 4u);
    EXPECT_EQ(PastePosition({0, std::nullopt}), 0u);
    EXPECT_EQ(PastePosition({4, 1}), 2u);
    EXPECT_EQ(PastePosition({5, 3, false, false, EntrySelection::Of({0, 3, 1})}), 4u);
}

TEST(EditorCommandsTest, WhatAPasteTells) {
    const struct {
        std::size_t lines, skipped;
        bool inserted;
        std::string note;
    } cases[] = {
        {12, 0, true, ""},
        {12, 1, true, "1 line that is no entry was skipped."},
        {2, 3, true, "3 lines that are no entries were skipped."},
        {0, 4, false, "The clipboard holds no entry lines (map=...): nothing was pasted."},
        {5, 0, false, "The pasted entries would take the rotation past 32767 entries, the most it can hold."},
    };
    for (const auto& c : cases) EXPECT_EQ(PasteNote(c.lines, c.skipped, c.inserted), c.note) << c.lines << ", " << c.skipped;
}

}  // namespace
}  // namespace rotaplex
