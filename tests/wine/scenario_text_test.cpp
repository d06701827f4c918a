#include "cycle/scenario_text.h"

#include <gtest/gtest.h>

#include "cycle/win/windows_file_system.h"

#include "cycle/file_rules.h"
#include "test_folder.h"

namespace rotaplex {
namespace {

TEST(ReadScenarioText, ShowsOrdinaryFilesInsideTheGameFolderOnly) {
    test::TestFolder root;
    const std::string game = root.MakeFolder("game");
    root.Write("game\\resource\\missions\\hill.txt", "Take the hill.\rHold it.\r\n");
    root.Write("outside.txt", "not the game's");
    const std::string shown = "Take the hill.\r\nHold it.\r\n";

    struct Case {
        const char* ScenarioText;
        std::string Shown;
    };
    const Case cases[] = {
        {"resource\\missions\\hill.txt", shown},
        {"resource\\missions\\..\\missions\\hill.txt", shown},
        {"", ""},
        {"resource\\missions\\missing.txt", ""},
        {"resource\\missions", ""},
        {"..\\outside.txt", ""},
        {"resource\\..\\..\\outside.txt", ""},
        // A device: refused by its name, so start-up and EDIT never wait on it.
        {"resource\\missions\\com1.txt", ""},
        {"nul", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadScenarioText(WindowsFileSystem(), game, c.ScenarioText), c.Shown) << c.ScenarioText;
}

TEST(ReadScenarioText, ShowsTheFirstPartAndSaysTheRestIsNot) {
    test::TestFolder game;
    const std::string line = std::string(1022, 'x') + "\r\n";  // lines of 1 KB make the cap
    std::string atCap;
    while (atCap.size() < kScenarioTextShown) atCap += line;
    ASSERT_EQ(atCap.size(), kScenarioTextShown);
    game.Write("at.txt", atCap);
    game.Write("over.txt", atCap + "more");

    EXPECT_EQ(ReadScenarioText(WindowsFileSystem(), game.Path(), "at.txt"), atCap);
    EXPECT_EQ(ReadScenarioText(WindowsFileSystem(), game.Path(), "over.txt"), ShownScenarioText(atCap, atCap.size() + 4));
}

}  // namespace
}  // namespace rotaplex
