#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_run.h"
#include "json_value.h"
#include "scratch_folder.h"

namespace rotaplex::test {
namespace {

// Two files define "duel", one has no section, one a block without "[server]", one has the name
// of a device (which the editor under Wine cannot read); the rotation has
// a comment, an entry under a named file that does not hold its key, one that matches none, and
// one of the duplicate key that its named file holds (no problem: it plays that file's).
class ReportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteGame(game, {{{"b.nfo", MissionText({"Duel", "Hill"})},
                          {"A.nfo", MissionText({"Valley", "duel"})},
                          {"broken.nfo", "Hill={\r\n"},
                          {"cut.nfo", "[scenarios]\r\nLone={\r\n"},
                          {"aux.nfo", MissionText({"Device"})}},
                         "; rotation\r\n[cycle]\r\nmap=b.nfo::Hill\r\nmap=a.nfo::VALLEY\r\n"
                         "map=x.nfo::Gone\r\n  MAP=b.nfo::Valley  \r\nmap=A.nfo::Duel\r\n"});
    }
    std::string G() const { return game.Path(); }
    ScratchFolder game;
};

TEST_F(ReportCommandsTest, TextOutputAndExitStatusOfEachCommand) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string out;
    } cases[] = {
        {{"check", G()}, 1,
         G() + "resource/missions/aux.nfo: This is not an ordinary file on a disk.\n" +
         G() + "resource/missions/broken.nfo is missing Scenarios! Skipping File\n"
         "Malformed File " + G() + "resource/missions/cut.nfo missing [server] in scenario\n" +
         G() + "resource/missions: the key \"duel\" is defined in more than one mission file: A.nfo b.nfo\n" +
         G() + "servercycle.txt:5: map=x.nfo::Gone: matches no scenario\n" +
         G() + "servercycle.txt:6:   MAP=b.nfo::Valley  : b.nfo does not hold Valley; it plays Valley of A.nfo\n"},
        {{"list", G()}, 0,
         "1\tHill Duel\tb.nfo::Hill\n2\tValley Duel\ta.nfo::VALLEY\n3\t\tx.nfo::Gone\tmissing\n"
         "4\tValley Duel\tb.nfo::Valley\n5\tduel Duel\tA.nfo::Duel\n"},
        {{"scenarios", G(), "LL"}, 0,
         "A.nfo\tValley\tname=Valley ruleset=Duel teamallowed=0 teamcount=-1 scenariotext= visibility=0 "
         "killlimit=0 killlimitnumber=-1 respawnlimit=0 respawnlimitnumber=-1 isnight=0 weather=0 radarmode=0 "
         "onlystockmech=0 minimumtonnage=-1 maximumtonnage=-1 gamelength=-1\n"
         "b.nfo\tHill\tname=Hill ruleset=Duel teamallowed=0 teamcount=-1 scenariotext= visibility=0 "
         "killlimit=0 killlimitnumber=-1 respawnlimit=0 respawnlimitnumber=-1 isnight=0 weather=0 radarmode=0 "
         "onlystockmech=0 minimumtonnage=-1 maximumtonnage=-1 gamelength=-1\n"},
        {{"scenarios", G(), "nothing"}, 1, ""},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.Status, c.status) << c.arguments[0];
        EXPECT_EQ(run.Out, c.out) << c.arguments[0];
        EXPECT_EQ(run.Err, "") << c.arguments[0];
    }
}

TEST_F(ReportCommandsTest, JsonOutputReadsBack) {
    const JsonValue check = ParseJson(RunCli({"check", G(), "--json"}).Out);
    EXPECT_EQ(check["folder"].Text(), G());
    const JsonValue& problems = check["problems"];
    ASSERT_EQ(problems.Size(), 6u);
    EXPECT_EQ(problems[0]["kind"].Text(), "mission-file");
    EXPECT_EQ(problems[3]["kind"].Text(), "duplicate-key");
    EXPECT_EQ(problems[3]["key"].Text(), "duel");
    EXPECT_EQ(problems[3]["missionFiles"][1].Text(), "b.nfo");
    EXPECT_EQ(problems[5]["kind"].Text(), "wrong-file");
    EXPECT_EQ(problems[5]["line"].Number(), 6);
    EXPECT_EQ(problems[5]["position"].Number(), 4);
    EXPECT_EQ(problems[5]["reference"].Text(), "b.nfo::Valley");
    EXPECT_EQ(problems[4]["message"].Text(), G() + "servercycle.txt:5: map=x.nfo::Gone: matches no scenario");

    const JsonValue list = ParseJson(RunCli({"list", G(), "--json"}).Out);
    EXPECT_EQ(list["file"].Text(), G() + "servercycle.txt");
    EXPECT_TRUE(list["header"].Bool());
    EXPECT_EQ(list["unlisted"].Number(), 0);
    ASSERT_EQ(list["entries"].Size(), 5u);
    EXPECT_EQ(list["entries"][4]["missionFile"].Text(), "A.nfo");
    const JsonValue& missing = list["entries"][2];
    EXPECT_EQ(missing["position"].Number(), 3);
    EXPECT_EQ(missing["line"].Number(), 5);
    EXPECT_TRUE(missing["missing"].Bool());
    EXPECT_EQ(missing["display"].Text(), "");
    EXPECT_EQ(list["entries"][1]["missionFile"].Text(), "A.nfo");
    EXPECT_EQ(list["entries"][1]["key"].Text(), "Valley");

    const JsonValue scenarios = ParseJson(RunCli({"scenarios", G(), "--json"}).Out);
    ASSERT_EQ(scenarios["scenarios"].Size(), 5u);
    const JsonValue& lone = scenarios["scenarios"][4];
    EXPECT_EQ(lone["index"].Number(), 5);
    EXPECT_EQ(lone["missionFile"].Text(), "cut.nfo");
    EXPECT_EQ(lone["gamelength"].Number(), -1);
    EXPECT_EQ(lone["name"].Text(), "");
}

TEST(ReportCommandsEdgeTest, JsonCarriesEveryByteOfALine) {
    ScratchFolder game;
    WriteGame(game, {{}, "[cycle]\r\nmap=\"caf\xe9\"\\\t::x\r\n"});
    const JsonValue list = ParseJson(RunCli({"list", game.Path(), "--json"}).Out);
    EXPECT_EQ(list["entries"][0]["reference"].Text(), "\"caf\xe9\"\\\t::x");
}

TEST(ReportCommandsEdgeTest, HeaderMissingAndEntriesPastTheLimitAreProblems) {
    ScratchFolder game;
    WriteGame(game, {{{"m.nfo", MissionText({"A"})}}, "map=m.nfo::A\r\n"});
    const CliRun noHeader = RunCli({"check", game.Path()});
    EXPECT_EQ(noHeader.Status, 1);
    EXPECT_EQ(noHeader.Out, game.Path() + "servercycle.txt is malformed or missing [cycle]\n");

    std::string rotation = "[cycle]\r\n";
    for (int i = 0; i < 32767 + 2; ++i) rotation += "map=m.nfo::A\r\n";
    game.Write("servercycle.txt", rotation);
    const CliRun tooMany = RunCli({"check", game.Path()});
    EXPECT_EQ(tooMany.Status, 1);
    EXPECT_EQ(tooMany.Out, game.Path() +
                               "servercycle.txt holds more entries than the list can show: it shows the "
                               "first 32767. The other 2 entries are kept unchanged and saved as they were.\n");
    EXPECT_EQ(ParseJson(RunCli({"list", game.Path(), "--json"}).Out)["unlisted"].Number(), 2);

    game.Write("servercycle.txt", "[cycle]\r\nmap=x\n::y\r\n");
    EXPECT_EQ(RunCli({"check", game.Path()}).Out, game.Path() + "servercycle.txt:2: map=x\\n::y: matches no scenario\n");

    game.Write("servercycle.txt", "[cycle]\r\nmap=m.nfo::a\r\n");
    EXPECT_EQ(RunCli({"check", game.Path()}).Status, 0);
    EXPECT_EQ(RunCli({"check", game.Path()}).Out, "");
}

TEST(ReportCommandsEdgeTest, FailuresNameTheFileAndTheReason) {
    ScratchFolder game;
    game.Write("plain.txt", "");
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    } cases[] = {
        {{"check", game.Path() + "none"}, 2, game.Path() + "none: No such file or directory"},
        {{"list", game.Path() + "plain.txt"}, 2, game.Path() + "plain.txt: Not a directory"},
        {{"list", game.Path()}, 2, game.Path() + "servercycle.txt: No such file or directory"},
        {{"check"}, 3, "no game folder given (see rotaplex-cli check --help)"},
        {{"list", game.Path(), "extra"}, 3, "too many arguments for list (see rotaplex-cli list --help)"},
        {{"list", game.Path(), "--dry-run"}, 3,
         "unknown option \"--dry-run\" for list (see rotaplex-cli list --help)"},
        {{"lists", game.Path()}, 3, "unknown command \"lists\" (see rotaplex-cli --help)"},
        {{}, 3, "no command given (see rotaplex-cli --help)"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.Status, c.status) << c.err;
        EXPECT_EQ(run.Err, "rotaplex-cli: " + c.err + "\n");
        EXPECT_EQ(run.Out, "");
    }
}

// A lone LF, a tab and other control characters in a rotation's lines and in a folder's name
// (the mission files' reader drops them from names and keys): every record of the text output stays one line, its fields parted by the only real tabs.
TEST(ReportCommandsEdgeTest, ControlCharactersInNamesAreEscapedInTextOutput) {
    ScratchFolder game;
    WriteGame(game, {{{"m.nfo", MissionText({"Lone"})}}, "[cycle]\r\nmap=x\n::y\tz\x01\r\nmap=m.nfo::Lone\r\n"});
    const std::string bad = game.Path() + "no\rpe\x7f";
    const struct {
        std::vector<std::string> arguments;
        std::string out, err;
    } cases[] = {
        {{"list", game.Path()}, "1\t\tx\\n::y\\tz\\x01\tmissing\n2\tLone Duel\tm.nfo::Lone\n", ""},
        {{"check", game.Path()}, game.Path() + "servercycle.txt:2: map=x\\n::y\\tz\\x01: matches no scenario\n", ""},
        {{"list", bad}, "", "rotaplex-cli: " + game.Path() + "no\\rpe\\x7f: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.Out, c.out);
        EXPECT_EQ(run.Err, c.err);
    }
}

TEST(ReportCommandsEdgeTest, HelpOfTheProgramAndOfEachCommand) {
    EXPECT_TRUE(RunCli({"--help"}).Out.starts_with("Usage: rotaplex-cli <command>"));
    for (const char* command : {"check", "list", "scenarios", "add", "remove", "move", "set", "shuffle", "sort", "edit"}) {
        const CliRun run = RunCli({command, "--help"});
        EXPECT_EQ(run.Status, 0);
        EXPECT_TRUE(run.Out.starts_with(std::string("Usage: rotaplex-cli ") + command + " <game-folder>"))
            << run.Out;
    }
}

}  // namespace
}  // namespace rotaplex::test
