#include "ui/framework/text_window.h"

#include <algorithm>
#include <array>
#include <utility>

#include "cycle/win/wide_path.h"
#include "ui/framework/child_controls.h"
#include "ui/framework/dialog_template.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/gdi_handles.h"
#include "ui/framework/modal_window.h"

namespace rotaplex {

namespace {

using namespace textwindow;

constexpr int kClientWidth = 8640;   // twips: some 80 columns of a fixed-pitch text
constexpr int kClientHeight = 5760;  // twips
constexpr int kMargin = 120;         // twips
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;

constexpr std::array<ControlSpec, 3> kControls{{
    {lblShown, "STATIC", "", SS_LEFT, 0, {kMargin, kMargin, 8400, 240}},
    {txtShown, "EDIT", "",
     WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
     0, {kMargin, 420, 8400, 4740}},
    {cmdClose, "BUTTON", "Close", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, {7545, 5280, 975, 375}},
}};

class TextWindow {
public:
    explicit TextWindow(const TextToRead& shown) : shown_(shown) {}

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
            EndDialog(hwnd_, IDOK);  // Close, Enter, Esc and the close box
            return TRUE;
        case WM_SIZE:
            Fit(LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        default:
            return FALSE;
        }
    }

    void Load(HWND hwnd) {
        hwnd_ = hwnd;
        PlaceCentredOver(hwnd_, GetWindow(hwnd_, GW_OWNER), kClientWidth, kClientHeight);
        CreateControls(hwnd_, kControls);
        LayOut();
        SetDlgItemTextW(hwnd_, lblShown, Widen(shown_.Label).c_str());
        const HWND text = GetDlgItem(hwnd_, txtShown);
        SendMessageW(text, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextW(text, Widen(WithCrLf(shown_.Text)).c_str());
        // The focus in the text, at its start: a screen reader reads it from there.
        SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(text), TRUE);
        SendMessageW(text, EM_SETSEL, 0, 0);
    }

    // The controls at the window's display scale: on opening and when the scale changes.
    void LayOut() {
        unique_hfont font = MessageFont(WindowDpi(hwnd_));
        LayOutControls(hwnd_, kControls, WindowTwipsPerPixel(hwnd_), font.get());
        if (shown_.FixedPitch) {
            LOGFONTW fixed{};
            GetObjectW(font.get(), sizeof fixed, &fixed);
            fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
            lstrcpyW(fixed.lfFaceName, L"Courier New");
            unique_hfont textFont(CreateFontIndirectW(&fixed));
            SendDlgItemMessageW(hwnd_, txtShown, WM_SETFONT, reinterpret_cast<WPARAM>(textFont.get()), TRUE);
            textFont_ = std::move(textFont);
        }
        font_ = std::move(font);
        RECT client{};
        GetClientRect(hwnd_, &client);
        Fit(client.right, client.bottom);
    }

private:
    // The text takes every change of the window's size; Close keeps to the bottom right corner.
    void Fit(int width, int height) {
        const TwipsPerPixel tpp = WindowTwipsPerPixel(hwnd_);
        const RECT button = PixelRect(kControls[2].Place, tpp);
        const RECT text = PixelRect(kControls[1].Place, tpp);
        const int left = static_cast<int>(text.left), top = static_cast<int>(text.top);
        const int margin = PixelsX(kMargin, tpp);
        const int buttonWidth = static_cast<int>(button.right - button.left);
        const int buttonHeight = static_cast<int>(button.bottom - button.top);
        const int buttonTop = height - margin - buttonHeight;
        MoveWindow(GetDlgItem(hwnd_, cmdClose), width - margin - buttonWidth, buttonTop, buttonWidth, buttonHeight,
                   TRUE);
        MoveWindow(GetDlgItem(hwnd_, txtShown), left, top, std::max(0, width - margin - left),
                   std::max(0, buttonTop - margin - top), TRUE);
    }

    const TextToRead& shown_;
    HWND hwnd_ = nullptr;
    unique_hfont font_;
    unique_hfont textFont_;
};

}  // namespace

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

void ShowTextWindow(HWND owner, const TextToRead& shown) {
    TextWindow window(shown);
    ShowModalDialog(owner, shown.Caption.c_str(), kDialogStyle, window);
}

}  // namespace rotaplex
