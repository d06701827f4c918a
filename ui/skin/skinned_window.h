#pragma once

#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ui/framework/base_window.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/modal_window.h"
#include "ui/skin/hot_spot.h"
#include "ui/skin/skin_button.h"
#include "ui/skin/window_skin.h"

namespace rotaplex {

// What the two skinned windows share: the outline, the face painted at the window's size, the
// painted commands as owner-drawn push buttons with their tooltips, the hot-spot test of a press
// and the drag from the rest of the surface, all at the window's own display scale, and the
// rescaling when that scale changes. A skin with a band grows from its lower and right edges.
// Under a high-contrast theme the face is plain, in the system's colours.
//
// Derived provides LayOut(TwipsPerPixel, HFONT, SIZE grown), which puts its controls at that scale
// in that font in a window grown by that many pixels, MouseDown(UINT button, Command), which runs
// a command pressed on the face, NameOf(Command), the name its button reads as, and
// TipOf(Command), the tooltip text of a painted command (its name and keys).
template <typename Derived, typename Command>
class SkinnedWindow : public BaseWindow<Derived> {
public:
    // The scale the window is drawn at.
    TwipsPerPixel Scale() const { return tpp_; }
    // The design's size at the window's scale, the least it takes.
    SIZE DesignSize() const { return {PixelsX(layout_.ClientWidth, tpp_), PixelsY(layout_.ClientHeight, tpp_)}; }

protected:
    SkinnedWindow(const SkinLayout& layout, std::span<const HotSpot<Command>> spots, Command surface)
        : layout_(layout), spots_(spots), surface_(surface) {}

    // Fits size, outline, face, controls and font to dpi: at start-up and on a change of scale.
    void Rescale(unsigned dpi) {
        dpi_ = dpi;
        tpp_ = TwipsPerPixelAt(dpi);
        const SIZE design = DesignSize();
        // The controls let go of the old font before it goes.
        unique_hfont font = MessageFont(dpi);
        std::swap(font, font_);
        if (buttons_.empty()) MakeButtons();
        const SIZE size{design.cx + PixelsX(grownTwips_.X, tpp_), design.cy + PixelsY(grownTwips_.Y, tpp_)};
        faceSize_ = {};  // laid out below, whatever size the window had
        SetWindowPos(this->Window(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Fit(size);
    }

    // Each painted command's button enabled as canRun(command) says, greyed otherwise.
    template <typename CanRun>
    void EnableCommands(CanRun canRun) {
        for (std::size_t i = 0; i < buttons_.size(); ++i) EnableWindow(buttons_[i], canRun(spots_[i].Action));
    }

    // The messages of the skin; anything else gets the default handling.
    LRESULT SkinHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            Pressed(message, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_PARENTNOTIFY:
            // A button clicks on the left one alone; the others run its command as on the face.
            if (LOWORD(wParam) == WM_RBUTTONDOWN || LOWORD(wParam) == WM_MBUTTONDOWN)
                if (const Command command = SpotAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); command != surface_)
                    static_cast<Derived*>(this)->MouseDown(LOWORD(wParam), command);
            return 0;
        case WM_COMMAND:
            if (const std::size_t spot = LOWORD(wParam) - kFirstButtonId;
                spot < spots_.size() && HIWORD(wParam) == BN_CLICKED)
                static_cast<Derived*>(this)->MouseDown(WM_LBUTTONDOWN, spots_[spot].Action);
            return 0;
        case WM_DRAWITEM:
            DrawSkinButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), face_.get(), plain_);
            return TRUE;
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
                                               faceBrush_.get())) {
                if (plain_) SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNTEXT));
                return reinterpret_cast<LRESULT>(face);
            }
            break;
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
        case WM_THEMECHANGED:
            // A high-contrast theme turned on or off, or its colours changed.
            if (faceSize_.cx > 0) Refit();
            break;
        case WM_DPICHANGED: {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(this->Window(), nullptr, suggested.left, suggested.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            Rescale(HIWORD(wParam));
            return 0;
        }
        }
        if (!layout_.Band.Empty()) return GrowingHandling(message, wParam, lParam);
        return this->DefaultHandling(message, wParam, lParam);
    }

private:
    // Above the windows' own control ids and below the command ids.
    static constexpr int kFirstButtonId = 900;

    // The messages of a window that grows: the whole window is its client area, though it has a
    // sizing frame, so that the system's sizing loop takes its edges.
    LRESULT GrowingHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_NCCALCSIZE:
            return 0;
        case WM_NCHITTEST: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(this->Window(), &at);
            if (const LRESULT edge = EdgeAt(at)) return edge;
            break;
        }
        case WM_GETMINMAXINFO: {
            auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
            const SIZE design = DesignSize();
            limits.ptMinTrackSize = {design.cx, design.cy};
            return 0;
        }
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && faceSize_.cx > 0 &&
                (LOWORD(lParam) != faceSize_.cx || HIWORD(lParam) != faceSize_.cy)) {
                const SIZE design = DesignSize();
                grownTwips_ = {TwipsX(LOWORD(lParam) - design.cx, tpp_), TwipsY(HIWORD(lParam) - design.cy, tpp_)};
                Fit({LOWORD(lParam), HIWORD(lParam)});
            }
            return 0;
        }
        return this->DefaultHandling(message, wParam, lParam);
    }

    // The lower edge, the right edge of the body and their corner, a few pixels wide inside.
    LRESULT EdgeAt(POINT at) const {
        const RECT body = BodyRect(layout_, tpp_, Grown());
        const int grip = PixelsX(kGripTwips, tpp_);
        if (at.x >= body.right || at.y >= body.bottom) return 0;  // the tab, or outside
        const bool bottom = at.y >= body.bottom - grip, right = at.x >= body.right - grip;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (bottom) return HTBOTTOM;
        // The tab stands out at the top right: the edge under it.
        if (right && at.y >= PixelsY(TabY(layout_, 2) * 15, tpp_)) return HTRIGHT;
        return 0;
    }

    SIZE Grown() const {
        const SIZE design = DesignSize();
        return {faceSize_.cx - design.cx, faceSize_.cy - design.cy};
    }

    // Outline, face, controls, buttons and tooltips at the window's size.
    void Fit(SIZE size) {
        const HWND window = this->Window();
        faceSize_ = size;
        plain_ = HighContrastOn();
        const SIZE grown = Grown();
        // Once the window takes the outline over, the system owns it and frees it with the window.
        unique_hrgn outline = plain_ ? unique_hrgn() : MakeWindowRegion(layout_, tpp_, grown);
        if (SetWindowRgn(window, outline.get(), TRUE)) outline.release();
        face_ = plain_ ? PlainFace(window, size, font_.get()) : PaintFace(window, layout_, dpi_, grown);
        faceBrush_.reset(CreatePatternBrush(face_.get()));
        static_cast<Derived*>(this)->LayOut(tpp_, font_.get(), grown);
        LayOutButtons(grown);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    void Refit() { Fit(faceSize_); }

    // The command painted at a point of the window, or the surface.
    Command SpotAt(POINT at) const {
        const POINT design = DesignPoint(layout_, tpp_, Grown(), at);
        return HotSpotAt<Command>(spots_, static_cast<float>(TwipsX(design.x, tpp_)),
                                  static_cast<float>(TwipsY(design.y, tpp_)), surface_);
    }

    // Every button alike on a hot spot; only the left one drags the rest of the face.
    void Pressed(UINT button, POINT at) {
        const Command command = SpotAt(at);
        if (command == surface_)
            DragFromPress(this->Window(), button);
        else
            static_cast<Derived*>(this)->MouseDown(button, command);
    }

    // A button on each painted command, in table order after the window's own controls, with its
    // tooltip.
    void MakeButtons() {
        const HWND window = this->Window();
        tips_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                    nullptr, nullptr));
        for (std::size_t i = 0; i < spots_.size(); ++i) {
            const Command command = spots_[i].Action;
            const HWND button = MakeSkinButton(window, kFirstButtonId + static_cast<int>(i),
                                               static_cast<Derived*>(this)->NameOf(command));
            buttons_.push_back(button);
            TOOLINFOA tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = window;
            tool.uId = reinterpret_cast<UINT_PTR>(button);
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            // The tooltip keeps its own copy of the text.
            std::string text = static_cast<Derived*>(this)->TipOf(command);
            tool.lpszText = text.data();
            SendMessageA(tips_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }

    // Each button where its command is painted, at the window's scale and size.
    void LayOutButtons(SIZE grown) {
        // Moved together: one pass of the system's window positions instead of one a button.
        HDWP moves = BeginDeferWindowPos(static_cast<int>(spots_.size()));
        for (std::size_t i = 0; i < spots_.size(); ++i) {
            const HotSpot<Command>& spot = spots_[i];
            const POINT topLeft = GrownPoint(layout_, tpp_, grown, {PixelsX(spot.Left, tpp_), PixelsY(spot.Top, tpp_)});
            // Edges included.
            const int width = PixelsX(spot.Right, tpp_) + 1 - PixelsX(spot.Left, tpp_);
            const int height = PixelsY(spot.Bottom, tpp_) + 1 - PixelsY(spot.Top, tpp_);
            // The font its name is drawn in where the face is plain.
            SendMessageA(buttons_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
            if (moves)
                moves = DeferWindowPos(moves, buttons_[i], nullptr, topLeft.x, topLeft.y, width, height,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
            else
                SetWindowPos(buttons_[i], nullptr, topLeft.x, topLeft.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (moves) EndDeferWindowPos(moves);
    }

    void CopyFace(HDC dc) const {
        if (!face_) return;
        unique_memory_dc faceDc(CreateCompatibleDC(dc));
        SelectedObject intoFace(faceDc.get(), face_.get());
        BitBlt(dc, 0, 0, faceSize_.cx, faceSize_.cy, faceDc.get(), 0, 0, SRCCOPY);
    }

    static constexpr int kGripTwips = 90;  // how far inside the edges a press sizes the window

    const SkinLayout& layout_;
    std::span<const HotSpot<Command>> spots_;
    Command surface_;
    unsigned dpi_ = 96;
    TwipsPerPixel tpp_;
    // How much larger than the design the window is, in twips, so that it keeps it at any scale.
    struct {
        double X = 0, Y = 0;
    } grownTwips_;
    SIZE faceSize_{};
    bool plain_ = false;  // drawn for a high-contrast theme
    unique_hbitmap face_;
    unique_hbrush faceBrush_;
    unique_hfont font_;
    std::vector<HWND> buttons_;  // children: they go with the window
    // Owned by the window: the system destroys it with the window too, and a second destroy of a
    // gone window does nothing.
    unique_hwnd tips_;
};

}  // namespace rotaplex
