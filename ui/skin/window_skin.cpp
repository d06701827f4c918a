#include "ui/skin/window_skin.h"

namespace rotaplex {

namespace {

int16_t Corner(const std::array<int16_t, 4>& corners, int16_t i) {
    return i >= 0 && i < 4 ? corners[i] : 0;
}

int Scaled(double designPixels, float scale, double twipsPerPixel, int16_t offset) {
    return RoundHalfEven(designPixels * scale * 15.0 / twipsPerPixel + offset);
}

}  // namespace

int16_t TabX(const SkinLayout& layout, int16_t i) { return Corner(layout.TabXs, i); }
int16_t TabY(const SkinLayout& layout, int16_t i) { return Corner(layout.TabYs, i); }

unique_hrgn MakeWindowRegion(const SkinLayout& layout, float ScaleX, float ScaleY, int16_t OffsetX,
                             int16_t OffsetY, TwipsPerPixel tpp) {
    unique_hrgn outline(CreateRectRgn(OffsetX, OffsetY, Scaled(layout.BodyRight, ScaleX, tpp.X, OffsetX),
                                      Scaled(layout.BodyBottom, ScaleY, tpp.Y, OffsetY)));
    POINT tab[4];
    for (int16_t i = 0; i < 4; ++i)
        tab[i] = {Scaled(TabX(layout, i), ScaleX, tpp.X, OffsetX), Scaled(TabY(layout, i), ScaleY, tpp.Y, OffsetY)};
    unique_hrgn polygon(CreatePolygonRgn(tab, 4, ALTERNATE));
    CombineRgn(outline.get(), outline.get(), polygon.get(), RGN_OR);
    return outline;
}

void WindowSkin::ApplyOutline(HWND hwnd) {
    SkinRegion = MakeWindowRegion(layout_, 1, 1, 0, 0);
    if (SetWindowRgn(hwnd, SkinRegion.get(), TRUE)) SkinRegion.release();
}

void WindowSkin::Paint(HWND hwnd) {
    const TwipsPerPixel tpp = ScreenTwipsPerPixel();
    backingSize_ = {PixelsX(layout_.ClientWidth, tpp), PixelsY(layout_.ClientHeight, tpp)};
    const int pictureWidth = PixelsX(layout_.Picture1.Width, tpp);
    const int pictureHeight = PixelsY(layout_.Picture1.Height, tpp);

    WindowDc window(hwnd);
    backing_.reset(CreateCompatibleBitmap(window.get(), backingSize_.cx, backingSize_.cy));
    unique_hbitmap picture(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(layout_.Bitmap), IMAGE_BITMAP, 0, 0, 0)));
    unique_memory_dc backingDc(CreateCompatibleDC(window.get()));
    unique_memory_dc pictureDc(CreateCompatibleDC(window.get()));
    SelectedObject intoBacking(backingDc.get(), backing_.get());
    SelectedObject intoPicture(pictureDc.get(), picture.get());
    SetStretchBltMode(backingDc.get(), COLORONCOLOR);
    StretchBlt(backingDc.get(), 0, 0, backingSize_.cx, backingSize_.cy, pictureDc.get(), 0, 0, pictureWidth,
               pictureHeight, SRCCOPY);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void WindowSkin::OnPaint(HWND hwnd) const {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (backing_) {
        unique_memory_dc backingDc(CreateCompatibleDC(dc));
        SelectedObject intoBacking(backingDc.get(), backing_.get());
        BitBlt(dc, 0, 0, backingSize_.cx, backingSize_.cy, backingDc.get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd, &ps);
}

void WindowSkin::DragFromPress(HWND hwnd, UINT press) {
    if (press != WM_LBUTTONDOWN) return;
    // The move loop starts from the point it is given: give it where the pointer really is.
    const DWORD at = GetMessagePos();
    ReleaseCapture();
    SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(at));
}

}  // namespace rotaplex
