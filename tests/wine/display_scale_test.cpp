// The windows at the display scale the run was started with (at_dpi.sh): text that fits its
// control, and the real program drawn where it acts, pressed with the real X pointer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cycle/win/unique_handle.h"
#include "cycle/win/windows_file_system.h"
#include "modal_script.h"
#include "started_program.h"
#include "test_folder.h"
#include "ui/framework/display_scale.h"
#include "ui/main/main_commands.h"
#include "ui/properties/frm_srv_cyc_props.h"
#include "ui/dialogs/frm_addwhere.h"
#include "ui/skin/window_skin.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

using test::ModalScript;

unsigned ScaleOfTheRun() {
    const char* dpi = std::getenv("ROTAPLEX_DPI");
    return dpi ? static_cast<unsigned>(std::atoi(dpi)) : 96;
}

RECT ClientRectIn(HWND control, HWND parent) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::vector<HWND> VisibleControls(HWND window) {
    std::vector<HWND> controls;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) controls.push_back(c);
    return controls;
}

std::string ClassOf(HWND window) {
    char kind[32] = "";
    GetClassNameA(window, kind, sizeof kind);
    return kind;
}

// The size text takes in a control's own font, wrapped at width where format wraps.
SIZE TextSize(HWND control, const std::string& text, LONG width, UINT format) {
    WindowDc dc(control);
    SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, width, 0};
    DrawTextA(dc.get(), text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | format);
    return {r.right, r.bottom};
}

// Whether everything a control shows of its text fits it: a label's lines, a check box's caption
// beside its box, a push button's caption, a combo box's every item in its selection field.
// Returns what does not fit.
std::vector<std::string> Unfitting(HWND control) {
    std::vector<std::string> failures;
    RECT client{};
    GetClientRect(control, &client);
    const std::string kind = ClassOf(control), text = test::TextOf(control);
    const auto check = [&](const std::string& shown, SIZE need, LONG width, LONG height) {
        if (need.cx > width || need.cy > height)
            failures.push_back("\"" + shown + "\" needs " + std::to_string(need.cx) + " x " +
                               std::to_string(need.cy) + ", has " + std::to_string(width) + " x " +
                               std::to_string(height));
    };
    if (kind == "Static" && !text.empty()) {
        check(text, TextSize(control, text, client.right, DT_WORDBREAK), client.right, client.bottom);
    } else if (kind == "Button") {
        const LONG style = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
        const int box = GetSystemMetrics(SM_CXMENUCHECK);
        // A box-only check box shows no caption: the label beside it names it.
        if (style == BS_AUTOCHECKBOX && client.right > box + 2)
            check(text, TextSize(control, text, 0, DT_SINGLELINE), client.right - box - 4, client.bottom);
        else if (style == BS_PUSHBUTTON)
            check(text, TextSize(control, text, 0, DT_SINGLELINE), client.right - 6, client.bottom - 4);
    } else if (kind == "ComboBox") {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(control, &info);
        for (LRESULT i = 0, n = SendMessageA(control, CB_GETCOUNT, 0, 0); i < n; ++i) {
            std::string item(SendMessageA(control, CB_GETLBTEXTLEN, i, 0) + 1, '\0');
            item.resize(SendMessageA(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data())));
            check(item, TextSize(control, item, 0, DT_SINGLELINE), info.rcItem.right - info.rcItem.left,
                  info.rcItem.bottom - info.rcItem.top);
        }
    }
    return failures;
}

// Every visible control of a window: its text fits, it lies inside the outline and on none of
// the other controls.
void ExpectLaidOut(HWND window) {
    unique_hrgn outline(CreateRectRgn(0, 0, 0, 0));
    const bool shaped = GetWindowRgn(window, outline.get()) != ERROR;
    const std::vector<HWND> controls = VisibleControls(window);
    for (size_t i = 0; i < controls.size(); ++i) {
        const HWND c = controls[i];
        SCOPED_TRACE(test::TextOf(c) + " (" + ClassOf(c) + " " + std::to_string(GetDlgCtrlID(c)) + ")");
        for (const std::string& failure : Unfitting(c)) ADD_FAILURE() << failure;
        const RECT r = ClientRectIn(c, window);
        if (shaped) {
            EXPECT_TRUE(PtInRegion(outline.get(), r.left, r.top) && PtInRegion(outline.get(), r.right - 1, r.bottom - 1))
                << "outside the outline";
        }
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const RECT other = ClientRectIn(controls[j], window);
            RECT common{};
            EXPECT_FALSE(IntersectRect(&common, &r, &other)) << "covers " << test::TextOf(controls[j]);
        }
    }
}

TEST(AtThisScale, TheRunHasTheScaleItWasStartedWith) { EXPECT_EQ(ScreenDpi(), ScaleOfTheRun()); }

// A window that would run off the work area moves in the least; one larger keeps its top left.
TEST(WorkArea, MovedInsideTheLeast) {
    const RECT area{0, 0, 1024, 738};
    const std::pair<RECT, RECT> cases[] = {
        {{428, 354, 684, 687}, {428, 354, 684, 687}},
        {{535, 442, 855, 858}, {535, 322, 855, 738}},
        {{856, 708, 1368, 1374}, {512, 72, 1024, 738}},
        {{-50, -20, 200, 300}, {0, 0, 250, 320}},
        {{100, 100, 1200, 900}, {0, 0, 1100, 800}},
    };
    for (const auto& [wanted, placed] : cases) {
        const RECT got = MovedInside(wanted, area);
        EXPECT_TRUE(EqualRect(&got, &placed)) << got.left << ", " << got.top << " from " << wanted.left;
    }
}

ScenarioInfo Scenario(const std::string& name) {
    static TextArena texts;  // the records' texts, for the whole run
    ScenarioInfo record;
    ResetScenario(record);
    record.ScenarioKey = record.Name = texts.Keep(name);
    record.Ruleset = "Free For All";
    record.TeamAllowed = record.KillLimit = record.RespawnLimit = 1;  // every limit box shown
    return record;
}

// One table per window: how it is opened, and what it must show on top of fitting its text.
TEST(AtThisScale, EveryLabelAndComboItemFitsItsControl) {
    test::OwnerWindow owner;
    MissionCatalogue catalogue;
    for (int i = 1; i <= 12; ++i) catalogue.AddScenario(Scenario("Scenario " + std::to_string(i)));
    test::TestFolder folder;
    const double scale = ScaleOfTheRun() / 96.0;

    {
        SCOPED_TRACE("properties window");
        ModalScript script(props::kWindowClass, {[&](HWND w) {
                               ExpectLaidOut(w);
                               const HWND list = GetDlgItem(w, props::List1);
                               RECT r{};
                               GetClientRect(list, &r);
                               EXPECT_GE(r.bottom / SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 8) << "rows";
                               GetWindowRect(GetDlgItem(w, props::txtScenarioText), &r);
                               // Larger than the 125 x 69 pixels of the first design, at this scale.
                               EXPECT_GT(r.right - r.left, 125 * scale);
                               EXPECT_GT(r.bottom - r.top, 69 * scale);
                               test::PressPropertiesCancel(w);
                           }});
        ShowMissionProperties(owner.get(), catalogue, WindowsFileSystem(), folder.Path(), 1);
        EXPECT_EQ(script.StepsRun(), 1u);
    }
    {
        SCOPED_TRACE("Add Mission dialog");
        ModalScript script({{test::kDialogClass, [](HWND w) {
                                 ExpectLaidOut(w);
                                 test::PostKey(VK_ESCAPE);
                             }}});
        ShowAddPosition(owner.get(), "Scenario 12 Free For All");
        EXPECT_EQ(script.StepsRun(), 1u);
    }
}

// The real program on a game folder of its own, worked with the real X pointer.
constexpr const char* kMissions =
    "[Scenarios]\r\nHill = {\r\n[server]\r\nname = Hill\r\nruleset = Brawl\r\n}\r\n"
    "Dusk = {\r\n[server]\r\nname = Dusk\r\nruleset = Attrition\r\nvisibility = 3\r\n}\r\n";
constexpr const char* kRotation = "[cycle]\r\nmap=hill.nfo::Hill\r\nmap=hill.nfo::Dusk\r\n";

using Program = test::StartedProgram;

// Starts xdotool on this display: the press comes from the X server, as a user's does. Wine gives
// no waitable handle of a Unix process: the caller waits for what the press does.
void RealPointer(const std::string& arguments) {
    std::string command = "/usr/bin/xdotool " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started));
    unique_hfile process(started.hProcess), thread(started.hThread);
}

// A real click at a point of a window given in twips.
void ClickAt(HWND window, double x, double y) {
    const TwipsPerPixel tpp = TwipsPerPixelAt(ScreenDpi());
    RECT r{};
    GetWindowRect(window, &r);
    RealPointer("mousemove " + std::to_string(r.left + PixelsX(x, tpp)) + " " +
                std::to_string(r.top + PixelsY(y, tpp)) + " click 1");
}

// The command's painted label (its second one where it has two: QUIT's X on the tab).
void ClickOn(HWND window, EditorCommand command, int label = 0) {
    for (const HotSpot<MainSpot>& spot : kMainHotSpots)
        if (spot.Action == command && label-- == 0)
            return ClickAt(window, (spot.Left + spot.Right) / 2, (spot.Top + spot.Bottom) / 2);
}

// The screen's pixels under a window, as 0x00RRGGBB.
std::vector<DWORD> Pixels(HDC from, int x, int y, SIZE size) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    unique_hbitmap copy(CreateDIBSection(from, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    unique_memory_dc dc(CreateCompatibleDC(from));
    SelectedObject into(dc.get(), copy.get());
    BitBlt(dc.get(), 0, 0, size.cx, size.cy, from, x, y, SRCCOPY);
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(p, p + size.cx * size.cy);
    for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

// Compares a screenshot of a skinned window with its art at this scale: inside the outline and
// off the controls the face exactly, outside it never the art's key colour. Returns the count of
// pixels that differ.
int Mismatches(HWND window, const SkinLayout& layout, DWORD key) {
    RECT r{};
    GetWindowRect(window, &r);
    const SIZE size{r.right - r.left, r.bottom - r.top};
    WindowDc screen(nullptr);
    const std::vector<DWORD> shot = Pixels(screen.get(), r.left, r.top, size);
    unique_hbitmap face = PaintFace(nullptr, layout, ScreenDpi(), {});
    unique_memory_dc faceDc(CreateCompatibleDC(screen.get()));
    SelectedObject into(faceDc.get(), face.get());
    const std::vector<DWORD> art = Pixels(faceDc.get(), 0, 0, size);
    unique_hrgn outline(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, outline.get()) == ERROR) return size.cx * size.cy;
    for (HWND c : VisibleControls(window)) {
        const RECT covered = ClientRectIn(c, window);
        unique_hrgn control(CreateRectRgnIndirect(&covered));
        CombineRgn(outline.get(), outline.get(), control.get(), RGN_DIFF);
    }
    int wrong = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const size_t i = static_cast<size_t>(y) * size.cx + x;
            const bool inside = PtInRegion(outline.get(), x, y);
            if (inside ? shot[i] != art[i] : shot[i] == key) ++wrong;
        }
    return wrong;
}

constexpr DWORD kMainKey = 0xFF00FF, kPropertiesKey = 0xF07FEF;

TEST(AtThisScale, EachPaintedCommandActsUnderTheRealPointer) {
    test::TestFolder game;
    game.Write("resource\\missions\\hill.nfo", kMissions);
    game.Write("servercycle.txt", kRotation);
    test::GameFolderSetting key(game.Path());
    Program program;
    const HWND main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr);

    RECT area{}, placed{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(main, &placed);
    RECT inside{};
    IntersectRect(&inside, &area, &placed);
    EXPECT_TRUE(EqualRect(&inside, &placed)) << "the main window runs off the work area";
    EXPECT_TRUE(program.WaitUntil([&] { return Mismatches(main, kMainSkin, kMainKey) == 0; }))
        << Mismatches(main, kMainSkin, kMainKey) << " pixels of the main window differ from its art";
    // List1 stays off the painted commands, which their own buttons cover.
    const TwipsPerPixel tpp = TwipsPerPixelAt(ScreenDpi());
    for (const HotSpot<MainSpot>& spot : kMainHotSpots) {
        const RECT painted{PixelsX(spot.Left, tpp), PixelsY(spot.Top, tpp), PixelsX(spot.Right, tpp),
                           PixelsY(spot.Bottom, tpp)};
        for (HWND c : VisibleControls(main)) {
            if (test::IsPaintedCommand(c)) continue;
            const RECT r = ClientRectIn(c, main);
            RECT common{};
            EXPECT_FALSE(IntersectRect(&common, &r, &painted)) << "a control covers command " << int(*spot.Action);
        }
    }

    // Without a selection (the first entry is selected at start-up) ADD, EDIT and DEL each say what
    // is missing.
    const HWND list = FindWindowExA(main, nullptr, "ListBox", nullptr);
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    const struct {
        EditorCommand Command;
        const char* Message;
    } asks[] = {
        {EditorCommand::Add, "Pick from the list where you want to add it!"},
        {EditorCommand::Edit, "Pick from the list before editing!"},
        {EditorCommand::Delete, "Pick from the list before editing!"},
    };
    for (const auto& ask : asks) {
        ClickOn(main, ask.Command);
        const HWND box = program.WaitForWindow(test::kDialogClass, "Rotaplex", main);
        ASSERT_NE(box, nullptr) << ask.Message;
        EXPECT_EQ(test::TextOf(GetDlgItem(box, 0xFFFF)), ask.Message);
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(program.WaitUntil([&] { return IsWindowEnabled(main); }));
    }

    ClickOn(main, EditorCommand::Minimize);
    EXPECT_TRUE(program.WaitUntil([&] { return IsIconic(main); })) << "minimise";
    PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(program.WaitUntil([&] { return !IsIconic(main) && IsWindowVisible(main); }));

    // EDIT on the first entry; CANCEL changes nothing, OK on another scenario gives it that one.
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    for (const bool ok : {false, true}) {
        ClickOn(main, EditorCommand::Edit);
        const HWND properties = program.WaitForWindow(props::kWindowClass, nullptr, main);
        ASSERT_NE(properties, nullptr);
        if (!ok) {
            GetWindowRect(properties, &placed);
            IntersectRect(&inside, &area, &placed);
            EXPECT_TRUE(EqualRect(&inside, &placed)) << "the properties window runs off the work area";
            EXPECT_TRUE(program.WaitUntil([&] { return Mismatches(properties, kPropertiesSkin, kPropertiesKey) == 0; }))
                << Mismatches(properties, kPropertiesSkin, kPropertiesKey) << " pixels differ from its art";
            ClickAt(properties, 5000, 5000);  // CANCEL
        } else {
            test::ChooseEntry(properties, props::List1, 1);
            ClickAt(properties, 4000, 5000);  // OK
        }
        ASSERT_TRUE(program.WaitUntil([&] { return IsWindowEnabled(main) && !IsWindow(properties); }));
        EXPECT_EQ(test::ListRowAt(list, 0).first, ok ? "Dusk Attrition" : "Hill Brawl");
    }

    // The X asks about the change; Cancel keeps the editor, QUIT asks again and No ends it.
    for (const auto& [label, answer] : {std::pair{1, IDCANCEL}, std::pair{0, IDNO}}) {
        ClickOn(main, EditorCommand::Quit, label);
        const HWND box = program.WaitForWindow(test::kDialogClass, "Quitting", main);
        ASSERT_NE(box, nullptr);
        PostMessageA(GetDlgItem(box, answer), BM_CLICK, 0, 0);
        if (answer == IDCANCEL) {
            ASSERT_TRUE(program.WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(main); }));
        }
    }
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace rotaplex
