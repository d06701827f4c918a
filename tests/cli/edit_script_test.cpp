#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cli_run.h"
#include "json_value.h"
#include "scratch_folder.h"

namespace rotaplex::test {
namespace {

const std::vector<std::pair<std::string, std::string>> kMissions = {
    {"b.nfo", MissionText({"Hill", "Duel"})}, {"A.nfo", MissionText({"Valley", "duel"})}};
const std::string kRotation = "[cycle]\r\nmap=A.nfo::Valley\r\nmap=b.nfo::Hill\r\n";

class EditScriptTest : public ::testing::Test {
protected:
    void SetUp() override { WriteGame(game, {kMissions, kRotation}); }
    std::string Rotation() const { return game.Path() + "servercycle.txt"; }
    // The rotation and its backup are as they were: nothing was written.
    void ExpectUnchanged() const {
        EXPECT_EQ(game.Read("servercycle.txt"), kRotation);
        EXPECT_FALSE(game.Exists("servercycle.txt.bak"));
    }
    ScratchFolder game;
};

TEST_F(EditScriptTest, ALineThatCannotBeDoneFailsTheWholeScriptNamingTheLine) {
    const struct {
        std::string script;
        int status;
        std::string err;
    } cases[] = {
        {"add Valley\nremove 9\n", 3, "standard input:2: no position 9 in " + Rotation() + " (its entries are 1 to 3)"},
        {"remove 1\n\ncheck\n", 3,
         "standard input:3: check is no edit; an edit script takes add, remove, move, set, shuffle, sort and activate"},
        {"add -\n", 3, "standard input:1: add - would read standard input, which holds the edit script"},
        {"move 1 2 --dry-run\n", 3,
         "standard input:1: unknown option \"--dry-run\" for move (see rotaplex-cli move --help)"},
        {"turn 1\n", 3, "standard input:1: unknown command \"turn\" (see rotaplex-cli --help)"},
        {"shuffle 1\n", 3, "standard input:1: give both FROM and TO, or neither"},
        {"shuffle 2 1\n", 3, "standard input:1: FROM (2) comes after TO (1)"},
        {"shuffle --seed -1\n", 3, "standard input:1: the seed \"-1\" is not a number"},
        {"sort --by size\n", 3, "standard input:1: sort goes --by text or --by file, not \"size\""},
        {"set 1 duel\n", 3,
         "standard input:1: the key duel is in more than one mission file (A.nfo b.nfo): give the scenario as "
         "<mission-file>::<key>"},
        {"set 1 b.nfo::Hill \"A.nfo::Valley\"\n", 3,
         "standard input:1: too many arguments for set (see rotaplex-cli set --help)"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli({"edit", game.Path()}, c.script);
        EXPECT_EQ(run.Status, c.status) << c.script;
        EXPECT_EQ(run.Err, "rotaplex-cli: " + c.err + "\n");
        EXPECT_EQ(run.Out, "");
        ExpectUnchanged();
    }
    const CliRun missing = RunCli({"edit", game.Path(), game.Path() + "none.txt"});
    EXPECT_EQ(missing.Status, 2);
    EXPECT_EQ(missing.Err, "rotaplex-cli: " + game.Path() + "none.txt: No such file or directory\n");
    ExpectUnchanged();
}

TEST_F(EditScriptTest, TenEditsFromAFileAreOneSaveWithOneBackup) {
    const std::string script =
        "add Hill b.nfo::Duel Valley\nadd a.nfo::duel --before 1\nmove 1 6\nset 2 b.nfo::duel\nremove 3\n"
        "add \"b.nfo::Hill\" --after 1\nshuffle 2 5 --seed 11\nsort 1 3 --by file\nmove 6 1\nremove 2\n";
    const std::string file = game.Write("edits.txt", script);
    const CliRun run = RunCli({"edit", game.Path(), file});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, "Saved " + Rotation() + "\n");
    EXPECT_EQ(game.Read("servercycle.txt.bak"), kRotation);

    // The same script on standard input gives the same bytes.
    ScratchFolder other;
    WriteGame(other, {kMissions, kRotation});
    ASSERT_EQ(RunCli({"edit", other.Path()}, script).Status, 0);
    EXPECT_EQ(other.Read("servercycle.txt"), game.Read("servercycle.txt"));
    EXPECT_EQ(ParseJson(RunCli({"list", game.Path(), "--json"}).Out)["entries"].Size(), 5u);
}

TEST_F(EditScriptTest, JsonGivesTheEntriesAfterTheChange) {
    const JsonValue dry = ParseJson(RunCli({"add", game.Path(), "B.nfo::duel", "Hill", "--dry-run", "--json"}).Out);
    ASSERT_EQ(dry["entries"].Size(), 4u);
    EXPECT_EQ(dry["entries"][2]["reference"].Text(), "b.nfo::Duel");
    EXPECT_EQ(dry["entries"][3]["line"].Number(), 5);
    ExpectUnchanged();

    const CliRun removed = RunCli({"remove", game.Path(), "1", "--json"});
    EXPECT_EQ(removed.Status, 0) << removed.Err;
    const JsonValue after = ParseJson(removed.Out);
    EXPECT_EQ(after["file"].Text(), Rotation());
    ASSERT_EQ(after["entries"].Size(), 1u);
    EXPECT_EQ(after["entries"][0]["key"].Text(), "Hill");
    EXPECT_EQ(game.Read("servercycle.txt"), "[cycle]\r\nmap=b.nfo::Hill\r\n");
}

TEST_F(EditScriptTest, AddFromStandardInputTakesItsEntryLinesAndTellsTheOthers) {
    const CliRun run = RunCli({"add", game.Path(), "-", "--before", "1"}, "map=b.nfo::Duel\r\n[cycle]\r\nx\n\nmap=z::Z");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "rotaplex-cli: passed over 2 lines of standard input that are no entry lines\n");
    EXPECT_EQ(game.Read("servercycle.txt"), "[cycle]\r\nmap=b.nfo::Duel\r\nmap=z::Z\r\n" + kRotation.substr(9));

    const CliRun none = RunCli({"add", game.Path(), "-"}, "; only a comment\n");
    EXPECT_EQ(none.Status, 3);
    EXPECT_EQ(none.Err, "rotaplex-cli: standard input holds no entry lines (map=<mission-file>::<key>)\n");
    const CliRun both = RunCli({"add", game.Path(), "Hill", "-"}, "map=b.nfo::Duel\n");
    EXPECT_EQ(both.Err, "rotaplex-cli: give scenarios or -, not both\n");
}

TEST(EditCreatesTest, AddInAFolderWithoutRotationCreatesItOtherEditsDoNot) {
    ScratchFolder game;
    WriteGame(game, {kMissions, ""});
    std::remove((game.Path() + "servercycle.txt").c_str());
    const CliRun removed = RunCli({"remove", game.Path(), "1"});
    EXPECT_EQ(removed.Status, 2);
    EXPECT_EQ(removed.Err, "rotaplex-cli: " + game.Path() + "servercycle.txt: No such file or directory\n");
    EXPECT_FALSE(game.Exists("servercycle.txt"));

    const CliRun added = RunCli({"add", game.Path(), "Hill", "valley"});
    EXPECT_EQ(added.Status, 0) << added.Err;
    EXPECT_EQ(game.Read("servercycle.txt"), "[cycle]\r\nmap=b.nfo::Hill\r\nmap=A.nfo::Valley\r\n");
    EXPECT_FALSE(game.Exists("servercycle.txt.bak"));
}

// Three missions, one on half the places: every seed gives an order of the same entries in which
// no mission follows itself, the last and the first entries counting as neighbours.
TEST(ShuffleCommandTest, NoMissionFollowsItselfForAnySeedAndASeedRepeatsItsOrder) {
    const std::string rotation = "[cycle]\r\nmap=b.nfo::Hill\r\nmap=b.nfo::hill\r\nmap=A.nfo::Valley\r\n"
                                 "map=b.nfo::Duel\r\nmap=B.NFO::HILL\r\nmap=A.nfo::Valley\r\n";
    for (int seed = 0; seed < 40; ++seed) {
        ScratchFolder game;
        WriteGame(game, {kMissions, rotation});
        ASSERT_EQ(RunCli({"shuffle", game.Path(), "--seed", std::to_string(seed)}).Status, 0);
        const JsonValue entries = ParseJson(RunCli({"list", game.Path(), "--json"}).Out)["entries"];
        std::map<std::string, int> counts;
        for (std::size_t i = 0; i < entries.Size(); ++i) {
            const std::string mission = entries[i]["missionFile"].Text() + "::" + entries[i]["key"].Text();
            ++counts[mission];
            const JsonValue& next = entries[(i + 1) % entries.Size()];
            EXPECT_NE(mission, next["missionFile"].Text() + "::" + next["key"].Text()) << seed << " at " << i;
        }
        EXPECT_EQ(counts, (std::map<std::string, int>{{"A.nfo::Valley", 2}, {"b.nfo::Duel", 1}, {"b.nfo::Hill", 3}}));
        ScratchFolder again;
        WriteGame(again, {kMissions, rotation});
        ASSERT_EQ(RunCli({"shuffle", again.Path(), "--seed", std::to_string(seed)}).Status, 0);
        EXPECT_EQ(again.Read("servercycle.txt"), game.Read("servercycle.txt"));
    }
}

TEST(VersionTest, TellsTheProgramAndItsVersion) {
    const CliRun run = RunCli({"--version"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(run.Out.starts_with("rotaplex-cli ")) << run.Out;
    EXPECT_NE(run.Out.find_first_of("0123456789"), std::string::npos);
}

}  // namespace
}  // namespace rotaplex::test
