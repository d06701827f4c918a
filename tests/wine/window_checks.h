#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace rotaplex::test {

struct PixelCase {
    int X, Y;
    bool Inside;
};

// Checks on real windows shared by the window tests.

// The skinned windows' outlines at 15 twips per pixel.
inline const std::vector<PixelCase> kMainOutlinePixels{
    {100, 100, true}, {241, 331, true}, {250, 30, true}, {0, 0, true},
    {242, 100, false}, {241, 332, false}, {250, 3, false}, {250, 50, false}};
inline const std::vector<PixelCase> kPropertiesOutlinePixels{
    {370, 345, true}, {380, 30, true}, {371, 100, false}, {380, 2, false}, {380, 50, false}};

inline void ExpectPixels(HRGN outline, const std::vector<PixelCase>& cases) {
    for (const PixelCase& c : cases)
        EXPECT_EQ(PtInRegion(outline, c.X, c.Y) != 0, c.Inside) << "pixel " << c.X << ", " << c.Y;
}

// Whether a press, sent as its button-down message at a client pixel, starts the system's move
// loop. That loop ends only on a left button-up: one waiting in the queue is taken if the press
// started it, and stays there if not.
inline bool PressStartsMove(HWND window, UINT press, POINT at) {
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(window, press, 0, MAKELPARAM(at.x, at.y));
    MSG left{};
    return !PeekMessageA(&left, window, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE);
}

// Until the window's read of its game folder is handed over, its messages handled meanwhile as
// the program's message loop would.
template <typename Window>
void AwaitReady(const Window& window) {
    MSG message{};
    while (!window.Ready() && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Text read with the wide calls, in the ANSI code page the program works in.
inline std::string Narrow(const std::wstring& wide) {
    std::string text(wide.size() * 2, '\0');
    text.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                    static_cast<int>(text.size()), nullptr, nullptr));
    return text;
}

// A list box's rows as the user sees them: text and item data. Works across processes too;
// there Wine hands an ANSI caller of LB_GETTEXT wide characters, so ask for them.
using ListRow = std::pair<std::string, LRESULT>;
inline ListRow ListRowAt(HWND list, LRESULT i) {
    std::wstring wide(SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
    wide.resize(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data())));
    return {Narrow(wide), SendMessageW(list, LB_GETITEMDATA, i, 0)};
}
inline std::vector<ListRow> ListRows(HWND list) {
    std::vector<ListRow> rows;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) rows.push_back(ListRowAt(list, i));
    return rows;
}

// The clipboard's text as another program reads it: CF_TEXT's bytes, or CF_UNICODETEXT in the
// ANSI code page.
inline std::string ClipboardBytes(UINT format) {
    if (!OpenClipboard(nullptr)) return "(not opened)";
    std::string bytes = "(none)";
    if (const HGLOBAL memory = GetClipboardData(format)) {
        const void* data = GlobalLock(memory);
        bytes = format == CF_UNICODETEXT ? Narrow(static_cast<const wchar_t*>(data)) : static_cast<const char*>(data);
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return bytes;
}

// The rows a list box has selected, asked row by row so that it works across processes too.
inline std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        if (SendMessageW(list, LB_GETSEL, i, 0) > 0) rows.push_back(i);
    return rows;
}

inline std::string ClassOf(HWND window) {
    char kind[64] = "";
    GetClassNameA(window, kind, sizeof kind);
    return kind;
}

// An owner-drawn push button: how a painted command shows itself to whoever walks the windows.
inline bool IsPaintedCommand(HWND window) {
    return lstrcmpiA(ClassOf(window).c_str(), "Button") == 0 &&
           (GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

// A tool of a window's tooltip control: its rectangle in the window's pixels and its text.
struct Tip {
    RECT At;
    std::string Text;
    bool operator==(const Tip& other) const { return EqualRect(&At, &other.At) && Text == other.Text; }
};

// The tools of the tooltip control that window owns, in the order they were added; a tool that is
// a control of the window at that control's rectangle.
inline std::vector<Tip> TipsOf(HWND window) {
    HWND tips = nullptr;
    while ((tips = FindWindowExA(nullptr, tips, TOOLTIPS_CLASSA, nullptr)) && GetWindow(tips, GW_OWNER) != window) {
    }
    std::vector<Tip> found;
    const auto count = tips ? SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0) : 0;
    for (LRESULT i = 0; i < count; ++i) {
        char text[128] = "";
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        SendMessageA(tips, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool));
        if (tool.uFlags & TTF_IDISHWND) {
            GetWindowRect(reinterpret_cast<HWND>(tool.uId), &tool.rect);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&tool.rect), 2);
        }
        found.push_back({tool.rect, text});
    }
    return found;
}

}  // namespace rotaplex::test
