#include "ui/framework/text_question.h"

#include <array>
#include <utility>

#include "ui/framework/child_controls.h"
#include "ui/framework/dialog_template.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/modal_window.h"

namespace rotaplex {

namespace {

using namespace textquestion;

constexpr int kClientWidth = 3480;   // twips
constexpr int kClientHeight = 1395;  // twips
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

constexpr std::array<ControlSpec, 4> kControls{{
    {lblPrompt, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, {120, 120, 3240, 240}},
    {txtAnswer, "EDIT", "", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, {120, 420, 3240, 315}},
    {cmdOk, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, {1320, 900, 975, 375}},
    {cmdCancel, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, {2385, 900, 975, 375}},
}};

class TextDialog {
public:
    explicit TextDialog(const TextQuestion& question) : question_(question) {}

    std::optional<std::string> ShowModal(HWND owner) {
        ShowModalDialog(owner, question_.Caption, kDialogStyle, *this);
        return answer_;
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
        if (LOWORD(wParam) == cmdOk) Take();
        if (LOWORD(wParam) == cmdOk || LOWORD(wParam) == cmdCancel) EndDialog(hwnd_, LOWORD(wParam));
        return TRUE;
    }

    void Load(HWND hwnd) {
        hwnd_ = hwnd;
        PlaceCentredOver(hwnd_, GetWindow(hwnd_, GW_OWNER), kClientWidth, kClientHeight);
        CreateControls(hwnd_, kControls);
        LayOut();
        SetDlgItemTextA(hwnd_, lblPrompt, question_.Prompt.c_str());
        SetDlgItemTextA(hwnd_, txtAnswer, question_.Initial.c_str());
        SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd_, txtAnswer)), TRUE);
        SendDlgItemMessageA(hwnd_, txtAnswer, EM_SETSEL, 0, -1);
    }

    // The controls at the dialog's display scale: on opening and when the scale changes.
    void LayOut() {
        unique_hfont font = MessageFont(WindowDpi(hwnd_));
        LayOutControls(hwnd_, kControls, WindowTwipsPerPixel(hwnd_), font.get());
        font_ = std::move(font);
    }

private:
    void Take() {
        const HWND box = GetDlgItem(hwnd_, txtAnswer);
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(box)) + 1, '\0');
        text.resize(static_cast<std::size_t>(GetWindowTextA(box, text.data(), static_cast<int>(text.size()))));
        answer_ = std::move(text);
    }

    const TextQuestion& question_;
    HWND hwnd_ = nullptr;
    unique_hfont font_;
    std::optional<std::string> answer_;
};

}  // namespace

std::optional<std::string> AskForText(HWND owner, const TextQuestion& question) {
    return TextDialog(question).ShowModal(owner);
}

}  // namespace rotaplex
