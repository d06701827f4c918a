#include "ui/skin/window_skin.h"

#include <gtest/gtest.h>

#include <vector>

#include "window_checks.h"

namespace rotaplex {
namespace {

constexpr TwipsPerPixel kUsual{15, 15};

TEST(WindowOutline, PixelsAtFifteenTwipsPerPixel) {
    test::ExpectPixels(MakeWindowRegion(kMainSkin, 1, 1, 0, 0, kUsual).get(), test::kMainOutlinePixels);
    test::ExpectPixels(MakeWindowRegion(kPropertiesSkin, 1, 1, 0, 0, kUsual).get(), test::kPropertiesOutlinePixels);
}

// At 12 twips per pixel every corner scales by 15 / 12, halves rounding to even (302.5 -> 302).
TEST(WindowOutline, ScalesWithTheDisplayRoundingHalvesToEven) {
    struct Expected {
        const SkinLayout& Layout;
        RECT Body;
        std::vector<POINT> Tab;
    };
    const Expected cases[] = {
        {kMainSkin, {0, 0, 302, 415}, {{300, 0}, {321, 19}, {321, 58}, {300, 58}}},
        {kPropertiesSkin, {0, 0, 464, 432}, {{464, 0}, {485, 19}, {485, 58}, {464, 58}}},
    };
    for (const Expected& c : cases) {
        unique_hrgn expected(CreateRectRgnIndirect(&c.Body));
        unique_hrgn tab(CreatePolygonRgn(c.Tab.data(), 4, ALTERNATE));
        CombineRgn(expected.get(), expected.get(), tab.get(), RGN_OR);
        EXPECT_TRUE(EqualRgn(MakeWindowRegion(c.Layout, 1, 1, 0, 0, {12, 12}).get(), expected.get()))
            << "body right " << c.Body.right;
    }
}

TEST(WindowOutline, TabCornersOutsideZeroToThreeAreZero) {
    for (const SkinLayout* layout : {&kMainSkin, &kPropertiesSkin}) {
        EXPECT_EQ(TabX(*layout, 4), 0);
        EXPECT_EQ(TabY(*layout, -1), 0);
        EXPECT_EQ(TabX(*layout, 3), layout->TabXs[3]);
    }
}

}  // namespace
}  // namespace rotaplex
