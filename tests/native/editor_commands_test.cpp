#include "cycle/editor_commands.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(EditorCommandsTest, WhatCanRunAndWhatIsSaidOtherwise) {
    const EditorState empty{0, std::nullopt, false, false};
    const EditorState none{3, std::nullopt, true, false};
    const EditorState first{3, 0, false, true};
    const EditorState middle{3, 1, true, true};
    const EditorState last{3, 2, false, false};
    const EditorState only{1, 0, false, false};
    const EditorState full{kFull, 5, false, false};
    const struct {
        const char* what;
        C command;
        EditorState state;
        bool runs;
        std::string why;
    } cases[] = {
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
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CanRun(c.command, c.state), c.runs) << c.what;
        EXPECT_EQ(Why(c.command, c.state), c.why) << c.what;
    }
}

TEST(EditorCommandsTest, WhereTheSelectionGoes) {
    // ADD: first into an empty rotation, else before (the selected place) or after it.
    EXPECT_EQ(AddedPosition({0, std::nullopt}, false), 0u);
    EXPECT_EQ(AddedPosition({0, std::nullopt}, true), 0u);
    EXPECT_EQ(AddedPosition({4, 2}, false), 2u);
    EXPECT_EQ(AddedPosition({4, 3}, true), 4u);
    // Moves take the selection with the entry.
    EXPECT_EQ(MoveTarget(C::MoveUp, 3), 2u);
    EXPECT_EQ(MoveTarget(C::MoveDown, 0), 1u);

    // After DEL, undo or redo: the entry now at the touched place, or the new last one.
    const struct {
        std::optional<std::size_t> touched;
        std::size_t count;
        std::optional<std::size_t> selected;
    } cases[] = {
        {1, 3, 1},                        // a middle entry deleted: its successor
        {3, 3, 2},                        // the last deleted: the new last one
        {0, 0, std::nullopt},             // the only entry deleted
        {5, 9, 5},                        // undo touched a place inside the list
        {std::nullopt, 4, std::nullopt},  // nothing was touched
    };
    for (const auto& c : cases)
        EXPECT_EQ(SelectionAt(c.touched, c.count), c.selected)
            << (c.touched ? static_cast<int>(*c.touched) : -1) << " of " << c.count;
}

}  // namespace
}  // namespace rotaplex
