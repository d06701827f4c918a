#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "ui/framework/gdi_handles.h"
#include "ui/framework/twips.h"
#include "ui/resources/resource_ids.h"

namespace rotaplex {

// The fixed look of one skinned window: its size, its skin picture and its outline, a body
// rectangle joined with a tab at the top right. Outline numbers are pixels at 15 twips per pixel.
struct SkinLayout {
    int ClientWidth;   // twips
    int ClientHeight;  // twips
    TwipsRect Picture1;  // the hidden picture that holds the skin bitmap, twips
    int BodyRight;
    int BodyBottom;
    std::array<int16_t, 4> TabXs;
    std::array<int16_t, 4> TabYs;
    int Bitmap;  // resource id
};

inline constexpr SkinLayout kMainSkin{
    3840, 4995, {3240, 4440, 3840, 4980}, 242, 332, {240, 257, 257, 240}, {0, 15, 46, 46}, IDB_SKIN_MAIN};
inline constexpr SkinLayout kPropertiesSkin{
    5820, 5190, {5040, 4800, 5820, 5175}, 371, 346, {371, 388, 388, 371}, {0, 15, 46, 46},
    IDB_SKIN_PROPERTIES};

// Tab corner coordinates by index 0 to 3; any other index gives 0.
int16_t TabX(const SkinLayout& layout, int16_t i);
int16_t TabY(const SkinLayout& layout, int16_t i);

// The outline scaled to the display: the body rectangle joined with the tab polygon.
unique_hrgn MakeWindowRegion(const SkinLayout& layout, float ScaleX, float ScaleY, int16_t OffsetX,
                             int16_t OffsetY, TwipsPerPixel tpp = ScreenTwipsPerPixel());

// The outline, the painted face and the drag of one skinned window.
class WindowSkin {
public:
    explicit WindowSkin(const SkinLayout& layout) : layout_(layout) {}

    // Builds the outline and gives it to the window. From then on the system owns it and frees
    // it with the window, so it stays in force until the window is gone.
    void ApplyOutline(HWND hwnd);
    // Frees the outline if the window never took it over; the window's own copy is untouched.
    void ReleaseOutline() { SkinRegion.reset(); }

    // Paints the skin once into the window's backing image.
    void Paint(HWND hwnd);
    // WM_PAINT: copies the backing image to the screen.
    void OnPaint(HWND hwnd) const;

    // A press on the surface outside the hot spots, given as its button-down message: the
    // system's move loop, as if the title bar had been pressed, for the left button only. The
    // loop ends on a left button-up; started from another button, Wine would hold the window to
    // the pointer until the next left click, and Windows would end it at once.
    static void DragFromPress(HWND hwnd, UINT press);

    unique_hrgn SkinRegion;

private:
    const SkinLayout& layout_;
    unique_hbitmap backing_;
    SIZE backingSize_{};
};

}  // namespace rotaplex
