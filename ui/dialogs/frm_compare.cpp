#include "ui/dialogs/frm_compare.h"

#include <algorithm>
#include <array>
#include <utility>

#include "cycle/win/wide_path.h"
#include "ui/framework/child_controls.h"
#include "ui/framework/dialog_template.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/gdi_handles.h"
#include "ui/framework/modal_window.h"
#include "ui/framework/text_window.h"

namespace rotaplex {

namespace {

using namespace frmcompare;

constexpr int kClientWidth = 8640;   // twips: some 80 columns of the diff
constexpr int kClientHeight = 5760;  // twips
constexpr int kMargin = 120;         // twips
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;
constexpr int lblDiff = 300;

// The label names the text for a screen reader; the text fills what the label and Close leave.
constexpr std::array<ControlSpec, 3> kControls{{
    {lblDiff, "STATIC", "&Differences: - on disk, + in the editor", SS_LEFT, 0, {kMargin, kMargin, 8400, 240}},
    {txtDiff, "EDIT", "",
     WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
     0, {kMargin, 420, 8400, 4740}},
    {cmdClose, "BUTTON", "Close", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, {7545, 5280, 975, 375}},
}};

class frmCompare {
public:
    explicit frmCompare(const std::string& diff) : diff_(diff) {}

    void ShowModal(HWND owner, const std::string& file) {
        ShowModalDialog(owner, Widen("Compare: " + file), kDialogStyle, *this);
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) != cmdClose) return FALSE;
            EndDialog(hwnd_, cmdClose);  // Close, Esc and the close box
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
        const HWND text = GetDlgItem(hwnd_, txtDiff);
        SendMessageW(text, EM_SETLIMITTEXT, 0, 0);
        SetWindowTextW(text, Widen(WithCrLf(diff_)).c_str());
        SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(text), TRUE);
        SendMessageW(text, EM_SETSEL, 0, 0);
    }

    void LayOut() {
        const unsigned dpi = WindowDpi(hwnd_);
        unique_hfont font = MessageFont(dpi);
        LayOutControls(hwnd_, kControls, WindowTwipsPerPixel(hwnd_), font.get());
        LOGFONTW fixed{};
        GetObjectW(font.get(), sizeof fixed, &fixed);
        fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpyW(fixed.lfFaceName, L"Courier New");
        unique_hfont diffFont(CreateFontIndirectW(&fixed));
        SendDlgItemMessageW(hwnd_, txtDiff, WM_SETFONT, reinterpret_cast<WPARAM>(diffFont.get()), TRUE);
        font_ = std::move(font);
        diffFont_ = std::move(diffFont);
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
        MoveWindow(GetDlgItem(hwnd_, txtDiff), left, top, std::max(0, width - margin - left),
                   std::max(0, buttonTop - margin - top), TRUE);
    }

    const std::string& diff_;
    HWND hwnd_ = nullptr;
    unique_hfont font_;
    unique_hfont diffFont_;
};

}  // namespace

void ShowCompare(HWND owner, const std::string& file, const std::string& diff) {
    frmCompare(diff).ShowModal(owner, file);
}

}  // namespace rotaplex
