#pragma once

#include <windows.h>

#include <string>

#include "common/reporter.h"

namespace rotaplex {

inline constexpr const char* kAppTitle = "Rotaplex";

// Problems with input files, told in a modal box with an OK button and no icon.
class MessageBoxReporter : public Reporter {
public:
    explicit MessageBoxReporter(HWND owner = nullptr) : owner_(owner) {}
    void Report(const std::string& text) override {
        MessageBoxA(owner_, text.c_str(), kAppTitle, MB_OK);
    }

private:
    HWND owner_;
};

}  // namespace rotaplex
