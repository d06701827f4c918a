#include "cycle/command_help.h"

#include <gtest/gtest.h>

namespace rotaplex {
namespace {

TEST(CommandHelpTest, ALinePerCommandWithItsKeysAndNoAccessMarks) {
    EXPECT_EQ(CommandHelpText({"&Add\tIns", "Cop&y\tCtrl+C, Ctrl+Ins", "S&huffle", "Save && go\tCtrl+S", "Trailing&"}),
              "F10, Alt, Shift+F10 or a right-click on an entry: the menu of every command.\n"
              "\nAdd: Ins"
              "\nCopy: Ctrl+C, Ctrl+Ins"
              "\nShuffle: in the menu"
              "\nSave & go: Ctrl+S"
              "\nTrailing&: in the menu");
}

// A button reads as the name alone, its tooltip adds the keys.
TEST(CommandHelpTest, NamesAndTipsOfTheCommands) {
    const struct {
        const char* menuText;
        const char* name;
        const char* tip;
    } cases[] = {
        {"&Edit\tEnter, F2", "Edit", "Edit (Enter, F2)"},
        {"M&inimise", "Minimise", "Minimise"},
        {"&Quit\tAlt+F4", "Quit", "Quit (Alt+F4)"},
        {"Fish && chips\t", "Fish & chips", "Fish & chips"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandName(c.menuText), c.name) << c.menuText;
        EXPECT_EQ(CommandTip(c.menuText), c.tip) << c.menuText;
    }
}

}  // namespace
}  // namespace rotaplex
