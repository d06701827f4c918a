#include "cycle/rotation_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rotaplex {
namespace {

// Scenarios 1 and 2 in hill.nfo; the key "Dup" in two files, 3 and 4.
MissionCatalogue Catalogue() {
    const struct {
        const char* file;
        const char* text;
    } files[] = {
        {"hill.nfo", "[scenarios]\r\nHill Fight={\r\n[server]\r\nname=Hill\r\nruleset=CTF\r\n}\r\n"
                     "Duel={\r\n[server]\r\nname=Duel\r\n}"},
        {"adup.nfo", "[scenarios]\r\nDup={\r\n[server]\r\nname=A\r\n}"},
        {"bdup.nfo", "[scenarios]\r\nDup={\r\n[server]\r\nname=B\r\n}"},
    };
    MissionCatalogue catalogue;
    for (const auto& file : files) catalogue.ParseMissionFile(file.text, file.file);
    return catalogue;
}

enum class Op { Before, After, First, Remove, Set, Move, RemoveMany, Lines, Duplicate, Up, Down, Drop, Reorder };
struct Edit {
    Op op;
    std::size_t position;
    int scenario_or_target;  // the scenario, or Move's target
    std::vector<std::size_t> selected = {};
    std::vector<std::size_t> order = {};  // Reorder's
    std::vector<std::string> lines = {};  // Lines'
};

bool Apply(RotationDocument& document, const Edit& edit, const MissionCatalogue& catalogue) {
    const auto scenario = static_cast<int16_t>(edit.scenario_or_target);
    switch (edit.op) {
    case Op::Before:
        return document.InsertBefore(edit.position, scenario, catalogue);
    case Op::After:
        return document.InsertAfter(edit.position, scenario, catalogue);
    case Op::First:
        return document.InsertFirst(scenario, catalogue);
    case Op::Remove:
        return document.Remove(edit.position);
    case Op::Set:
        return document.SetScenario(edit.position, scenario, catalogue);
    case Op::Move:
        return document.Move(edit.position, static_cast<std::size_t>(edit.scenario_or_target));
    case Op::RemoveMany:
        return document.Remove(EntrySelection::Of(edit.selected));
    case Op::Lines:
        return document.InsertLines(edit.position, edit.lines, catalogue);
    case Op::Duplicate:
        return document.Duplicate(EntrySelection::Of(edit.selected));
    case Op::Up:
        return document.MoveUp(EntrySelection::Of(edit.selected));
    case Op::Down:
        return document.MoveDown(EntrySelection::Of(edit.selected));
    case Op::Drop:
        return document.MoveTo(EntrySelection::Of(edit.selected), edit.position);
    case Op::Reorder:
        return document.Reorder(EntrySelection::Of(edit.selected), edit.order);
    }
    return false;
}

std::vector<CycleEntry> Entries(const RotationDocument& document) {
    std::vector<CycleEntry> entries;
    for (std::size_t i = 0; i < document.EntryCount(); ++i) entries.push_back(document.Entry(i));
    return entries;
}

std::vector<int16_t> Indexes(const RotationDocument& document) {
    std::vector<int16_t> indexes;
    for (const CycleEntry& entry : Entries(document)) indexes.push_back(entry.ScenarioIndex);
    return indexes;
}

TEST(RotationDocumentTest, EditsChangeOnlyTheirOwnLinesAndUndoToTheReadBytes) {
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        const char* shape;
        std::string text;
        std::vector<int16_t> indexes;
        std::vector<Edit> edits;
        std::string expected;
    } cases[] = {
        {"comments and blank lines everywhere",
         "; rotation for the demo server\r\n\r\n[cycle]\r\n; first\r\nmap=hill.nfo::HillFight\r\n\r\n"
         "  MAP=x::duel  \r\n; end\r\n",
         {1, 2},
         {{Op::Remove, 0, 0}, {Op::After, 0, 1}, {Op::Set, 0, 1}},
         "; rotation for the demo server\r\n\r\n[cycle]\r\n; first\r\n\r\nmap=hill.nfo::HillFight\r\n"
         "map=hill.nfo::HillFight\r\n; end\r\n"},
        {"no edit", "[Cycle]\r\nmap=a::Duel\r\n", {2}, {}, "[Cycle]\r\nmap=a::Duel\r\n"},
        {"entries under later sections", "[cycle]\r\nmap=a::Duel\r\n[other]\r\nkey=value\r\nmap=b::HillFight\r\n",
         {2, 1},
         {{Op::Move, 1, 0}},
         "[cycle]\r\nmap=b::HillFight\r\n[other]\r\nkey=value\r\nmap=a::Duel\r\n"},
        {"lines before the header", "map=before::Duel\r\nkey=1\r\n[cycle]\r\nmap=a::Duel", {2},
         {{Op::Before, 0, 1}},
         "map=before::Duel\r\nkey=1\r\n[cycle]\r\nmap=hill.nfo::HillFight\r\nmap=a::Duel"},
        {"LF inside lines and lone CR line ends", "[cycle]\rmap=a::Duel\n;x\rmap=b::Duel\r", {0, 2},
         {{Op::Move, 0, 1}, {Op::After, 1, 1}},
         "[cycle]\rmap=b::Duel\rmap=a::Duel\n;x\rmap=hill.nfo::HillFight\r\n"},
        {"a lone CR does not meet a line that starts with LF", "[cycle]\rmap=a::Duel\r\n\n;x\r\n", {2},
         {{Op::Remove, 0, 0}}, "[cycle]\r\n\n;x\r\n"},
        {"no final line end: a new last line takes it over", "[cycle]\r\nmap=a::Duel", {2},
         {{Op::After, 0, 1}}, "[cycle]\r\nmap=a::Duel\r\nmap=hill.nfo::HillFight"},
        {"no final line end: ends stay with their places", "[cycle]\r\nmap=a::Duel\r\nmap=b::HillFight", {2, 1},
         {{Op::Move, 1, 0}, {Op::Set, 1, 2}},
         "[cycle]\r\nmap=b::HillFight\r\nmap=hill.nfo::Duel"},
        {"no final line end: removing the last line", "[cycle]\r\nmap=a::Duel\r\nmap=b::HillFight", {2, 1},
         {{Op::Remove, 1, 0}}, "[cycle]\r\nmap=a::Duel"},
        {"no final line end: an empty line before the last keeps its line end", "[cycle]\r\n\r\nmap=a::Duel", {2},
         {{Op::Remove, 0, 0}}, "[cycle]\r\n\r\n"},
        {"ADD then DEL gives the read bytes", "[cycle]\r\nmap=a::Duel", {2},
         {{Op::After, 0, 1}, {Op::Remove, 1, 0}, {Op::Before, 0, 2}, {Op::Remove, 0, 0}}, "[cycle]\r\nmap=a::Duel"},
        {"a byte order mark", bom + "[cycle]\r\nmap=a::Duel\r\n", {2}, {{Op::Set, 0, 1}},
         bom + "[cycle]\r\nmap=hill.nfo::HillFight\r\n"},
        {"a byte order mark on a later line hides the header", "x\r\n" + bom + "[cycle]\r\nmap=a::Duel\r\n", {},
         {}, "x\r\n" + bom + "[cycle]\r\nmap=a::Duel\r\n"},
        {"duplicate keys in two files", "[cycle]\r\nmap=adup.nfo::Dup\r\nmap=BDUP.NFO::dup\r\nmap=c.nfo::Dup\r\n",
         {3, 4, 4},
         {{Op::Set, 2, 3}, {Op::After, 2, 4}},
         "[cycle]\r\nmap=adup.nfo::Dup\r\nmap=BDUP.NFO::dup\r\nmap=adup.nfo::Dup\r\nmap=bdup.nfo::Dup\r\n"},
        {"unmatched entries keep their lines", "[cycle]\r\nmap=lost.nfo::Nothing\r\n  map=  \r\n", {0, 0},
         {{Op::Before, 1, 2}, {Op::Move, 0, 2}},
         "[cycle]\r\nmap=hill.nfo::Duel\r\n  map=  \r\nmap=lost.nfo::Nothing\r\n"},
        {"no header: it comes after the existing lines", "; nothing\r\nkey=value", {}, {{Op::First, 0, 1}},
         "; nothing\r\nkey=value\r\n[cycle]\r\nmap=hill.nfo::HillFight"},
        {"an empty file", "", {}, {{Op::First, 0, 1}}, "[cycle]\r\nmap=hill.nfo::HillFight\r\n"},
        {"an empty list goes after the header", "x\r\n[cycle]\r\n; c\r\n", {}, {{Op::First, 0, 1}},
         "x\r\n[cycle]\r\nmap=hill.nfo::HillFight\r\n; c\r\n"},
        {"the header as the last line", "[cycle]", {}, {{Op::First, 0, 2}, {Op::Before, 0, 1}},
         "[cycle]\r\nmap=hill.nfo::HillFight\r\nmap=hill.nfo::Duel"},
        {"many removed: the last line's missing end goes to the one left last",
         "[cycle]\r\nmap=a::Duel\r\n; c\r\nmap=b::Duel\r\nmap=c::Duel\r\nmap=d::Duel", {2, 2, 2, 2},
         {{Op::RemoveMany, 0, 0, {3, 0, 2}}}, "[cycle]\r\n; c\r\nmap=b::Duel"},
        {"many removed: lone CRs do not meet a line that starts with LF",
         "[cycle]\rmap=a::Duel\rmap=b::Duel\r\n\n;x\r\n", {2, 2}, {{Op::RemoveMany, 0, 0, {0, 1}}},
         "[cycle]\r\n\n;x\r\n"},
        {"many removed: an empty line left last keeps its line end", "[cycle]\r\n\r\nmap=a::Duel\r\nmap=b::Duel",
         {2, 2}, {{Op::RemoveMany, 0, 0, {0, 1}}}, "[cycle]\r\n\r\n"},
        {"lines pasted at the end of a file without a final line end", "[cycle]\r\nmap=a::Duel", {2},
         {{Op::Lines, 1, 0, {}, {}, {"map=hill.nfo::HillFight", "  MAP=x::duel ", "map=lost.nfo::Gone"}}},
         "[cycle]\r\nmap=a::Duel\r\nmap=hill.nfo::HillFight\r\n  MAP=x::duel \r\nmap=lost.nfo::Gone"},
        {"lines pasted after an entry go directly after its line", "[cycle]\r\nmap=a::Duel\r\n; c\r\nmap=b::Duel\r\n",
         {2, 2}, {{Op::Lines, 1, 0, {}, {}, {"map=hill.nfo::Duel"}}, {Op::Lines, 0, 0, {}, {}, {"map=first::Duel"}}},
         "[cycle]\r\nmap=first::Duel\r\nmap=a::Duel\r\nmap=hill.nfo::Duel\r\n; c\r\nmap=b::Duel\r\n"},
        {"lines pasted without a header", "; nothing\r\nkey=value", {},
         {{Op::Lines, 0, 0, {}, {}, {"map=a::Duel", "map=lost::X"}}},
         "; nothing\r\nkey=value\r\n[cycle]\r\nmap=a::Duel\r\nmap=lost::X"},
        {"lines pasted into an empty file", "", {}, {{Op::Lines, 0, 0, {}, {}, {"map=a::Duel", "map=b::Duel"}}},
         "[cycle]\r\nmap=a::Duel\r\nmap=b::Duel\r\n"},
        {"duplicates after the last selected, the last line without an end",
         "[cycle]\r\nmap=a::Duel\r\n  map=b::HillFight \r\n;x\r\nmap=c::Duel", {2, 1, 2},
         {{Op::Duplicate, 0, 0, {0, 1}}, {Op::Duplicate, 0, 0, {4}}},
         "[cycle]\r\nmap=a::Duel\r\n  map=b::HillFight \r\nmap=a::Duel\r\n  map=b::HillFight \r\n;x\r\n"
         "map=c::Duel\r\nmap=c::Duel"},
        {"a scattered block gathered and moved up, then down", "[cycle]\rmap=a::Duel\r;x\r\nmap=b::Duel\r\nmap=c::Duel\r\nmap=d::Duel",
         {2, 2, 2, 2}, {{Op::Up, 0, 0, {1, 3}}, {Op::Down, 0, 0, {2}}},
         "[cycle]\rmap=b::Duel\r;x\r\nmap=d::Duel\r\nmap=c::Duel\r\nmap=a::Duel"},
        {"a drag of a scattered block to the end", "[cycle]\r\nmap=a::Duel\r\nmap=b::Duel\r\nmap=c::Duel\r\nmap=d::Duel",
         {2, 2, 2, 2}, {{Op::Drop, 4, 0, {0, 2}}, {Op::Drop, 0, 0, {3}}},
         "[cycle]\r\nmap=c::Duel\r\nmap=b::Duel\r\nmap=d::Duel\r\nmap=a::Duel"},
        {"a reorder of a selection", "[cycle]\r\nmap=a::Duel\r\nmap=b::Duel\r\nmap=c::Duel\r\nmap=d::Duel",
         {2, 2, 2, 2}, {{Op::Reorder, 0, 0, {0, 2, 3}, {2, 0, 1}}},
         "[cycle]\r\nmap=d::Duel\r\nmap=b::Duel\r\nmap=a::Duel\r\nmap=c::Duel"},
    };
    const MissionCatalogue catalogue = Catalogue();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        RotationDocument document = RotationDocument::Read(c.text, catalogue);
        EXPECT_EQ(document.Text(), c.text);
        EXPECT_EQ(Indexes(document), c.indexes);
        for (const Edit& edit : c.edits) ASSERT_TRUE(Apply(document, edit, catalogue));
        EXPECT_EQ(document.Text(), c.expected);
        EXPECT_EQ(document.Changed(), !c.edits.empty());
        // What was saved reads back as the same entries, at the lines the document says.
        const RotationDocument readBack = RotationDocument::Read(document.Text(), catalogue);
        EXPECT_EQ(Entries(readBack), Entries(document));
        for (std::size_t i = 0; i < document.EntryCount(); ++i) {
            EXPECT_EQ(readBack.EntryLineNumber(i), document.EntryLineNumber(i));
        }
        while (document.CanUndo()) document.Undo();
        EXPECT_EQ(document.Text(), c.text);
        EXPECT_FALSE(document.Changed());
        while (document.CanRedo()) document.Redo();
        EXPECT_EQ(document.Text(), c.expected);
    }
}

TEST(RotationDocumentTest, EditsThatCannotApplyChangeNothing) {
    const MissionCatalogue catalogue = Catalogue();
    RotationDocument document = RotationDocument::Read("[cycle]\r\nmap=hill.nfo::HillFight\r\nmap=a::Duel\r\n", catalogue);
    const Edit refused[] = {
        {Op::Before, 2, 1}, {Op::After, 2, 1}, {Op::Before, 0, 0}, {Op::After, 0, 5},
        {Op::First, 0, 1},  {Op::Remove, 2, 0}, {Op::Set, 0, 1},   {Op::Set, 0, -1},
        {Op::Move, 0, 0},   {Op::Move, 0, 2},   {Op::Move, 2, 0},
        {Op::RemoveMany, 0, 0, {}},
        {Op::RemoveMany, 0, 0, {0, 2}},
        {Op::Duplicate, 0, 0, {2}},
        {Op::Up, 0, 0, {0}},
        {Op::Up, 0, 0, {}},
        {Op::Down, 0, 0, {1}},
        {Op::Drop, 3, 0, {0}},
        {Op::Drop, 0, 0, {0}},
        {Op::Drop, 2, 0, {1}},
        {Op::Drop, 1, 0, {0, 1}},
        {Op::Reorder, 0, 0, {0, 1}, {0, 1}},
        {Op::Reorder, 0, 0, {0, 1}, {1, 1}},
        {Op::Reorder, 0, 0, {0, 1}, {1}},
        {Op::Lines, 0, 0, {}, {}, {}},
        {Op::Lines, 3, 0, {}, {}, {"map=a::Duel"}},
        {Op::Lines, 0, 0, {}, {}, {"map=a::Duel", "; not an entry"}},
        {Op::Lines, 0, 0, {}, {}, {"map=a::Duel\r\nmap=b::Duel"}},
        {Op::Lines, 0, 0, {}, {}, {"\tmap=a::Duel"}},
    };
    for (const Edit& edit : refused) EXPECT_FALSE(Apply(document, edit, catalogue)) << static_cast<int>(edit.op);
    EXPECT_FALSE(document.Changed());
    EXPECT_FALSE(document.CanUndo());
    EXPECT_FALSE(document.Undo());
    EXPECT_FALSE(document.Redo());
}

TEST(RotationDocumentTest, ChangedMeansAwayFromTheSavedPoint) {
    const MissionCatalogue catalogue = Catalogue();
    RotationDocument document = RotationDocument::Read("[cycle]\r\nmap=a::Duel\r\nmap=b::Duel\r\n", catalogue);
    ASSERT_TRUE(document.InsertAfter(1, 1, catalogue));
    ASSERT_TRUE(document.Remove(2));
    EXPECT_TRUE(document.Changed()) << "ADD then DEL is still a change";
    EXPECT_EQ(document.Undo(), 2u);
    EXPECT_EQ(document.Undo(), 2u) << "an undone insert tells where the entry was";
    EXPECT_FALSE(document.Changed());
    EXPECT_EQ(document.Redo(), 2u);
    document.MarkSaved();
    EXPECT_FALSE(document.Changed());
    document.Undo();
    EXPECT_TRUE(document.Changed());
    document.Redo();
    EXPECT_FALSE(document.Changed());

    // Undo past the saved point, then a new edit: the saved point can no longer be reached.
    document.Undo();
    ASSERT_TRUE(document.Move(0, 1));
    EXPECT_EQ(document.Undo(), 0u);
    EXPECT_EQ(document.Redo(), 1u);
    document.Undo();
    EXPECT_TRUE(document.Changed());
    document.Redo();
    EXPECT_TRUE(document.Changed());
}

TEST(RotationDocumentTest, UndoAndRedoSayWhatToSelect) {
    const MissionCatalogue catalogue = Catalogue();
    RotationDocument document =
        RotationDocument::Read("[cycle]\r\nmap=a::Duel\r\nmap=b::Duel\r\nmap=c::Duel\r\nmap=d::Duel\r\n", catalogue);
    const EntrySelection scattered = EntrySelection::Of({3, 1});
    ASSERT_TRUE(document.Remove(scattered));
    EXPECT_EQ(document.Undo(), scattered) << "the entries put back";
    EXPECT_EQ(document.Redo(), EntrySelection(1)) << "where the first one was";
    EXPECT_EQ(document.Undo(), scattered);
    ASSERT_TRUE(document.InsertLines(4, {"map=x::Duel", "map=y::Duel"}, catalogue));
    EXPECT_EQ(document.Undo(), EntrySelection(4));
    EXPECT_EQ(EntrySelection(4).Within(document.EntryCount()), EntrySelection(3)) << "past the end: the last";
    EXPECT_EQ(document.Redo(), EntrySelection::Range(4, 2));
    ASSERT_TRUE(document.MoveDown(EntrySelection::Of({0, 2})));
    EXPECT_EQ(document.Undo(), EntrySelection::Of({0, 2}));
    EXPECT_EQ(document.Redo(), EntrySelection::Range(2, 2));
    EXPECT_EQ(document.LastDone(), EntrySelection::Range(2, 2)) << "what the redone step selects";
    ASSERT_TRUE(document.Duplicate(EntrySelection::Of({1, 4})));
    EXPECT_EQ(document.LastDone(), EntrySelection::Range(5, 2)) << "the copies, after the last original";
    document.Undo();
    EXPECT_EQ(document.LastDone(), EntrySelection::Range(2, 2)) << "back to the step before";
    ASSERT_TRUE(document.Move(5, 0));
    const std::optional<std::size_t> single = document.Undo();  // as the callers of one entry take it
    EXPECT_EQ(single, 5u);
    EXPECT_EQ(document.EntryLinesText(EntrySelection::Of({0, 5})), "map=b::Duel\r\nmap=y::Duel\r\n");
}

TEST(RotationDocumentTest, UndoIsBoundedAndForgetsTheOldestSteps) {
    const MissionCatalogue catalogue = Catalogue();
    RotationDocument document = RotationDocument::Read("[cycle]\r\nmap=a::Duel\r\nmap=b::HillFight\r\n", catalogue);
    for (std::size_t i = 0; i < RotationDocument::kUndoSteps + 3; ++i) ASSERT_TRUE(document.Move(0, 1));
    std::size_t undone = 0;
    while (document.Undo()) ++undone;
    EXPECT_EQ(undone, RotationDocument::kUndoSteps);
    EXPECT_EQ(document.Text(), "[cycle]\r\nmap=b::HillFight\r\nmap=a::Duel\r\n");
    EXPECT_TRUE(document.Changed()) << "the read state is out of reach";
}

TEST(RotationDocumentTest, EntriesPast32767StayUnlistedAndUnchanged) {
    const MissionCatalogue catalogue = Catalogue();
    std::string text = "; big\r\n[cycle]\r\n";
    for (int i = 0; i < 32767; ++i) text += "map=a::Duel\r\n";
    for (int i = 0; i < 3; ++i) text += "; gap\r\nmap=late.nfo::HillFight\r\n";
    RotationDocument document = RotationDocument::Read(text, catalogue);
    EXPECT_EQ(document.EntryCount(), 32767u);
    EXPECT_EQ(document.UnlistedEntryCount(), 3u);
    EXPECT_EQ(document.Text(), text);
    EXPECT_FALSE(document.InsertAfter(0, 1, catalogue)) << "the list is full";
    ASSERT_TRUE(document.Remove(0));
    ASSERT_TRUE(document.InsertAfter(32765, 1, catalogue));
    EXPECT_EQ(document.EntryLineNumber(32766), 32769u);
    std::string tail = "map=a::Duel\r\nmap=hill.nfo::HillFight\r\n";
    for (int i = 0; i < 3; ++i) tail += "; gap\r\nmap=late.nfo::HillFight\r\n";
    const std::string saved = document.Text();
    EXPECT_EQ(saved.size(), text.size() + 12);
    EXPECT_TRUE(saved.ends_with(tail));
    // Every entry at once, in one pass each way.
    ASSERT_TRUE(document.Remove(EntrySelection::Range(0, document.EntryCount())));
    EXPECT_EQ(document.Text(), "; big\r\n[cycle]\r\n" + tail.substr(tail.find("; gap")));
    EXPECT_EQ(document.EntryCount(), 0u);
    document.Undo();
    EXPECT_EQ(document.Text(), saved);
    ASSERT_TRUE(document.Reorder(EntrySelection::Range(0, 2), {1, 0}));
    EXPECT_FALSE(document.Duplicate(EntrySelection(0))) << "the list is full";
    EXPECT_EQ(UnlistedEntriesMessage("C:\\G\\servercycle.txt", 3),
              "C:\\G\\servercycle.txt\nholds more entries than the list can show: it shows the first 32767.\n"
              "The other 3 entries are kept unchanged and saved as they were.");
}

}  // namespace
}  // namespace rotaplex

namespace rotaplex {
namespace {

// A set activated, or the file read again after another program changed it: one step, the other
// lines kept, undone to the bytes before.
TEST(RotationDocumentTest, WholeReplacementsAreOneStepAndKeepTheOtherLines) {
    const MissionCatalogue catalogue = Catalogue();
    const struct {
        const char* shape;
        std::string text;
        std::vector<std::string> entries;
        std::string expected;
    } cases[] = {
        {"entries where the first one stood, comments kept",
         "; top\r\n[cycle]\r\n; evening\r\nmap=a::Duel\r\n; mid\r\nmap=b::Duel\r\n[x]\r\nmap=c::Duel",
         {"map=hill.nfo::HillFight", " map=hill.nfo::Duel "},
         "; top\r\n[cycle]\r\n; evening\r\nmap=hill.nfo::HillFight\r\n map=hill.nfo::Duel \r\n; mid\r\n[x]\r\n"},
        {"no entries: after the header", "[cycle]", {"map=a::A"}, "[cycle]\r\nmap=a::A\r\n"},
        {"no header: one is added", "; only\r\nmap=early::A", {"map=a::A"},
         "; only\r\nmap=early::A\r\n[cycle]\r\nmap=a::A\r\n"},
        {"an empty set empties the rotation", "[cycle]\r\nmap=a::Duel\r\n; kept\r\n", {}, "[cycle]\r\n; kept\r\n"},
    };
    for (const auto& c : cases) {
        RotationDocument document = RotationDocument::Read(c.text, catalogue);
        ASSERT_TRUE(document.ReplaceEntries(c.entries, catalogue)) << c.shape;
        EXPECT_EQ(document.Text(), c.expected) << c.shape;
        EXPECT_EQ(document.EntryCount(), c.entries.size()) << c.shape;
        EXPECT_FALSE(document.ReplaceEntries(c.entries, catalogue)) << c.shape << ": nothing to change";
        EXPECT_EQ(document.Undo(), EntrySelection(0)) << c.shape;
        EXPECT_EQ(document.Text(), c.text) << c.shape;
        EXPECT_FALSE(document.Changed()) << c.shape;
        document.Redo();
        EXPECT_EQ(document.Text(), c.expected) << c.shape;
    }
    RotationDocument document = RotationDocument::Read("[cycle]\r\n", catalogue);
    EXPECT_FALSE(document.ReplaceEntries({"map=a::A", "not an entry"}, catalogue));

    // Read again: edits made before are one undo away, and edits after it undo on top of it.
    document = RotationDocument::Read("[cycle]\r\nmap=a::Duel\r\n", catalogue);
    ASSERT_TRUE(document.Remove(0));
    ASSERT_TRUE(document.ReplaceText("[cycle]\r\nmap=hill.nfo::Duel\r\nmap=x::Y", catalogue));
    EXPECT_EQ(Indexes(document), (std::vector<int16_t>{2, 0}));
    ASSERT_TRUE(document.Remove(1));
    document.Undo();
    document.Undo();
    EXPECT_EQ(document.Text(), "[cycle]\r\n");
    document.Undo();
    EXPECT_EQ(document.Text(), "[cycle]\r\nmap=a::Duel\r\n");
}

TEST(RotationDocumentTest, RematchFindsEntriesInANewCatalogueAndInTheUndoSteps) {
    const MissionCatalogue before = Catalogue();
    RotationDocument document = RotationDocument::Read("[cycle]\r\nmap=new.nfo::Fresh\r\nmap=hill.nfo::Duel\r\n", before);
    ASSERT_TRUE(document.Remove(1));
    EXPECT_EQ(Indexes(document), (std::vector<int16_t>{0}));

    // A mission file added in front, hill.nfo gone.
    MissionCatalogue after;
    after.ParseMissionFile("[scenarios]\r\nFresh={\r\n[server]\r\nname=Fresh\r\n}", "new.nfo");
    document.Rematch(after);
    EXPECT_EQ(Indexes(document), (std::vector<int16_t>{1}));
    EXPECT_EQ(document.Entry(0).DisplayText, after.DisplayText(1));
    document.Undo();
    EXPECT_EQ(Indexes(document), (std::vector<int16_t>{1, 0})) << "the removed entry, matched again";
    EXPECT_EQ(document.Entry(1).DisplayText, "");
}

}  // namespace
}  // namespace rotaplex
