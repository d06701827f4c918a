#include "ui/skin/window_skin.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "window_checks.h"

namespace rotaplex {
namespace {

constexpr TwipsPerPixel kUsual{15, 15};

TEST(WindowOutline, PixelsAtFifteenTwipsPerPixel) {
    test::ExpectPixels(MakeWindowRegion(kMainSkin, kUsual).get(), test::kMainOutlinePixels);
    test::ExpectPixels(MakeWindowRegion(kPropertiesSkin, kUsual).get(), test::kPropertiesOutlinePixels);
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
        EXPECT_TRUE(EqualRgn(MakeWindowRegion(c.Layout, {12, 12}).get(), expected.get()))
            << "body right " << c.Body.right;
    }
}

// Each scale paints the drawing made for it; between them the next larger one is reduced.
TEST(SkinArt, TheDrawingForTheScaleElseTheNextLarger) {
    const std::pair<unsigned, unsigned> cases[] = {
        {72, 100}, {96, 100}, {97, 125}, {120, 125}, {144, 150}, {168, 200}, {192, 200}, {288, 200},
    };
    for (const auto& [dpi, percent] : cases) {
        EXPECT_EQ(ArtFor(kMainSkin, dpi).Percent, percent) << dpi;
        EXPECT_EQ(ArtFor(kPropertiesSkin, dpi).Percent, percent) << dpi;
    }
}

// The drawing for a scale is its window at that scale, but for the design's one row short of the
// window, scaled: stretching by that much repeats rows and needs no filter.
TEST(SkinArt, EachDrawingIsItsWindowAtItsScale) {
    for (const SkinLayout* layout : {&kMainSkin, &kPropertiesSkin})
        for (const SkinArt& art : layout->Art) {
            unique_hbitmap drawn(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(art.Bitmap),
                                                                 IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
            BITMAP size{};
            ASSERT_TRUE(GetObjectA(drawn.get(), sizeof size, &size)) << art.Bitmap;
            const TwipsPerPixel tpp = TwipsPerPixelAt(art.Percent * 96 / 100);
            EXPECT_EQ(size.bmWidth, PixelsX(layout->ClientWidth, tpp)) << art.Bitmap;
            const int shortBy = PixelsY(layout->ClientHeight, tpp) - size.bmHeight;
            EXPECT_TRUE(shortBy >= 0 && shortBy <= 2) << art.Bitmap << " short by " << shortBy;
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
