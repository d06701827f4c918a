#include "ui/framework/aside_question.h"

#include <utility>

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

// The box's Help button is the one that answers nothing: it gets the aside's name.
LRESULT CALLBACK Named(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && asked)
        if (const HWND help = GetDlgItem(reinterpret_cast<HWND>(wParam), IDHELP)) SetWindowTextW(help, asked->Aside);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK Pressed(LPHELPINFO) {
    if (asked) (*asked->Show)(GetActiveWindow());
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
    box.lpfnMsgBoxCallback = &Pressed;
    const int answer = MessageBoxIndirectW(&box);
    asked = outer;
    return answer;
}

}  // namespace rotaplex
