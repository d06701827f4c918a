// What only the Windows layer has to get right; the rules both layers share are the table of
// file_system_contract_test.cpp.
#include "cycle/win/windows_file_system.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "cycle/file_rules.h"
#include "cycle/game_session.h"
#include "cycle/safe_save.h"
#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"
#include "test_folder.h"

namespace rotaplex {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::TestFolder;

using Names = std::vector<std::string>;

SaveOutcome Save(const std::string& path, const std::string& content) {
    FileSystem& fs = WindowsFileSystem();
    FileStamp asRead;
    if (fs.KindOf(path) == PathKind::File) asRead = StampOf(fs.Read(path, kRotationFileCap));
    return SaveGuarded(fs, path, content, asRead, false, kRotationFileCap);
}

TEST(WindowsFileSystem, DeviceNamesAreRefusedWithoutBeingOpened) {
    TestFolder folder;
    // Opening a device may wait for ever.
    for (const char* device : {"com1.nfo", "lpt9 .txt", "nul\\x.txt", "CON"}) {
        const std::string path = folder.Path() + device;
        EXPECT_EQ(WindowsFileSystem().KindOf(path), PathKind::Other) << device;
        try {
            WindowsFileSystem().Read(path, 100);
            ADD_FAILURE() << device;
        } catch (const FileError& error) {
            EXPECT_EQ(error.Fault(), FileFault::NotAFile) << device;
        }
    }
}

// A folder path longer than 260 characters, or named outside the ANSI code page: made through
// the program's own wide paths, as the A calls of the test helpers cannot.
std::string MakeFolders(std::string path, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        path += name + "\\";
        CreateDirectoryW(ExtendedPath(path).c_str(), nullptr);
    }
    return path;
}

TEST(WindowsFileSystem, SavesInLongAndNonAnsiFolders) {
    TestFolder folder;
    const std::vector<std::string> folders[] = {
        {std::string(120, 'd'), std::string(120, 'e'), std::string(40, 'f')},
        {"\xe6\x97\xa5\xe6\x9c\xac", "\xd0\xba\xd0\xb0\xd1\x80\xd1\x82\xd0\xb0"},  // Japanese, Cyrillic
    };
    for (const auto& names : folders) {
        const std::string game = MakeFolders(folder.Path(), names);
        const std::string path = game + "servercycle.txt";
        ASSERT_TRUE(Save(path, "[cycle]\r\n")) << path;
        ASSERT_TRUE(Save(path, "[cycle]\r\nmap=a.nfo::A\r\n"));
        EXPECT_EQ(ReadBytes(path), "[cycle]\r\nmap=a.nfo::A\r\n");
        EXPECT_EQ(ReadBytes(BackupPath(path)), "[cycle]\r\n");
    }
}

TEST(WindowsFileSystem, TheNewFileKeepsTheOldOnesAttributes) {
    TestFolder folder;
    const std::string path = folder.Write("servercycle.txt", "old");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(Save(path, "[cycle]\r\n"));
    EXPECT_EQ(ReadBytes(path), "[cycle]\r\n");
    EXPECT_EQ(ReadBytes(path + ".bak"), "old");
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

TEST(WindowsFileSystem, AFileHeldOpenWithoutSharingStaysAsItWas) {
    TestFolder folder;
    const std::string path = folder.Write("servercycle.txt", "old");
    const FileStamp asRead = StampOf(WindowsFileSystem().Read(path, 100));
    unique_hfile holder(ValidOrNull(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    ASSERT_TRUE(holder);

    const SaveOutcome result = SaveGuarded(WindowsFileSystem(), path, "new", asRead, true, 100);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.Reason.empty());
    holder.reset();
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(FolderEntries(folder.Path()), Names{"servercycle.txt"});
}

TEST(WindowsFileSystem, AVanishedFolderIsReported) {
    std::string path;
    {
        TestFolder folder;
        path = folder.Path() + "servercycle.txt";
    }
    const SaveOutcome result = Save(path, "new");
    EXPECT_EQ(result.Result, SaveOutcome::Status::Failed);
    EXPECT_EQ(result.Path, path);
    EXPECT_FALSE(test::Exists(path));
}

// Symbolic links, which a Windows program cannot make under Wine: linked_save_test.sh plants
// them with ln and checks the outcome from the host as well.
TEST(WindowsFileSystem, ReplacesWhatALinkPointsToAndNeverWritesThroughPlantedLinks) {
    const char* linked = std::getenv("ROTAPLEX_LINKED_GAME");
    if (!linked) GTEST_SKIP() << "needs the links that linked_save_test.sh plants";
    const std::string game = linked;
    const std::string elsewhere = game + "..\\elsewhere\\";
    const std::string path = game + "servercycle.txt";  // a link to elsewhere\servercycle.txt
    FileSystem& fs = WindowsFileSystem();
    // A new name never goes through a link, to a file outside or dangling.
    for (const char* planted : {"planted.tmp", "dangling.tmp"}) {
        EXPECT_THROW(fs.Create(elsewhere + planted, elsewhere + planted), FileError) << planted;
        EXPECT_THROW(fs.Link(path, elsewhere + planted), FileError) << planted;
    }

    ASSERT_TRUE(Save(path, "[cycle]\r\nnew"));
    EXPECT_EQ(ReadBytes(path), "[cycle]\r\nnew");
    EXPECT_EQ(ReadBytes(elsewhere + "servercycle.txt.bak"), "[cycle]\r\nold");
    EXPECT_EQ(ReadBytes(elsewhere + "outside.txt"), "outside");
    EXPECT_FALSE(test::Exists(elsewhere + "nothing.txt")) << "the dangling link's target is never made";
    EXPECT_EQ(FolderEntries(game), Names{"servercycle.txt"}) << "no backup or leftover beside the link";
    EXPECT_TRUE(fs.IsLink(path));
    EXPECT_FALSE(fs.IsLink(elsewhere + "servercycle.txt"));

    // A link to a file that holds no rotation is not written through.
    const std::string planted = game + "..\\planted\\";
    GameSession session(fs, planted);
    test::CapturingReporter reports;
    session.ReadRotation(reports);
    session.Document().InsertLines(0, {"map=a.nfo::A"}, session.Catalogue());
    const SaveOutcome refused = session.Save();
    EXPECT_EQ(refused.Result, SaveOutcome::Status::Failed);
    EXPECT_EQ(refused.Reason, NotARotationLinkReason(*fs.FinalPath(planted + "servercycle.txt")));
    EXPECT_EQ(ReadBytes(elsewhere + "notes.txt"), "private notes");
}

}  // namespace
}  // namespace rotaplex
