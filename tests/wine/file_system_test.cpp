#include "cycle/win/file_system.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "cycle/file_rules.h"
#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"
#include "failing_file_system.h"
#include "test_folder.h"

namespace rotaplex {
namespace {

using test::FailingFileSystem;
using test::FolderEntries;
using test::ReadBytes;
using test::TestFolder;

using Names = std::vector<std::string>;

TEST(ReadWholeFile, KeepsEveryByte) {
    TestFolder folder;
    std::string bytes("a\0b\r\n\xff\r", 7);
    bytes += std::string(200000, 'x');
    EXPECT_EQ(ReadWholeFile(folder.Write("data.bin", bytes)), bytes);
    EXPECT_EQ(ReadWholeFile(folder.Write("empty.txt", "")), "");
}

TEST(ReadWholeFile, MissingFileNamesThePathAndTheReason) {
    TestFolder folder;
    const std::string path = folder.Path() + "servercycle.txt";
    try {
        ReadWholeFile(path);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Path(), path);
        EXPECT_EQ(error.Code(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_EQ(std::string(error.what()), path + "\n" + SystemMessage(ERROR_FILE_NOT_FOUND));
    }
}

// The code a read of path with that cap fails with, ERROR_SUCCESS when it does not.
DWORD ReadFailure(const std::string& path, uint64_t cap = kNoCap) {
    try {
        ReadWholeFile(path, cap);
        return ERROR_SUCCESS;
    } catch (const FileError& error) {
        return error.Code();
    }
}

TEST(ReadWholeFile, OnlyOrdinaryFilesUpToTheCap) {
    TestFolder folder;
    const std::string ten = folder.Write("ten.txt", "0123456789");
    folder.MakeFolder("folder.nfo");

    EXPECT_EQ(ReadFailure(ten, 10), static_cast<DWORD>(ERROR_SUCCESS)) << "at the cap";
    EXPECT_EQ(ReadFailure(ten, 9), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
    // Refused by name, never opened: opening a device may wait for ever.
    for (const char* device : {"com1.nfo", "lpt9 .txt", "nul\\x.txt", "CON"})
        EXPECT_EQ(ReadFailure(folder.Path() + device), static_cast<DWORD>(ERROR_BAD_FILE_TYPE)) << device;
    EXPECT_NE(ReadFailure(folder.Path() + "folder.nfo"), static_cast<DWORD>(ERROR_SUCCESS));
    try {
        ReadWholeFile(ten, 9);
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), ten + "\n" + TooLargeReason(10, 9));
    }

    uint64_t size = 0;
    EXPECT_EQ(ReadFileHead(ten, 4, size), "0123");
    EXPECT_EQ(size, 10u);
    EXPECT_EQ(ReadFileHead(ten, 40, size), "0123456789");
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

TEST(SaveFileAtomically, WorksInLongAndNonAnsiFolders) {
    TestFolder folder;
    const std::vector<std::string> folders[] = {
        {std::string(120, 'd'), std::string(120, 'e'), std::string(40, 'f')},
        {"\xe6\x97\xa5\xe6\x9c\xac", "\xd0\xba\xd0\xb0\xd1\x80\xd1\x82\xd0\xb0"},  // Japanese, Cyrillic
    };
    for (const auto& names : folders) {
        const std::string game = MakeFolders(folder.Path(), names);
        const std::string path = game + "servercycle.txt";
        ASSERT_TRUE(SaveFileAtomically(path, "[cycle]\r\n")) << path;
        ASSERT_TRUE(SaveFileAtomically(path, "[cycle]\r\nmap=a.nfo::A\r\n"));
        EXPECT_EQ(ReadWholeFile(path), "[cycle]\r\nmap=a.nfo::A\r\n");
        EXPECT_EQ(ReadWholeFile(BackupPath(path)), "[cycle]\r\n");
    }
}

TEST(SaveFileAtomically, ReplacesTheFileKeepingTheOldOneAsBackup) {
    TestFolder folder;
    const std::string path = folder.Write("servercycle.txt", "old");
    // What a replace keeps of the file itself.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ASSERT_TRUE(SaveFileAtomically(path, "[cycle]\r\n"));
    EXPECT_EQ(ReadBytes(path), "[cycle]\r\n");
    EXPECT_EQ(ReadBytes(path + ".bak"), "old");
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    ASSERT_TRUE(SaveFileAtomically(path, "third"));
    EXPECT_EQ(ReadBytes(path + ".bak"), "[cycle]\r\n") << "one backup, replaced at each save";
    EXPECT_EQ(FolderEntries(folder.Path()), (Names{"servercycle.txt", "servercycle.txt.bak"}));

    const std::string fresh = folder.Path() + "new.txt";
    ASSERT_TRUE(SaveFileAtomically(fresh, "x"));
    EXPECT_EQ(ReadBytes(fresh), "x");
    EXPECT_FALSE(test::Exists(fresh + ".bak"));
}

TEST(SaveFileAtomically, AnyFailingStepKeepsTheOldFile) {
    const std::pair<FailingFileSystem::Step, DWORD> cases[] = {
        {FailingFileSystem::FailCreate, ERROR_ACCESS_DENIED},
        {FailingFileSystem::FailWrite, ERROR_DISK_FULL},
        {FailingFileSystem::FailFlush, ERROR_WRITE_FAULT},
        {FailingFileSystem::FailClose, ERROR_WRITE_FAULT},
        {FailingFileSystem::FailReplace, ERROR_SHARING_VIOLATION},
        {FailingFileSystem::FailReplacePartly, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2},
    };
    for (const auto& [step, code] : cases) {
        SCOPED_TRACE(step);
        TestFolder folder;
        const std::string old = "[cycle]\r\nmap=a.nfo::Keep\r\n";
        const std::string path = folder.Write("servercycle.txt", old);
        FailingFileSystem fs(step);

        const SaveResult result = SaveFileAtomically(path, "[cycle]\r\n", fs);
        EXPECT_EQ(result.Status, SaveStatus::Failed);
        EXPECT_EQ(result.Code, code);
        EXPECT_EQ(result.Reason, SystemMessage(code));
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_EQ(FolderEntries(folder.Path()), Names{"servercycle.txt"});
    }
    TestFolder folder;
    FailingFileSystem fs(FailingFileSystem::FailMove);
    EXPECT_EQ(SaveFileAtomically(folder.Path() + "servercycle.txt", "x", fs).Code,
              static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(FolderEntries(folder.Path()), Names{});
}

TEST(SaveFileAtomically, NeverWritesThroughWhatIsFoundAtTheTemporaryName) {
    TestFolder folder;
    const std::string outside = folder.Write("outside.txt", "not ours");
    const std::string path = folder.Write("servercycle.txt", "old");
    const std::string planted = path + ".planted.tmp";
    ASSERT_TRUE(CreateHardLinkA(planted.c_str(), outside.c_str(), nullptr));
    FailingFileSystem fs(FailingFileSystem::FailNothing);
    fs.Names = {planted};

    ASSERT_TRUE(SaveFileAtomically(path, "new", fs)) << "a fresh name is taken instead";
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(ReadBytes(outside), "not ours");
    EXPECT_EQ(ReadBytes(planted), "not ours") << "what it did not create, it leaves";

    // Every name taken: it gives up without touching any of them.
    fs.Names = {planted, planted, planted, planted};
    EXPECT_EQ(SaveFileAtomically(path, "newer", fs).Code, static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(ReadBytes(outside), "not ours");
}

TEST(SaveFileAtomically, FileHeldOpenWithoutSharingStaysAsItWas) {
    TestFolder folder;
    const std::string path = folder.Write("servercycle.txt", "old");
    unique_hfile holder(ValidOrNull(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    ASSERT_TRUE(holder);

    const SaveResult result = SaveFileAtomically(path, "new");
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.Reason.empty());
    holder.reset();
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(FolderEntries(folder.Path()), Names{"servercycle.txt"});
}

TEST(SaveFileAtomically, VanishedFolderIsReported) {
    std::string path;
    {
        TestFolder folder;
        path = folder.Path() + "servercycle.txt";
    }
    const SaveResult result = SaveFileAtomically(path, "new");
    EXPECT_EQ(result.Code, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(test::Exists(path));
}

TEST(SaveFileGuarded, AFileChangedSinceItWasReadIsSavedOverOnlyWhenAsked) {
    TestFolder folder;
    const std::string path = folder.Write("servercycle.txt", "[cycle]\r\nmap=a.nfo::A\r\n");
    const FileStamp read = ReadFileStamped(path).Stamp;
    const std::string theirs = "[cycle]\r\nmap=a.nfo::A\r\nmap=b.nfo::B\r\n";
    folder.Write("servercycle.txt", theirs);

    const SaveResult refused = SaveFileGuarded(path, "mine", read, false);
    EXPECT_EQ(refused.Status, SaveStatus::ChangedOnDisk);
    EXPECT_EQ(ReadBytes(path), theirs);
    EXPECT_EQ(FolderEntries(folder.Path()), Names{"servercycle.txt"});

    const SaveResult forced = SaveFileGuarded(path, "mine", read, true);
    ASSERT_TRUE(forced);
    EXPECT_EQ(ReadBytes(path), "mine");
    EXPECT_EQ(ReadBytes(BackupPath(path)), theirs) << "the other version";
    // What it wrote is what the next save compares against.
    EXPECT_EQ(forced.Written, ReadFileStamped(path).Stamp);
    EXPECT_TRUE(SaveFileGuarded(path, "again", forced.Written, false));
}

TEST(SaveFileGuarded, TellsEveryKindOfChange) {
    const std::string same = "[cycle]\r\nmap=a.nfo::A\r\n";
    const std::string sameSize = "[cycle]\r\nmap=a.nfo::B\r\n";
    for (const char* change : {"unchanged", "same size", "removed"}) {
        SCOPED_TRACE(change);
        TestFolder folder;
        const std::string path = folder.Write("servercycle.txt", same);
        const FileStamp read = ReadFileStamped(path).Stamp;
        const std::string what = change;
        if (what == "same size") folder.Write("servercycle.txt", sameSize);
        if (what == "removed") DeleteFileA(path.c_str());

        const SaveResult result = SaveFileGuarded(path, "mine", read, false);
        EXPECT_EQ(result.Status, what == "unchanged" ? SaveStatus::Saved : SaveStatus::ChangedOnDisk);
        if (what == "removed") {
            ASSERT_TRUE(SaveFileGuarded(path, "mine", read, true));
            EXPECT_EQ(ReadBytes(path), "mine");
        }
    }
}

// Symbolic links, which a Windows program cannot make under Wine: linked_save_test.sh plants
// them with ln and checks the outcome from the host as well.
TEST(SaveFileAtomically, ReplacesWhatALinkPointsToAndNeverWritesThroughPlantedLinks) {
    const char* linked = std::getenv("ROTAPLEX_LINKED_GAME");
    if (!linked) GTEST_SKIP() << "needs the links that linked_save_test.sh plants";
    const std::string game = linked;
    const std::string elsewhere = game + "..\\elsewhere\\";
    const std::string path = game + "servercycle.txt";  // a link to elsewhere\servercycle.txt
    const FileStamp read = ReadFileStamped(path).Stamp;
    FailingFileSystem fs(FailingFileSystem::FailNothing);
    // Beside the file the link points to: one name a link to a file outside, one a dangling link.
    fs.Names = {elsewhere + "planted.tmp", elsewhere + "dangling.tmp"};

    ASSERT_TRUE(SaveFileGuarded(path, "new", read, false, fs));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(ReadBytes(elsewhere + "servercycle.txt.bak"), "old");
    EXPECT_EQ(ReadBytes(elsewhere + "outside.txt"), "outside");
    EXPECT_FALSE(test::Exists(elsewhere + "nothing.txt")) << "the dangling link's target is never made";
    EXPECT_EQ(FolderEntries(game), Names{"servercycle.txt"}) << "no backup or leftover beside the link";
}

}  // namespace
}  // namespace rotaplex
