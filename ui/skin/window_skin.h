#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "ui/framework/gdi_handles.h"
#include "ui/framework/twips.h"
#include "ui/resources/resource_ids.h"

namespace rotaplex {

// One drawing of a skin: the display scale it was drawn for, in percent, and its resource id.
struct SkinArt {
    unsigned Percent;
    int Bitmap;
};

// The part of a skin that a larger window stretches, in twips: what lies right of it moves right
// with the width, what lies below it moves down with the height. Empty for a window of one size.
struct SkinBand {
    int Left, Top, Right, Bottom;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
};

// The look of one skinned window: its design size, its drawings and its outline, a body
// rectangle joined with a tab at the top right. Outline numbers are pixels at 15 twips per pixel.
struct SkinLayout {
    int ClientWidth;   // twips
    int ClientHeight;  // twips
    int BodyRight;
    int BodyBottom;
    std::array<int16_t, 4> TabXs;
    std::array<int16_t, 4> TabYs;
    std::array<SkinArt, 4> Art;  // by rising scale
    SkinBand Band;  // on the main window: rows under List1, a column between DEL and QUIT
};

inline constexpr SkinLayout kMainSkin{
    3840, 4995, 242, 332, {240, 257, 257, 240}, {0, 15, 46, 46},
    {{{100, IDB_SKIN_MAIN_100}, {125, IDB_SKIN_MAIN_125}, {150, IDB_SKIN_MAIN_150}, {200, IDB_SKIN_MAIN_200}}},
    {2790, 2000, 2985, 3000}};
inline constexpr SkinLayout kPropertiesSkin{
    5820, 5190, 371, 346, {371, 388, 388, 371}, {0, 15, 46, 46},
    {{{100, IDB_SKIN_PROPERTIES_100},
      {125, IDB_SKIN_PROPERTIES_125},
      {150, IDB_SKIN_PROPERTIES_150},
      {200, IDB_SKIN_PROPERTIES_200}}},
    {0, 0, 0, 0}};

// Tab corner coordinates by index 0 to 3; any other index gives 0.
int16_t TabX(const SkinLayout& layout, int16_t i);
int16_t TabY(const SkinLayout& layout, int16_t i);

// The outline at a display scale, grown by that many pixels: the body rectangle joined with the
// tab polygon, which moves right with the width.
unique_hrgn MakeWindowRegion(const SkinLayout& layout, TwipsPerPixel tpp, SIZE grown = {});
// The body rectangle alone, in the window's pixels.
RECT BodyRect(const SkinLayout& layout, TwipsPerPixel tpp, SIZE grown);

// A point of the design at that scale (pixels) where the window grown by that much shows it:
// moved past the band where it lies beyond it.
POINT GrownPoint(const SkinLayout& layout, TwipsPerPixel tpp, SIZE grown, POINT design);
// And back: the design's point that a point of the grown window shows.
POINT DesignPoint(const SkinLayout& layout, TwipsPerPixel tpp, SIZE grown, POINT shown);

// The drawing a window at that many dots per inch paints: the one drawn for that scale, else the
// smallest drawn larger (reduced), else the largest.
const SkinArt& ArtFor(const SkinLayout& layout, unsigned dpi);

// The face of a window at that scale, grown by that many pixels: its drawing stretched over the
// design size, with the system's smoothing filter where the drawing was made for another scale,
// and the band stretched over the growth.
unique_hbitmap PaintFace(HWND window, const SkinLayout& layout, unsigned dpi, SIZE grown);

// Whether a high-contrast theme is on: the windows then draw in the system's colours, plain.
bool HighContrastOn();
// The face under a high-contrast theme: the system's button face, a plain frame, the caption in
// font.
unique_hbitmap PlainFace(HWND window, SIZE size, HFONT font);

// A press on the surface outside the hot spots, given as its button-down message: the
// system's move loop, as if the title bar had been pressed, for the left button only. The
// loop ends on a left button-up; started from another button, Wine would hold the window to
// the pointer until the next left click, and Windows would end it at once.
void DragFromPress(HWND hwnd, UINT press);

// A label or check box on the face, drawn transparent: no background of its own, the face
// showing through. Answers WM_CTLCOLORSTATIC with the face's brush; other controls get nullptr.
HBRUSH FaceUnderControl(HDC dc, HWND control, HBRUSH face);

}  // namespace rotaplex
