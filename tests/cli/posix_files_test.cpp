#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cycle/file_rules.h"
#include "cycle/posix/file_io.h"
#include "cycle/posix/mission_scan.h"
#include "cycle/posix/rotation_store.h"
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

TEST(PosixMissionScanTest, ListsOnlyOrdinaryVisibleMissionFiles) {
    ScratchFolder game;
    for (const char* name : {"b.nfo", "A.NFO", ".hidden.nfo", "note.txt", "x.nfo.bak", ".nfo"})
        game.Write(std::string("resource/missions/") + name, "");
    fs::create_directories(game.Path() + "resource/missions/folder.nfo");
    fs::create_symlink(game.Path() + "resource/missions/b.nfo", game.Path() + "resource/missions/link.nfo");
    fs::create_symlink(game.Path() + "nowhere", game.Path() + "resource/missions/dangling.nfo");
    ASSERT_EQ(mkfifo((game.Path() + "resource/missions/pipe.nfo").c_str(), 0600), 0);

    EXPECT_EQ(ListMissionFiles(game.Path()), (std::vector<std::string>{"A.NFO", "b.nfo", "link.nfo"}));
    EXPECT_TRUE(ListMissionFiles(game.Path() + "missing/").empty());
}

TEST(PosixFileIoTest, ReadsOrdinaryFilesWithinTheCapOnly) {
    ScratchFolder folder;
    const std::string path = folder.Write("f.txt", "abc\r\n");
    FileStamp stamp;
    EXPECT_EQ(ReadFileBounded(path, 5, &stamp), "abc\r\n");
    EXPECT_TRUE(stamp.Exists);
    EXPECT_EQ(stamp.Size, 5u);
    EXPECT_EQ(stamp.Hash, HashBytes("abc\r\n"));

    const auto failure = [](const std::string& file, std::uint64_t cap) -> std::string {
        try {
            ReadFileBounded(file, cap);
        } catch (const FileError& error) {
            return error.what();
        }
        return "read";
    };
    EXPECT_EQ(failure(path, 4), path + ": " + TooLargeReason(5, 4));
    EXPECT_EQ(failure(folder.Path() + "none", 9), folder.Path() + "none: No such file or directory");
    ASSERT_EQ(mkfifo((folder.Path() + "pipe").c_str(), 0600), 0);
    EXPECT_EQ(failure(folder.Path() + "pipe", 9), folder.Path() + "pipe: " + kNotAFileReason);
    EXPECT_EQ(failure(folder.Path(), 9), folder.Path() + ": " + kNotAFileReason);
    EXPECT_FALSE(StampOf(folder.Path() + "none", 9).Exists);
}

class PosixSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        game.Write("servercycle.txt", "old");
        asRead = ReadRotationFile(game.Path()).Stamp;
    }
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names = game.Entries();
        names.erase(std::remove_if(names.begin(), names.end(),
                                   [](const std::string& n) { return !n.ends_with(".tmp"); }),
                    names.end());
        return names;
    }
    ScratchFolder game;
    FileStamp asRead;
};

TEST_F(PosixSaveTest, ReplacesTheFileKeepingItsModeAndTheOldContentAsBackup) {
    ASSERT_EQ(chmod((game.Path() + "servercycle.txt").c_str(), 0640), 0);
    SaveRotationFile(game.Path(), "new", asRead);
    EXPECT_EQ(game.Read("servercycle.txt"), "new");
    EXPECT_EQ(game.Read("servercycle.txt.bak"), "old");
    struct stat status{};
    ASSERT_EQ(stat((game.Path() + "servercycle.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(PosixSaveTest, ALinkedFileIsReplacedWhereItIsAndTheLinksStay) {
    ScratchFolder elsewhere;
    const std::string target = elsewhere.Write("cycle.txt", "old");
    const std::string planted = elsewhere.Write("victim.txt", "keep");
    fs::remove(game.Path() + "servercycle.txt");
    fs::create_symlink(target, game.Path() + "servercycle.txt");
    fs::create_symlink(planted, game.Path() + "servercycle.txt.bak");
    asRead = ReadRotationFile(game.Path()).Stamp;

    SaveRotationFile(game.Path(), "new", asRead);
    EXPECT_TRUE(fs::is_symlink(game.Path() + "servercycle.txt"));
    EXPECT_EQ(elsewhere.Read("cycle.txt"), "new");
    // The backup's own name is replaced, not written through.
    EXPECT_FALSE(fs::is_symlink(game.Path() + "servercycle.txt.bak"));
    EXPECT_EQ(game.Read("servercycle.txt.bak"), "old");
    EXPECT_EQ(elsewhere.Read("victim.txt"), "keep");
    EXPECT_EQ(elsewhere.Entries(), (std::vector<std::string>{"cycle.txt", "victim.txt"}));
}

TEST_F(PosixSaveTest, AFileChangedOrRemovedSinceItWasReadIsLeftAlone) {
    game.Write("servercycle.txt", "other");
    EXPECT_THROW(SaveRotationFile(game.Path(), "new", asRead), ChangedMeanwhile);
    EXPECT_EQ(game.Read("servercycle.txt"), "other");
    fs::remove(game.Path() + "servercycle.txt");
    EXPECT_THROW(SaveRotationFile(game.Path(), "new", asRead), ChangedMeanwhile);
    EXPECT_EQ(game.Entries(), std::vector<std::string>{});
}

TEST_F(PosixSaveTest, AFolderThatRefusesNewFilesLeavesEverythingAsItWas) {
    // Root writes anywhere; an immutable folder refuses even root.
    const std::string command = "chattr +i '" + game.Path() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) GTEST_SKIP() << "chattr is not available here";
    EXPECT_THROW(SaveRotationFile(game.Path(), "new", asRead), FileError);
    std::system(("chattr -i '" + game.Path() + "'").c_str());
    EXPECT_EQ(game.Read("servercycle.txt"), "old");
    EXPECT_EQ(game.Entries(), std::vector<std::string>{"servercycle.txt"});
}

}  // namespace
}  // namespace rotaplex::posix
