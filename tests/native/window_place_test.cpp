#include "cycle/window_place.h"

#include <gtest/gtest.h>

namespace rotaplex {
namespace {

TEST(WindowPlaceTest, TextRoundTripsAndBadTextGivesNothing) {
    const ScreenRect place{-1200, 40, -900, 700};
    EXPECT_EQ(ParsePlace(PlaceText(place)), place);
    EXPECT_EQ(PlaceText(place), "-1200,40,-900,700");
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,3,x", "1;2;3;4", " 1,2,3,4", "1,2,3,4 ", "10,0,5,20",
                            "0,10,20,10", "0,0,40000,20", "0,0,99999999999,20"})
        EXPECT_EQ(ParsePlace(bad), std::nullopt) << bad;
}

TEST(WindowPlaceTest, ARememberedPlaceIsFittedIntoTheWorkArea) {
    const ScreenRect area{0, 0, 1024, 738};
    const struct {
        ScreenRect wanted, fitted;
    } cases[] = {
        {{100, 50, 400, 600}, {100, 50, 400, 600}},    // inside: as it was
        {{900, 600, 1200, 1000}, {724, 338, 1024, 738}},  // partly off: moved in
        {{-2000, 50, -1700, 600}, {0, 50, 300, 600}},   // on a monitor that is gone
        {{100, 50, 200, 100}, {100, 50, 356, 433}},    // smaller than the design: grown to it
        {{0, 0, 1500, 1000}, {0, 0, 1024, 738}},       // larger than the area: cut to it
    };
    for (const auto& c : cases) EXPECT_EQ(FittedPlace(c.wanted, area, 256, 383), c.fitted) << PlaceText(c.wanted);
    // A design larger than the area keeps its size and its corner in the area.
    EXPECT_EQ(FittedPlace({10, 10, 20, 20}, {0, 0, 300, 200}, 512, 666), (ScreenRect{0, 0, 512, 666}));
}

TEST(WindowPlaceTest, CentredOnTheWorkAreaAndPropertiesBesideTheOwnerWhereTheyFit) {
    const ScreenRect area{0, 0, 1024, 738};
    EXPECT_EQ(CentredIn(256, 333, area), (ScreenRect{384, 202, 640, 535}));
    EXPECT_EQ(CentredIn(2000, 333, area), (ScreenRect{0, 202, 2000, 535}));
    const struct {
        ScreenRect owner, placed;
    } cases[] = {
        {{100, 100, 356, 433}, {356, 100, 744, 446}},   // on the right
        {{700, 100, 956, 433}, {312, 100, 700, 446}},   // no room on the right: on the left
        {{100, 500, 356, 833}, {356, 392, 744, 738}},   // right, raised to stay inside
        {{384, 100, 640, 433}, {636, 100, 1024, 446}},  // neither side: the wider one, inside the area
        {{300, 100, 900, 433}, {0, 100, 388, 446}},     // there the left
    };
    for (const auto& c : cases) EXPECT_EQ(BesideOwner(388, 346, c.owner, area), c.placed) << PlaceText(c.owner);
}

TEST(WindowPlaceTest, OnlyThePlacesOfRememberedFoldersAreKept) {
    EXPECT_EQ(PlacesToForget({"C:\\One\\", "c:/two", "D:\\Gone\\"}, {"C:\\TWO\\", "C:\\One"}),
              std::vector<std::string>{"D:\\Gone\\"});
    EXPECT_TRUE(PlacesToForget({}, {"C:\\One\\"}).empty());
}

}  // namespace
}  // namespace rotaplex
