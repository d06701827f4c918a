#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli_run.h"
#include "port/faulty_file_system.h"
#include "scratch_folder.h"

namespace rotaplex::test {
namespace {

using Step = FaultyFileSystem::Step;

// add with each step of the save failing in turn: the status and the message tell what is on the
// disk, so that a script that tries again on status 2 never adds twice.
TEST(SaveFaultsTest, EveryFailedStepGivesATrueMessageAndStatus) {
    const std::string rotation = "[cycle]\r\nmap=b.nfo::Hill\r\n";
    const std::string added = rotation + "map=b.nfo::Hill\r\n";
    const std::string failed = std::string(": ") + FaultyFileSystem::kReason;
    const struct {
        Step failing;
        int nth;
        bool existed;
        int status;
        std::string err;     // after the folder's path
        const char* file;    // the rotation afterwards; nullptr: none
        const char* backup;  // nullptr: the older backup is kept
    } cases[] = {
        {Step::None, 1, true, 0, "", "new", "old"},
        {Step::Create, 1, true, 2, "servercycle.txt" + failed, "old", nullptr},
        {Step::Write, 1, true, 2, "servercycle.txt" + failed, "old", nullptr},
        {Step::Finish, 1, true, 2, "servercycle.txt" + failed, "old", nullptr},
        // Without a second name for the file, the backup is a copy of it.
        {Step::Link, 1, true, 0, "", "new", "old"},
        {Step::Rename, 1, true, 2, "servercycle.txt.bak" + failed, "old", nullptr},
        {Step::Rename, 2, true, 2,
         "servercycle.txt" + failed + " (the file is as it was; its backup now holds that same version)", "old", "old"},
        {Step::Sync, 1, true, 0,
         "servercycle.txt is saved, but its folder could not be synced to the disk" + failed, "new", "old"},
        {Step::Create, 1, false, 2, "servercycle.txt" + failed, nullptr, nullptr},
        {Step::Rename, 1, false, 2, "servercycle.txt" + failed, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        ScratchFolder game;
        WriteGame(game, {{{"b.nfo", MissionText({"Hill"})}}, rotation});
        game.Write("servercycle.txt.bak", "older");
        if (!c.existed) std::remove((game.Path() + "servercycle.txt").c_str());
        FaultyFileSystem files(posix::PosixFileSystem(), c.failing, c.nth);
        const CliRun run = RunCli({"add", game.Path(), "Hill"}, "", files);
        const std::string row = std::to_string(static_cast<int>(c.failing)) + "/" + std::to_string(c.nth);

        EXPECT_EQ(run.Status, c.status) << row;
        EXPECT_EQ(run.Out, c.status == 0 ? "Saved " + game.Path() + "servercycle.txt\n" : "") << row;
        EXPECT_EQ(run.Err, c.err.empty() ? "" : "rotaplex-cli: " + game.Path() + c.err + "\n") << row;
        const std::string expected = !c.file ? "" : std::string(c.file) == "new" ? added : rotation;
        EXPECT_EQ(c.file ? game.Read("servercycle.txt") : "", expected) << row;
        EXPECT_EQ(game.Exists("servercycle.txt"), c.file != nullptr) << row;
        EXPECT_EQ(game.Read("servercycle.txt.bak"), c.backup ? rotation : "older") << row;
        // Nothing the save made under a name of its own is left.
        std::vector<std::string> left = {"resource", "servercycle.txt", "servercycle.txt.bak", "servercycle.txt.lock"};
        if (!c.file) left.erase(left.begin() + 1);
        EXPECT_EQ(game.Entries(), left) << row;
    }
}

}  // namespace
}  // namespace rotaplex::test
