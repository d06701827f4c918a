#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/game_session.h"
#include "cycle/file_rules.h"
#include "cycle/game_session.h"
#include "cycle/posix/posix_file_system.h"
#include "scratch_folder.h"

namespace rotaplex::posix {
namespace {

using test::ScratchFolder;
namespace fs = std::filesystem;

TEST(PosixMissionScanTest, NamesSortAsNtfsListsThem) {
    std::vector<std::string> names = {"b.nfo", "_x.nfo", "A.nfo", "a.nfo", "ab.nfo", "a.NFO", "Zed.nfo",
                                      "[1].nfo", "a~.nfo", "\xc3\xa9.nfo", "1.nfo"};
    std::sort(names.begin(), names.end(), NtfsNameLess);
    // Upper-cased, "_" (0x5F), "[" (0x5B) and "~" come after the letters; bytes from 0x80 last.
    EXPECT_EQ(names, (std::vector<std::string>{"1.nfo", "A.nfo", "a.NFO", "a.nfo", "ab.nfo", "a~.nfo",
                                               "b.nfo", "Zed.nfo", "[1].nfo", "_x.nfo", "\xc3\xa9.nfo"}));
}

// What only a POSIX folder can hold: links, dangling links, pipes, hidden names.
TEST(PosixMissionScanTest, ReadsLinkedFilesReportsPipesAndPassesOverTheRest) {
    ScratchFolder game;
    const std::string missions = game.Path() + "resource/missions/";
    const std::string text = test::MissionText({"Duel"});
    for (const char* name : {"b.nfo", "A.NFO", ".hidden.nfo", "note.txt", "x.nfo.bak", ".nfo", "bad?.nfo"})
        game.Write(std::string("resource/missions/") + name, text);
    fs::create_directories(missions + "folder.nfo");
    fs::create_symlink(missions + "b.nfo", missions + "link.nfo");
    fs::create_symlink(game.Path() + "nowhere", missions + "dangling.nfo");
    ASSERT_EQ(mkfifo((missions + "pipe.nfo").c_str(), 0600), 0);

    cli::CollectingReporter reporter;
    const MissionCatalogue catalogue = ScanMissions(PosixFileSystem(), game.Path(), reporter);
    EXPECT_EQ(catalogue.MissionFiles(), (std::vector<std::string>{"", "A.NFO", "b.nfo", "link.nfo", "pipe.nfo"}));
    EXPECT_EQ(catalogue.ScenarioCount(), 3);
    EXPECT_EQ(reporter.Messages, (std::vector<std::string>{missions + "pipe.nfo: " + kNotAFileReason}));
}

class PosixSaveTest : public ::testing::Test {
protected:
    void SetUp() override { game.Write("servercycle.txt", kOld); }
    FileStamp AsRead(const std::string& name = "servercycle.txt") {
        return StampOf(PosixFileSystem().Read(game.Path() + name, kRotationFileCap));
    }
    SaveOutcome Save(const FileStamp& asRead) {
        return SaveGuarded(PosixFileSystem(), game.Path() + "servercycle.txt", "new", asRead, false,
                           kRotationFileCap);
    }
    static mode_t Mode(const std::string& path) {
        struct stat status{};
        return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
    }
    static constexpr const char* kOld = "[cycle]\r\n";
    ScratchFolder game;
};

TEST_F(PosixSaveTest, TheNewFileAndTheBackupKeepTheOldFilesMode) {
    ASSERT_EQ(chmod((game.Path() + "servercycle.txt").c_str(), 0640), 0);
    game.Write("servercycle.txt.bak", "older");
    ASSERT_EQ(chmod((game.Path() + "servercycle.txt.bak").c_str(), 0666), 0);
    ASSERT_TRUE(Save(AsRead()));
    EXPECT_EQ(game.Read("servercycle.txt"), "new");
    EXPECT_EQ(game.Read("servercycle.txt.bak"), kOld);
    EXPECT_EQ(Mode(game.Path() + "servercycle.txt"), 0640u);
    EXPECT_EQ(Mode(game.Path() + "servercycle.txt.bak"), 0640u);
    EXPECT_EQ(game.Entries(), (std::vector<std::string>{"servercycle.txt", "servercycle.txt.bak"}));
}

TEST_F(PosixSaveTest, ALinkedFileIsReplacedWhereItIsWithItsBackupBesideIt) {
    ScratchFolder elsewhere;
    const std::string target = elsewhere.Write("cycle.txt", kOld);
    ASSERT_EQ(chmod(target.c_str(), 0600), 0);
    const std::string planted = elsewhere.Write("victim.txt", "keep");
    fs::remove(game.Path() + "servercycle.txt");
    fs::create_symlink(target, game.Path() + "servercycle.txt");
    fs::create_symlink(planted, game.Path() + "servercycle.txt.bak");

    ASSERT_TRUE(Save(AsRead()));
    EXPECT_TRUE(fs::is_symlink(game.Path() + "servercycle.txt"));
    EXPECT_EQ(elsewhere.Read("cycle.txt"), "new");
    EXPECT_EQ(elsewhere.Read("cycle.txt.bak"), kOld);
    EXPECT_EQ(Mode(target), 0600u);
    EXPECT_EQ(Mode(target + ".bak"), 0600u);
    // Nothing planted beside the link is written through.
    EXPECT_EQ(elsewhere.Read("victim.txt"), "keep");
    EXPECT_EQ(elsewhere.Entries(), (std::vector<std::string>{"cycle.txt", "cycle.txt.bak", "victim.txt"}));
}

TEST_F(PosixSaveTest, AFolderThatRefusesNewFilesLeavesEverythingAsItWas) {
    const FileStamp asRead = AsRead();
    // Root writes anywhere; an immutable folder refuses even root.
    const std::string command = "chattr +i '" + game.Path() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) GTEST_SKIP() << "chattr is not available here";
    const SaveOutcome saved = Save(asRead);
    std::system(("chattr -i '" + game.Path() + "'").c_str());
    EXPECT_EQ(saved.Result, SaveOutcome::Status::Failed);
    EXPECT_EQ(saved.Path, game.Path() + "servercycle.txt");
    EXPECT_EQ(game.Read("servercycle.txt"), kOld);
    EXPECT_EQ(game.Entries(), std::vector<std::string>{"servercycle.txt"});
}

}  // namespace
}  // namespace rotaplex::posix
