// The real Rotaplex.exe worked with the real keyboard and mouse, as an operator works it: the keys
// of the command table, the context menu, a drag, undo and redo, saving without quitting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cycle/file_rules.h"
#include "cycle/status_line.h"
#include "modal_script.h"
#include "ui/properties/frm_srv_cyc_props.h"
#include "real_input.h"
#include "started_program.h"
#include "test_folder.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

using Texts = std::vector<std::string>;

constexpr const char* kMissions =
    "[Scenarios]\r\nHill = {\r\n[server]\r\nname = Hill\r\nruleset = Brawl\r\n}\r\n"
    "Dusk = {\r\n[server]\r\nname = Dusk\r\nruleset = Attrition\r\n}\r\n"
    "Canyon = {\r\n[server]\r\nname = Canyon\r\nruleset = CTF\r\n}\r\n";
// The second entry's mission is not installed.
constexpr const char* kRotation =
    "[cycle]\r\nmap=hill.nfo::Hill\r\nmap=old.nfo::Quarry\r\nmap=hill.nfo::Canyon\r\nmap=hill.nfo::Dusk\r\n";
constexpr const char* kQuitQuestion = "Your quitting with changes!\nDo you want to save the changes?";

// The program on its own game folder, given as its argument, with a way to look at List1 and the
// windows it opens, and to reach its rows with the real pointer.
class Operator : public test::StartedProgram {
public:
    explicit Operator(const std::string& gameFolder) : StartedProgram("\"" + gameFolder + "\"") {}

    // A window of the program once it is shown and has the keyboard, so that keys typed next go
    // to it; nullptr when none comes.
    HWND Window(const char* className, const char* caption = nullptr) const {
        HWND found = nullptr;
        WaitUntil([&] {
            found = ShownWindow(className, caption);
            return found && (FocusIn(found) || !strcmp(className, "#32768"));
        });
        return found;
    }
    static bool FocusIn(HWND window) {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) && thread.hwndFocus &&
               (thread.hwndFocus == window || IsChild(window, thread.hwndFocus));
    }
    HWND Main() const { return main_; }
    HWND List() const { return list_; }

    Texts Rows() const {
        Texts texts;
        for (const test::ListRow& row : test::ListRows(list_)) texts.push_back(row.first);
        return texts;
    }
    // The one row selected; LB_ERR for none, and for several.
    LRESULT Selected() const {
        const std::vector<int> rows = test::SelectedRows(list_);
        return rows.size() == 1 ? rows.front() : LB_ERR;
    }
    // Until List1 shows these rows with that one selected and the main window takes input again (a
    // window it opened has gone), or a while has passed.
    bool Shows(const Texts& rows, LRESULT selected) const {
        return WaitUntil([&] { return Rows() == rows && Selected() == selected && IsWindowEnabled(main_); }, 100);
    }
    // The same with several rows selected.
    bool ShowsSelected(const Texts& rows, const std::vector<int>& selected) const {
        return WaitUntil(
            [&] { return Rows() == rows && test::SelectedRows(list_) == selected && IsWindowEnabled(main_); }, 100);
    }
    // What List1 shows, for a failure's message.
    std::string Seen() const {
        std::string seen;
        for (const std::string& row : Rows()) seen += "[" + row + "]";
        seen += " rows";
        for (const int row : test::SelectedRows(list_)) seen += " " + std::to_string(row);
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(list_, nullptr), &thread);
        char focus[64] = "";
        GetClassNameA(thread.hwndFocus, focus, sizeof focus);
        char active[64] = "", foreground[64] = "";
        GetClassNameA(thread.hwndActive, active, sizeof active);
        GetClassNameA(GetForegroundWindow(), foreground, sizeof foreground);
        return seen + " selected " + std::to_string(Selected()) + ", focus on " + focus + ", active " + active +
               ", foreground " + foreground + ", main enabled " + std::to_string(IsWindowEnabled(main_));
    }
    // The darkest ink on a row of List1 as the screen shows it, 0 (black) to 255 (white).
    int DarkestInk(int row) const {
        const auto height = static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
        RECT client{};
        GetClientRect(list_, &client);
        const POINT at = test::OnScreen(list_, {0, row * height});
        const int width = client.right;
        const HDC screen = GetDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HBITMAP copy = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HDC dc = CreateCompatibleDC(screen);
        const HGDIOBJ old = SelectObject(dc, copy);
        BitBlt(dc, 0, 0, width, height, screen, at.x, at.y, SRCCOPY);
        GdiFlush();
        int darkest = 255;
        for (int i = 0; i < width * height; ++i) {
            const DWORD pixel = static_cast<const DWORD*>(bits)[i];
            darkest = std::min(darkest, static_cast<int>(std::max({pixel & 0xFF, (pixel >> 8) & 0xFF, (pixel >> 16) & 0xFF})));
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(copy);
        ReleaseDC(nullptr, screen);
        return darkest;
    }

    // The middle of a row, on the screen.
    POINT Row(int row) const {
        const auto height = static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
        return test::OnScreen(list_, {40, row * height + height / 2});
    }
    // A click on one row, a Shift+click on another: the rows from the one to the other selected.
    void SelectRun(int first, int last) const {
        test::RealClick(Row(first));
        test::RealClick(Row(last), 1, 1, "shift");
    }
    // Real keys to the program's window in front, as the operator types them; to the main window
    // when Wine without a window manager has left none of them in front after a modal one closed
    // (on Windows the owner takes over).
    void Keys(const std::string& keys) const {
        const HWND front = GetForegroundWindow();
        DWORD process = 0;
        GetWindowThreadProcessId(front, &process);
        test::RealKeysTo(process == id_ ? front : main_, keys);
    }
    // Waits for a message box and gives its text; it is answered with the keys.
    std::string Box(const char* caption = "Rotaplex") const {
        const HWND box = Window("#32770", caption);
        return box ? test::TextOf(GetDlgItem(box, 0xFFFF)) : "(no box)";
    }
    std::string Caption() const { return test::TextOf(main_); }
    std::string Status() const { return test::TextOf(FindWindowExA(main_, nullptr, "Static", nullptr)); }
    // Until the caption is that, or a while has passed.
    bool Captioned(const std::string& caption) const {
        return WaitUntil([&] { return Caption() == caption; }, 100);
    }
    // Real keys typed into a dialog of the program once it has the keyboard.
    bool TypeInto(const char* caption, const std::string& keys) const {
        if (!Window("#32770", caption)) return false;
        Keys(keys);
        return true;
    }
    bool Ended() const {
        WaitUntil([] { return false; }, 200);
        return ExitCode() != STILL_ACTIVE;
    }
    // Alt+F4 on unsaved changes, answered No.
    bool QuitWithoutSaving() const {
        Keys("alt+F4");
        if (Box("Quitting") != kQuitQuestion) return false;
        Keys("n");
        return Ended();
    }

private:
    // Once its folder is read, with the focus in it.
    HWND main_ = WaitForMainWindow() ? Window("frmSrvCyc") : nullptr;
    HWND list_ = FindWindowExA(main_, nullptr, "ListBox", nullptr);
};

class OperatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("resource\\missions\\hill.nfo", kMissions);
        rotation_ = folder_.Write("servercycle.txt", kRotation);
    }
    test::TestFolder folder_;
    std::string rotation_;
};

const std::string kHill = "Hill Brawl", kDusk = "Dusk Attrition", kCanyon = "Canyon CTF",
                  kQuarry = "old.nfo::Quarry (not installed)";

TEST_F(OperatorTest, KeysMoveDeleteUndoRedoAndSaveNow) {
    Operator program(folder_.Path());
    ASSERT_NE(program.Main(), nullptr);
    test::RealClick(program.Row(0));
    ASSERT_TRUE(program.Shows({kHill, kQuarry, kCanyon, kDusk}, 0));
    // The missing mission's row holds and shows its reference, in grey.
    EXPECT_LT(program.DarkestInk(2), 64) << "a scenario's row in black";
    EXPECT_GT(program.DarkestInk(1), 64) << "the missing mission's row in grey";
    EXPECT_LT(program.DarkestInk(1), 200) << "with its reference drawn";

    program.Keys("ctrl+Down ctrl+Down");
    EXPECT_TRUE(program.Shows({kQuarry, kCanyon, kHill, kDusk}, 2)) << program.Seen() << ": the selection follows the entry";
    program.Keys("ctrl+Up");
    EXPECT_TRUE(program.Shows({kQuarry, kHill, kCanyon, kDusk}, 1)) << program.Seen();
    program.Keys("ctrl+z");
    EXPECT_TRUE(program.Shows({kQuarry, kCanyon, kHill, kDusk}, 2)) << program.Seen() << ": undo selects the entry it touched";
    program.Keys("ctrl+y");
    EXPECT_TRUE(program.Shows({kQuarry, kHill, kCanyon, kDusk}, 1)) << program.Seen();
    program.Keys("ctrl+z ctrl+shift+z");
    EXPECT_TRUE(program.Shows({kQuarry, kHill, kCanyon, kDusk}, 1)) << program.Seen();

    // Delete asks with No as the default: Enter keeps the entry, Y removes it.
    program.Keys("Delete");
    EXPECT_EQ(program.Box(), "Delete Hill Brawl?\nAre you sure?");
    program.Keys("Return");
    EXPECT_TRUE(program.Shows({kQuarry, kHill, kCanyon, kDusk}, 1)) << program.Seen();
    program.Keys("Up Delete");
    EXPECT_EQ(program.Box(), "Delete old.nfo::Quarry?\nAre you sure?") << "a missing mission by its reference";
    program.Keys("y");
    EXPECT_TRUE(program.Shows({kHill, kCanyon, kDusk}, 0)) << program.Seen() << ": the entry that took its place";
    program.Keys("End Delete");
    EXPECT_EQ(program.Box(), "Delete Dusk Attrition?\nAre you sure?");
    program.Keys("y");
    EXPECT_TRUE(program.Shows({kHill, kCanyon}, 1)) << program.Seen() << ": the new last one";

    // Saved now: the file has the edits and the rotation counts as unchanged.
    program.Keys("ctrl+s");
    EXPECT_TRUE(program.WaitUntil([&] { return test::ReadBytes(rotation_) != kRotation; }));
    EXPECT_EQ(test::ReadBytes(rotation_), "[cycle]\r\nmap=hill.nfo::Hill\r\nmap=hill.nfo::Canyon\r\n");
    program.Keys("alt+F4");
    EXPECT_TRUE(program.Ended()) << "no question after the save";
    EXPECT_EQ(program.ExitCode(), 0u);
}

// The lower edge dragged with the real mouse: the system's sizing loop makes the window taller,
// List1 shows more rows, and the commands still answer where they are painted.
TEST_F(OperatorTest, DraggingTheLowerEdgeShowsMoreRows) {
    Operator program(folder_.Path());
    ASSERT_NE(program.Main(), nullptr);
    const HWND main = program.Main();
    const auto rows = [&] {
        RECT inside{};
        GetClientRect(program.List(), &inside);
        return inside.bottom / SendMessageW(program.List(), LB_GETITEMHEIGHT, 0, 0);
    };
    const LRESULT before = rows();
    RECT at{};
    GetWindowRect(main, &at);
    // The left end of the lower edge, clear of the commands.
    test::RealDrag({at.left + 20, at.bottom - 2}, {at.left + 20, at.bottom + 150});
    EXPECT_TRUE(program.WaitUntil([&] { return rows() > before; }, 100)) << before << " rows";
    RECT grown{};
    GetWindowRect(main, &grown);
    EXPECT_GT(grown.bottom - grown.top, at.bottom - at.top + 100);
    EXPECT_EQ(grown.right - grown.left, at.right - at.left);
    // QUIT, where it is painted now: at the same distance from the bottom.
    const HWND quit = WindowFromPoint({grown.left + 220, grown.bottom - 8});
    EXPECT_TRUE(test::IsPaintedCommand(quit)) << test::ClassOf(quit);
    EXPECT_EQ(test::TextOf(quit), "Quit");
    EXPECT_TRUE(program.QuitWithoutSaving() || program.Ended());
}

// Tab goes from List1 to the painted commands; Enter or Space presses the one with the focus.
TEST_F(OperatorTest, TabReachesThePaintedCommandsAndEnterOrSpacePressesThem) {
    for (const char* press : {"Return", "space"}) {
        Operator program(folder_.Path());
        ASSERT_NE(program.Main(), nullptr);
        test::RealClick(program.Row(0));
        ASSERT_TRUE(program.Shows({kHill, kQuarry, kCanyon, kDusk}, 0));
        program.Keys(std::string("Tab ") + press);
        EXPECT_TRUE(program.TypeInto("Add Mission", "Escape")) << press << " on ADD adds";
        EXPECT_TRUE(program.Shows({kHill, kQuarry, kCanyon, kDusk}, 0)) << program.Seen();
        program.Keys("alt+F4");
        EXPECT_TRUE(program.Ended());
    }
}

TEST_F(OperatorTest, InsertEnterF2AndDoubleClickOpenTheirWindows) {
    Operator program(folder_.Path());
    ASSERT_NE(program.Main(), nullptr);
    test::RealClick(program.Row(2));

    // Insert: before the selected entry (the focused button), the first scenario, Enter for OK.
    program.Keys("Insert");
    ASSERT_NE(program.Window("#32770", "Add Mission"), nullptr);
    program.Keys("Return");
    ASSERT_NE(program.Window("RotaplexMissionProperties"), nullptr) << program.Seen();
    program.Keys("Return");
    EXPECT_TRUE(program.Shows({kHill, kQuarry, kHill, kCanyon, kDusk}, 2)) << program.Seen() << ": the new entry selected";

    // F2 on it, another scenario, Esc: nothing changes. Enter, Down, Enter: it changes.
    program.Keys("F2");
    ASSERT_NE(program.Window("RotaplexMissionProperties"), nullptr) << program.Seen();
    program.Keys("Down Escape");
    EXPECT_TRUE(program.Shows({kHill, kQuarry, kHill, kCanyon, kDusk}, 2)) << program.Seen();
    // Enter, then the filter, where the focus starts: "dusk" leaves one scenario.
    program.Keys("Return");
    ASSERT_NE(program.Window("RotaplexMissionProperties"), nullptr) << program.Seen();
    program.Keys("d u s k Down Return");
    EXPECT_TRUE(program.Shows({kHill, kQuarry, kDusk, kCanyon, kDusk}, 2)) << program.Seen();

    // A double-click on an entry edits it; a double-click on a scenario chooses it.
    test::RealClick(program.Row(3), 1, 2);
    const HWND properties = program.Window("RotaplexMissionProperties");
    ASSERT_NE(properties, nullptr);
    const HWND scenarios = FindWindowExA(properties, nullptr, "ListBox", nullptr);
    const auto height = static_cast<int>(SendMessageW(scenarios, LB_GETITEMHEIGHT, 0, 0));
    test::RealClick(test::OnScreen(scenarios, {40, height / 2}), 1, 2);
    EXPECT_TRUE(program.Shows({kHill, kQuarry, kDusk, kHill, kDusk}, 3)) << program.Seen();

    program.Keys("alt+F4");
    EXPECT_EQ(program.Box("Quitting"), kQuitQuestion);
    program.Keys("n");
    EXPECT_TRUE(program.Ended());
    EXPECT_EQ(test::ReadBytes(rotation_), kRotation);
}

TEST_F(OperatorTest, ContextMenuAndDragMoveEntries) {
    Operator program(folder_.Path());
    ASSERT_NE(program.Main(), nullptr);

    // A right-click selects the row under it; the menu's Move down moves it.
    test::RealClick(program.Row(1), 3);
    ASSERT_NE(program.Window("#32768"), nullptr);
    program.Keys("w");
    EXPECT_TRUE(program.Shows({kHill, kCanyon, kQuarry, kDusk}, 2)) << program.Seen();
    // On the last entry Move down is greyed: its key does nothing, Esc closes the menu.
    test::RealClick(program.Row(3), 3);
    ASSERT_NE(program.Window("#32768"), nullptr);
    program.Keys("w Escape");
    EXPECT_TRUE(program.WaitUntil([&] { return !program.ShownWindow("#32768"); }));
    EXPECT_TRUE(program.Shows({kHill, kCanyon, kQuarry, kDusk}, 3)) << program.Seen();
    // F10 and Alt alone open the same menu, the window having no menu bar; F1 the help.
    for (const char* key : {"F10", "alt"}) {
        program.Keys(key);
        ASSERT_NE(program.Window("#32768"), nullptr) << key;
        program.Keys("Escape");
        EXPECT_TRUE(program.WaitUntil([&] { return !program.ShownWindow("#32768"); })) << key;
    }
    program.Keys("F1");
    const HWND help = program.Window("#32770", "Rotaplex: the commands and their keys");
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(test::TextOf(FindWindowExA(help, nullptr, "Edit", nullptr)).starts_with("F10, Alt"));
    program.Keys("Return");

    // The first entry dragged onto the fourth goes in before it; one undo step puts it back.
    test::RealDrag(program.Row(0), program.Row(3));
    EXPECT_TRUE(program.Shows({kCanyon, kQuarry, kHill, kDusk}, 2)) << program.Seen();
    program.Keys("ctrl+z");
    EXPECT_TRUE(program.Shows({kHill, kCanyon, kQuarry, kDusk}, 0)) << program.Seen();

    program.Keys("alt+F4");
    EXPECT_EQ(program.Box("Quitting"), kQuitQuestion);
    program.Keys("n");
    EXPECT_TRUE(program.Ended());
}

// Shift and Ctrl with clicks and arrows choose entries. A block of five moves with one drag and
// comes back with one undo; a scattered selection gathers as it moves by keys; Delete asks once.
TEST_F(OperatorTest, SelectedEntriesMoveAndDeleteAsOne) {
    folder_.Write("servercycle.txt", std::string(kRotation) + "map=hill.nfo::Hill\r\nmap=hill.nfo::Canyon\r\nmap=hill.nfo::Dusk\r\n");
    const Texts rows{kHill, kQuarry, kCanyon, kDusk, kHill, kCanyon, kDusk};
    Operator program(folder_.Path());
    ASSERT_NE(program.Main(), nullptr);
    program.SelectRun(2, 6);
    ASSERT_TRUE(program.ShowsSelected(rows, {2, 3, 4, 5, 6})) << program.Seen();
    test::RealDrag(program.Row(3), program.Row(0));
    EXPECT_TRUE(program.ShowsSelected({kCanyon, kDusk, kHill, kCanyon, kDusk, kHill, kQuarry}, {0, 1, 2, 3, 4}))
        << program.Seen();
    program.Keys("ctrl+z");
    EXPECT_TRUE(program.ShowsSelected(rows, {2, 3, 4, 5, 6})) << program.Seen();

    test::RealClick(program.Row(4), 1, 1, "ctrl");
    ASSERT_TRUE(program.ShowsSelected(rows, {2, 3, 5, 6})) << program.Seen();
    program.Keys("ctrl+Up");
    const Texts moved{kHill, kCanyon, kDusk, kCanyon, kDusk, kQuarry, kHill};
    EXPECT_TRUE(program.ShowsSelected(moved, {1, 2, 3, 4})) << program.Seen();
    program.Keys("Delete");
    EXPECT_EQ(program.Box(), "Delete 4 entries?");
    program.Keys("y");
    EXPECT_TRUE(program.ShowsSelected({kHill, kQuarry, kHill}, {1})) << program.Seen();
    program.Keys("ctrl+z");
    EXPECT_TRUE(program.ShowsSelected(moved, {1, 2, 3, 4})) << program.Seen();

    program.Keys("Home shift+Down");
    EXPECT_TRUE(program.ShowsSelected(moved, {0, 1})) << program.Seen();
    program.Keys("ctrl+a");
    EXPECT_TRUE(program.ShowsSelected(moved, {0, 1, 2, 3, 4, 5, 6})) << program.Seen();
    program.Keys("alt+F4");
    EXPECT_EQ(program.Box("Quitting"), kQuitQuestion);
    program.Keys("n");
    EXPECT_TRUE(program.Ended());
}

// Entries copied in one window, pasted into another on another folder, through the real
// clipboard: the lines as the file has them, in both kinds of text, the byte 0xE9 as the ANSI
// code page has it.
TEST_F(OperatorTest, EntriesCopiedInOneWindowArePastedInAnother) {
    folder_.Write("servercycle.txt", "[cycle]\r\nmap=hill.nfo::Hill\r\n  map=caf\xe9.nfo::Quarry \r\nmap=hill.nfo::Canyon\r\n");
    test::TestFolder other;
    other.Write("resource\\missions\\hill.nfo", kMissions);
    const std::string otherRotation = other.Write("servercycle.txt", "[cycle]\r\nmap=hill.nfo::Dusk\r\nmap=hill.nfo::Dusk\r\n");
    Operator from(folder_.Path());
    ASSERT_NE(from.Main(), nullptr);
    from.SelectRun(0, 2);
    const std::string quarry = "caf\xe9.nfo::Quarry (not installed)";
    ASSERT_TRUE(from.ShowsSelected({kHill, quarry, kCanyon}, {0, 1, 2})) << from.Seen();
    from.Keys("ctrl+Insert");
    const std::string lines = "map=hill.nfo::Hill\r\n  map=caf\xe9.nfo::Quarry \r\nmap=hill.nfo::Canyon\r\n";
    EXPECT_TRUE(from.WaitUntil([&] { return test::ClipboardBytes(CF_TEXT) == lines; })) << test::ClipboardBytes(CF_TEXT);
    EXPECT_EQ(test::ClipboardBytes(CF_UNICODETEXT), lines);

    Operator to(other.Path());
    ASSERT_NE(to.Main(), nullptr);
    test::RealClick(to.Row(0));
    to.Keys("shift+Insert");
    EXPECT_TRUE(to.ShowsSelected({kDusk, kHill, quarry, kCanyon, kDusk}, {1, 2, 3})) << to.Seen();
    to.Keys("ctrl+s");
    // The pasted lines trimmed, as the reader takes them.
    const std::string saved = "[cycle]\r\nmap=hill.nfo::Dusk\r\nmap=hill.nfo::Hill\r\nmap=caf\xe9.nfo::Quarry\r\n"
                              "map=hill.nfo::Canyon\r\nmap=hill.nfo::Dusk\r\n";
    EXPECT_TRUE(to.WaitUntil([&] { return test::ReadBytes(otherRotation) == saved; })) << test::ReadBytes(otherRotation);
    to.Keys("alt+F4");
    EXPECT_TRUE(to.Ended());
    from.Keys("alt+F4");
    EXPECT_TRUE(from.Ended()) << "nothing changed there";
}

// The first entry of an empty rotation: no question where, and Ctrl+S writes the new file.
TEST(OperatorEmptyRotation, InsertAddsTheFirstEntryAndSaveCreatesTheFile) {
    test::TestFolder folder;
    folder.Write("resource\\missions\\hill.nfo", kMissions);
    Operator program(folder.Path());
    ASSERT_NE(program.Main(), nullptr);
    EXPECT_TRUE(program.Rows().empty());
    test::RealClick(test::OnScreen(program.List(), {40, 40}));
    program.Keys("Insert");
    ASSERT_NE(program.Window("RotaplexMissionProperties"), nullptr) << "straight to the chooser";
    program.Keys("Return");
    EXPECT_TRUE(program.Shows({kHill}, 0)) << program.Seen();
    program.Keys("ctrl+s");
    const std::string rotation = folder.Path() + "servercycle.txt";
    EXPECT_TRUE(program.WaitUntil([&] { return test::Exists(rotation); }));
    EXPECT_EQ(test::ReadBytes(rotation), "[cycle]\r\nmap=hill.nfo::Hill\r\n");
    program.Keys("alt+F4");
    EXPECT_TRUE(program.Ended());
}

// A folder without mission files says so on the status line, and Insert that there is nothing to
// choose; an empty servercycle.txt is an empty rotation without a word.
TEST(OperatorEmptyRotation, AFolderWithoutMissionsSaysSoOnce) {
    test::TestFolder folder;
    folder.Write("servercycle.txt", "");
    Operator program(folder.Path());
    ASSERT_NE(program.Main(), nullptr) << "no box before the window";
    EXPECT_EQ(program.Status(),
              "No entries\nNo mission files in " + folder.Path() + "resource\\missions: there is nothing to add");
    test::RealClick(test::OnScreen(program.List(), {40, 40}));
    program.Keys("Insert");
    EXPECT_EQ(program.Box(), kNothingToChoose);
    program.Keys("Return alt+F4");
    EXPECT_TRUE(program.Ended());
}

// The caption names the folder and carries "*" exactly while the rotation differs from the file.
TEST_F(OperatorTest, CaptionMarksUnsavedChangesUntilSavedOrUndoneToTheSavedState) {
    Operator program(folder_.Path());
    ASSERT_NE(program.Main(), nullptr);
    const std::string saved = WindowCaption(folder_.Path(), false), unsaved = WindowCaption(folder_.Path(), true);
    EXPECT_TRUE(program.Captioned(saved)) << program.Caption();
    EXPECT_TRUE(program.Shows({kHill, kQuarry, kCanyon, kDusk}, 0)) << program.Seen() << ": the first entry selected";
    EXPECT_EQ(program.Status(), "Entry 1 of 4\n1 entry matches no installed mission: F8 goes to it");

    program.Keys("ctrl+Down");
    EXPECT_TRUE(program.Captioned(unsaved)) << program.Caption();
    EXPECT_EQ(program.Status(), "Entry 2 of 4\nEntry 1 moved to 2");
    program.Keys("ctrl+z");
    EXPECT_TRUE(program.Captioned(saved)) << "undone back to the file: " << program.Caption();
    program.Keys("ctrl+y ctrl+s");
    EXPECT_TRUE(program.Captioned(saved)) << program.Caption();
    EXPECT_EQ(program.Status().rfind("Entry 2 of 4\nSaved at ", 0), 0u) << program.Status();
    program.Keys("ctrl+z");
    EXPECT_TRUE(program.Captioned(unsaved)) << "undone past the save: " << program.Caption();
    program.Keys("ctrl+y ctrl+s");
    EXPECT_TRUE(program.WaitUntil([&] { return program.Status() == "Entry 2 of 4\nNothing to save"; }, 100))
        << program.Status();
    program.Keys("alt+F4");
    EXPECT_TRUE(program.Ended());
}

// F8 and Shift+F8 go round the entries that match no mission; typing finds by the whole prefix.
TEST(OperatorGoesTo, MissingEntriesFoundTextAndPositions) {
    test::TestFolder folder;
    folder.Write("resource\\missions\\hill.nfo", kMissions);
    folder.Write("servercycle.txt",
                 "[cycle]\r\nmap=hill.nfo::Hill\r\nmap=old.nfo::Quarry\r\nmap=hill.nfo::Canyon\r\n"
                 "map=gone.nfo::Marsh\r\nmap=hill.nfo::Dusk\r\n");
    Operator program(folder.Path());
    ASSERT_NE(program.Main(), nullptr);
    const std::string marsh = "gone.nfo::Marsh (not installed)";
    const Texts rows{kHill, kQuarry, kCanyon, marsh, kDusk};
    ASSERT_TRUE(program.Shows(rows, 0)) << program.Seen();
    EXPECT_EQ(program.Status(), "Entry 1 of 5\n2 entries match no installed mission: F8 goes to the next");
    test::RealClick(program.Row(0));
    const struct {
        const char* keys;
        LRESULT selected;
    } steps[] = {
        {"o", 1},  // a missing entry by the reference its row shows, which the list's own search misses
        {"F8", 3}, {"F8", 1}, {"shift+F8", 3}, {"shift+F8", 1},  // round the end and back
    };
    for (const auto& step : steps) {
        program.Keys(step.keys);
        EXPECT_TRUE(program.Shows(rows, step.selected)) << step.keys << ": " << program.Seen();
    }
    // Ctrl+F finds "t" in Canyon CTF and Dusk Attrition; F3 and Shift+F3 go on and back.
    program.Keys("ctrl+f");
    ASSERT_TRUE(program.TypeInto("Find", "t Return"));
    EXPECT_TRUE(program.Shows(rows, 2)) << program.Seen();
    program.Keys("F3");
    EXPECT_TRUE(program.Shows(rows, 4)) << program.Seen();
    program.Keys("F3");
    EXPECT_TRUE(program.Shows(rows, 2)) << program.Seen() << ": round the end";
    program.Keys("shift+F3");
    EXPECT_TRUE(program.Shows(rows, 4)) << program.Seen();
    program.Keys("ctrl+f");
    ASSERT_TRUE(program.TypeInto("Find", "z z Return"));
    EXPECT_TRUE(program.WaitUntil([&] { return program.Status() == "Entry 5 of 5\nNo entry contains \"zz\""; }, 100))
        << program.Status();

    program.Keys("ctrl+g");
    ASSERT_TRUE(program.TypeInto("Go To", "2 Return"));
    EXPECT_TRUE(program.Shows(rows, 1)) << program.Seen();
    program.Keys("ctrl+g");
    ASSERT_TRUE(program.TypeInto("Go To", "9 Return"));
    EXPECT_EQ(program.Box(), "Type a position from 1 to 5.");
    program.Keys("Return");
    ASSERT_TRUE(program.Shows(rows, 1)) << "the box gone, the main window takes keys again";
    // The selected entry moved to a position is one step, undone as one.
    program.Keys("ctrl+shift+g");
    ASSERT_TRUE(program.TypeInto("Move to Position", "5 Return"));
    EXPECT_TRUE(program.Shows({kHill, kCanyon, marsh, kDusk, kQuarry}, 4)) << program.Seen();
    EXPECT_EQ(program.Status(), "Entry 5 of 5\nEntry 2 moved to 5");
    program.Keys("ctrl+z");
    EXPECT_TRUE(program.Shows(rows, 1)) << program.Seen();

    program.Keys("alt+F4");
    EXPECT_TRUE(program.Ended());
}

// The Add Mission dialog's buttons answer to their letters: Insert, A appends after the selection.
TEST_F(OperatorTest, AddDialogButtonsTakeTheirMnemonics) {
    Operator program(folder_.Path());
    ASSERT_NE(program.Main(), nullptr);
    test::RealClick(program.Row(3));
    const struct {
        const char* letter;
        Texts rows;
    } adds[] = {{"a", {kHill, kQuarry, kCanyon, kDusk, kHill}}, {"b", {kHill, kQuarry, kCanyon, kDusk, kHill, kHill}}};
    for (const auto& add : adds) {
        program.Keys("Insert");
        ASSERT_TRUE(program.TypeInto("Add Mission", add.letter));
        ASSERT_NE(program.Window("RotaplexMissionProperties"), nullptr) << program.Seen();
        program.Keys("Return");
        EXPECT_TRUE(program.Shows(add.rows, 4)) << add.letter << ": " << program.Seen();
    }
    EXPECT_TRUE(program.QuitWithoutSaving());
}

// A file another program changed or removed is saved over only on a Yes: Enter keeps it.
TEST_F(OperatorTest, ChangedFileQuestionDefaultsToKeepingTheOtherVersion) {
    Operator program(folder_.Path());
    ASSERT_NE(program.Main(), nullptr);
    test::RealClick(program.Row(0));
    program.Keys("ctrl+Down");
    ASSERT_TRUE(program.Shows({kQuarry, kHill, kCanyon, kDusk}, 1)) << program.Seen();
    const std::string theirs = "[cycle]\r\nmap=hill.nfo::Dusk\r\n";
    const struct {
        bool removed;
        std::string question;
    } cases[] = {{false, ChangedOnDiskQuestion(rotation_)}, {true, RemovedOnDiskQuestion(rotation_)}};
    for (const auto& c : cases) {
        if (c.removed)
            ASSERT_TRUE(DeleteFileA(rotation_.c_str()));
        else
            folder_.Write("servercycle.txt", theirs);
        program.Keys("ctrl+s");
        EXPECT_EQ(program.Box(), c.question);
        program.Keys("Return");
        EXPECT_TRUE(program.Shows({kQuarry, kHill, kCanyon, kDusk}, 1)) << program.Seen();
        EXPECT_EQ(test::Exists(rotation_) ? test::ReadBytes(rotation_) : "(removed)", c.removed ? "(removed)" : theirs);
    }
    EXPECT_TRUE(program.QuitWithoutSaving());
}

// EDIT on an entry that matches no mission filters the chooser by its key; a filter that matches
// nothing leaves the chooser open, whatever Enter says, until the filter matches again.
TEST_F(OperatorTest, EditOnAMissingEntryFiltersByItsKey) {
    Operator program(folder_.Path());
    ASSERT_NE(program.Main(), nullptr);
    test::RealClick(program.Row(1));
    program.Keys("Return");
    const HWND chooser = program.Window("RotaplexMissionProperties");
    ASSERT_NE(chooser, nullptr) << program.Seen();
    const auto text = [&](int id) { return test::TextOf(GetDlgItem(chooser, id)); };
    EXPECT_EQ(text(props::txtFilter), "Quarry");
    EXPECT_EQ(text(props::lblNotice), "Nothing matches the filter: change it, or press Esc to choose nothing.");
    EXPECT_EQ(text(props::txtName), "");
    program.Keys("Return");
    EXPECT_FALSE(program.Ended());
    EXPECT_TRUE(IsWindowVisible(chooser)) << "Enter chose nothing and said so";
    program.Keys("c a n Return");
    EXPECT_TRUE(program.Shows({kHill, kCanyon, kCanyon, kDusk}, 1)) << program.Seen();
    EXPECT_EQ(program.Status(), "Entry 2 of 4\nEvery entry matches an installed mission");

    EXPECT_TRUE(program.QuitWithoutSaving());
}

}  // namespace
}  // namespace rotaplex
