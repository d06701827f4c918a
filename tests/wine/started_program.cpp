#include "started_program.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "test_folder.h"

namespace rotaplex::test {

StartedProgram::StartedProgram(const std::string& arguments) {
    const char* exe = std::getenv("ROTAPLEX_EXE");
    if (!exe) throw std::runtime_error("ROTAPLEX_EXE is not set");
    std::string commandLine = "\"" + WindowsPath(exe) + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        throw std::runtime_error("cannot start " + commandLine);
    process_.reset(started.hProcess);
    unique_hfile thread(started.hThread);
    id_ = started.dwProcessId;
}

StartedProgram::~StartedProgram() {
    if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.get(), 99);
}

HWND StartedProgram::ShownWindow(const char* className, const char* caption, HWND owner) const {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, className, caption));) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (process == id_ && IsWindowVisible(w) && (!owner || GetWindow(w, GW_OWNER) == owner)) return w;
    }
    return nullptr;
}

DWORD StartedProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

}  // namespace rotaplex::test
