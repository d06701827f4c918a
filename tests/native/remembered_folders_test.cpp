#include "cycle/remembered_folders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace rotaplex {
namespace {

using Folders = std::vector<std::string>;

TEST(RememberedFoldersTest, SpellingsOfOneFolder) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"C:\\Games\\One\\", "c:\\games\\ONE\\", true},
        {"C:\\Games\\One\\", "C:\\Games\\One", true},
        {"C:\\Games\\One\\", "C:/Games/One/", true},
        {"C:\\Spiele\\\xC3\x84rger\\", "c:\\spiele\\\xC3\xA4rger\\", true},  // Ä and ä
        {"C:\\a\xC3\x97\\", "C:\\a\xC3\xB7\\", false},  // × is no capital of ÷
        {"C:\\Games\\One\\", "C:\\Games\\One Two\\", false},
        {"C:\\Games\\One\\", "D:\\Games\\One\\", false},
        {"\\", "\\\\", true},
    };
    for (const auto& c : cases) EXPECT_EQ(SameFolder(c.a, c.b), c.same) << c.a << " " << c.b;
}

TEST(RememberedFoldersTest, TheUsedFolderComesFirstOnceAndEightAreKept) {
    const Folders eight{"A\\", "B\\", "C\\", "D\\", "E\\", "F\\", "G\\", "H\\"};
    const struct {
        const char* what;
        Folders before;
        std::string used;
        Folders after;
    } cases[] = {
        {"into an empty list", {}, "A\\", {"A\\"}},
        {"a new one pushes the oldest out", eight, "I\\", {"I\\", "A\\", "B\\", "C\\", "D\\", "E\\", "F\\", "G\\"}},
        {"a known one moves up, in its new spelling", eight, "d", {"d", "A\\", "B\\", "C\\", "E\\", "F\\", "G\\", "H\\"}},
        {"the first again", {"A\\", "B\\"}, "a\\", {"a\\", "B\\"}},
        {"spellings twice in the stored list are kept once", {"A\\", "x\\", "X", "B\\"}, "C\\", {"C\\", "A\\", "x\\", "B\\"}},
        {"empty stored names are passed over", {"", "A\\"}, "B\\", {"B\\", "A\\"}},
    };
    for (const auto& c : cases) EXPECT_EQ(WithFolderUsed(c.before, c.used), c.after) << c.what;
}

TEST(RememberedFoldersTest, GoneFoldersAreToldApartInTheirOrder) {
    const std::set<std::string> present{"B\\", "D\\"};
    const CheckedFolders checked =
        CheckFolders({"A\\", "B\\", "C\\", "D\\"}, [&](const std::string& folder) { return present.count(folder) > 0; });
    EXPECT_EQ(checked.Present, (Folders{"B\\", "D\\"}));
    EXPECT_EQ(checked.Gone, (Folders{"A\\", "C\\"}));
    EXPECT_EQ(GoneFolderLine("C:\\Old\\"), "The game folder C:\\Old\\ is gone: it was dropped from the recent folders.");
}

}  // namespace
}  // namespace rotaplex
