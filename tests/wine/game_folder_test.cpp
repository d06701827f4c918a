#include "cycle/win/game_folder.h"

#include <gtest/gtest.h>

#include "cycle/win/unique_handle.h"
#include "test_folder.h"

namespace rotaplex {
namespace {

// Writes the game's key in the prefix's real registry, in the view the game's installer uses.
class GameKeyTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteKey(KEY_WOW64_32KEY), DeleteKey(KEY_WOW64_64KEY); }
    void TearDown() override { SetUp(); }

    static void DeleteKey(REGSAM view) { RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, view, 0); }

    static void Store(DWORD type, const void* data, DWORD size, REGSAM view = KEY_WOW64_32KEY) {
        unique_hkey key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_WRITE | view,
                                  nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key.get(), kGameFolderValue, 0, type,
                                 static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    static void StoreText(const std::string& text, DWORD type = REG_SZ) {
        Store(type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
};

TEST_F(GameKeyTest, FolderAlwaysEndsWithOneBackslash) {
    StoreText("C:\\Games\\Arena");
    EXPECT_EQ(LocateGameFolder(), "C:\\Games\\Arena\\");
    StoreText("C:\\Games\\Arena\\");
    EXPECT_EQ(LocateGameFolder(), "C:\\Games\\Arena\\");
}

TEST_F(GameKeyTest, NumberBecomesItsDigits) {
    const DWORD five = 5;
    Store(REG_DWORD, &five, sizeof five);
    EXPECT_EQ(LocateGameFolder(), "5\\");
}

TEST_F(GameKeyTest, NothingUsableGivesTheRootFolder) {
    EXPECT_EQ(LocateGameFolder(), "\\") << "no key";

    unique_hkey key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr,
                    key.put(), nullptr);
    EXPECT_EQ(LocateGameFolder(), "\\") << "no value";

    StoreText("%ProgramFiles%\\Game", REG_EXPAND_SZ);
    EXPECT_EQ(LocateGameFolder(), "\\") << "expandable string";

    StoreText("", REG_SZ);
    EXPECT_EQ(LocateGameFolder(), "\\") << "empty string";
}

TEST_F(GameKeyTest, ReadsTheThirtyTwoBitView) {
    const std::string folder = "D:\\Elsewhere";
    Store(REG_SZ, folder.c_str(), static_cast<DWORD>(folder.size() + 1), KEY_WOW64_64KEY);
    EXPECT_EQ(LocateGameFolder(), "\\");
}

TEST_F(GameKeyTest, StringEndsAtItsFirstZero) {
    const char data[] = "C:\\Games\\\0junk";
    Store(REG_SZ, data, sizeof data);
    EXPECT_EQ(LocateGameFolder(), "C:\\Games\\");
}

TEST_F(GameKeyTest, QueryValueResults) {
    const BYTE bytes[] = {1, 2, 3};
    Store(REG_BINARY, bytes, sizeof bytes);
    unique_hkey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, KEY_READ | KEY_WOW64_32KEY, key.put()),
              ERROR_SUCCESS);

    RegistryValue value = std::string("before");
    EXPECT_EQ(QueryValue(key.get(), kGameFolderValue, value), -1);
    EXPECT_EQ(value, RegistryValue(std::string("before"))) << "other types leave the value alone";
    EXPECT_EQ(QueryValue(key.get(), "No Such Value", value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(value, RegistryValue(std::string("before")));
}

}  // namespace
}  // namespace rotaplex
