#include "modal_script.h"

namespace rotaplex::test {

namespace {
// The timer callback has no context of its own; one script plays at a time.
ModalScript* playing = nullptr;
}  // namespace

OwnerWindow::OwnerWindow()
    : window_(CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 100, 80, 600, 500, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr)) {}

ModalScript::ModalScript(std::string className, std::vector<Step> steps)
    : className_(std::move(className)), steps_(std::move(steps)), timer_(SetTimer(nullptr, 0, 1, &Tick)) {
    playing = this;
}

ModalScript::~ModalScript() {
    KillTimer(nullptr, timer_);
    playing = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!playing || playing->next_ == playing->steps_.size()) return;
    if (HWND window = playing->FindShownWindow()) playing->steps_[playing->next_++](window);
}

HWND ModalScript::FindShownWindow() const {
    struct Search {
        const std::string& className;
        HWND found = nullptr;
    } search{className_};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            if (s.className != name || !IsWindowVisible(window)) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TextOf(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void PostKey(WPARAM key) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 1); }

}  // namespace rotaplex::test
