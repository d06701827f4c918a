// Times starting a program under Wine until its main window is shown, painted and waiting for
// input: Rotaplex on a game folder, and in the same rounds a minimal Win32 program that shows a
// window, as the floor. WaitForInputIdle marks the moment: a program is idle once its message
// loop finds nothing left to do, painting included. Rotaplex then reads the folder behind its
// window: the moment its list takes input is the second figure, against the minimal program's
// start plus a raw read of the same files in this process.
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

struct Started {
    double Idle;    // ms until idle with its window shown and painted
    double Filled;  // ms until the window's list takes input; Idle for a window without one
};

// The window's list box child takes input: its folder is read.
bool Filled(HWND window) {
    const HWND list = FindWindowExA(window, nullptr, "ListBox", nullptr);
    return !list || IsWindowEnabled(list);
}

// Starts program, times it, ends it. Exits when the program never gets there.
Started TimeStart(const std::string& program) {
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
    // Polled: the program tells no one when its folder is read.
    for (int wait = 0; window != nullptr && !Filled(window) && wait < 120000; ++wait) Sleep(1);
    const LARGE_INTEGER filled = bench::Now();
    if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 30000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    if (waited != 0 || !painted) {
        std::fprintf(stderr, "%s was not idle with its window painted (wait %lu, window %p)\n", program.c_str(),
                     waited, static_cast<void*>(window));
        std::exit(1);
    }
    return {1e3 * bench::Seconds(start, idle), 1e3 * bench::Seconds(start, filled)};
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

    // The three alternate, so that whatever else the machine does weighs on all alike; the ratios
    // of each round compare times taken moments apart.
    std::vector<double> windowTimes, filledTimes, minimalTimes, rawTimes, windowRatios, filledRatios;
    for (int round = 0; round < arguments->Rounds; ++round) {
        minimalTimes.push_back(TimeStart(minimal).Idle);
        const LARGE_INTEGER before = bench::Now();
        const bench::FolderTexts texts = bench::ReadFolderTexts(arguments->GameFolder);
        rawTimes.push_back(1e3 * bench::Seconds(before, bench::Now()));
        const Started rotaplex = TimeStart(program);
        windowTimes.push_back(rotaplex.Idle);
        filledTimes.push_back(rotaplex.Filled);
        windowRatios.push_back(rotaplex.Idle / minimalTimes.back());
        filledRatios.push_back(rotaplex.Filled / (minimalTimes.back() + rawTimes.back()));
    }
    std::printf("Start-up under Wine, %s, %d rounds (fastest, median):\n", arguments->GameFolder.c_str(),
                arguments->Rounds);
    const auto line = [](const char* what, const std::vector<double>& times) {
        std::printf("  %-52s %8.1f ms, %8.1f ms\n", what, bench::Fastest(times), bench::Median(times));
    };
    line("minimal program showing a window:", minimalTimes);
    line("raw read of the mission files and the rotation:", rawTimes);
    line("Rotaplex, its window painted and idle:", windowTimes);
    line("Rotaplex, its list filled and taking input:", filledTimes);
    std::printf("  window / minimal program, median of the rounds' ratios: %.2fx (target <= 1.3x)\n",
                bench::Median(windowRatios));
    std::printf("  list filled / (minimal program + raw read), median of the rounds' ratios: %.2fx (target <= 1.3x)\n",
                bench::Median(filledRatios));
    return 0;
}
