#pragma once

#include <windows.h>

#include <string>

#include "cycle/win/unique_handle.h"

namespace rotaplex::test {

// The real Rotaplex.exe (from ROTAPLEX_EXE), started as the operator starts it and watched
// from outside. A program still running at the end of the test is ended.
class StartedProgram {
public:
    // arguments: the command line after the program's name, as the operator would type it.
    explicit StartedProgram(const std::string& arguments = "");
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // The program's shown top-level window of that class (and caption and owner, where given).
    HWND ShownWindow(const char* className, const char* caption = nullptr, HWND owner = nullptr) const;

    // Polls, a bounded number of times, until done() holds; false if the program ended first or
    // it never did.
    template <typename Done>
    bool WaitUntil(Done done, int tries = 400, DWORD interval = 50) const {
        for (; tries > 0; --tries) {
            if (done()) return true;
            if (WaitForSingleObject(process_.get(), interval) != WAIT_TIMEOUT) return false;
        }
        return false;
    }

    // The program's shown window of that class (with that caption and owner, where given),
    // waited for a while; nullptr when the program ended or none came.
    HWND WaitForWindow(const char* className, const char* caption = nullptr, HWND owner = nullptr) const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = ShownWindow(className, caption, owner)) != nullptr; });
        return found;
    }

    // The program's main window when it is shown with its game folder read: its list then takes
    // input. nullptr otherwise.
    HWND ReadyMainWindow() const {
        const HWND main = ShownWindow("frmSrvCyc");
        return main && IsWindowEnabled(FindWindowExA(main, nullptr, "ListBox", nullptr)) ? main : nullptr;
    }
    // The same, waited for a while; nullptr when the program ended or it never came.
    HWND WaitForMainWindow() const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = ReadyMainWindow()) != nullptr; });
        return found;
    }

    // The exit code once it has ended, STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    // The same once it has ended, STILL_ACTIVE if it does not end in time.
    DWORD WaitForExit() const {
        WaitForSingleObject(process_.get(), 20000);
        return ExitCode();
    }

protected:
    unique_hfile process_;
    DWORD id_ = 0;
};

}  // namespace rotaplex::test
