#include "message_box_answerer.h"

#include <stdexcept>

namespace rotaplex::test {

namespace {

thread_local MessageBoxAnswerer* current = nullptr;

constexpr int kTextId = 0xFFFF;  // the message box's text control

std::string Text(HWND window) {
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

MessageBoxAnswerer::Icon IconOf(HWND box) {
    HICON shown = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) {
            // The box itself is not on screen yet: look at the control's own visibility.
            const LONG style = GetWindowLongA(child, GWL_STYLE);
            if ((style & SS_TYPEMASK) != SS_ICON || !(style & WS_VISIBLE)) return TRUE;
            *reinterpret_cast<HICON*>(found) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&shown));
    if (!shown) return MessageBoxAnswerer::Icon::None;
    if (shown == LoadIconA(nullptr, IDI_QUESTION)) return MessageBoxAnswerer::Icon::Question;
    if (shown == LoadIconA(nullptr, IDI_ERROR)) return MessageBoxAnswerer::Icon::Error;
    return MessageBoxAnswerer::Icon::Other;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer(std::deque<int> answers) : answers_(std::move(answers)) {
    if (current) throw std::logic_error("one MessageBoxAnswerer per thread");
    hook_.reset(SetWindowsHookExA(WH_CBT, &Hook, nullptr, GetCurrentThreadId()));
    current = this;
}

MessageBoxAnswerer::~MessageBoxAnswerer() { current = nullptr; }

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    // Activation comes once the box is complete, just before it shows.
    if (code == HCBT_ACTIVATE && current) {
        const HWND window = reinterpret_cast<HWND>(wParam);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770") current->Answer(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::Answer(HWND box) {
    if (box == answered_) return;
    answered_ = box;
    const HWND owner = GetWindow(box, GW_OWNER);
    Boxes.push_back({Text(box), Text(GetDlgItem(box, kTextId)), IconOf(box), owner, owner && IsWindowVisible(owner)});
    int button = GetDlgItem(box, IDCANCEL) ? IDCANCEL : IDOK;
    if (!answers_.empty()) {
        button = answers_.front();
        answers_.pop_front();
    }
    // Posted: the box takes it once its own message loop runs.
    PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
}

}  // namespace rotaplex::test
