#include "ui/skin/window_skin.h"

namespace rotaplex {

namespace {

int16_t Corner(const std::array<int16_t, 4>& corners, int16_t i) {
    return i >= 0 && i < 4 ? corners[i] : 0;
}

// Design pixels are twips at 15 to the pixel: the same conversion as every control rectangle.
int ScaledX(double designPixels, TwipsPerPixel tpp) { return PixelsX(designPixels * 15.0, tpp); }
int ScaledY(double designPixels, TwipsPerPixel tpp) { return PixelsY(designPixels * 15.0, tpp); }

}  // namespace

int16_t TabX(const SkinLayout& layout, int16_t i) { return Corner(layout.TabXs, i); }
int16_t TabY(const SkinLayout& layout, int16_t i) { return Corner(layout.TabYs, i); }

unique_hrgn MakeWindowRegion(const SkinLayout& layout, TwipsPerPixel tpp) {
    unique_hrgn outline(CreateRectRgn(0, 0, ScaledX(layout.BodyRight, tpp), ScaledY(layout.BodyBottom, tpp)));
    POINT tab[4];
    for (int16_t i = 0; i < 4; ++i) tab[i] = {ScaledX(TabX(layout, i), tpp), ScaledY(TabY(layout, i), tpp)};
    unique_hrgn polygon(CreatePolygonRgn(tab, 4, ALTERNATE));
    CombineRgn(outline.get(), outline.get(), polygon.get(), RGN_OR);
    return outline;
}

const SkinArt& ArtFor(const SkinLayout& layout, unsigned dpi) {
    for (const SkinArt& art : layout.Art)
        if (art.Percent * 96 >= dpi * 100) return art;
    return layout.Art.back();
}

unique_hbitmap PaintFace(HWND window, const SkinLayout& layout, unsigned dpi, SIZE size) {
    const SkinArt& art = ArtFor(layout, dpi);
    // A compatible bitmap, not a DIB section: the drawings are run-length encoded, which DIB sections
    // do not take.
    unique_hbitmap picture(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(art.Bitmap),
                                                           IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    BITMAP drawn{};
    GetObjectA(picture.get(), sizeof drawn, &drawn);

    WindowDc screen(window);
    unique_hbitmap face(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    unique_memory_dc faceDc(CreateCompatibleDC(screen.get()));
    unique_memory_dc pictureDc(CreateCompatibleDC(screen.get()));
    SelectedObject intoFace(faceDc.get(), face.get());
    SelectedObject intoPicture(pictureDc.get(), picture.get());
    // The drawing for this scale is at most a row or two short of the window: repeat them. One
    // for another scale is resized, which needs the averaging filter to keep the lettering legible.
    const bool resized = art.Percent * 96 != dpi * 100;
    SetStretchBltMode(faceDc.get(), resized ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(faceDc.get(), 0, 0, nullptr);
    StretchBlt(faceDc.get(), 0, 0, size.cx, size.cy, pictureDc.get(), 0, 0, drawn.bmWidth, drawn.bmHeight, SRCCOPY);
    return face;
}

void DragFromPress(HWND hwnd, UINT press) {
    if (press != WM_LBUTTONDOWN) return;
    // The move loop starts from the point it is given: give it where the pointer really is.
    const DWORD at = GetMessagePos();
    ReleaseCapture();
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(at));
}

HBRUSH FaceUnderControl(HDC dc, HWND control, HBRUSH face) {
    char kind[16] = "";
    GetClassNameA(control, kind, sizeof kind);
    // Read-only text boxes ask the same question; they keep their own background.
    if (lstrcmpiA(kind, "Static") != 0 && lstrcmpiA(kind, "Button") != 0) return nullptr;
    POINT origin{};
    MapWindowPoints(control, GetParent(control), &origin, 1);
    SetBkMode(dc, TRANSPARENT);
    SetBrushOrgEx(dc, -origin.x, -origin.y, nullptr);
    return face;
}

}  // namespace rotaplex
