#include "ui/main/frm_srv_cyc.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "cycle/status_line.h"
#include "cycle/win/game_folder.h"
#include "cycle/win/window_place_store.h"
#include "cycle/win/windows_file_system.h"
#include "faulty_file_system.h"
#include "held_file_system.h"
#include "modal_script.h"
#include "test_folder.h"
#include "ui/framework/gdi_handles.h"
#include "ui/framework/list_rows.h"
#include "ui/framework/message_loop.h"
#include "ui/main/main_commands.h"
#include "ui/main/recent_folders_menu.h"
#include "ui/skin/window_skin.h"
#include "ui/main/sets_menu.h"
#include "ui/resources/resource_ids.h"
#include "ui/dialogs/frm_addwhere.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

using test::FaultyFileSystem;
using test::ListRow;
using test::ListRows;
using test::Click;
using test::ModalScript;
using test::ReadBytes;
using Box = test::ShownWindow;
using test::BoxIcon;

constexpr const char* kMissions =
    "[Scenarios]\r\nHill Fight = {\r\n[server]\r\nname = Hill Fight\r\nruleset = Free For All\r\n}\r\n"
    "Dusk = {\r\n[server]\r\nname = Dusk\r\nruleset = Attrition\r\n}\r\n";
constexpr const char* kRotation = "[cycle]\r\nmap=hill.nfo::Dusk\r\nmap=gone.nfo::Retired\r\nmap=x::HILLFIGHT\r\n";
// What Yes writes once the unmatched middle entry is removed: only its line goes.
constexpr const char* kSaved = "[cycle]\r\nmap=hill.nfo::Dusk\r\nmap=x::HILLFIGHT\r\n";
// An entry whose mission is missing holds what its row shows.
const std::vector<ListRow> kRows{
    {"Dusk Attrition", 2}, {"gone.nfo::Retired (not installed)", 0}, {"HillFight FreeForAll", 1}};

// A fixture game folder that the registry points at.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("resource\\missions\\hill.nfo", kMissions);
        rotation_ = folder_.Write("servercycle.txt", kRotation);
    }

    // Starts the window as the program does and makes one change to the rotation.
    static void StartAndChange(frmSrvCyc& main) {
        main.Load(LocateGameFolder());
        test::AwaitReady(main);
        main.Show(SW_SHOWNORMAL);
        main.RemoveEntries(1);
    }

    // True when the window closed; its message loop then ends as the program's would.
    static bool Closed(frmSrvCyc& main) {
        if (IsWindow(main.Window())) return false;
        EXPECT_EQ(RunMessageLoop(), 0);
        return true;
    }

    static void ExpectQuitQuestion(const Box& box, HWND main) {
        EXPECT_EQ(box.Title, "Quitting");
        EXPECT_EQ(box.Text, "Your quitting with changes!\nDo you want to save the changes?");
        EXPECT_EQ(box.Icon, BoxIcon::Question);
        EXPECT_EQ(box.Owner, main);
    }

    test::TestFolder folder_;
    test::GameFolderSetting key_{folder_.Path()};
    std::string rotation_;
};

// The first entry is selected, so that the first key acts on it; the caption names the folder.
TEST_F(MainWindowTest, StartsWithTheRotationListedAndTheFirstEntrySelected) {
    ModalScript script;
    frmSrvCyc main;
    main.Load(LocateGameFolder());
    test::AwaitReady(main);

    EXPECT_TRUE(script.Shown.empty());
    EXPECT_EQ(main.Session().Folder(), folder_.Path());
    EXPECT_EQ(ListRows(main.List1()), kRows);
    EXPECT_EQ(main.Session().Document().EntryCount(), kRows.size());
    EXPECT_EQ(test::SelectedRows(main.List1()), std::vector<int>{0});
    EXPECT_EQ(test::TextOf(main.Window()), WindowCaption(folder_.Path(), false));
    EXPECT_FALSE(main.Session().Document().Changed());
    EXPECT_FALSE(IsWindowVisible(main.Window()));
}

using Edges = std::vector<LONG>;  // left, top, right, bottom

// The window on the screen and List1 in the window.
std::pair<Edges, Edges> Placement(const frmSrvCyc& main) {
    RECT window, list;
    GetWindowRect(main.Window(), &window);
    GetWindowRect(main.List1(), &list);
    MapWindowPoints(nullptr, main.Window(), reinterpret_cast<POINT*>(&list), 2);
    return {{window.left, window.top, window.right, window.bottom}, {list.left, list.top, list.right, list.bottom}};
}

// 3840 x 4995 twips for the window, centred on the work area; 300, 540 and 3015 x 3210 for List1.
TEST_F(MainWindowTest, OpensCentredOnTheWorkAreaAtItsTwipsSize) {
    frmSrvCyc main;
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const LONG left = (area.left + area.right - 256) / 2, top = (area.top + area.bottom - 333) / 2;
    EXPECT_EQ(Placement(main), std::pair(Edges{left, top, left + 256, top + 333}, Edges{20, 36, 20 + 201, 36 + 214}));
    char caption[32] = "";
    GetWindowTextA(main.Window(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Rotaplex");
    EXPECT_TRUE(GetWindowLongA(main.Window(), GWL_EXSTYLE) & WS_EX_APPWINDOW) << "taskbar button";
}

// The taskbar button and the window switcher show the program's icon, at both system sizes.
TEST_F(MainWindowTest, ShowsTheProgramsIcon) {
    frmSrvCyc main;
    const HICON own = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ROTAPLEX));
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(main.Window(), GCLP_HICON)), own);
    const auto smallIcon = reinterpret_cast<HICON>(GetClassLongPtrA(main.Window(), GCLP_HICONSM));
    ICONINFO info{};
    ASSERT_TRUE(smallIcon && GetIconInfo(smallIcon, &info));
    const unique_hbitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bitmap{};
    GetObjectA(colour.get(), sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
}

// What the system sends when the window moves to a monitor of another scale: the window, its
// outline, List1 and the font all follow, where the system suggested.
TEST_F(MainWindowTest, RescalesInPlaceWhenTheScaleChanges) {
    frmSrvCyc main;
    // The font at the usual scale goes with the change.
    LOGFONTA small{}, large{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(main.List1(), WM_GETFONT, 0, 0)), sizeof small, &small);
    RECT suggested{40, 30, 40 + 512, 30 + 666};
    SendMessageA(main.Window(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(Placement(main), std::pair(Edges{40, 30, 40 + 512, 30 + 666}, Edges{40, 72, 40 + 402, 72 + 428}));
    unique_hrgn outline(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(main.Window(), outline.get()), ERROR);
    EXPECT_TRUE(EqualRgn(outline.get(), MakeWindowRegion(kMainSkin, TwipsPerPixelAt(192)).get()));
    EXPECT_EQ(main.Scale().X, 7.5);
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(main.List1(), WM_GETFONT, 0, 0)), sizeof large, &large);
    EXPECT_EQ(large.lfHeight, MulDiv(small.lfHeight, 192, 96));
}

// Rows List1 shows whole.
LRESULT VisibleRows(HWND list) {
    RECT inside{};
    GetClientRect(list, &inside);
    return inside.bottom / SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
}

// The painted command a point of the window hits: the text of the button there.
std::string CommandAt(HWND window, POINT at) {
    const HWND hit = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE);
    return hit && hit != window && test::IsPaintedCommand(hit) ? test::TextOf(hit) : "";
}

// Grown from its lower edge and corner, the window keeps the commands and the status line at the
// bottom and the tab at the right; List1 takes the room, 40 rows of it if need be. The sizing
// loop takes the edges that the hit test gives, and no less than the design size.
TEST_F(MainWindowTest, GrowsFromItsEdgesWithTheListAndKeepsTheCommandsWherePainted) {
    frmSrvCyc main;
    main.Load(LocateGameFolder());
    const HWND window = main.Window();
    const LRESULT rows = VisibleRows(main.List1());
    EXPECT_GE(rows, 16);
    RECT status{};
    GetWindowRect(GetDlgItem(window, 2), &status);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&status), 2);

    RECT at{};
    GetWindowRect(window, &at);
    const struct {
        POINT client;
        LRESULT edge;
    } hits[] = {{{100, 330}, HTBOTTOM}, {{240, 330}, HTBOTTOMRIGHT}, {{240, 200}, HTRIGHT},
                {{240, 20}, HTCLIENT},  {{100, 200}, HTCLIENT}};
    for (const auto& hit : hits)
        EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(at.left + hit.client.x, at.top + hit.client.y)),
                  hit.edge)
            << hit.client.x << ", " << hit.client.y;
    MINMAXINFO limits{};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 256);
    EXPECT_EQ(limits.ptMinTrackSize.y, 333);

    const LONG wider = 60, taller = 400;
    SetWindowPos(window, nullptr, 0, 0, 256 + wider, 333 + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Placement(main).second, (Edges{20, 36, 221 + wider, 250 + taller}));
    EXPECT_GE(VisibleRows(main.List1()), 40);
    EXPECT_GT(VisibleRows(main.List1()), rows);
    RECT moved{};
    GetWindowRect(GetDlgItem(window, 2), &moved);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&moved), 2);
    EXPECT_EQ(moved.top, status.top + taller) << "the status line";
    // The bottom strip's commands keep to the bottom, QUIT and the tab's X and _ to the right.
    const TwipsPerPixel tpp = main.Scale();
    const auto centre = [&](const HotSpot<MainSpot>& spot) {
        return POINT{PixelsX((spot.Left + spot.Right) / 2, tpp), PixelsY((spot.Top + spot.Bottom) / 2, tpp)};
    };
    for (const HotSpot<MainSpot>& spot : kMainHotSpots) {
        POINT painted = centre(spot);
        if (spot.Left > 2985) painted.x += wider;
        if (spot.Top > 3000) painted.y += taller;
        EXPECT_EQ(CommandAt(window, painted), MainCommandName(*spot.Action)) << painted.x << ", " << painted.y;
    }
    unique_hrgn outline(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window, outline.get()), ERROR);
    EXPECT_TRUE(EqualRgn(outline.get(), MakeWindowRegion(kMainSkin, tpp, {wider, taller}).get()));
    EXPECT_TRUE(PtInRegion(outline.get(), 241 + wider, 331 + taller));
    EXPECT_TRUE(PtInRegion(outline.get(), 250 + wider, 30));
    EXPECT_FALSE(PtInRegion(outline.get(), 250 + wider, 50 + taller)) << "the tab stays at the top";
}

// The size and place are the folder's, remembered while the folder is: the next window on it opens
// there, moved inside the work area; a folder no longer remembered forgets its place.
TEST_F(MainWindowTest, RemembersItsPlacePerFolder) {
    test::RememberedFoldersSetting recent({folder_.Path()});
    {
        frmSrvCyc main;
        main.Load(LocateGameFolder());
        SetWindowPos(main.Window(), nullptr, 30, 40, 300, 500, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(main.Window(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(Closed(main));
    }
    EXPECT_EQ(ReadWindowPlace(folder_.Path()), (ScreenRect{30, 40, 330, 540}));
    {
        frmSrvCyc main;
        main.Load(LocateGameFolder());
        EXPECT_EQ(Placement(main).first, (Edges{30, 40, 330, 540}));
        // Moved off the screen, it comes back inside.
        SetWindowPos(main.Window(), nullptr, -5000, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(main.Window(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(Closed(main));
    }
    {
        frmSrvCyc main;
        main.Load(LocateGameFolder());
        RECT area{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_EQ(Placement(main).first, (Edges{area.left, 40, area.left + 300, 540}));
    }
    test::TestFolder other;
    WriteWindowPlace(other.Path(), {1, 2, 300, 400});
    EXPECT_EQ(ReadWindowPlace(other.Path()), std::nullopt) << "a folder that is not remembered";
    EXPECT_TRUE(ReadWindowPlace(folder_.Path()));
}

// With a high-contrast theme turned on, the window drops the skin's picture and outline for the
// system's colours, and takes them back when it is turned off.
TEST_F(MainWindowTest, HighContrastDrawsPlainInTheSystemsColours) {
    HIGHCONTRASTA before{};
    before.cbSize = sizeof before;
    SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof before, &before, 0);
    if (before.dwFlags & HCF_HIGHCONTRASTON) GTEST_SKIP() << "the operator's own theme is left as it is";
    HIGHCONTRASTA on = before;
    on.dwFlags |= HCF_HIGHCONTRASTON;
    if (!SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof on, &on, 0) || !HighContrastOn())
        GTEST_SKIP() << "this system does not take a high-contrast theme from a program";
    frmSrvCyc main;
    main.Load(LocateGameFolder());
    unique_hrgn outline(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(main.Window(), outline.get()), ERROR) << "a plain rectangle";
    SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof before, &before, 0);
    SendMessageA(main.Window(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_NE(GetWindowRgn(main.Window(), outline.get()), ERROR) << "the skin's outline again";
}

// A tooltip on each painted label, with the command's name and keys, where it is painted at each
// scale.
TEST_F(MainWindowTest, EachPaintedLabelHasItsTooltipAtEachScale) {
    frmSrvCyc main;
    for (const unsigned dpi : {96u, 144u}) {
        RECT suggested{0, 0, 10, 10};
        SendMessageA(main.Window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const TwipsPerPixel tpp = TwipsPerPixelAt(dpi);
        std::vector<test::Tip> expected;
        for (const HotSpot<MainSpot>& spot : kMainHotSpots)
            expected.push_back({{PixelsX(spot.Left, tpp), PixelsY(spot.Top, tpp), PixelsX(spot.Right, tpp) + 1,
                                 PixelsY(spot.Bottom, tpp) + 1},
                                MainCommandTip(*spot.Action)});
        EXPECT_EQ(test::TipsOf(main.Window()), expected) << dpi;
    }
    EXPECT_EQ(MainCommandTip(EditorCommand::Add), "Add (Ins)");
    EXPECT_EQ(MainCommandTip(EditorCommand::Minimize), "Minimise");
}

// A quick read tells its reports before the window shows; one the operator waits for, once it
// ends, in the same order.
TEST_F(MainWindowTest, FileProblemsAreToldInOrderOnceTheFolderIsRead) {
    const std::string broken = folder_.Write("resource\\missions\\broken.nfo", "no scenarios here\r\n");
    folder_.Write("servercycle.txt", "map=hill.nfo::Dusk\r\n");
    for (const bool slow : {false, true}) {
        test::HeldFileSystem held(WindowsFileSystem(), slow ? "hill.nfo" : "(nothing held)");
        ModalScript script({Click(IDOK), Click(IDOK)});
        frmSrvCyc main(held);
        main.Load(LocateGameFolder());
        if (slow) {
            held.AwaitHeld();
            main.Show(SW_SHOWNORMAL);
            EXPECT_TRUE(script.Shown.empty()) << "nothing told before the read ends";
            held.Release();
        }
        test::AwaitReady(main);

        ASSERT_EQ(script.Shown.size(), 2u) << "slow: " << slow;
        EXPECT_EQ(script.Shown[0].Text, MissingScenariosMessage(broken));
        EXPECT_EQ(script.Shown[1].Text, folder_.Path() + "servercycle.txt is malformed or missing [cycle]");
        for (const Box& box : script.Shown) {
            EXPECT_EQ(box.Title, "Rotaplex");
            EXPECT_EQ(box.Icon, BoxIcon::None);
            EXPECT_EQ(box.Owner, main.Window());
            EXPECT_EQ(box.OwnerVisible, slow);
        }
        EXPECT_TRUE(ListRows(main.List1()).empty());
        EXPECT_TRUE(IsWindowEnabled(main.List1()));
        EXPECT_TRUE(IsWindowEnabled(FindWindowExA(main.Window(), nullptr, "Button", "Add")));
    }
}

TEST_F(MainWindowTest, RotationThatCannotBeReadStopsStartUp) {
    // Held open without sharing: what really fails to open under Wine, also for root.
    const unique_hfile held(ValidOrNull(CreateFileA(rotation_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    ASSERT_TRUE(held);
    frmSrvCyc main;
    try {
        main.Load(LocateGameFolder());
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Path(), rotation_);
    }
}

TEST_F(MainWindowTest, FolderWithoutARotationStartsEmpty) {
    DeleteFileA(rotation_.c_str());
    frmSrvCyc main;
    main.Load(LocateGameFolder());
    test::AwaitReady(main);
    EXPECT_TRUE(ListRows(main.List1()).empty());
}

// Rows are measured by adding each character's advance: as wide as GDI finds them, so that the
// list scrolls sideways exactly as far as its widest row.
TEST_F(MainWindowTest, RowsMeasureAsGdiDrawsThem) {
    frmSrvCyc main;
    const ListRowMeasure measure(main.List1());
    const WindowDc dc(main.List1());
    const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(main.List1(), WM_GETFONT, 0, 0)));
    for (const std::string text : {"HillFight FreeForAll", "oldquarry.nfo::OldQuarry", "caf\xe9 WWW iii", "map=x::y 12"}) {
        SIZE size{};
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        EXPECT_EQ(measure.Width(text) - measure.Width(""), size.cx) << text;
    }
}

TEST_F(MainWindowTest, EntryChangesKeepTheListAndTheRotationInStep) {
    frmSrvCyc main;
    main.Load(LocateGameFolder());
    test::AwaitReady(main);
    main.InsertEntry(2, kAddAfter, 2);
    main.RemoveEntries(0);
    test::ChooseEntry(main.Window(), GetDlgCtrlID(main.List1()), 1);
    main.ReplaceEntry(1, 2);

    const std::vector<ListRow> rows{kRows[1], {"Dusk Attrition", 2}, {"Dusk Attrition", 2}};
    EXPECT_EQ(ListRows(main.List1()), rows);
    ASSERT_EQ(main.Session().Document().EntryCount(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(main.Session().Document().Entry(i).ScenarioIndex, rows[i].second);
    EXPECT_EQ(test::SelectedRows(main.List1()), std::vector<int>{1}) << "the replaced entry stays selected";
    EXPECT_TRUE(main.Session().Document().Changed());
}

TEST_F(MainWindowTest, QuitWithoutChangesAsksNothingAndLeavesTheFile) {
    ModalScript script;
    frmSrvCyc main;
    main.Load(LocateGameFolder());
    test::AwaitReady(main);
    main.Show(SW_SHOWNORMAL);
    SendMessageA(main.Window(), WM_CLOSE, 0, 0);

    EXPECT_TRUE(Closed(main));
    EXPECT_TRUE(script.Shown.empty());
    EXPECT_EQ(ReadBytes(rotation_), kRotation);
}

// A folder whose mission files are slow to read: the window shows at once with the progress, the
// commands that need the rotation wait, and quitting needs no answer and writes nothing.
TEST_F(MainWindowTest, WhileTheFolderIsReadTheWindowShowsHowFarAndQuitsAtOnce) {
    test::HeldFileSystem held(WindowsFileSystem(), "hill.nfo");
    ModalScript script;
    frmSrvCyc main(held);
    main.Load(LocateGameFolder());
    held.AwaitHeld();
    main.Show(SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(main.Window()));
    EXPECT_FALSE(main.Ready());
    EXPECT_FALSE(IsWindowEnabled(main.List1()));
    EXPECT_EQ(test::TextOf(FindWindowExA(main.Window(), nullptr, "Static", nullptr)), "Reading mission files: 0 of 1");
    EXPECT_FALSE(IsWindowEnabled(FindWindowExA(main.Window(), nullptr, "Button", "Add"))) << "greyed";
    EXPECT_TRUE(IsWindowEnabled(FindWindowExA(main.Window(), nullptr, "Button", "Quit")));
    for (const EditorCommand command : {EditorCommand::Add, EditorCommand::Save, EditorCommand::SelectAll})
        SendMessageA(main.Window(), WM_COMMAND, MainCommandId(command), 0);
    EXPECT_TRUE(ListRows(main.List1()).empty());

    SendMessageA(main.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(Closed(main));
    EXPECT_TRUE(script.Shown.empty()) << "no question, no box";
    held.Release();
    EXPECT_EQ(ReadBytes(rotation_), kRotation);
}

TEST_F(MainWindowTest, YesSavesTheRotationAndNoDoesNot) {
    const std::pair<int, std::string> cases[] = {
        {IDNO, kRotation},
        {IDYES, kSaved},
    };
    for (const auto& [answer, file] : cases) {
        ModalScript script({Click(answer)});
        frmSrvCyc main;
        StartAndChange(main);
        const HWND window = main.Window();
        SendMessageA(window, WM_CLOSE, 0, 0);

        EXPECT_TRUE(Closed(main)) << answer;
        ASSERT_EQ(script.Shown.size(), 1u);
        ExpectQuitQuestion(script.Shown[0], window);
        EXPECT_EQ(ReadBytes(rotation_), file);
    }
}

TEST_F(MainWindowTest, CancelKeepsTheWindowTheListTheChangeAndTheOutline) {
    ModalScript script({Click(IDCANCEL), Click(IDNO)});
    frmSrvCyc main;
    StartAndChange(main);
    SendMessageA(main.Window(), WM_CLOSE, 0, 0);

    ASSERT_FALSE(Closed(main));
    EXPECT_TRUE(IsWindowVisible(main.Window()));
    EXPECT_EQ(ListRows(main.List1()), (std::vector<ListRow>{kRows[0], kRows[2]}));
    EXPECT_TRUE(main.Session().Document().Changed());
    unique_hrgn outline(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(main.Window(), outline.get()), ERROR);
    test::ExpectPixels(outline.get(), test::kMainOutlinePixels);
    EXPECT_EQ(ReadBytes(rotation_), kRotation);

    SendMessageA(main.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(script.Shown.size(), 2u) << "a later quit asks again";
    EXPECT_TRUE(Closed(main));
}

// A save that fails loses nothing: the operator is told why and can quit again.
TEST_F(MainWindowTest, FailedSaveKeepsTheWindowAndSaysWhy) {
    // Only the first write fails: the retry goes through.
    FaultyFileSystem files(WindowsFileSystem(), FaultyFileSystem::Step::Write);
    ModalScript script({Click(IDYES), Click(IDOK), Click(IDYES)});
    frmSrvCyc main(files);
    StartAndChange(main);
    SendMessageA(main.Window(), WM_CLOSE, 0, 0);

    ASSERT_FALSE(Closed(main));
    ASSERT_EQ(script.Shown.size(), 2u);
    ExpectQuitQuestion(script.Shown[0], main.Window());
    const Box& failure = script.Shown[1];
    EXPECT_EQ(failure.Title, "Rotaplex");
    EXPECT_EQ(failure.Icon, BoxIcon::Error);
    EXPECT_NE(failure.Text.find(rotation_), std::string::npos) << failure.Text;
    EXPECT_NE(failure.Text.find(FaultyFileSystem::kReason), std::string::npos) << failure.Text;
    EXPECT_TRUE(IsWindowVisible(main.Window()));
    EXPECT_EQ(ListRows(main.List1()), (std::vector<ListRow>{kRows[0], kRows[2]}));
    EXPECT_TRUE(main.Session().Document().Changed());
    EXPECT_EQ(ReadBytes(rotation_), kRotation);
    EXPECT_EQ(test::FolderEntries(folder_.Path()),
              (std::vector<std::string>{"resource", "servercycle.txt", "servercycle.txt.lock"}));

    SendMessageA(main.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(script.Shown.size(), 3u);
    EXPECT_TRUE(Closed(main));
    EXPECT_EQ(ReadBytes(rotation_), kSaved);
}

// Edges are included, and the rest drags (nothing).
TEST(MainCommandAt, FindsTheLabelUnderThePoint) {
    using C = EditorCommand;
    const std::optional<C> drag;
    const std::tuple<float, float, std::optional<C>> cases[] = {
        {3600, 240, C::Quit},     {3795, 435, C::Quit},     {3600, 436, drag},        {3600, 480, C::Minimize},
        {3795, 675, C::Minimize}, {3796, 675, drag},        {2280, 4740, C::Delete},  {2775, 4995, C::Delete},
        {1620, 4740, C::Edit},    {2115, 4995, C::Edit},    {960, 4740, C::Add},      {1515, 4995, C::Add},
        {1516, 4800, drag},       {3000, 4740, C::Quit},    {3615, 4995, C::Quit},    {3615, 4739, drag},
        {1500, 1500, drag},
    };
    for (const auto& [x, y, command] : cases) EXPECT_EQ(MainCommandAt(x, y), command) << x << ", " << y;
}

// The notice of another program's version names the keys the command table gives its answers.
TEST(MainCommands, TheOutsideNoticeNamesTheTablesKeys) {
    const std::string told = AnswerOutside("servercycle.txt", true, false, false, true).Told;
    for (const EditorCommand command : {EditorCommand::Reload, EditorCommand::KeepMine, EditorCommand::Compare}) {
        const std::string_view text = RowOf(command).MenuText;
        const std::string keys(text.substr(text.find('\t') + 1));
        EXPECT_NE(told.find(keys + " "), std::string::npos) << keys << " in " << told;
    }
}

// The context menu lists every command and greys the ones that cannot run.
TEST(MainContextMenu, GreysWhatCannotRun) {
    using C = EditorCommand;
    EditorState recent{3, 0, true, false};
    recent.RecentFolders = 2;
    recent.Sets = 2;
    recent.OtherVersion = true;
    // What the rotation never offers without sets or the notice of another version.
    const std::vector<C> noSets{C::Reload, C::KeepMine, C::OpenSet, C::ActivateSet, C::DeleteSet, C::RenameSet};
    const auto with = [&](std::vector<C> greyed, std::vector<C> more) {
        greyed.insert(greyed.end(), more.begin(), more.end());
        std::vector<C> ordered;  // in the menu's order
        for (const MainCommandRow& row : kMainCommands)
            if (std::find(greyed.begin(), greyed.end(), row.Command) != greyed.end()) ordered.push_back(row.Command);
        return ordered;
    };
    const struct {
        EditorState state;
        std::vector<C> greyed;
    } cases[] = {
        {{3, std::nullopt, false, false},
         with({C::Add, C::Edit, C::Delete, C::Cut, C::Copy, C::Paste, C::Duplicate, C::MoveUp, C::MoveDown,
               C::MoveToPosition, C::Undo, C::Redo, C::OpenRecent}, noSets)},
        {{3, 0, true, false}, with({C::Paste, C::MoveUp, C::Redo, C::OpenRecent}, noSets)},
        {{3, 2, false, true}, with({C::Paste, C::MoveDown, C::Undo, C::OpenRecent}, noSets)},
        {{0, std::nullopt, false, false},
         with({C::Edit, C::Delete, C::Cut, C::Copy, C::Paste, C::Duplicate, C::SelectAll, C::MoveUp, C::MoveDown,
               C::MoveToPosition, C::Shuffle, C::SortByName, C::SortByMissionFile, C::Undo, C::Redo, C::NextMissing,
               C::PreviousMissing, C::Find, C::FindNext, C::FindPrevious, C::GoTo, C::OpenRecent, C::SaveAsSet},
              noSets)},
        {{5, 1, false, false, EntrySelection::Of({1, 3}), true},
         with({C::Edit, C::MoveToPosition, C::Undo, C::Redo, C::OpenRecent}, noSets)},
        {recent, {C::Paste, C::MoveUp, C::Redo}},
    };
    for (const auto& c : cases) {
        const unique_hmenu menu = MakeMainContextMenu(c.state, {"C:\\One\\", "C:\\Two & Three\\"}, {"a&b", "c"});
        // An item that opens a submenu has no command id: found by its text.
        const auto placeOf = [&](const char* text) {
            for (int i = 0; i < GetMenuItemCount(menu.get()); ++i) {
                char shown[128] = "";
                GetMenuStringA(menu.get(), i, shown, sizeof shown, MF_BYPOSITION);
                if (std::string(shown) == text) return i;
            }
            return -1;
        };
        std::vector<C> greyed;
        for (const MainCommandRow& row : kMainCommands) {
            const UINT state = row.Submenu != MainCommandRow::Below::Nothing
                                   ? GetMenuState(menu.get(), placeOf(row.MenuText), MF_BYPOSITION)
                                   : GetMenuState(menu.get(), MainCommandId(row.Command), MF_BYCOMMAND);
            ASSERT_NE(state, static_cast<UINT>(-1)) << row.MenuText;
            if (state & MF_GRAYED) greyed.push_back(row.Command);
        }
        EXPECT_EQ(greyed, c.greyed);
        const HMENU sets = GetSubMenu(menu.get(), placeOf(RowOf(C::DeleteSet).MenuText));
        ASSERT_EQ(GetMenuItemCount(sets), 2);
        char name[64] = "";
        GetMenuStringA(sets, 0, name, sizeof name, MF_BYPOSITION);
        EXPECT_STREQ(name, "a&&b");
        EXPECT_EQ(SetChoiceFromId(static_cast<WORD>(GetMenuItemID(sets, 1)))->Set, 1u);
        EXPECT_EQ(SetChoiceFromId(static_cast<WORD>(GetMenuItemID(sets, 1)))->Command, C::DeleteSet);
        const HMENU folders = GetSubMenu(menu.get(), placeOf(RowOf(C::OpenRecent).MenuText));
        ASSERT_EQ(GetMenuItemCount(folders), 2);
        char text[64] = "";
        GetMenuStringA(folders, 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "C:\\Two && Three\\") << "an ampersand of the folder's own";
        EXPECT_EQ(RecentFolderFromId(static_cast<WORD>(GetMenuItemID(folders, 1))), 1u);
    }
}

}  // namespace
}  // namespace rotaplex
