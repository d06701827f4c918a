#include "cycle/win/file_system.h"

#include <gtest/gtest.h>

#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "failing_file_system.h"
#include "test_folder.h"

namespace rotaplex {
namespace {

using test::FailingFileSystem;
using test::FolderEntries;
using test::ReadBytes;
using test::TestFolder;

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

TEST(SaveFileAtomically, ReplacesTheFileAndLeavesNothingBehind) {
    TestFolder folder;
    const std::string path = folder.Write("servercycle.txt", "old");
    ASSERT_TRUE(SaveFileAtomically(path, "[cycle]\r\n"));
    EXPECT_EQ(ReadBytes(path), "[cycle]\r\n");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"servercycle.txt"});

    const std::string fresh = folder.Path() + "new.txt";
    ASSERT_TRUE(SaveFileAtomically(fresh, "x"));
    EXPECT_EQ(ReadBytes(fresh), "x");
}

TEST(SaveFileAtomically, AnyFailingStepKeepsTheOldFile) {
    const std::pair<FailingFileSystem::Step, DWORD> cases[] = {
        {FailingFileSystem::FailCreate, ERROR_ACCESS_DENIED},
        {FailingFileSystem::FailWrite, ERROR_DISK_FULL},
        {FailingFileSystem::FailFlush, ERROR_WRITE_FAULT},
        {FailingFileSystem::FailClose, ERROR_WRITE_FAULT},
        {FailingFileSystem::FailReplace, ERROR_SHARING_VIOLATION},
    };
    for (const auto& [step, code] : cases) {
        SCOPED_TRACE(step);
        TestFolder folder;
        const std::string old = "[cycle]\r\nmap=a.nfo::Keep\r\n";
        const std::string path = folder.Write("servercycle.txt", old);
        FailingFileSystem fs(step);

        const SaveResult result = SaveFileAtomically(path, "[cycle]\r\n", fs);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.Code, code);
        EXPECT_EQ(result.Reason, SystemMessage(code));
        EXPECT_EQ(ReadBytes(path), old);
        EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"servercycle.txt"});
    }
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
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"servercycle.txt"});
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

}  // namespace
}  // namespace rotaplex
