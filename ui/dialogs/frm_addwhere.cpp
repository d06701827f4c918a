#include "ui/dialogs/frm_addwhere.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/framework/child_controls.h"
#include "ui/framework/dialog_template.h"
#include "ui/framework/display_scale.h"
#include "ui/framework/gdi_handles.h"
#include "ui/framework/modal_window.h"

namespace rotaplex {

namespace {

using namespace addwhere;

constexpr int kClientWidth = 3480;   // twips
constexpr int kClientHeight = 1185;  // twips
constexpr std::wstring_view kCaption = L"Add Mission";
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// What a static control draws beside its text's own width.
constexpr int kLabelSlack = 2;  // pixels

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
// Entry texts may hold "&", which must show rather than underline; one too wide for the screen
// ends in an ellipsis.
constexpr DWORD kCentredLabel = SS_CENTER | SS_NOPREFIX | SS_ENDELLIPSIS;

constexpr std::array<ControlSpec, 4> kControls{{
    {cmdBefore, "BUTTON", "Add &Before", kButton, 0, {240, 60, 1635, 375}},
    {cmdAfter, "BUTTON", "&Add After", kButton, 0, {240, 720, 1635, 375}},
    {cmdCancel, "BUTTON", "Cancel", kButton, 0, {2400, 360, 975, 375}},
    // A line of the message font at every scale, between the two add buttons.
    {Label1, "STATIC", "", kCentredLabel, 0, {60, 450, 2055, 240}},
}};

class frmAddwhere {
public:
    explicit frmAddwhere(const std::string& entryText) : entryText_(entryText) {}

    int16_t ShowModal(HWND owner) {
        ShowModalDialog(owner, kCaption, kDialogStyle, *this);
        return AddPosition;
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
        switch (LOWORD(wParam)) {
            case cmdBefore: cmdBefore_Click(); return TRUE;
            case cmdAfter: cmdAfter_Click(); return TRUE;
            case cmdCancel: cmdCancel_Click(); return TRUE;
        }
        return FALSE;
    }

    void Load(HWND hwnd) {
        hwnd_ = hwnd;
        PlaceCentredOver(hwnd_, GetWindow(hwnd_, GW_OWNER), kClientWidth, kClientHeight);
        CreateControls(hwnd_, kControls);
        SetDlgItemTextA(hwnd_, Label1, entryText_.c_str());
        LayOut();
        // Through the dialog manager, so that the focused button is the one Enter presses.
        SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd_, cmdBefore)), TRUE);
    }

    // The controls at the dialog's display scale, as wide as the entry's text needs: on opening
    // and when the scale changes.
    void LayOut() {
        unique_hfont font = MessageFont(WindowDpi(hwnd_));
        LayOutControls(hwnd_, kControls, WindowTwipsPerPixel(hwnd_), font.get());
        font_ = std::move(font);
        if (const int wider = MissingLabelWidth(); wider > 0) Widen(wider);
    }

private:
    // Pixels the label lacks for the entry's whole text, no more than the screen has room for.
    int MissingLabelWidth() const {
        const HWND label = GetDlgItem(hwnd_, Label1);
        const WindowDc dc(label);
        const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        SIZE text{};
        GetTextExtentPoint32A(dc.get(), entryText_.c_str(), static_cast<int>(entryText_.size()), &text);
        RECT labelRect{}, dialogRect{}, screen{};
        GetClientRect(label, &labelRect);
        GetWindowRect(hwnd_, &dialogRect);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
        const int lacking = text.cx + kLabelSlack - labelRect.right;
        const int room = (screen.right - screen.left) - (dialogRect.right - dialogRect.left);
        return std::min(lacking, room);
    }

    // The label grows, the add buttons stay centred over it and Cancel keeps to its right.
    void Widen(int pixels) {
        const auto shift = [&](int id, int dx, int dw) {
            const HWND control = GetDlgItem(hwnd_, id);
            RECT r{};
            GetWindowRect(control, &r);
            MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
            MoveWindow(control, r.left + dx, r.top, r.right - r.left + dw, r.bottom - r.top, FALSE);
        };
        shift(Label1, 0, pixels);
        shift(cmdBefore, pixels / 2, 0);
        shift(cmdAfter, pixels / 2, 0);
        shift(cmdCancel, pixels, 0);
        const int widerTwips = static_cast<int>(TwipsX(pixels, WindowTwipsPerPixel(hwnd_)));
        PlaceCentredOver(hwnd_, GetWindow(hwnd_, GW_OWNER), kClientWidth + widerTwips, kClientHeight);
    }

    void cmdBefore_Click() { Unload(kAddBefore); }
    void cmdAfter_Click() { Unload(kAddAfter); }
    void cmdCancel_Click() { Unload(kAddCancelled); }

    void Unload(int16_t position) {
        AddPosition = position;
        EndDialog(hwnd_, 0);
    }

    const std::string& entryText_;
    HWND hwnd_ = nullptr;
    unique_hfont font_;
    int16_t AddPosition = kAddCancelled;
};

}  // namespace

int16_t ShowAddPosition(HWND owner, const std::string& entryText) {
    return frmAddwhere(entryText).ShowModal(owner);
}

}  // namespace rotaplex
