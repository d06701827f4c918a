#include "ui/skin/window_skin.h"

#include <algorithm>

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

RECT BodyRect(const SkinLayout& layout, TwipsPerPixel tpp, SIZE grown) {
    return {0, 0, ScaledX(layout.BodyRight, tpp) + grown.cx, ScaledY(layout.BodyBottom, tpp) + grown.cy};
}

POINT GrownPoint(const SkinLayout& layout, TwipsPerPixel tpp, SIZE grown, POINT design) {
    if (layout.Band.Empty()) return design;
    return {design.x >= PixelsX(layout.Band.Right, tpp) ? design.x + grown.cx : design.x,
            design.y >= PixelsY(layout.Band.Bottom, tpp) ? design.y + grown.cy : design.y};
}

POINT DesignPoint(const SkinLayout& layout, TwipsPerPixel tpp, SIZE grown, POINT shown) {
    if (layout.Band.Empty()) return shown;
    const int right = PixelsX(layout.Band.Right, tpp), bottom = PixelsY(layout.Band.Bottom, tpp);
    // Inside the stretched band: its right or bottom edge, which drags like the band.
    return {shown.x >= right + grown.cx ? shown.x - grown.cx : std::min<LONG>(shown.x, right),
            shown.y >= bottom + grown.cy ? shown.y - grown.cy : std::min<LONG>(shown.y, bottom)};
}

unique_hrgn MakeWindowRegion(const SkinLayout& layout, TwipsPerPixel tpp, SIZE grown) {
    const RECT body = BodyRect(layout, tpp, grown);
    unique_hrgn outline(CreateRectRgn(body.left, body.top, body.right, body.bottom));
    POINT tab[4];
    for (int16_t i = 0; i < 4; ++i)
        tab[i] = {ScaledX(TabX(layout, i), tpp) + grown.cx, ScaledY(TabY(layout, i), tpp)};
    unique_hrgn polygon(CreatePolygonRgn(tab, 4, ALTERNATE));
    CombineRgn(outline.get(), outline.get(), polygon.get(), RGN_OR);
    return outline;
}

const SkinArt& ArtFor(const SkinLayout& layout, unsigned dpi) {
    for (const SkinArt& art : layout.Art)
        if (art.Percent * 96 >= dpi * 100) return art;
    return layout.Art.back();
}

namespace {

// The drawing stretched over size, the design's size at the scale of dpi.
unique_hbitmap DesignFace(HWND window, const SkinLayout& layout, unsigned dpi, SIZE size) {
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

// Three spans of one axis: before the band, the band, after it; the band alone takes the growth.
struct Spans {
    std::array<int, 4> From, To;
};
Spans SpansOf(int bandStart, int bandEnd, int size, int growth) {
    return {{0, bandStart, bandEnd, size}, {0, bandStart, bandEnd + growth, size + growth}};
}

}  // namespace

unique_hbitmap PaintFace(HWND window, const SkinLayout& layout, unsigned dpi, SIZE grown) {
    const TwipsPerPixel tpp = TwipsPerPixelAt(dpi);
    const SIZE design{PixelsX(layout.ClientWidth, tpp), PixelsY(layout.ClientHeight, tpp)};
    unique_hbitmap designFace = DesignFace(window, layout, dpi, design);
    if ((grown.cx == 0 && grown.cy == 0) || layout.Band.Empty()) return designFace;
    WindowDc screen(window);
    unique_hbitmap face(CreateCompatibleBitmap(screen.get(), design.cx + grown.cx, design.cy + grown.cy));
    unique_memory_dc faceDc(CreateCompatibleDC(screen.get()));
    unique_memory_dc designDc(CreateCompatibleDC(screen.get()));
    SelectedObject intoFace(faceDc.get(), face.get());
    SelectedObject intoDesign(designDc.get(), designFace.get());
    SetStretchBltMode(faceDc.get(), COLORONCOLOR);
    const Spans xs = SpansOf(PixelsX(layout.Band.Left, tpp), PixelsX(layout.Band.Right, tpp), design.cx, grown.cx);
    const Spans ys = SpansOf(PixelsY(layout.Band.Top, tpp), PixelsY(layout.Band.Bottom, tpp), design.cy, grown.cy);
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            StretchBlt(faceDc.get(), xs.To[column], ys.To[row], xs.To[column + 1] - xs.To[column],
                       ys.To[row + 1] - ys.To[row], designDc.get(), xs.From[column], ys.From[row],
                       xs.From[column + 1] - xs.From[column], ys.From[row + 1] - ys.From[row], SRCCOPY);
    return face;
}

bool HighContrastOn() {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

unique_hbitmap PlainFace(HWND window, SIZE size, HFONT font) {
    WindowDc screen(window);
    unique_hbitmap face(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    unique_memory_dc faceDc(CreateCompatibleDC(screen.get()));
    SelectedObject intoFace(faceDc.get(), face.get());
    RECT all{0, 0, size.cx, size.cy};
    FillRect(faceDc.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(faceDc.get(), &all, GetSysColorBrush(COLOR_WINDOWTEXT));
    // The caption where the skin paints its title.
    wchar_t caption[256] = L"";
    GetWindowTextW(window, caption, 256);
    SelectedObject inFont(faceDc.get(), font);
    SetBkMode(faceDc.get(), TRANSPARENT);
    SetTextColor(faceDc.get(), GetSysColor(COLOR_BTNTEXT));
    RECT title{4, 4, size.cx - 4, size.cy};
    DrawTextW(faceDc.get(), caption, -1, &title, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
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
