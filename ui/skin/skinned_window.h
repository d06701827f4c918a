#pragma once

#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include <span>
#include <string>
#include <utility>

#include "ui/framework/base_window.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/modal_window.h"
#include "ui/skin/hot_spot.h"
#include "ui/skin/window_skin.h"

namespace rotaplex {

// What the two skinned windows share: the outline, the face painted at the window's size, the
// hot-spot test of a press and the drag from the rest of the surface, all at the window's own
// display scale, and the rescaling when that scale changes.
//
// Derived provides LayOut(TwipsPerPixel, HFONT), which puts its controls at that scale in that
// font, MouseDown(UINT button, Command), which runs a command pressed on the face, and
// TipOf(Command), the tooltip text of a painted command (its name and keys).
template <typename Derived, typename Command>
class SkinnedWindow : public BaseWindow<Derived> {
public:
    // The scale the window is drawn at.
    TwipsPerPixel Scale() const { return tpp_; }

protected:
    SkinnedWindow(const SkinLayout& layout, std::span<const HotSpot<Command>> spots, Command surface)
        : layout_(layout), spots_(spots), surface_(surface) {}

    // Fits size, outline, face, controls and font to dpi: at start-up and on a change of scale.
    void Rescale(unsigned dpi) {
        const HWND window = this->Window();
        tpp_ = TwipsPerPixelAt(dpi);
        faceSize_ = {PixelsX(layout_.ClientWidth, tpp_), PixelsY(layout_.ClientHeight, tpp_)};
        SetWindowPos(window, nullptr, 0, 0, faceSize_.cx, faceSize_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // Once the window takes the outline over, the system owns it and frees it with the window.
        unique_hrgn outline = MakeWindowRegion(layout_, tpp_);
        if (SetWindowRgn(window, outline.get(), TRUE)) outline.release();
        face_ = PaintFace(window, layout_, dpi, faceSize_);
        faceBrush_.reset(CreatePatternBrush(face_.get()));
        // The controls let go of the old font before it goes.
        unique_hfont font = MessageFont(dpi);
        static_cast<Derived*>(this)->LayOut(tpp_, font.get());
        font_ = std::move(font);
        LayOutTips();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }

    // The messages of the skin; anything else gets the default handling.
    LRESULT SkinHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            Pressed(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_ERASEBKGND:  // also how a themed control asks for what lies under it
            CopyFace(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            CopyFace(BeginPaint(this->Window(), &ps));
            EndPaint(this->Window(), &ps);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            if (HBRUSH face = FaceUnderControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                               faceBrush_.get()))
                return reinterpret_cast<LRESULT>(face);
            break;
        case WM_DPICHANGED: {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(this->Window(), nullptr, suggested.left, suggested.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            Rescale(HIWORD(wParam));
            return 0;
        }
        }
        return this->DefaultHandling(message, wParam, lParam);
    }

private:
    // Every button alike on a hot spot; only the left one drags the rest of the face.
    void Pressed(UINT button, int x, int y) {
        const Command command = HotSpotAt<Command>(spots_, static_cast<float>(TwipsX(x, tpp_)),
                                                   static_cast<float>(TwipsY(y, tpp_)), surface_);
        if (command == surface_)
            DragFromPress(this->Window(), button);
        else
            static_cast<Derived*>(this)->MouseDown(button, command);
    }

    // A tooltip on each painted command, its rectangle at the window's scale.
    void LayOutTips() {
        const HWND window = this->Window();
        if (!tips_)
            tips_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                        nullptr, nullptr));
        for (UINT_PTR id = 0; id < spots_.size(); ++id) {
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = window;
            tool.uId = id;
            SendMessageA(tips_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
            const HotSpot<Command>& spot = spots_[id];
            // The tooltip keeps its own copy of the text.
            std::string text = static_cast<Derived*>(this)->TipOf(spot.Action);
            tool.uFlags = TTF_SUBCLASS;
            tool.rect = {PixelsX(spot.Left, tpp_), PixelsY(spot.Top, tpp_), PixelsX(spot.Right, tpp_) + 1,
                         PixelsY(spot.Bottom, tpp_) + 1};
            tool.lpszText = text.data();
            SendMessageA(tips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }

    void CopyFace(HDC dc) const {
        if (!face_) return;
        unique_memory_dc faceDc(CreateCompatibleDC(dc));
        SelectedObject intoFace(faceDc.get(), face_.get());
        BitBlt(dc, 0, 0, faceSize_.cx, faceSize_.cy, faceDc.get(), 0, 0, SRCCOPY);
    }

    const SkinLayout& layout_;
    std::span<const HotSpot<Command>> spots_;
    Command surface_;
    TwipsPerPixel tpp_;
    SIZE faceSize_{};
    unique_hbitmap face_;
    unique_hbrush faceBrush_;
    unique_hfont font_;
    // Owned by the window: the system destroys it with the window too, and a second destroy of a
    // gone window does nothing.
    unique_hwnd tips_;
};

}  // namespace rotaplex
