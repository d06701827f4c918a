// Times the two windows on a game folder under Wine: the main window's start-up, its folder read
// behind it and List1 filled, and opening the mission properties window with the whole catalogue
// listed, from the call until the window is shown, painted and idle.
//   window_bench GAME_FOLDER [ROUNDS]      GAME_FOLDER as a Windows path
// Points the game's registry key at GAME_FOLDER in the prefix it runs in (the benchmarks' own).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cycle/win/unique_handle.h"
#include "ui/framework/list_box_fill.h"
#include "ui/framework/modal_window.h"
#include "ui/framework/display_scale.h"
#include "ui/main/frm_srv_cyc.h"
#include "ui/properties/frm_srv_cyc_props.h"
#include "wine_bench.h"

namespace rotaplex {
namespace {

using bench::Now;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) { return 1e3 * bench::Seconds(from, to); }

// Start-up of the main window as the program makes it: servercycle.txt read and the reading of
// the mission files started; the folder read behind the window and List1 filled, the messages
// handled meanwhile as the program's loop does; the window shown and painted.
struct StartUp {
    double Load, ReadAndFill, Show;
    LRESULT Listed;
};

StartUp TimeStartUp(frmSrvCyc& main, const std::string& gameFolder) {
    const LARGE_INTEGER start = Now();
    main.Load(gameFolder);
    const LARGE_INTEGER loaded = Now();
    MSG message{};
    while (!main.Ready() && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    const LARGE_INTEGER ready = Now();
    main.Show(SW_SHOWNORMAL);
    const LARGE_INTEGER shown = Now();
    return {Milliseconds(start, loaded), Milliseconds(loaded, ready), Milliseconds(ready, shown),
            SendMessageA(main.List1(), LB_GETCOUNT, 0, 0)};
}

// The floor of a fill: one bare message to each entry of the list, the cheapest a list box answers,
// past the drag list's subclass as the fill goes.
double TimeOneMessageEach(HWND list) {
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    const ListBoxOwnProcedure own(list);
    const LARGE_INTEGER start = Now();
    for (LRESULT i = 0; i < count; ++i) own.Send(LB_GETITEMDATA, i, 0);
    return Milliseconds(start, Now());
}

// Inside CANCEL's painted button, in twips.
constexpr float kOnCancelX = 5000, kOnCancelY = 5000;
constexpr UINT kLookIdle = WM_APP;

// A message-only window whose posted message is the modal loop's first: once nothing else waits
// but painting, it paints the properties window, notes the moment and presses CANCEL.
class IdleProbe {
public:
    IdleProbe() {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "RotaplexIdleProbe";
        RegisterClassExA(&wc);
        window_.reset(CreateWindowExA(0, wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      wc.hInstance, nullptr));
        SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    // Milliseconds from this call until the properties window was shown and idle. Once idle, the
    // window also answers keystrokes in its filter box, each timed into keystrokes.
    double TimeOpening(HWND owner, const MissionCatalogue& catalogue, const std::string& gameFolder,
                       int16_t selected, std::vector<double>& keystrokes) {
        keystrokes_ = &keystrokes;
        PostMessageA(window_.get(), kLookIdle, 0, 0);
        const LARGE_INTEGER start = Now();
        const int16_t chosen = ShowMissionProperties(owner, catalogue, WindowsFileSystem(), gameFolder, selected);
        if (!pressed_ || chosen != selected) {
            std::fprintf(stderr, "the properties window did not show, or CANCEL did not close it\n");
            std::exit(1);
        }
        pressed_ = false;
        return Milliseconds(start, idle_);
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != kLookIdle) return DefWindowProcA(window, message, wParam, lParam);
        auto* self = reinterpret_cast<IdleProbe*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        // Input (the pointer found over the new window) comes after posted messages: it would
        // never be reached by waiting for it here.
        if (HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE))) {
            PostMessageA(window, kLookIdle, 0, 0);  // behind what the showing posted
            return 0;
        }
        HWND properties = FindWindowA(props::kWindowClass, nullptr);
        if (!properties || !IsWindowVisible(properties)) return 0;
        RedrawWindow(properties, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        self->idle_ = Now();
        self->TypeIntoFilter(properties);
        self->pressed_ = true;
        const TwipsPerPixel tpp = WindowTwipsPerPixel(properties);
        PostMessageA(properties, WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(PixelsX(kOnCancelX, tpp), PixelsY(kOnCancelY, tpp)));
        return 0;
    }

    // A keystroke is the box's own handling of the character (the list narrowed or widened, the
    // highlighted scenario shown) and the repaint of the window: from the key to what the operator
    // sees. Typed: the first four characters of the highlighted scenario's text, each narrowing the
    // list; then four backspaces back to the whole catalogue, the widest refill.
    void TypeIntoFilter(HWND properties) {
        const HWND box = GetDlgItem(properties, props::txtFilter);
        const HWND list = GetDlgItem(properties, props::List1);
        char first[256] = "";
        SendMessageA(list, LB_GETTEXT, SendMessageA(list, LB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(first));
        const auto key = [&](WPARAM character) {
            const LARGE_INTEGER start = Now();
            SendMessageA(box, WM_CHAR, character, 1);
            RedrawWindow(properties, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            keystrokes_->push_back(Milliseconds(start, Now()));
        };
        SetFocus(box);
        for (int i = 0; i < kTyped && first[i]; ++i) key(static_cast<unsigned char>(first[i]));
        for (int i = 0; i < kTyped && first[i]; ++i) key(VK_BACK);
    }

public:
    static constexpr int kTyped = 4;

private:
    unique_hwnd window_;
    LARGE_INTEGER idle_{};
    bool pressed_ = false;
    std::vector<double>* keystrokes_ = nullptr;
};

// Handles what the windows left in the queue, so that each round starts from a quiet one.
void DrainMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

}  // namespace
}  // namespace rotaplex

int main(int argc, char** argv) {
    using namespace rotaplex;
    const auto arguments = bench::ReadArguments(argc, argv, "window_bench");
    if (!arguments) return 2;
    const std::string& gameFolder = arguments->GameFolder;
    const int rounds = arguments->Rounds;
    if (props::SpotAt(kOnCancelX, kOnCancelY) != props::Spot::Cancel) {
        std::fprintf(stderr, "the press meant for CANCEL misses it\n");
        return 1;
    }
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    bench::PointGameKeyAt(gameFolder);

    // Each round starts the main window as the program does, then opens the properties window
    // over it with the middle scenario selected.
    std::vector<double> load, readAndFill, oneMessageEach, show, properties, keystrokes;
    LRESULT listed = 0;
    int scenarios = 0;
    IdleProbe probe;
    for (int round = 0; round < rounds; ++round) {
        frmSrvCyc main;
        const StartUp startUp = TimeStartUp(main, gameFolder);
        load.push_back(startUp.Load);
        readAndFill.push_back(startUp.ReadAndFill);
        oneMessageEach.push_back(TimeOneMessageEach(main.List1()));
        show.push_back(startUp.Show);
        listed = startUp.Listed;
        scenarios = main.Session().Catalogue().ScenarioCount();
        DrainMessages();
        properties.push_back(probe.TimeOpening(main.Window(), main.Session().Catalogue(), main.Session().Folder(),
                                               static_cast<int16_t>(std::max(1, scenarios / 2)), keystrokes));
        DrainMessages();
    }

    std::printf("Windows under Wine, %s\n", gameFolder.c_str());
    std::printf("  %ld entries in List1, %d scenarios in the catalogue\n", static_cast<long>(listed), scenarios);
    std::printf("Times over %d rounds (fastest, median):\n", rounds);
    const auto line = [](const char* what, const std::vector<double>& times) {
        std::printf("  %-52s %7.2f ms, %7.2f ms\n", what, bench::Fastest(times), bench::Median(times));
    };
    line("main window Load (servercycle.txt, the reading started):", load);
    line("mission files read behind it, List1 filled:", readAndFill);
    line("  floor: one bare message to each entry of List1:", oneMessageEach);
    line("main window shown and painted:", show);
    line("properties window open, shown and idle (target idem):", properties);
    line("filter box keystroke answered and painted (target 50 ms):", keystrokes);
    // Keystroke by keystroke, over the rounds: the four that narrow, then the four that widen.
    for (size_t k = 0; k < 2 * IdleProbe::kTyped; ++k) {
        std::vector<double> at;
        for (size_t i = k; i < keystrokes.size(); i += 2 * IdleProbe::kTyped) at.push_back(keystrokes[i]);
        char what[64];
        std::snprintf(what, sizeof what, "  keystroke %zu (%s):", k + 1, k < IdleProbe::kTyped ? "narrows" : "widens");
        line(what, at);
    }
    std::printf("  slowest of %zu keystrokes: %.2f ms\n", keystrokes.size(),
                *std::max_element(keystrokes.begin(), keystrokes.end()));
    return 0;
}
