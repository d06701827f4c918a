#pragma once

#include <windows.h>

#include <string>

#include "common/reporter.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

inline constexpr const char* kAppTitle = "Rotaplex";

// A standard message box; the texts are UTF-8 (paths may hold any character). Returns the
// button pressed.
inline int ShowMessage(HWND owner, const std::string& text, const char* title, UINT style) {
    return MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), style);
}

// A question with Yes and No and the question icon, titled with the program's name.
inline bool AskYesNo(HWND owner, const std::string& question) {
    return ShowMessage(owner, question, kAppTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// Problems with input files, told in a modal box with an OK button and no icon.
class MessageBoxReporter : public Reporter {
public:
    explicit MessageBoxReporter(HWND owner = nullptr) : owner_(owner) {}
    void Report(const std::string& text) override { ShowMessage(owner_, text, kAppTitle, MB_OK); }

private:
    HWND owner_;
};

}  // namespace rotaplex
