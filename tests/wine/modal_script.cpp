#include "modal_script.h"

#include <stdexcept>

#include "ui/framework/display_scale.h"

namespace rotaplex::test {

namespace {

// The timer callback has no context of its own; one script plays at a time.
ModalScript* playing = nullptr;

constexpr int kMessageId = 0xFFFF;  // a message box's text control

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

BoxIcon IconOf(HWND window) {
    HICON shown = nullptr;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
            const LONG style = GetWindowLongA(child, GWL_STYLE);
            if ((style & SS_TYPEMASK) != SS_ICON || !(style & WS_VISIBLE)) return TRUE;
            *reinterpret_cast<HICON*>(found) = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&shown));
    if (!shown) return BoxIcon::None;
    if (shown == LoadIconA(nullptr, IDI_QUESTION)) return BoxIcon::Question;
    if (shown == LoadIconA(nullptr, IDI_ERROR)) return BoxIcon::Error;
    return BoxIcon::Other;
}

std::vector<int> ButtonsOf(HWND window) {
    std::vector<int> buttons;
    for (int id = IDOK; id <= IDNO; ++id)
        if (GetDlgItem(window, id)) buttons.push_back(id);
    return buttons;
}

// The thread's shown modal window: a dialog, or any window with an owner.
HWND ModalWindowUp() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            if (!IsWindowVisible(window) || (!GetWindow(window, GW_OWNER) && ClassOf(window) != kDialogClass))
                return TRUE;
            *reinterpret_cast<HWND*>(context) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Leaves a window as a user would who chooses nothing.
void CloseUnchosen(HWND window) {
    for (const int button : {IDCANCEL, IDNO, IDOK}) {
        if (HWND control = GetDlgItem(window, button)) {
            PostMessageA(control, BM_CLICK, 0, 0);
            return;
        }
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace

OwnerWindow::OwnerWindow()
    : window_(CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 100, 80, 600, 500, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr)) {}

ModalScript::ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    if (playing) throw std::logic_error("one ModalScript at a time");
    timer_ = SetTimer(nullptr, 0, 1, &Tick);
    playing = this;
}

ModalScript::ModalScript(const std::string& className, const std::vector<Action>& actions) : ModalScript() {
    for (const Action& action : actions) steps_.push_back({className, action});
}

ModalScript::~ModalScript() {
    KillTimer(nullptr, timer_);
    playing = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!playing) return;
    if (HWND window = ModalWindowUp()) playing->Play(window);
}

void ModalScript::Play(HWND window) {
    const std::string className = ClassOf(window);
    if (window != met_) {
        met_ = window;
        const HWND owner = GetWindow(window, GW_OWNER);
        Shown.push_back({className, TextOf(window), TextOf(GetDlgItem(window, kMessageId)), IconOf(window),
                         ButtonsOf(window), owner,
                         owner && IsWindowVisible(owner)});
    }
    if (next_ < steps_.size() && steps_[next_].ClassName == className)
        steps_[next_++].Act(window);
    else
        CloseUnchosen(window);
}

ModalScript::Step Click(int button) {
    return {kDialogClass, [button](HWND dialog) { PostMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0); }};
}

ModalScript::Step Key(WPARAM key) {
    return {kDialogClass, [key](HWND) { PostKey(key); }};
}

ModalScript::Step CloseBox() {
    return {kDialogClass, [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }};
}

void PostKey(WPARAM key) { PostMessageA(GetFocus(), WM_KEYDOWN, key, 1); }

void PressAt(HWND window, float x, float y, UINT button) {
    const TwipsPerPixel tpp = WindowTwipsPerPixel(window);
    PostMessageA(window, button, 0, MAKELPARAM(PixelsX(x, tpp), PixelsY(y, tpp)));
}

void PressPropertiesOk(HWND window, UINT button) { PressAt(window, 4000, 5000, button); }
void PressPropertiesCancel(HWND window, UINT button) { PressAt(window, 5000, 5000, button); }

void ChooseEntry(HWND window, int listId, int entry) {
    HWND list = GetDlgItem(window, listId);
    if (GetWindowLongPtrA(list, GWL_STYLE) & LBS_EXTENDEDSEL) {
        // A plain click in a list that selects many: that row alone, with the focus.
        SendMessageA(list, LB_SETSEL, FALSE, -1);
        SendMessageA(list, LB_SETSEL, TRUE, entry);
        SendMessageA(list, LB_SETCARETINDEX, entry, FALSE);
    } else {
        SendMessageA(list, LB_SETCURSEL, entry, 0);
    }
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Asked of the window itself: for another program's text box GetWindowText gives only the text it
// was created with.
std::string TextOf(HWND window) {
    std::string text(static_cast<size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(
        SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

}  // namespace rotaplex::test
