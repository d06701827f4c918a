// Times starting a program under Wine until its main window is shown, painted and waiting for
// input: Rotaplex on a game folder, and in the same rounds a minimal Win32 program that shows a
// window, as the floor. WaitForInputIdle marks the moment: a program is idle once its message
// loop finds nothing left to do, painting included.
//   startup_bench GAME_FOLDER ROUNDS PROGRAM MINIMAL_PROGRAM      paths as Windows paths
// Points the game's registry key at GAME_FOLDER in the prefix it runs in (the benchmarks' own).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cycle/win/unique_handle.h"
#include "wine_bench.h"

namespace rotaplex {
namespace {

struct FoundWindow {
    DWORD process;
    HWND window = nullptr;
};

// A visible top-level window of the process.
HWND VisibleWindowOf(DWORD process) {
    FoundWindow found{process};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* wanted = reinterpret_cast<FoundWindow*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != wanted->process || !IsWindowVisible(window)) return TRUE;
            wanted->window = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.window;
}

// Milliseconds from starting program until it is idle with its window shown and painted; ends
// the program after. Exits when the program never gets there.
double TimeToIdle(const std::string& program) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string commandLine = "\"" + program + "\"";
    const LARGE_INTEGER start = bench::Now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), GetLastError());
        std::exit(1);
    }
    const unique_hfile process(started.hProcess), thread(started.hThread);
    const DWORD waited = WaitForInputIdle(process.get(), 120000);
    const LARGE_INTEGER idle = bench::Now();
    HWND window = VisibleWindowOf(started.dwProcessId);
    const bool painted = window != nullptr && !GetUpdateRect(window, nullptr, FALSE);
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    if (waited != 0 || !painted) {
        std::fprintf(stderr, "%s was not idle with its window painted (wait %lu, window %p)\n", program.c_str(),
                     waited, static_cast<void*>(window));
        std::exit(1);
    }
    return 1e3 * bench::Seconds(start, idle);
}

}  // namespace
}  // namespace rotaplex

int main(int argc, char** argv) {
    using namespace rotaplex;
    const auto arguments = bench::ReadArguments(argc, argv, "startup_bench");
    if (!arguments || argc != 5) {
        std::fprintf(stderr, "usage: startup_bench GAME_FOLDER ROUNDS PROGRAM MINIMAL_PROGRAM\n");
        return 2;
    }
    bench::PointGameKeyAt(arguments->GameFolder);
    const std::string program = argv[3], minimal = argv[4];

    // The two alternate, so that whatever else the machine does weighs on both alike; the ratio
    // of each round compares two starts taken moments apart.
    std::vector<double> programTimes, minimalTimes, ratios;
    for (int round = 0; round < arguments->Rounds; ++round) {
        minimalTimes.push_back(TimeToIdle(minimal));
        programTimes.push_back(TimeToIdle(program));
        ratios.push_back(programTimes.back() / minimalTimes.back());
    }
    std::printf("Start-up under Wine until the main window is painted and idle, %s, %d rounds (fastest, median):\n",
                arguments->GameFolder.c_str(), arguments->Rounds);
    std::printf("  %-40s %8.1f ms, %8.1f ms\n", "Rotaplex:", bench::Fastest(programTimes), bench::Median(programTimes));
    std::printf("  %-40s %8.1f ms, %8.1f ms\n", "minimal program showing a window:", bench::Fastest(minimalTimes),
                bench::Median(minimalTimes));
    std::printf("  Rotaplex / minimal program, median of the rounds' ratios: %.2fx\n", bench::Median(ratios));
    return 0;
}
