#include "real_input.h"

#include <stdexcept>

#include "cycle/win/unique_handle.h"

namespace rotaplex::test {

namespace {

// Wine starts a Linux program given by its path, but gives no handle to wait on: the shell that
// runs xdotool leaves a file behind when it is done, and that is waited for.
void Xdotool(const std::string& arguments) {
    static int calls = 0;
    const std::string done = "/tmp/rotaplex-xdotool-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++calls);
    std::string commandLine = "Z:\\bin\\sh -c \"/usr/bin/xdotool " + arguments + "; touch " + done + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        throw std::runtime_error("cannot start xdotool");
    const unique_hfile process(started.hProcess), thread(started.hThread);
    std::string windowsDone = "Z:" + done;
    for (char& c : windowsDone)
        if (c == '/') c = '\\';
    for (int tries = 0; GetFileAttributesA(windowsDone.c_str()) == INVALID_FILE_ATTRIBUTES; ++tries) {
        if (tries == 500) throw std::runtime_error("xdotool " + arguments + " did not finish");
        Sleep(20);
    }
    DeleteFileA(windowsDone.c_str());
}

std::string At(POINT p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

}  // namespace

void RealKeys(const std::string& keys) { Xdotool("key --delay 30 " + keys); }

void RealKeysTo(HWND window, const std::string& keys) {
    // Wine keeps the X window of each of its windows as this property.
    const auto xWindow = reinterpret_cast<UINT_PTR>(GetPropA(window, "__wine_x11_whole_window"));
    if (!xWindow) return RealKeys(keys);
    Xdotool("windowfocus --sync " + std::to_string(xWindow) + " key --delay 30 " + keys);
}

void RealClick(POINT screen, int button, int count, const std::string& held) {
    const std::string click = "click --repeat " + std::to_string(count) + " --delay 80 " + std::to_string(button);
    Xdotool("mousemove " + At(screen) + (held.empty() ? " " + click : " keydown " + held + " " + click + " keyup " + held));
}

void RealDrag(POINT from, POINT to) {
    std::string steps = "mousemove " + At(from) + " mousedown 1";
    for (int i = 1; i <= 4; ++i)
        steps += " sleep 0.05 mousemove " + At({from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4});
    Xdotool(steps + " sleep 0.05 mouseup 1");
}

POINT OnScreen(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

}  // namespace rotaplex::test
