#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_run.h"
#include "scratch_folder.h"

namespace rotaplex::test {
namespace {

constexpr const char* kRotation = "; ours\r\n[cycle]\r\nmap=b.nfo::Hill\r\n; between\r\nmap=b.nfo::Duel\r\n";
constexpr const char* kEvent = "; event\r\n[cycle]\r\nmap=b.nfo::Duel\r\nmap=x.nfo::Gone\r\n";

class SetCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteGame(game, {{{"b.nfo", MissionText({"Duel", "Hill"})}}, kRotation});
        game.Write("rotations/event.txt", kEvent);
        game.Write("rotations/Empty.txt", "[cycle]\r\n");
    }
    std::string G() const { return game.Path(); }
    ScratchFolder game;
};

// One command after another on the same game folder: what each prints and its status.
TEST_F(SetCommandsTest, EachCommandInTurn) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string out;
        std::string err = "";  // a part of it
    } steps[] = {
        {{"sets", G()}, 0, "Empty\t0\nevent\t2\n"},
        {{"sets", G(), "--json"}, 0,
         "{\"folder\":\"" + G() + "rotations/\",\"sets\":[{\"name\":\"Empty\",\"file\":\"" + G() +
             "rotations/Empty.txt\",\"entries\":0},{\"name\":\"event\",\"file\":\"" + G() +
             "rotations/event.txt\",\"entries\":2}]}\n"},
        {{"list", G(), "--set", "event"}, 0, "1\tDuel Duel\tb.nfo::Duel\n2\t\tx.nfo::Gone\tmissing\n"},
        {{"check", G()}, 1, G() + "rotations/event.txt:4: map=x.nfo::Gone: matches no scenario\n"},
        {{"check", G(), "--set", "EVENT"}, 1, G() + "rotations/EVENT.txt:4: map=x.nfo::Gone: matches no scenario\n"},
        {{"remove", G(), "2", "--set", "event"}, 0, "Saved " + G() + "rotations/event.txt\n"},
        {{"check", G()}, 0, ""},
        {{"add", G(), "Hill", "--set", "event"}, 0, "Saved " + G() + "rotations/event.txt\n"},
        {{"activate", G(), "event", "--dry-run"}, 0,
         "--- " + G() + "servercycle.txt\n+++ " + G() + "servercycle.txt\n@@ -1,5 +1,5 @@\n ; ours\n [cycle]\n"
         "+map=b.nfo::Duel\n map=b.nfo::Hill\n ; between\n-map=b.nfo::Duel\n"},
        {{"activate", G(), "event"}, 0, "Saved " + G() + "servercycle.txt\n"},
        {{"activate", G(), "event"}, 0, "Nothing to change in " + G() + "servercycle.txt\n"},
        {{"activate", G(), "Empty"}, 3, "", "the set \"Empty\" has no entries"},
        {{"activate", G(), "none"}, 3, "", "no set \"none\" (rotaplex-cli sets lists them)"},
        {{"add", G(), "Hill", "--set", "none"}, 3, "", "no set \"none\""},
        {{"save-set", G(), "lpt1"}, 3, "", "\"lpt1\": Windows keeps the name \"lpt1\" for a device"},
        {{"save-set", G(), "a:b"}, 3, "", "cannot hold"},
        {{"save-set", G(), "weekday"}, 0, "Saved " + G() + "rotations/weekday.txt\n"},
        {{"save-set", G(), "copy", "--set", "Empty"}, 0, "Saved " + G() + "rotations/copy.txt\n"},
        {{"rename-set", G(), "weekday", "Event"}, 3, "", "There is a set named \"Event\" already."},
        {{"rename-set", G(), "weekday", "week"}, 0,
         "Renamed " + G() + "rotations/weekday.txt to " + G() + "rotations/week.txt\n"},
        {{"delete-set", G(), "copy"}, 0,
         "Deleted " + G() + "rotations/copy.txt; its last version is kept as " + G() + "rotations/copy.txt.bak\n"},
        {{"sets", G()}, 0, "Empty\t0\nevent\t2\nweek\t2\n"},
    };
    for (const auto& step : steps) {
        const CliRun run = RunCli(step.arguments);
        std::string typed;
        for (const std::string& argument : step.arguments) typed += argument + " ";
        EXPECT_EQ(run.Status, step.status) << typed << run.Err;
        EXPECT_EQ(run.Out, step.out) << typed;
        EXPECT_NE(run.Err.find(step.err), std::string::npos) << typed << run.Err;
    }
    const std::string activated = "; ours\r\n[cycle]\r\nmap=b.nfo::Duel\r\nmap=b.nfo::Hill\r\n; between\r\n";
    EXPECT_EQ(game.Read("servercycle.txt"), activated);
    EXPECT_EQ(game.Read("servercycle.txt.bak"), kRotation);
    EXPECT_EQ(game.Read("rotations/event.txt"), "; event\r\n[cycle]\r\nmap=b.nfo::Duel\r\nmap=b.nfo::Hill\r\n");
    EXPECT_EQ(game.Read("rotations/week.txt"), "[cycle]\r\nmap=b.nfo::Duel\r\nmap=b.nfo::Hill\r\n");
    EXPECT_EQ(game.Read("rotations/copy.txt.bak"), "[cycle]\r\n");
    // The game folder holds nothing new beside the rotations folder.
    EXPECT_EQ(game.Entries(), (std::vector<std::string>{"resource", "rotations", "servercycle.txt",
                                                        "servercycle.txt.bak", "servercycle.txt.lock"}));
}

TEST_F(SetCommandsTest, AnEditScriptActivatesAndEditsAsOneSave) {
    const CliRun run = RunCli({"edit", G()}, "activate event\nremove 2\n");
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(game.Read("servercycle.txt"), "; ours\r\n[cycle]\r\nmap=b.nfo::Duel\r\n; between\r\n");
    EXPECT_EQ(game.Read("servercycle.txt.bak"), kRotation);
    const CliRun onLine = RunCli({"edit", G()}, "remove 1 --set event\n");
    EXPECT_EQ(onLine.Status, 3);
    EXPECT_NE(onLine.Err.find("standard input:1: unknown option \"--set\""), std::string::npos) << onLine.Err;
}

}  // namespace
}  // namespace rotaplex::test
