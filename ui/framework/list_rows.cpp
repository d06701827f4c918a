#include "ui/framework/list_rows.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace rotaplex {

namespace {

constexpr int kPadding = 2;  // pixels before the text, as a plain list box leaves
constexpr std::string_view kNoteGap = " ";
constexpr int kNumberGap = 6;  // pixels between a row's number and its text

constexpr UINT_PTR kRowsId = 1;

// A subclass hears a list box's messages in wide characters, the system converting for a caller
// that asks in the ANSI code page, in which the rows are written.
std::wstring WideRowText(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

LRESULT CALLBACK RowsProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    const auto& rows = *reinterpret_cast<const ListRowSource*>(data);
    const int row = static_cast<int>(wParam);
    const bool inside = row >= 0 && row < DefSubclassProc(hwnd, LB_GETCOUNT, 0, 0);
    switch (message) {
    case LB_GETITEMDATA:
        return inside ? rows.RowData(row) : LB_ERR;
    case LB_GETTEXTLEN:
        return inside ? static_cast<LRESULT>(WideRowText(rows.RowText(row)).size()) : LB_ERR;
    case LB_GETTEXT: {
        if (!inside) return LB_ERR;
        const std::wstring text = WideRowText(rows.RowText(row));
        std::memcpy(reinterpret_cast<wchar_t*>(lParam), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        return static_cast<LRESULT>(text.size());
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &RowsProc, id);
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

std::string ListRowText(std::string_view text, std::string_view note) {
    std::string line(text);
    if (!note.empty()) line.append(kNoteGap).append(note);
    return line;
}

void DrawListRow(const DRAWITEMSTRUCT& item, std::string_view text, std::string_view note, RowNumber number) {
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int ink = selected ? COLOR_HIGHLIGHTTEXT : note.empty() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT;
    SetTextColor(item.hDC, GetSysColor(ink));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT area = item.rcItem;
    area.left += kPadding;
    if (number.Width > 0) {
        RECT column = area;
        column.right = area.left + number.Width - kNumberGap;
        DrawTextA(item.hDC, number.Text.data(), static_cast<int>(number.Text.size()), &column,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX | DT_NOCLIP);
        area.left += number.Width;
    }
    const std::string line = ListRowText(text, note);
    DrawTextA(item.hDC, line.c_str(), static_cast<int>(line.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

void FitRowHeight(HWND list) { SendMessageA(list, LB_SETITEMHEIGHT, 0, ListRowMeasure(list).Height()); }

ListRowMeasure::ListRowMeasure(HWND list)
    : dc_(list), font_(dc_.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0))) {
    CPINFO codePage{};
    std::array<int, 256> advances{};
    if (GetCPInfo(CP_ACP, &codePage) && codePage.MaxCharSize == 1 && GetCharWidth32A(dc_.get(), 0, 255, advances.data()))
        advances_ = advances;
}

int ListRowMeasure::Height() const {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_.get(), &metrics);
    return metrics.tmHeight;
}

int ListRowMeasure::Width(std::string_view text, std::string_view note) const {
    const std::string line = ListRowText(text, note);
    int width = 0;
    if (advances_) {
        for (const char c : line) width += (*advances_)[static_cast<unsigned char>(c)];
    } else {
        SIZE size{};
        GetTextExtentPoint32A(dc_.get(), line.c_str(), static_cast<int>(line.size()), &size);
        width = size.cx;
    }
    return width + 2 * kPadding;
}

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageA(list, LB_GETSELCOUNT, 0, 0))));
    if (rows.empty()) return rows;
    rows.resize(static_cast<std::size_t>(std::max<LRESULT>(
        0, SendMessageA(list, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data())))));
    return rows;
}

int CaretRow(HWND list) {
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) <= 0) return -1;
    return static_cast<int>(SendMessageA(list, LB_GETCARETINDEX, 0, 0));
}

void SelectRows(HWND list, const std::vector<RowRun>& runs) {
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    for (const RowRun& run : runs)
        if (run.Count > 0) SendMessageA(list, LB_SELITEMRANGEEX, run.First, run.First + run.Count - 1);
}

void PlaceCaret(HWND list, int anchor, int caret) {
    SendMessageA(list, LB_SETANCHORINDEX, anchor, 0);
    SendMessageA(list, LB_SETCARETINDEX, caret, FALSE);
}

int ListRowMeasure::NumberWidth(std::string_view widest) const {
    SIZE size{};
    GetTextExtentPoint32A(dc_.get(), widest.data(), static_cast<int>(widest.size()), &size);
    return size.cx + kNumberGap;
}

void AnswerFromRows(HWND list, const ListRowSource& rows) {
    SetWindowSubclass(list, &RowsProc, kRowsId, reinterpret_cast<DWORD_PTR>(&rows));
    // The list box took its own style when it was made: the style it now shows tells a reader in
    // another process (a screen reader's list proxy, the system's copying of the text between
    // processes) that its items have texts to ask for.
    SetWindowLongPtrA(list, GWL_STYLE, GetWindowLongPtrA(list, GWL_STYLE) | LBS_HASSTRINGS);
}

}  // namespace rotaplex
