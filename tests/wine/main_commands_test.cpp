// The painted commands of the main window, pressed on the real window, with their dialogs
// answered by script.
#include <gtest/gtest.h>

#include <cstring>

#include <functional>

#include "cycle/file_rules.h"
#include "cycle/rotation_sets.h"
#include "cycle/status_line.h"
#include "cycle/win/game_folder.h"
#include "cycle/win/windows_file_system.h"
#include "modal_script.h"
#include "test_folder.h"
#include "ui/framework/message_loop.h"
#include "ui/main/frm_srv_cyc.h"
#include "ui/framework/text_window.h"
#include "ui/main/main_commands.h"
#include "ui/properties/frm_srv_cyc_props.h"
#include "ui/dialogs/frm_addwhere.h"
#include "ui/framework/text_question.h"
#include "ui/main/sets_menu.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

using test::BoxIcon;
using test::Click;
using test::ListRow;
using test::ListRows;
using test::ModalScript;
using Step = ModalScript::Step;
using Rows = std::vector<ListRow>;

constexpr const char* kMissions =
    "[Scenarios]\r\n"
    "Alpha = {\r\n[server]\r\nname = Alpha\r\nruleset = Attrition\r\n}\r\n"
    "Bravo = {\r\n[server]\r\nname = Bravo\r\nruleset = Brawl\r\n}\r\n"
    "Charlie = {\r\n[server]\r\nname = Charlie\r\nruleset = CTF\r\n}\r\n";
// First, middle (matching no scenario) and last entry.
constexpr const char* kRotation = "[cycle]\r\nmap=m.nfo::Alpha\r\nmap=gone.nfo::Retired\r\nmap=m.nfo::Bravo\r\n";
const ListRow kAlpha{"Alpha Attrition", 1}, kRetired{"gone.nfo::Retired (not installed)", 0}, kBravo{"Bravo Brawl", 2}, kCharlie{"Charlie CTF", 3};
const Rows kRows{kAlpha, kRetired, kBravo};
// What the rows show and the dialogs name: an entry whose mission is missing by its own reference.
const std::string kShown[] = {"Alpha Attrition", "gone.nfo::Retired", "Bravo Brawl"};

// The painted labels, in pixels.
constexpr POINT kAdd{80, 325}, kEdit{125, 325}, kDel{170, 325};

// The add-position dialog, checked to show the selected entry's text, answered with a button.
Step AddPosition(const std::string& entryText, int button) {
    return {test::kDialogClass, [=](HWND dialog) {
                EXPECT_EQ(test::TextOf(GetDlgItem(dialog, addwhere::Label1)), entryText);
                Click(button).Act(dialog);
            }};
}

// The mission properties window: checks which scenario came highlighted, highlights the listed
// entry choose (none when -1), then presses OK or CANCEL.
Step Properties(LRESULT highlighted, int choose, bool ok) {
    return {props::kWindowClass, [=](HWND w) {
                const LRESULT entry = SendDlgItemMessageA(w, props::List1, LB_GETCURSEL, 0, 0);
                EXPECT_EQ(SendDlgItemMessageA(w, props::List1, LB_GETITEMDATA, entry, 0), highlighted);
                if (choose >= 0) test::ChooseEntry(w, props::List1, choose);
                if (ok)
                    test::PressPropertiesOk(w);
                else
                    test::PressPropertiesCancel(w);
            }};
}

void Start(frmSrvCyc& main) {
    main.Load(LocateGameFolder());
    test::AwaitReady(main);
    main.Show(SW_SHOWNORMAL);
}

// Selects an entry as a click on it does.
void Select(frmSrvCyc& main, int entry) { test::ChooseEntry(main.Window(), GetDlgCtrlID(main.List1()), entry); }

// A left press on a label, with the windows it opens played by the steps; what came up, in order.
std::vector<test::ShownWindow> Press(frmSrvCyc& main, POINT at, std::vector<Step> steps) {
    const size_t count = steps.size();
    ModalScript script(std::move(steps));
    SendMessageA(main.Window(), WM_LBUTTONDOWN, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(script.StepsRun(), count);
    return script.Shown;
}

// Whether quitting now asks to save. The question is cancelled, so then the window stays.
bool QuitAsks(frmSrvCyc& main) {
    ModalScript script;
    SendMessageA(main.Window(), WM_CLOSE, 0, 0);
    if (!IsWindow(main.Window())) {
        EXPECT_EQ(RunMessageLoop(), 0);
    }
    return script.Shown.size() == 1 && script.Shown[0].Title == "Quitting";
}

// The list, the rotation behind it, and whether it counts as changed.
void ExpectRotation(frmSrvCyc& main, const Rows& rows, bool changed) {
    EXPECT_EQ(ListRows(main.List1()), rows);
    ASSERT_EQ(main.Session().Document().EntryCount(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(main.Session().Document().Entry(i).ScenarioIndex, rows[i].second) << i;
    EXPECT_EQ(main.Session().Document().Changed(), changed);
    EXPECT_EQ(QuitAsks(main), changed);
}

class MainCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("resource\\missions\\m.nfo", kMissions);
        folder_.Write("servercycle.txt", kRotation);
    }

    test::TestFolder folder_;
    test::GameFolderSetting key_{folder_.Path()};
};

// Charlie, added before or after the first, the middle and the last entry.
TEST_F(MainCommandsTest, AddPutsTheChosenScenarioBeforeOrAfterTheSelectedEntry) {
    const struct {
        int selected;
        int button;
        Rows rows;
    } cases[] = {
        {0, addwhere::cmdBefore, {kCharlie, kAlpha, kRetired, kBravo}},
        {0, addwhere::cmdAfter, {kAlpha, kCharlie, kRetired, kBravo}},
        {1, addwhere::cmdBefore, {kAlpha, kCharlie, kRetired, kBravo}},
        {1, addwhere::cmdAfter, {kAlpha, kRetired, kCharlie, kBravo}},
        {2, addwhere::cmdBefore, {kAlpha, kRetired, kCharlie, kBravo}},
        {2, addwhere::cmdAfter, {kAlpha, kRetired, kBravo, kCharlie}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "entry " << c.selected << ", button " << c.button);
        frmSrvCyc main;
        Start(main);
        Select(main, c.selected);
        // The properties window opens on no scenario: the first listed one is highlighted.
        const auto shown =
            Press(main, kAdd, {AddPosition(kShown[c.selected], c.button), Properties(1, 2, true)});
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0].Title, "Add Mission");
        EXPECT_EQ(shown[0].Owner, main.Window());
        EXPECT_EQ(shown[1].Owner, main.Window());
        ExpectRotation(main, c.rows, true);
    }
}

TEST_F(MainCommandsTest, AddCancelledAtEitherWindowChangesNothing) {
    const struct {
        const char* how;
        std::vector<Step> steps;
    } cases[] = {
        {"Cancel", {Click(addwhere::cmdCancel)}},
        {"Esc", {test::Key(VK_ESCAPE)}},
        {"close box", {test::CloseBox()}},
        {"CANCEL in the properties window", {Click(addwhere::cmdAfter), Properties(1, 2, false)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        frmSrvCyc main;
        Start(main);
        Select(main, 1);
        EXPECT_EQ(Press(main, kAdd, c.steps).size(), c.steps.size()) << "no window after the cancel";
        ExpectRotation(main, kRows, false);
    }
}

TEST_F(MainCommandsTest, EditGivesTheEntryTheScenarioChosenIfItDiffers) {
    const struct {
        const char* how;
        int selected;
        Step properties;
        Rows rows;
        bool changed;
    } cases[] = {
        {"another scenario", 0, Properties(1, 1, true), {kBravo, kRetired, kBravo}, true},
        {"the same scenario", 2, Properties(2, -1, true), kRows, false},
        {"another, then CANCEL", 0, Properties(1, 2, false), kRows, false},
        // Item data 0 names no scenario: the list is filtered by the entry's key, here matching
        // nothing, and OK chooses nothing; another filter, and OK chooses its first match.
        {"unmatched entry", 1,
         {props::kWindowClass,
          [](HWND w) {
              EXPECT_EQ(test::TextOf(GetDlgItem(w, props::txtFilter)), "Retired");
              EXPECT_EQ(SendDlgItemMessageA(w, props::List1, LB_GETCOUNT, 0, 0), 0);
              test::PressPropertiesOk(w);
              EXPECT_TRUE(IsWindowVisible(w));
              SetDlgItemTextA(w, props::txtFilter, "charlie");
              EXPECT_EQ(test::TextOf(GetDlgItem(w, props::lblNotice)), ReplacesText("gone.nfo::Retired"));
              test::PressPropertiesOk(w);
          }},
         {kAlpha, kCharlie, kBravo}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        frmSrvCyc main;
        Start(main);
        Select(main, c.selected);
        EXPECT_EQ(Press(main, kEdit, {c.properties}).size(), 1u);
        ExpectRotation(main, c.rows, c.changed);
    }
}

TEST_F(MainCommandsTest, DelAsksAndRemovesTheEntryOnYes) {
    const struct {
        int selected;
        int answer;
        const char* question;
        Rows rows;
    } cases[] = {
        {0, IDYES, "Delete Alpha Attrition?\nAre you sure?", {kRetired, kBravo}},
        {2, IDNO, "Delete Bravo Brawl?\nAre you sure?", kRows},
        {1, IDYES, "Delete gone.nfo::Retired?\nAre you sure?", {kAlpha, kBravo}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question);
        frmSrvCyc main;
        Start(main);
        Select(main, c.selected);
        // No is the default button, so that Enter never deletes.
        const auto shown = Press(main, kDel, {{test::kDialogClass, [&](HWND box) {
                                                   EXPECT_TRUE(GetWindowLongPtrA(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON);
                                                   Click(c.answer).Act(box);
                                               }}});
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].Title, "Rotaplex");
        EXPECT_EQ(shown[0].Text, c.question);
        EXPECT_EQ(shown[0].Icon, BoxIcon::Question);
        EXPECT_EQ(shown[0].Buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(shown[0].Owner, main.Window());
        ExpectRotation(main, c.rows, c.answer == IDYES);
    }
}

TEST_F(MainCommandsTest, WithoutASelectionEachCommandSaysSo) {
    const std::pair<POINT, std::string> cases[] = {
        {kAdd, "Pick from the list where you want to add it!"},
        {kEdit, "Pick from the list before editing!"},
        {kDel, "Pick from the list before editing!"},
    };
    frmSrvCyc main;
    Start(main);
    SendMessageA(main.List1(), LB_SETSEL, FALSE, -1);
    for (const auto& [at, message] : cases) {
        const auto shown = Press(main, at, {Click(IDOK)});
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].Title, "Rotaplex");
        EXPECT_EQ(shown[0].Text, message);
        EXPECT_EQ(shown[0].Icon, BoxIcon::None);
        EXPECT_EQ(shown[0].Buttons, std::vector<int>{IDOK});
    }
    ExpectRotation(main, kRows, false);
}

// What a press did, as the operator sees it; every window it opens is left without choosing.
std::string Observed(frmSrvCyc& main, UINT button, POINT at) {
    ModalScript script;
    const bool moved = test::PressStartsMove(main.Window(), button, at);
    if (!script.Shown.empty()) {
        const test::ShownWindow& first = script.Shown[0];
        if (first.Class == props::kWindowClass) return "EDIT";
        if (first.Text.starts_with("Delete ")) return "DEL";
        return first.Title;
    }
    if (IsIconic(main.Window())) {
        ShowWindow(main.Window(), SW_RESTORE);
        return "minimize";
    }
    // A modal loop would also take the button-up, so a move counts only without a window.
    return moved ? "drag" : "nothing";
}

// Every label's corners and the pixels just outside them, with each mouse button. The hot spots
// start on whole pixels (twips / 15), so these are the edges in twips too.
TEST_F(MainCommandsTest, PressesRunTheLabelUnderThePointerWithAnyButton) {
    const std::pair<POINT, std::string> cases[] = {
        // close X, and the gap below it before the _
        {{240, 16}, "Quitting"}, {{253, 29}, "Quitting"}, {{239, 16}, "drag"}, {{240, 15}, "drag"}, {{254, 29}, "drag"},
        {{246, 30}, "drag"}, {{246, 31}, "drag"},
        {{240, 32}, "minimize"}, {{253, 45}, "minimize"}, {{246, 46}, "drag"},
        {{152, 316}, "DEL"}, {{185, 332}, "DEL"}, {{151, 320}, "drag"}, {{186, 320}, "drag"}, {{160, 315}, "drag"},
        {{108, 316}, "EDIT"}, {{141, 332}, "EDIT"}, {{107, 320}, "drag"}, {{142, 320}, "drag"},
        {{64, 316}, "Add Mission"}, {{101, 332}, "Add Mission"}, {{63, 320}, "drag"}, {{102, 320}, "drag"},
        {{200, 316}, "Quitting"}, {{241, 332}, "Quitting"}, {{199, 320}, "drag"}, {{220, 315}, "drag"},
        {{100, 290}, "drag"},
    };
    frmSrvCyc main;
    Start(main);
    main.RemoveEntries(1);  // a change, so that close and QUIT ask
    Select(main, 0);
    for (const UINT button : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        for (const auto& [at, command] : cases) {
            // Only the left button drags; elsewhere the others do nothing.
            const std::string expected = command == "drag" && button != WM_LBUTTONDOWN ? "nothing" : command;
            EXPECT_EQ(Observed(main, button, at), expected) << "button " << button << " at " << at.x << ", " << at.y;
        }
    }
    EXPECT_EQ(ListRows(main.List1()), (Rows{kAlpha, kBravo}));
    EXPECT_TRUE(IsWindowVisible(main.Window()));
}

// Several entries selected as Shift and Ctrl with clicks select them.
void SelectRows(frmSrvCyc& main, const std::vector<int>& rows) {
    SendMessageA(main.List1(), LB_SETSEL, FALSE, -1);
    for (const int row : rows) SendMessageA(main.List1(), LB_SETSEL, TRUE, row);
}

// A command as its keys and the context menu send it; the windows it opens are played by steps.
std::vector<test::ShownWindow> Command(frmSrvCyc& main, EditorCommand command, std::vector<Step> steps = {}) {
    ModalScript script(std::move(steps));
    SendMessageA(main.Window(), WM_COMMAND, MainCommandId(command), 0);
    return script.Shown;
}

// Duplicate, the sorts and Cut on a selection, or on the whole rotation; each undoes in one step.
TEST_F(MainCommandsTest, CommandsOnSeveralEntriesAreOneStepEach) {
    const struct {
        EditorCommand command;
        std::vector<int> selected;
        Rows rows;
        std::vector<int> selectedAfter;
    } cases[] = {
        {EditorCommand::Duplicate, {0, 2}, {kAlpha, kRetired, kBravo, kAlpha, kBravo}, {3, 4}},
        // A missing mission's row goes by its reference, letter case aside.
        {EditorCommand::SortByName, {0}, {kAlpha, kBravo, kRetired}, {0, 1, 2}},
        {EditorCommand::SortByMissionFile, {}, {kRetired, kAlpha, kBravo}, {0, 1, 2}},
        {EditorCommand::SortByName, {1, 2}, {kAlpha, kBravo, kRetired}, {1, 2}},
        {EditorCommand::Cut, {1, 2}, {kAlpha}, {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(MainCommandId(c.command));
        frmSrvCyc main;
        Start(main);
        SelectRows(main, c.selected);
        EXPECT_TRUE(Command(main, c.command).empty());
        EXPECT_EQ(ListRows(main.List1()), c.rows);
        EXPECT_EQ(test::SelectedRows(main.List1()), c.selectedAfter);
        Command(main, EditorCommand::Undo);
        ExpectRotation(main, kRows, false);
    }
}

// The clipboard as another program leaves it.
void PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

// Another program's change: read again on activation while nothing is unsaved, one undo away;
// with unsaved edits only told, until F5 takes it.
TEST_F(MainCommandsTest, AChangeMadeOutsideIsReadAgainOnActivationOrByF5) {
    frmSrvCyc main;
    Start(main);
    const auto shows = [&](const Rows& rows, bool changed) {
        EXPECT_EQ(ListRows(main.List1()), rows);
        EXPECT_EQ(main.Session().Document().Changed(), changed);
    };
    folder_.Write("servercycle.txt", "[cycle]\r\nmap=m.nfo::Alpha\r\nmap=m.nfo::Bravo\r\n");
    SendMessageA(main.Window(), WM_ACTIVATE, WA_ACTIVE, 0);
    shows({kAlpha, kBravo}, false);
    Command(main, EditorCommand::Undo);
    shows(kRows, true);

    // Unsaved now: another change is told, not taken, until F5.
    folder_.Write("servercycle.txt", "[cycle]\r\nmap=m.nfo::Bravo\r\n");
    SendMessageA(main.Window(), WM_ACTIVATE, WA_ACTIVE, 0);
    shows(kRows, true);
    Command(main, EditorCommand::ReadAgain);
    shows({kBravo}, false);
    Command(main, EditorCommand::Undo);
    ExpectRotation(main, kRows, true);
}

// A text editor's lines, LF only, with lines that are no entries: the entries go in after the
// selection, selected, and the other lines are counted.
TEST_F(MainCommandsTest, PasteInsertsTheEntryLinesAndCountsTheRest) {
    PutOnClipboard(L"# two from the other server\n  map=m.nfo::Charlie\nmap=gone.nfo::Retired\n\nrandom words\n");
    frmSrvCyc main;
    Start(main);
    SelectRows(main, {0, 1});
    EXPECT_TRUE(Command(main, EditorCommand::Paste).empty()) << "no box";
    EXPECT_EQ(test::TextOf(FindWindowExA(main.Window(), nullptr, "Static", nullptr)),
              "Entry 4 of 5\n2 lines that are no entries were skipped.");
    EXPECT_EQ(ListRows(main.List1()), (Rows{kAlpha, kRetired, kCharlie, kRetired, kBravo}));
    EXPECT_EQ(test::SelectedRows(main.List1()), (std::vector<int>{2, 3}));
    Command(main, EditorCommand::Undo);
    ExpectRotation(main, kRows, false);
}

// Indexes are 16-bit: a rotation at the limit would overflow with one more entry.
TEST_F(MainCommandsTest, FullRotationTakesNoMoreEntries) {
    std::string full = "[cycle]\r\n";
    for (int i = 0; i < 32767; ++i) full += "map=m.nfo::Alpha\r\n";
    folder_.Write("servercycle.txt", full);
    frmSrvCyc main;
    Start(main);
    Select(main, 32766);
    const auto shown = Press(main, kAdd, {Click(IDOK)});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, "The rotation already holds 32767 entries, the most it can hold.");
    EXPECT_EQ(main.Session().Document().EntryCount(), 32767u);
    EXPECT_FALSE(main.Session().Document().Changed());
}

}  // namespace
}  // namespace rotaplex

namespace rotaplex {
namespace {

// F1, through the accelerator table as the message loop sends it, in the help window; About from
// the menu in a box of its own.
TEST_F(MainCommandsTest, HelpListsEveryCommandAndAboutNamesTheGameFolder) {
    frmSrvCyc main;
    Start(main);
    const auto told = [&](auto start) {
        ModalScript script({Click(IDOK)});
        start();
        EXPECT_EQ(script.StepsRun(), 1u);
        return script.Shown.empty() ? test::ShownWindow{} : script.Shown[0];
    };
    // The help window's text box, read as a screen reader reads it, its lines as the box breaks them.
    std::string helpText;
    {
        ModalScript script({{test::kDialogClass, [&](HWND w) {
                                 helpText = test::TextOf(GetDlgItem(w, textwindow::txtShown));
                                 EXPECT_EQ(test::TextOf(w), "Rotaplex: the commands and their keys");
                                 PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
                             }}});
        MSG key{main.List1(), WM_KEYDOWN, VK_F1, 0, 0, {}};
        EXPECT_TRUE(TranslateAcceleratorA(main.Window(), main.Accelerators(), &key));
        EXPECT_EQ(script.StepsRun(), 1u);
    }
    EXPECT_EQ(helpText, WithCrLf(MainCommandHelp()));
    for (const char* line : {"\r\nAdd: Ins", "\r\nOpen recent: Ctrl+O", "\r\nHelp: F1", "\r\nShuffle: in the menu",
                             "\r\nKeep mine: Ctrl+K", "\r\nDelete set: in the menu"})
        EXPECT_NE(helpText.find(line), std::string::npos) << line;
    const test::ShownWindow about =
        told([&] { SendMessageA(main.Window(), WM_COMMAND, MainCommandId(EditorCommand::About), 0); });
    EXPECT_TRUE(about.Text.starts_with("Rotaplex " ROTAPLEX_VERSION_TEXT ", MIT License")) << about.Text;
    EXPECT_TRUE(about.Text.ends_with("Game folder: " + folder_.Path())) << about.Text;
    ExpectRotation(main, kRows, false);
}

}  // namespace
}  // namespace rotaplex

// The folder watch: changes another program makes while the window is open, the notice with
// Reload, Keep mine and Compare, and the named rotation sets.
namespace rotaplex {
namespace {

class OutsideChangesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("resource\\missions\\m.nfo", kMissions);
        folder_.Write("servercycle.txt", kRotation);
        main_.Load(LocateGameFolder());
        main_.Show(SW_SHOWNORMAL);
        test::AwaitReady(main_);
    }

    std::string Status() const { return test::TextOf(FindWindowExA(main_.Window(), nullptr, "Static", nullptr)); }
    bool StatusSays(const std::string& words) const { return Status().find(words) != std::string::npos; }

    // The thread's messages, the folder watch's among them, until done holds. The limit only ends
    // a test that would otherwise wait for ever.
    bool PumpUntil(const std::function<bool()>& done) const {
        const ULONGLONG giveUp = GetTickCount64() + 20000;
        while (!done()) {
            if (GetTickCount64() > giveUp) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT);
            MSG message{};
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        return true;
    }

    std::vector<test::ShownWindow> Command(EditorCommand command, std::vector<Step> steps = {}) {
        const std::size_t count = steps.size();
        ModalScript script(std::move(steps));
        SendMessageA(main_.Window(), WM_COMMAND, MainCommandId(command), 0);
        EXPECT_EQ(script.StepsRun(), count) << "every window came as expected";
        return script.Shown;
    }

    // A set command's menu item, chosen as a click on it sends it.
    std::vector<test::ShownWindow> OnSet(EditorCommand command, std::size_t item, std::vector<Step> steps = {}) {
        const std::string& folder = main_.Session().Folder();
        const unique_hmenu menu =
            MakeSetsMenu(command, ListSets(files_, folder), main_.Session().RotationPath() != RotationPath(folder));
        const UINT id = GetMenuItemID(menu.get(), static_cast<int>(item));
        ModalScript script(std::move(steps));
        SendMessageA(main_.Window(), WM_COMMAND, id, 0);
        return script.Shown;
    }

    void MoveFirstDown() {
        test::ChooseEntry(main_.Window(), GetDlgCtrlID(main_.List1()), 0);
        Command(EditorCommand::MoveDown);
        ASSERT_EQ(ListRows(main_.List1()), (Rows{kRetired, kAlpha, kBravo}));
    }

    test::TestFolder folder_;
    test::GameFolderSetting key_{folder_.Path()};
    FileSystem& files_ = WindowsFileSystem();
    frmSrvCyc main_{files_};
};

// The Compare window: its caption, and the diff in its text; Esc closes it. Over a question it
// may be met as the question's step, so it is found by its caption.
Step CompareShows(const std::string& caption, const std::vector<std::string>& lines) {
    return {test::kDialogClass, [=](HWND) {
                const HWND window = FindWindowA(test::kDialogClass, caption.c_str());
                ASSERT_NE(window, nullptr) << caption;
                EXPECT_EQ(GetFocus(), GetDlgItem(window, textwindow::txtShown));
                const std::string text = test::TextOf(GetDlgItem(window, textwindow::txtShown));
                for (const std::string& line : lines) EXPECT_NE(text.find(line + "\r\n"), std::string::npos) << text;
                test::PostKey(VK_ESCAPE);
            }};
}

TEST_F(OutsideChangesTest, AnUnchangedRotationIsReadAgainThroughTheWatchAndUndoGivesTheOldList) {
    folder_.Write("servercycle.txt", "[cycle]\r\nmap=m.nfo::Bravo\r\n");
    ASSERT_TRUE(PumpUntil([&] { return ListRows(main_.List1()) == Rows{kBravo}; })) << Status();
    EXPECT_TRUE(StatusSays("servercycle.txt was changed by another program and is read again")) << Status();
    EXPECT_FALSE(main_.Session().Document().Changed());
    Command(EditorCommand::Undo);
    EXPECT_EQ(ListRows(main_.List1()), kRows);
}

TEST_F(OutsideChangesTest, WithUnsavedEditsTheNoticeOffersCompareKeepMineAndReload) {
    ASSERT_NO_FATAL_FAILURE(MoveFirstDown());
    folder_.Write("servercycle.txt", "[cycle]\r\nmap=m.nfo::Bravo\r\n");
    ASSERT_TRUE(PumpUntil([&] { return StatusSays("Ctrl+R reload"); })) << Status();
    EXPECT_EQ(ListRows(main_.List1()), (Rows{kRetired, kAlpha, kBravo})) << "nothing taken";

    const auto compared = Command(EditorCommand::Compare,
                                  {CompareShows("Compare: servercycle.txt",
                                                {"--- " + RotationPath(folder_.Path()), "+map=gone.nfo::Retired",
                                                 "+map=m.nfo::Alpha", " map=m.nfo::Bravo"})});
    ASSERT_EQ(compared.size(), 1u);
    EXPECT_EQ(compared[0].Owner, main_.Window());

    Command(EditorCommand::KeepMine);
    EXPECT_TRUE(StatusSays("Your version is kept")) << Status();
    EXPECT_EQ(Command(EditorCommand::Reload, {Click(IDOK)}).at(0).Text,
              "No other version of the rotation is waiting on disk.");
    // The save still asks; Compare from the question shows the diff over it, and No saves nothing.
    const auto asked = Command(EditorCommand::Save, {Click(IDHELP), CompareShows("Compare: servercycle.txt",
                                                                                 {"+map=m.nfo::Alpha"}),
                                                     Click(IDNO)});
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked[0].Text, ChangedOnDiskQuestion(RotationPath(folder_.Path())));
    EXPECT_EQ(test::ReadBytes(RotationPath(folder_.Path())), "[cycle]\r\nmap=m.nfo::Bravo\r\n");

    // A later version brings the notice back; Reload takes it, the edits one undo away.
    folder_.Write("servercycle.txt", "[cycle]\r\nmap=m.nfo::Alpha\r\n");
    ASSERT_TRUE(PumpUntil([&] { return StatusSays("Ctrl+R reload"); })) << Status();
    Command(EditorCommand::Reload);
    EXPECT_EQ(ListRows(main_.List1()), Rows{kAlpha});
    EXPECT_FALSE(main_.Session().Document().Changed());
    Command(EditorCommand::Undo);
    EXPECT_EQ(ListRows(main_.List1()), (Rows{kRetired, kAlpha, kBravo}));
}

TEST_F(OutsideChangesTest, ARemovedRotationIsToldAndTheNextSaveMakesItAgain) {
    ASSERT_TRUE(DeleteFileA(RotationPath(folder_.Path()).c_str()));
    ASSERT_TRUE(PumpUntil([&] { return StatusSays("servercycle.txt was removed by another program"); })) << Status();
    EXPECT_EQ(ListRows(main_.List1()), kRows);
    const auto asked = Command(EditorCommand::Save, {Click(IDYES)});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].Text, RemovedOnDiskQuestion(RotationPath(folder_.Path())));
    EXPECT_EQ(test::ReadBytes(RotationPath(folder_.Path())), kRotation);
}

TEST_F(OutsideChangesTest, AMissionFileAddedIsToldAndF5MatchesTheEntryAgain) {
    ASSERT_NO_FATAL_FAILURE(MoveFirstDown());
    folder_.Write("resource\\missions\\gone.nfo", "[Scenarios]\r\nRetired = {\r\n[server]\r\nname = Retired\r\n}\r\n");
    ASSERT_TRUE(PumpUntil([&] { return StatusSays("The mission files have changed: F5"); })) << Status();
    Command(EditorCommand::ReadAgain);
    const Rows rows = ListRows(main_.List1());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].first, "Retired ") << "its name, and no ruleset";
    EXPECT_NE(rows[0].second, 0) << "matched now";
    EXPECT_TRUE(main_.Session().Document().Changed()) << "the edit kept";
    Command(EditorCommand::Undo);
    EXPECT_EQ(ListRows(main_.List1()).at(1).first, "Retired ") << "and its undo";
}

TEST_F(OutsideChangesTest, ASetIsSavedOpenedActivatedAndTheActivationUndone) {
    const auto named = [](const std::string& name) {
        return Step{test::kDialogClass, [=](HWND dialog) {
                        SetDlgItemTextA(dialog, textquestion::txtAnswer, name.c_str());
                        Click(IDOK).Act(dialog);
                    }};
    };
    EXPECT_EQ(Command(EditorCommand::SaveAsSet, {named("con"), Click(IDOK)}).at(1).Text, *SetNameRefusal("con"));
    ASSERT_NO_FATAL_FAILURE(MoveFirstDown());
    Command(EditorCommand::SaveAsSet, {named("weekday")});
    const std::string setFile = SetPath(folder_.Path(), '\\', "weekday");
    EXPECT_EQ(test::ReadBytes(setFile), "[cycle]\r\nmap=gone.nfo::Retired\r\nmap=m.nfo::Alpha\r\nmap=m.nfo::Bravo\r\n");
    EXPECT_TRUE(StatusSays(SavedAsSetText("weekday"))) << Status();

    // Open asks to save the edits first; No leaves servercycle.txt as it is.
    OnSet(EditorCommand::OpenSet, 0, {Click(IDNO)});
    EXPECT_EQ(test::TextOf(main_.Window()), WindowCaption(folder_.Path(), false, "weekday"));
    EXPECT_EQ(main_.Session().RotationPath(), setFile);
    test::ChooseEntry(main_.Window(), GetDlgCtrlID(main_.List1()), 2);
    Command(EditorCommand::MoveUp);
    Command(EditorCommand::Save);
    EXPECT_EQ(test::ReadBytes(setFile), "[cycle]\r\nmap=gone.nfo::Retired\r\nmap=m.nfo::Bravo\r\nmap=m.nfo::Alpha\r\n");
    EXPECT_EQ(test::ReadBytes(RotationPath(folder_.Path())), kRotation);

    OnSet(EditorCommand::OpenSet, 0);  // servercycle.txt, first when a set is open
    EXPECT_EQ(test::TextOf(main_.Window()), WindowCaption(folder_.Path(), false));
    EXPECT_EQ(ListRows(main_.List1()), kRows);
    OnSet(EditorCommand::ActivateSet, 0);
    EXPECT_EQ(ListRows(main_.List1()), (Rows{kRetired, kBravo, kAlpha}));
    EXPECT_TRUE(main_.Session().Document().Changed());
    Command(EditorCommand::Undo);
    EXPECT_EQ(ListRows(main_.List1()), kRows);
    EXPECT_FALSE(main_.Session().Document().Changed());

    // Rename, then delete with a Yes; the set's last version stays as its backup.
    OnSet(EditorCommand::RenameSet, 0, {named("event")});
    EXPECT_EQ(ListSets(files_, folder_.Path()), std::vector<std::string>{"event"});
    const auto deleted = OnSet(EditorCommand::DeleteSet, 0, {Click(IDYES)});
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_TRUE(ListSets(files_, folder_.Path()).empty());
    EXPECT_TRUE(test::Exists(BackupPath(SetPath(folder_.Path(), '\\', "event"))));
}

}  // namespace
}  // namespace rotaplex
