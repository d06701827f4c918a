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

// Plays steps against a modal window of this thread from inside its modal loop: a thread timer
// runs the next step on each tick once a shown window of the class exists. The system makes a
// timer message only when no posted message is waiting, so whatever a step posts (a key, a
// click) has been handled before the next step looks.
class ModalScript {
public:
    using Step = std::function<void(HWND window)>;

    ModalScript(std::string className, std::vector<Step> steps);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    size_t StepsRun() const { return next_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    HWND FindShownWindow() const;

    std::string className_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_;
};

// The text of a window or control.
std::string TextOf(HWND window);

// Posts a key press to the control that has the focus, as the keyboard would send it.
void PostKey(WPARAM key);

}  // namespace rotaplex::test
