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

TEST(CommandHelpTest, TipsNameTheCommandAndItsKeys) {
    const struct {
        const char* menuText;
        const char* tip;
    } cases[] = {
        {"&Edit\tEnter, F2", "Edit (Enter, F2)"},
        {"M&inimise", "Minimise"},
        {"&Quit\tAlt+F4", "Quit (Alt+F4)"},
        {"Fish && chips\t", "Fish & chips"},
    };
    for (const auto& c : cases) EXPECT_EQ(CommandTip(c.menuText), c.tip) << c.menuText;
}

}  // namespace
}  // namespace rotaplex
