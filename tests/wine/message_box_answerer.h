#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "cycle/win/unique_handle.h"

namespace rotaplex::test {

// Answers the message boxes this thread shows while it lives, as a user would: each box is
// recorded and gets the next scripted button pressed. A box with no answer left is closed
// (Cancel, else OK) so that a test never hangs, and shows up in Boxes as one too many.
class MessageBoxAnswerer {
public:
    enum class Icon { None, Question, Error, Other };
    struct Box {
        std::string Title;
        std::string Text;
        Icon Icon;
        HWND Owner;
        bool OwnerVisible;  // whether the owner was on screen when the box came up
    };

    explicit MessageBoxAnswerer(std::deque<int> answers = {});
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<Box> Boxes;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Answer(HWND box);

    struct Unhook { void operator()(HHOOK h) const { UnhookWindowsHookEx(h); } };
    std::deque<int> answers_;
    HWND answered_ = nullptr;  // a box activated again is not answered twice
    UniqueHandle<HHOOK, Unhook> hook_;
};

}  // namespace rotaplex::test
