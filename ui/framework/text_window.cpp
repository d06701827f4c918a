#include "ui/framework/text_window.h"

#include <array>
#include <utility>

#include "ui/framework/child_controls.h"
#include "ui/framework/dialog_template.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/modal_window.h"

namespace rotaplex {

namespace {

using namespace textwindow;

constexpr int kClientWidth = 6000;   // twips
constexpr int kClientHeight = 6300;  // twips
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

constexpr std::array<ControlSpec, 2> kControls{{
    {txtShown, "EDIT", "",
     WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0,
     {120, 120, 5760, 5520}},
    {cmdClose, "BUTTON", "Close", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, {4905, 5805, 975, 375}},
}};

class TextWindow {
public:
    explicit TextWindow(const std::string& text) : text_(text) {}

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
        EndDialog(hwnd_, IDOK);
        return TRUE;
    }

    void Load(HWND hwnd) {
        hwnd_ = hwnd;
        PlaceCentredOver(hwnd_, GetWindow(hwnd_, GW_OWNER), kClientWidth, kClientHeight);
        CreateControls(hwnd_, kControls);
        LayOut();
        SetDlgItemTextA(hwnd_, txtShown, WithCrLf(text_).c_str());
        SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd_, cmdClose)), TRUE);
    }

    // The controls at the window's display scale: on opening and when the scale changes.
    void LayOut() {
        unique_hfont font = MessageFont(WindowDpi(hwnd_));
        LayOutControls(hwnd_, kControls, WindowTwipsPerPixel(hwnd_), font.get());
        font_ = std::move(font);
    }

private:
    const std::string& text_;
    HWND hwnd_ = nullptr;
    unique_hfont font_;
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

void ShowTextWindow(HWND owner, const wchar_t* caption, const std::string& text) {
    TextWindow window(text);
    ShowModalDialog(owner, caption, kDialogStyle, window);
}

}  // namespace rotaplex
