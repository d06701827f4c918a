#include "cycle/status_line.h"

#include <gtest/gtest.h>

#include <string>

namespace rotaplex {
namespace {

TEST(StatusLineTest, CaptionNamesTheFolderAndMarksUnsavedChanges) {
    const struct {
        const char* folder;
        bool changed;
        const char* caption;
    } cases[] = {
        {"C:\\Games\\The Game\\", false, "servercycle.txt - C:\\Games\\The Game - Rotaplex"},
        {"C:\\Games\\The Game\\", true, "*servercycle.txt - C:\\Games\\The Game - Rotaplex"},
        {"C:\\", false, "servercycle.txt - C:\\ - Rotaplex"},
        {"\\", true, "*servercycle.txt - \\ - Rotaplex"},
        {"/srv/game/", false, "servercycle.txt - /srv/game - Rotaplex"},
    };
    for (const auto& c : cases) EXPECT_EQ(WindowCaption(c.folder, c.changed), c.caption);
    EXPECT_EQ(WindowCaption("C:\\G\\", true, "weekday"), "*weekday.txt (rotation set) - C:\\G - Rotaplex");
}

TEST(StatusLineTest, Texts) {
    EXPECT_EQ(PositionText(0, std::nullopt), "No entries");
    EXPECT_EQ(PositionText(1, std::nullopt), "1 entry");
    EXPECT_EQ(PositionText(12, std::nullopt), "12 entries");
    EXPECT_EQ(PositionText(12, 2), "Entry 3 of 12");
    EXPECT_EQ(SavedAtText(14, 2), "Saved at 14:02");
    EXPECT_EQ(SavedAtText(9, 30), "Saved at 09:30");
    EXPECT_EQ(MissingEntriesText(3), "3 entries match no installed mission: F8 goes to the next");
    EXPECT_EQ(MissingEntriesText(1), "1 entry matches no installed mission: F8 goes to it");
    EXPECT_EQ(MissingEntriesText(0), std::nullopt);
    EXPECT_EQ(MovedText(8, 1), "Entry 9 moved to 2");
    EXPECT_EQ(NoSuchPositionText(43), "Type a position from 1 to 43.");
    EXPECT_EQ(ReplacesText("old.nfo::Quarry"), "Replaces old.nfo::Quarry, whose mission is not installed.");
    EXPECT_EQ(ReadingText(5000, 20000), "Reading mission files: 5000 of 20000");
    EXPECT_EQ(ReadInText(3449), "Read in 3.4 s");
    EXPECT_EQ(ReadInText(960), "Read in 1.0 s");
    EXPECT_EQ(ReadInText(40), "Read in 0.0 s");
}

}  // namespace
}  // namespace rotaplex

namespace rotaplex {
namespace {

TEST(StatusLineTest, ChangesMadeOutsideAreReadAgainOnlyWithoutUnsavedEdits) {
    const struct {
        bool changed, removed, missions, unsaved;
        bool readNow;
        const char* starts;  // the status line's words begin so; "" for none
    } cases[] = {
        {false, false, false, false, false, ""},
        {true, false, false, false, true, "servercycle.txt was changed by another program and is read again"},
        {true, false, false, true, false, "servercycle.txt changed on disk: Ctrl+R reload, Ctrl+K keep mine, Ctrl+Shift+D compare"},
        {false, true, false, false, false, "servercycle.txt was removed"},
        {false, true, false, true, false, "servercycle.txt was removed"},
        {false, false, true, true, false, "The mission files have changed: F5"},
        {true, false, true, false, true, "servercycle.txt was changed by another program and is read again"},
    };
    for (const auto& c : cases) {
        const OutsideAnswer answer = AnswerOutside("servercycle.txt", c.changed, c.removed, c.missions, c.unsaved);
        EXPECT_EQ(answer.ReadRotationNow, c.readNow) << c.starts;
        EXPECT_EQ(answer.OfferReload, c.changed && c.unsaved) << c.starts;
        EXPECT_TRUE(answer.Told.starts_with(c.starts)) << answer.Told;
        EXPECT_EQ(answer.Told.empty(), std::string(c.starts).empty()) << answer.Told;
        EXPECT_EQ(answer.Told.find("mission files") != std::string::npos, c.missions) << answer.Told;
    }
}

}  // namespace
}  // namespace rotaplex
