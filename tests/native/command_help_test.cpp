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

}  // namespace
}  // namespace rotaplex
