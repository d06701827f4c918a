#include "ui/framework/aside_question.h"

#include <utility>

#include <commctrl.h>

#include "common/unique_handle.h"

namespace rotaplex {

namespace {

struct Unhook { void operator()(HHOOK h) const { UnhookWindowsHookEx(h); } };
using unique_hhook = UniqueHandle<HHOOK, Unhook>;

// The question being asked on this thread: the box's callbacks have no context of their own.
struct Asked {
    const wchar_t* Aside;
    const std::function<void(HWND)>* Show;
};
thread_local const Asked* asked = nullptr;

void Show(HWND box) {
    if (asked) (*asked->Show)(box);
}

// The press of the button, taken before the box's own handling (which Wine leaves undone).
LRESULT CALLBACK Pressed(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDHELP) {
        Show(box);
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(box, &Pressed, 0);
    return DefSubclassProc(box, message, wParam, lParam);
}

// F1 in the box: the same.
void CALLBACK Helped(LPHELPINFO) { Show(GetActiveWindow()); }

// The box's Help button is the one that answers nothing: it gets the aside's name and deed.
LRESULT CALLBACK Named(int code, WPARAM wParam, LPARAM lParam) {
    const auto box = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && asked)
        if (const HWND help = GetDlgItem(box, IDHELP)) {
            SetWindowTextW(help, asked->Aside);
            SetWindowSubclass(box, &Pressed, 0, 0);
        }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int AskWithAside(HWND owner, const std::wstring& text, const std::wstring& title, UINT style, const wchar_t* aside,
                 const std::function<void(HWND box)>& show) {
    const Asked question{aside, &show};
    const Asked* outer = std::exchange(asked, &question);
    const unique_hhook hook(SetWindowsHookExW(WH_CBT, &Named, nullptr, GetCurrentThreadId()));
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = owner;
    box.lpszText = text.c_str();
    box.lpszCaption = title.c_str();
    box.dwStyle = style | MB_HELP;
    box.lpfnMsgBoxCallback = &Helped;
    const int answer = MessageBoxIndirectW(&box);
    asked = outer;
    return answer;
}

}  // namespace rotaplex
