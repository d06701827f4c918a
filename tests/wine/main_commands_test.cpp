// The painted commands of the main window, pressed on the real window, with their dialogs
// answered by script.
#include <gtest/gtest.h>

#include <cstring>

#include "cycle/status_line.h"
#include "cycle/win/game_folder.h"
#include "modal_script.h"
#include "test_folder.h"
#include "ui/framework/message_loop.h"
#include "ui/main/frm_srv_cyc.h"
#include "ui/main/main_commands.h"
#include "ui/properties/frm_srv_cyc_props.h"
#include "ui/dialogs/frm_addwhere.h"
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

// F1, through the accelerator table as the message loop sends it, and About from the menu: each
// tells in a box of its own.
TEST_F(MainCommandsTest, HelpListsEveryCommandAndAboutNamesTheGameFolder) {
    frmSrvCyc main;
    Start(main);
    const auto told = [&](auto start) {
        ModalScript script({Click(IDOK)});
        start();
        EXPECT_EQ(script.StepsRun(), 1u);
        return script.Shown.empty() ? test::ShownWindow{} : script.Shown[0];
    };
    const test::ShownWindow help = told([&] {
        MSG key{main.List1(), WM_KEYDOWN, VK_F1, 0, 0, {}};
        EXPECT_TRUE(TranslateAcceleratorA(main.Window(), main.Accelerators(), &key));
    });
    EXPECT_EQ(help.Title, "Rotaplex: the commands and their keys");
    EXPECT_EQ(help.Text, MainCommandHelp());
    for (const char* line : {"\nAdd: Ins", "\nOpen recent: Ctrl+O", "\nHelp: F1", "\nShuffle: in the menu"})
        EXPECT_NE(help.Text.find(line), std::string::npos) << line;
    const test::ShownWindow about =
        told([&] { SendMessageA(main.Window(), WM_COMMAND, MainCommandId(EditorCommand::About), 0); });
    EXPECT_TRUE(about.Text.starts_with("Rotaplex " ROTAPLEX_VERSION_TEXT ", MIT License")) << about.Text;
    EXPECT_TRUE(about.Text.ends_with("Game folder: " + folder_.Path())) << about.Text;
    ExpectRotation(main, kRows, false);
}

}  // namespace
}  // namespace rotaplex
