#include "ui/skin/skin_button.h"

#include <commctrl.h>

#include "cycle/win/wide_path.h"
#include "ui/framework/gdi_handles.h"

namespace rotaplex {

namespace {

constexpr UINT_PTR kEnterId = 1;

// An owner-drawn button is no push button to the dialog keys: saying it is the default one lets
// Enter press it while it has the focus. The dialog keys then restyle the default button as the
// focus moves, which would make it a plain push button: it keeps its style.
LRESULT CALLBACK EnterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_GETDLGCODE) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (message == BM_SETSTYLE) return 0;
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &EnterProc, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Every other pixel of area darkened: the light label of a command that cannot run now shows
// greyed on the face.
void Dim(HDC dc, const RECT& area) {
    static constexpr WORD kEveryOther[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    const unique_hbitmap pattern(CreateBitmap(8, 8, 1, 1, kEveryOther));
    const unique_hbrush brush(CreatePatternBrush(pattern.get()));
    SelectedObject inDc(dc, brush.get());
    // A monochrome pattern paints its 0 bits in the text colour, its 1 bits in the background's.
    SetTextColor(dc, RGB(0x60, 0x60, 0x60));
    SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD kDestinationAndPattern = 0x00A000C9;
    PatBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, kDestinationAndPattern);
}

}  // namespace

HWND MakeSkinButton(HWND parent, int id, const std::string& name) {
    const HWND button = CreateWindowExW(0, L"BUTTON", Widen(name).c_str(),
                                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                        nullptr);
    SetWindowSubclass(button, &EnterProc, kEnterId, 0);
    return button;
}

void DrawSkinButton(const DRAWITEMSTRUCT& item, HBITMAP face, bool plain) {
    RECT area = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    if (plain) {
        DrawFrameControl(item.hDC, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
        wchar_t name[64] = L"";
        GetWindowTextW(item.hwndItem, name, 64);
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        // A name too wide for the button is cut short, down to its first letter on the smallest.
        RECT need = area;
        DrawTextW(item.hDC, name, -1, &need, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        const bool tiny = area.right - area.left < 2 * (need.bottom - need.top);
        DrawTextW(item.hDC, name, tiny ? 1 : -1, &area,
                  DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    } else {
        POINT origin{};
        MapWindowPoints(item.hwndItem, GetParent(item.hwndItem), &origin, 1);
        unique_memory_dc faceDc(CreateCompatibleDC(item.hDC));
        SelectedObject intoFace(faceDc.get(), face);
        BitBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top, faceDc.get(), origin.x,
               origin.y, SRCCOPY);
        if (item.itemState & ODS_DISABLED) Dim(item.hDC, area);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        InflateRect(&area, -1, -1);
        DrawFocusRect(item.hDC, &area);
    }
}

}  // namespace rotaplex
