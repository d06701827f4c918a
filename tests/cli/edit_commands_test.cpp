#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cli/cli_error.h"
#include "cli/game_session.h"
#include "cycle/unified_diff.h"
#include "cli_run.h"
#include "cycle/game_session.h"
#include "cycle/posix/posix_file_system.h"
#include "cycle/rotation_document.h"
#include "cycle/rotation_order.h"
#include "scratch_folder.h"

namespace rotaplex::test {
namespace {

class IgnoringReporter final : public Reporter {
public:
    void Report(const std::string&) override {}
};

// Comments, an unmatched entry and a last line without a line end: all kept by every edit.
const GameFiles kGame = {{{"b.nfo", MissionText({"Hill"})}, {"A.nfo", MissionText({"Valley", "Duel"})}},
                         "; demo\r\n[cycle]\r\nmap=A.nfo::Valley\r\n; note\r\nmap=b.nfo::hill\r\nmap=x.nfo::Gone"};

using DocumentEdit = std::function<void(RotationDocument&, const MissionCatalogue&)>;

struct EditCase {
    std::vector<std::string> arguments;  // after the command's game folder
    DocumentEdit edit;                   // the same edit on the editor's document
    std::string input{};                 // standard input
};

EntrySelection All(const RotationDocument& d) { return EntrySelection::Range(0, d.EntryCount()); }

// Scenario indexes in listing order: A.nfo Valley 1, Duel 2; b.nfo Hill 3.
const std::vector<EditCase>& EditCases() {
    static const std::vector<EditCase> cases = {
        {{"add", "b.nfo::Hill"}, [](auto& d, auto& c) { d.InsertAfter(2, 3, c); }},
        {{"add", "a.NFO::duel", "--before", "1"}, [](auto& d, auto& c) { d.InsertBefore(0, 2, c); }},
        {{"add", "--after", "2", "A.nfo::Valley"}, [](auto& d, auto& c) { d.InsertAfter(1, 1, c); }},
        {{"remove", "3"}, [](auto& d, auto&) { d.Remove(2); }},
        {{"move", "1", "3"}, [](auto& d, auto&) { d.Move(0, 2); }},
        {{"move", "3", "1"}, [](auto& d, auto&) { d.Move(2, 0); }},
        {{"set", "3", "b.nfo::Hill"}, [](auto& d, auto& c) { d.SetScenario(2, 3, c); }},
        {{"set", "1", "A.nfo::Duel"}, [](auto& d, auto& c) { d.SetScenario(0, 2, c); }},
        {{"set", "1", "hill"}, [](auto& d, auto& c) { d.SetScenario(0, 3, c); }},
        {{"add", "b.nfo::Hill", "Duel", "--before", "2"},
         [](auto& d, auto& c) { d.InsertBefore(1, 3, c), d.InsertBefore(2, 2, c); }},
        {{"add", "Duel", "Hill", "--after", "3"}, [](auto& d, auto& c) { d.InsertAfter(2, 2, c), d.InsertAfter(3, 3, c); }},
        {{"add", "-", "--after", "1"},
         [](auto& d, auto& c) { d.InsertLines(1, {"map=b.nfo::Hill", "MAP=q.nfo::Q"}, c); },
         "map=b.nfo::Hill\n; a comment\r\n  MAP=q.nfo::Q \n"},
        {{"shuffle", "--seed", "3"},
         [](auto& d, auto& c) { d.Reorder(All(d), ShuffleOrder(d, All(d), 3, c)); }},
        {{"shuffle", "1", "2", "--seed", "3"},
         [](auto& d, auto& c) { d.Reorder(EntrySelection::Range(0, 2), ShuffleOrder(d, EntrySelection::Range(0, 2), 3, c)); }},
        {{"sort"}, [](auto& d, auto& c) { d.Reorder(All(d), SortOrder(d, All(d), SortKey::DisplayText, c)); }},
        {{"sort", "1", "2", "--by", "text"},
         [](auto& d, auto& c) { d.Reorder(EntrySelection::Range(0, 2), SortOrder(d, EntrySelection::Range(0, 2), SortKey::DisplayText, c)); }},
        // One script, one change: its lines in order, each on what the lines before it left.
        {{"edit"},
         [](auto& d, auto& c) {
             d.InsertAfter(2, 3, c), d.Remove(0), d.Move(0, 2), d.SetScenario(1, 2, c);
             d.Reorder(All(d), SortOrder(d, All(d), SortKey::MissionFile, c));
         },
         "add b.nfo::Hill\n# a comment\n\n  remove 1\r\nmove 1 3\nset 2 \"A.nfo::Duel\"\nsort --by file\n"},
        {{"edit", "-"}, [](auto& d, auto& c) { d.Reorder(All(d), SortOrder(d, All(d), SortKey::DisplayText, c)); },
         "sort --by text"},
    };
    return cases;
}

std::vector<std::string> Arguments(const EditCase& c, const std::string& folder, bool dryRun) {
    std::vector<std::string> arguments = {c.arguments[0], folder};
    arguments.insert(arguments.end(), c.arguments.begin() + 1, c.arguments.end());
    if (dryRun) arguments.push_back("--dry-run");
    return arguments;
}

// What the editor's document makes of the game's rotation with the same edit.
std::string DocumentText(const ScratchFolder& game, const DocumentEdit& edit) {
    IgnoringReporter reporter;
    const MissionCatalogue catalogue = ScanMissions(posix::PosixFileSystem(), game.Path(), reporter);
    RotationDocument document = RotationDocument::Read(game.Read("servercycle.txt"), catalogue);
    edit(document, catalogue);
    return document.Text();
}

TEST(EditCommandsTest, EachEditSavesTheBytesTheDocumentGivesAndKeepsABackup) {
    for (const EditCase& c : EditCases()) {
        ScratchFolder game;
        WriteGame(game, kGame);
        const std::string expected = DocumentText(game, c.edit);
        ASSERT_NE(expected, kGame.Rotation) << testing::PrintToString(c.arguments);
        const CliRun run = RunCli(Arguments(c, game.Path(), false), c.input);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, "Saved " + game.Path() + "servercycle.txt\n");
        EXPECT_EQ(game.Read("servercycle.txt"), expected) << c.arguments[0] << ' ' << c.arguments[1];
        EXPECT_EQ(game.Read("servercycle.txt.bak"), kGame.Rotation);
        EXPECT_EQ(game.Entries(), (std::vector<std::string>{"resource", "servercycle.txt", "servercycle.txt.bak",
                                                            "servercycle.txt.lock"}));
    }
}

TEST(EditCommandsTest, DryRunPrintsTheChangeAsADiffAndWritesNothing) {
    for (const EditCase& c : EditCases()) {
        ScratchFolder game;
        WriteGame(game, kGame);
        const std::string path = game.Path() + "servercycle.txt";
        const CliRun run = RunCli(Arguments(c, game.Path(), true), c.input);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, UnifiedDiff(kGame.Rotation, DocumentText(game, c.edit), path));
        EXPECT_EQ(game.Read("servercycle.txt"), kGame.Rotation);
        EXPECT_EQ(game.Entries(), (std::vector<std::string>{"resource", "servercycle.txt"}));
    }
}

TEST(EditCommandsTest, AnEntryAddedToAFileWithoutHeaderComesUnderANewOne) {
    ScratchFolder game;
    WriteGame(game, {kGame.Missions, "; nothing yet"});
    const std::string expected = DocumentText(game, [](auto& d, auto& c) { d.InsertFirst(3, c); });
    ASSERT_EQ(RunCli({"add", game.Path(), "b.nfo::Hill"}).Status, 0);
    EXPECT_EQ(game.Read("servercycle.txt"), expected);
    EXPECT_TRUE(expected.starts_with("; nothing yet\r\n[cycle]\r\nmap=b.nfo::Hill")) << expected;
}

TEST(EditCommandsTest, AnEditThatChangesNothingWritesNothing) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"set", "1", "a.nfo::VALLEY"}, {"move", "2", "2"}}) {
        ScratchFolder game;
        WriteGame(game, kGame);
        const CliRun run = RunCli(Arguments({arguments, nullptr}, game.Path(), false));
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Out, "Nothing to change in " + game.Path() + "servercycle.txt\n");
        EXPECT_EQ(game.Entries(), (std::vector<std::string>{"resource", "servercycle.txt", "servercycle.txt.lock"}));
    }
}

TEST(EditCommandsTest, RequestsThatCannotBeDoneFailAndWriteNothing) {
    ScratchFolder game;
    WriteGame(game, kGame);
    const std::string path = game.Path() + "servercycle.txt";
    const struct {
        std::vector<std::string> arguments;
        std::string err;
    } cases[] = {
        {{"remove", "4"}, "no position 4 in " + path + " (its entries are 1 to 3)"},
        {{"remove", "0"}, "no position 0 in " + path + " (its entries are 1 to 3)"},
        {{"move", "1", "x"}, "the position \"x\" is not a number"},
        {{"remove", "99999999999999999999"}, "no position 99999999999999999999 in " + path + " (its entries are 1 to 3)"},
        {{"set", "1", "Nowhere"}, "no scenario Nowhere in any mission file (rotaplex-cli scenarios lists them)"},
        {{"set", "1", "A.nfo::Hill"},
         "no scenario Hill in the mission file A.nfo (rotaplex-cli scenarios lists them)"},
        {{"add", "b.nfo::Hill", "--before", "1", "--after", "1"},
         "give only one of --before and --after (see rotaplex-cli add --help)"},
        {{"move", "1"}, "too few arguments for move (see rotaplex-cli move --help)"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(Arguments({c.arguments, nullptr}, game.Path(), false));
        EXPECT_EQ(run.Status, 3);
        EXPECT_EQ(run.Err, "rotaplex-cli: " + c.err + "\n");
    }
    EXPECT_EQ(game.Read("servercycle.txt"), kGame.Rotation);
    EXPECT_EQ(game.Entries(), (std::vector<std::string>{"resource", "servercycle.txt", "servercycle.txt.lock"}));
}

TEST(EditCommandsTest, AFullListTakesNoFurtherEntry) {
    ScratchFolder game;
    std::string rotation = "[cycle]\r\n";
    for (int i = 0; i < 32767; ++i) rotation += "map=b.nfo::Hill\r\n";
    WriteGame(game, {kGame.Missions, rotation});
    const CliRun run = RunCli({"add", game.Path(), "b.nfo::Hill"});
    EXPECT_EQ(run.Status, 3);
    EXPECT_EQ(run.Err, "rotaplex-cli: " + game.Path() +
                           "servercycle.txt already lists as many entries as the list can hold\n");
    EXPECT_EQ(game.Entries(), (std::vector<std::string>{"resource", "servercycle.txt", "servercycle.txt.lock"}));
}

TEST(EditCommandsTest, AFileChangedSinceItWasReadIsNotSavedOver) {
    ScratchFolder game;
    WriteGame(game, kGame);
    GameSession session(posix::PosixFileSystem(), game.Path());
    IgnoringReporter reporter;
    session.ReadMissions(reporter);
    session.ReadRotation(reporter);
    ASSERT_TRUE(session.Document().Remove(0));
    game.Write("servercycle.txt", "[cycle]\r\nmap=b.nfo::Hill\r\n");
    EXPECT_EQ(session.Save().Result, SaveOutcome::Status::ChangedOnDisk);
    EXPECT_TRUE(session.Document().Changed());
    EXPECT_EQ(game.Read("servercycle.txt"), "[cycle]\r\nmap=b.nfo::Hill\r\n");
    EXPECT_FALSE(game.Exists("servercycle.txt.bak"));
}

}  // namespace
}  // namespace rotaplex::test
