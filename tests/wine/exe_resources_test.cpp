// What the shell reads from Rotaplex.exe without starting it: the version and the icon.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cycle/win/unique_handle.h"
#include "rotaplex_version.h"
#include "test_folder.h"
#include "ui/resources/resource_ids.h"

namespace rotaplex {
namespace {

struct FreeModule { void operator()(HMODULE h) const { FreeLibrary(h); } };
using unique_hmodule = UniqueHandle<HMODULE, FreeModule>;

std::string ExePath() {
    const char* exe = std::getenv("ROTAPLEX_EXE");
    return exe ? test::WindowsPath(exe) : std::string();
}

TEST(ExeResources, VersionIsTheProjectVersion) {
    const std::string exe = ExePath();
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    ASSERT_FALSE(info.empty()) << exe << " has no version information";
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &value, &length));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    const std::vector<DWORD> expected{MAKELONG(ROTAPLEX_VERSION_MINOR, ROTAPLEX_VERSION_MAJOR),
                                      MAKELONG(0, ROTAPLEX_VERSION_PATCH)};
    EXPECT_EQ((std::vector<DWORD>{fixed->dwFileVersionMS, fixed->dwFileVersionLS}), expected);
    EXPECT_EQ((std::vector<DWORD>{fixed->dwProductVersionMS, fixed->dwProductVersionLS}), expected);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    for (const char* name : {"FileVersion", "ProductVersion"}) {
        const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(VerQueryValueA(info.data(), key.c_str(), &value, &length)) << name;
        EXPECT_STREQ(static_cast<const char*>(value), ROTAPLEX_VERSION_TEXT) << name;
    }
}

// The icon directory as the resource stores it: a 6-byte header, then 14 bytes per image.
std::vector<int> IconSizes(const BYTE* directory) {
    WORD count = 0;
    std::memcpy(&count, directory + 4, sizeof count);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const BYTE width = directory[6 + 14 * i];
        sizes.push_back(width == 0 ? 256 : width);
    }
    return sizes;
}

TEST(ExeResources, IconComesInEverySizeTheShellShows) {
    const unique_hmodule exe(
        LoadLibraryExA(ExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(exe);
    const HRSRC found = FindResourceA(exe.get(), MAKEINTRESOURCEA(IDI_ROTAPLEX), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr) << "no icon group";
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(exe.get(), found)));
    ASSERT_NE(directory, nullptr);
    EXPECT_EQ(IconSizes(directory), (std::vector<int>{16, 24, 32, 48, 256}));
}

}  // namespace
}  // namespace rotaplex
