#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/framework/modal_window.h"

namespace rotaplex::test {

// A plain shown top-level window at a known place, to own the windows under test.
class OwnerWindow {
public:
    OwnerWindow();
    HWND get() const { return window_.get(); }

private:
    unique_hwnd window_;
};

// The class of message boxes and of other dialogs made by the dialog manager.
inline constexpr const char* kDialogClass = "#32770";

// The icon a message box shows.
enum class BoxIcon { None, Question, Error, Other };

// One modal window as the script met it.
struct ShownWindow {
    std::string Class;
    std::string Title;
    std::string Text;  // a message box's message
    BoxIcon Icon;
    std::vector<int> Buttons;  // the standard buttons it offers (IDOK to IDNO), in id order
    HWND Owner;
    bool OwnerVisible;  // whether the owner was on screen when the window came up
};

// Answers the modal windows this thread shows (message boxes, dialogs, the skinned windows) as a
// user would, from inside their modal loops: a thread timer runs the next step on each tick once
// a shown window of the step's class is up. The system makes a timer message only when no posted
// message is waiting, so whatever a step posts (a key, a click) has been handled before the next
// step looks. A window that no step expects is closed without choosing anything (Cancel, No or
// OK; a close request otherwise), so that a test never hangs; it shows up in Shown as one too many.
class ModalScript {
public:
    using Action = std::function<void(HWND window)>;
    struct Step {
        std::string ClassName;
        Action Act;
    };

    explicit ModalScript(std::vector<Step> steps = {});
    // Every step on windows of one class.
    ModalScript(const std::string& className, const std::vector<Action>& actions);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    size_t StepsRun() const { return next_; }

    // Each modal window met, in order.
    std::vector<ShownWindow> Shown;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Play(HWND window);

    std::vector<Step> steps_;
    size_t next_ = 0;
    HWND met_ = nullptr;  // the window last put in Shown: several steps may play on one
    UINT_PTR timer_ = 0;
};

// A dialog's or a message box's button pressed as a click would.
ModalScript::Step Click(int button);
// A key pressed in a dialog, and a dialog's close box.
ModalScript::Step Key(WPARAM key);
ModalScript::Step CloseBox();
// Posts a key press to the control that has the focus, as the keyboard would send it.
void PostKey(WPARAM key);

// A mouse press on a window's surface at a point in twips, posted as the mouse would.
void PressAt(HWND window, float x, float y, UINT button = WM_LBUTTONDOWN);
// The mission properties window's painted OK and CANCEL, pressed in their middle.
void PressPropertiesOk(HWND window, UINT button = WM_LBUTTONDOWN);
void PressPropertiesCancel(HWND window, UINT button = WM_LBUTTONDOWN);
// Highlights a list entry as a click on it does: the selection, then the list's notification.
void ChooseEntry(HWND window, int listId, int entry);

// The text of a window or control.
std::string TextOf(HWND window);

}  // namespace rotaplex::test
