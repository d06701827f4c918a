// The real Rotaplex.exe, started as the operator starts it and watched from outside.
#include <gtest/gtest.h>

#include <cstdlib>
#include <future>

#include "cycle/file_rules.h"
#include "cycle/status_line.h"
#include "cycle/remembered_folders.h"
#include "cycle/win/remembered_folders_store.h"
#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "modal_script.h"
#include "started_program.h"
#include "test_folder.h"
#include "ui/framework/gdi_handles.h"
#include "ui/properties/frm_srv_cyc_props.h"
#include "ui/dialogs/frm_addwhere.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

// The real program, with waits bounded so that a program that never gets there fails the test.
using Program = test::StartedProgram;

TEST(RotaplexExe, ShowsTheDemoRotationAndQuitsWithoutChanges) {
    const std::string demo = test::DemoGameFolder();
    test::GameFolderSetting key(demo);
    const std::string before = test::ReadBytes(demo + "servercycle.txt");
    Program program;

    const HWND main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    const std::vector<test::ListRow> rows = test::ListRows(FindWindowExA(main, nullptr, "ListBox", nullptr));
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].first, "HillFight FreeForAll");
    EXPECT_EQ(rows[6], test::ListRow("oldquarry.nfo::OldQuarry (not installed)", 0)) << "the retired entry";
    unique_hrgn outline(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(main, outline.get()), ERROR);
    test::ExpectPixels(outline.get(), test::kMainOutlinePixels);

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(test::ReadBytes(demo + "servercycle.txt"), before);
}

// The static text of a dialog that reads text, found among its controls; empty when none does.
std::string DialogLine(HWND dialog, const std::string& text) {
    struct Search {
        std::string Text;
        bool Found = false;
    } search{text};
    EnumChildWindows(
        dialog,
        [](HWND control, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            char shown[256] = "";
            GetWindowTextA(control, shown, sizeof shown);
            s->Found = s->Found || s->Text == shown;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found ? text : "";
}

TEST(RotaplexExe, WithoutAUsableRegistryEntryAFolderPickerAsksAndCancelEnds) {
    test::TestFolder empty;  // a folder without servercycle.txt
    test::GameFolderSetting key(empty.Path());
    test::TestFolder kept;
    const std::string gone = kept.Path() + "gone\\";
    // The last one used is gone: it leaves the list, and the picker says so.
    test::RememberedFoldersSetting recent({gone, kept.Path()});
    Program program;

    const HWND picker = program.WaitForWindow("#32770", "Rotaplex: choose the game folder");
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(DialogLine(picker, "The game's registry entry was not found."), "The game's registry entry was not found.");
    const std::string goneLine = GoneFolderLine(gone);
    EXPECT_EQ(DialogLine(picker, goneLine), goneLine);
    EXPECT_EQ(ReadRememberedFolders(), std::vector<std::string>{kept.Path()});
    EXPECT_EQ(FindWindowA("frmSrvCyc", nullptr), nullptr) << "the main window waits for the folder";

    PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(program.WaitForExit(), 1u);
}

// The folder of the last run is opened when the game's registry entry gives none, and comes first
// in the list; other spellings of it are not kept twice.
TEST(RotaplexExe, WithoutARegistryEntryTheFolderOfTheLastRunOpens) {
    test::TestFolder game, empty, other;
    game.Write("servercycle.txt", "[cycle]\r\nmap=x.nfo::Nowhere\r\n");
    test::GameFolderSetting key(empty.Path());
    test::RememberedFoldersSetting recent({other.Path()});
    std::string upper = game.Path();
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    for (const std::string& arguments : {"\"" + upper + "\"", std::string()}) {
        SCOPED_TRACE(arguments);
        Program program(arguments);
        const HWND main = program.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(test::ListRows(FindWindowExA(main, nullptr, "ListBox", nullptr)).size(), 1u);
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    const std::vector<std::string> remembered = ReadRememberedFolders();
    ASSERT_EQ(remembered.size(), 2u);
    EXPECT_TRUE(SameFolder(remembered[0], game.Path())) << remembered[0];
    EXPECT_EQ(remembered[1], other.Path());
}

// The game folder as the one argument, quoted as a folder with blanks must be, with or without its
// last backslash: it wins over the registry, and a folder without a rotation starts empty.
TEST(RotaplexExe, FolderArgumentWinsOverTheRegistry) {
    const std::string demo = test::DemoGameFolder();
    test::GameFolderSetting key(demo);
    test::TestFolder game;
    const std::string folder = game.MakeFolder("my game");
    game.Write("my game\\servercycle.txt", "[cycle]\r\nmap=x.nfo::Nowhere\r\n");
    test::TestFolder bare;
    const struct {
        std::string arguments;
        size_t rows;
    } cases[] = {
        {"\"" + folder + "\"", 1},
        {"\"" + folder.substr(0, folder.size() - 1) + "\"", 1},
        {"\"" + bare.Path() + "\"", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        Program program(c.arguments);
        const HWND main = program.WaitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(test::ListRows(FindWindowExA(main, nullptr, "ListBox", nullptr)).size(), c.rows);
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
    }
    EXPECT_FALSE(test::Exists(bare.Path() + "servercycle.txt")) << "nothing saved without a change";
}

TEST(RotaplexExe, BadArgumentsAreToldAndEndTheProgram) {
    test::TestFolder game;
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"\"" + game.Path() + "gone\"", "The game folder\n" + game.Path() + "gone\\\nis not there."},
        {"one two",
         "Start Rotaplex with no argument, or with the game folder as its one argument:\n"
         "Rotaplex.exe \"C:\\Games\\The Game\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        Program program(c.arguments);
        const HWND box = program.WaitForWindow("#32770", "Rotaplex");
        ASSERT_NE(box, nullptr);
        char text[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        EXPECT_EQ(std::string(text), c.message);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(program.WaitForExit(), 1u);
    }
}

// A window of the program that main owns and that is on screen: a dialog still up.
bool OwnedWindowShown(HWND main) {
    bool shown = false;
    EnumThreadWindows(
        GetWindowThreadProcessId(main, nullptr),
        [](HWND w, LPARAM found) {
            if (!IsWindowVisible(w) || !GetWindow(w, GW_OWNER)) return TRUE;
            *reinterpret_cast<bool*>(found) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

constexpr const char* kCanyonMissions =
    "[Scenarios]\r\nCanyon = {\r\n[server]\r\nname = Canyon\r\nruleset = CTF\r\n}\r\n";
constexpr const char* kHillMissions =
    "[Scenarios]\r\nHill = {\r\n[server]\r\nname = Hill\r\nruleset = Brawl\r\n}\r\n"
    "Dusk = {\r\n[server]\r\nname = Dusk\r\nruleset = Attrition\r\n}\r\n";
// The second entry matches no scenario; the last line has no line end.
constexpr const char* kRotation =
    "; weekend rotation\r\n[cycle]\r\nmap=hill.nfo::Hill\r\n\r\nmap=old.nfo::Quarry\r\n  MAP=canyon.nfo::canyon\r\n"
    "; last\r\nmap=hill.nfo::Dusk";
// The scenarios in the order found (the files come sorted) and as the properties window lists them.
enum ListedScenario { Canyon, Hill, Dusk };

// The painted labels on the main window, in pixels.
constexpr POINT kAdd{80, 325}, kEdit{125, 325}, kDel{170, 325}, kQuit{220, 325};
constexpr const char* kQuitQuestion = "Your quitting with changes!\nDo you want to save the changes?";

// The program started on a game folder, worked with the mouse as an operator would.
class Session {
public:
    explicit Session(const std::string& gameFolder) : key_(gameFolder) {}

    HWND Main() const { return main_; }
    HWND List() const { return list_; }

    void Select(int entry) { test::ChooseEntry(main_, GetDlgCtrlID(list_), entry); }
    void Press(POINT label) {
        PostMessageA(main_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(label.x, label.y));
        PostMessageA(main_, WM_LBUTTONUP, 0, MAKELPARAM(label.x, label.y));
    }
    // Answers the message box of that title with a button; returns its message.
    std::string Answer(const char* title, int button) const {
        const HWND box = Dialog(test::kDialogClass, title);
        if (!box) return "(no box)";
        const std::string text = test::TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
        return text;
    }
    // Waits until the command has ended: no dialog left, the main window taking input again.
    bool Settled() const {
        return program_.WaitUntil([&] { return IsWindowEnabled(main_) && !OwnedWindowShown(main_); });
    }
    DWORD WaitForExit() const { return program_.WaitForExit(); }

    void Add(int entry, int button, int listed) {
        Select(entry);
        Press(kAdd);
        const HWND where = Dialog(test::kDialogClass, "Add Mission");
        ASSERT_NE(where, nullptr);
        PostMessageA(GetDlgItem(where, button), BM_CLICK, 0, 0);
        Choose(listed);
    }
    void Edit(int entry, int listed) {
        Select(entry);
        Press(kEdit);
        Choose(listed);
    }

private:
    HWND Dialog(const char* className, const char* caption = nullptr) const {
        return program_.WaitForWindow(className, caption, main_);
    }
    // In the properties window: highlight a listed scenario and press OK.
    void Choose(int listed) {
        const HWND properties = Dialog(props::kWindowClass);
        ASSERT_NE(properties, nullptr);
        test::ChooseEntry(properties, props::List1, listed);
        test::PressPropertiesOk(properties);
        ASSERT_TRUE(Settled());
    }

    test::GameFolderSetting key_;
    Program program_;
    HWND main_ = program_.WaitForMainWindow();
    HWND list_ = FindWindowExA(main_, nullptr, "ListBox", nullptr);
};

TEST(RotaplexExe, AddEditAndDelThroughTheLabelsThenQuitSaves) {
    test::TestFolder game;
    const std::string rotation = game.Write("servercycle.txt", kRotation);
    game.Write("resource\\missions\\canyon.nfo", kCanyonMissions);
    game.Write("resource\\missions\\hill.nfo", kHillMissions);
    Session session(game.Path());
    ASSERT_NE(session.Main(), nullptr);

    ASSERT_NO_FATAL_FAILURE(session.Add(0, addwhere::cmdAfter, Dusk));
    ASSERT_NO_FATAL_FAILURE(session.Edit(3, Hill));
    session.Select(4);
    session.Press(kDel);
    EXPECT_EQ(session.Answer("Rotaplex", IDYES), "Delete Dusk Attrition?\nAre you sure?");
    ASSERT_TRUE(session.Settled());
    EXPECT_EQ(test::ListRows(session.List()),
              (std::vector<test::ListRow>{{"Hill Brawl", 2}, {"Dusk Attrition", 3}, {"old.nfo::Quarry (not installed)", 0}, {"Hill Brawl", 2}}));

    session.Press(kQuit);
    EXPECT_EQ(session.Answer("Quitting", IDYES), kQuitQuestion);
    EXPECT_EQ(session.WaitForExit(), 0u);
    // Only the edited lines differ; the removed last line hands its missing line end on.
    EXPECT_EQ(test::ReadBytes(rotation),
              "; weekend rotation\r\n[cycle]\r\nmap=hill.nfo::Hill\r\nmap=hill.nfo::Dusk\r\n\r\n"
              "map=old.nfo::Quarry\r\nmap=hill.nfo::Hill\r\n; last");
}

// A save that the file system refuses. Run by immutable_save_test.sh, which makes the rotation
// file of a game folder immutable, something a Windows program cannot do under Wine.
TEST(RotaplexExe, RefusedSaveIsToldAndKeepsTheWindowAndTheEdits) {
    const char* game = std::getenv("ROTAPLEX_IMMUTABLE_GAME");
    if (!game) GTEST_SKIP() << "needs a game folder with an immutable rotation file";
    const std::string rotation = std::string(game) + "servercycle.txt";
    const std::string before = test::ReadBytes(rotation);
    Session session(game);
    ASSERT_NE(session.Main(), nullptr);
    const size_t entries = test::ListRows(session.List()).size();
    ASSERT_NO_FATAL_FAILURE(session.Add(0, addwhere::cmdBefore, 0));

    session.Press(kQuit);
    EXPECT_EQ(session.Answer("Quitting", IDYES), kQuitQuestion);
    const std::string failure = session.Answer("Rotaplex", IDOK);
    // The file and the system's reason: the file may not be replaced.
    EXPECT_NE(failure.find(rotation + "\n\n" + SystemMessage(ERROR_ACCESS_DENIED)), std::string::npos) << failure;
    ASSERT_TRUE(session.Settled());
    EXPECT_TRUE(IsWindowVisible(session.Main()));
    EXPECT_EQ(test::ListRows(session.List()).size(), entries + 1);
    EXPECT_EQ(test::ReadBytes(rotation), before);
    // No temporary is left; the backup was given the file's own bytes before the refused rename.
    EXPECT_EQ(test::FolderEntries(game), (std::vector<std::string>{"resource", "servercycle.txt", "servercycle.txt.bak",
                                                                   "servercycle.txt.lock"}));
    EXPECT_EQ(test::ReadBytes(rotation + ".bak"), before);

    session.Press(kQuit);
    EXPECT_EQ(session.Answer("Quitting", IDNO), kQuitQuestion);
    EXPECT_EQ(session.WaitForExit(), 0u);
    EXPECT_EQ(test::ReadBytes(rotation), before);
}

// A game folder with the demo-like files of these tests.
class Game : public test::TestFolder {
public:
    Game() {
        Write("resource\\missions\\canyon.nfo", kCanyonMissions);
        Write("resource\\missions\\hill.nfo", kHillMissions);
    }
    const std::string Rotation = Write("servercycle.txt", kRotation);
};

// Deletes the first entry, which makes a change to save.
void DeleteFirst(Session& session) {
    session.Select(0);
    session.Press(kDel);
    EXPECT_EQ(session.Answer("Rotaplex", IDYES), "Delete Hill Brawl?\nAre you sure?");
    ASSERT_TRUE(session.Settled());
}

// kRotation with the first entry's line deleted, every other line as it was.
constexpr const char* kWithoutHill =
    "; weekend rotation\r\n[cycle]\r\n\r\nmap=old.nfo::Quarry\r\n  MAP=canyon.nfo::canyon\r\n; last\r\nmap=hill.nfo::Dusk";

TEST(RotaplexExe, RotationChangedByAnotherProgramIsSavedOverOnlyWhenTheOperatorSaysSo) {
    Game game;
    Session session(game.Path());
    ASSERT_NE(session.Main(), nullptr);
    ASSERT_NO_FATAL_FAILURE(DeleteFirst(session));
    const std::string theirs = std::string(kRotation) + "\r\nmap=canyon.nfo::Canyon\r\nmap=hill.nfo::Hill\r\n";
    game.Write("servercycle.txt", theirs);

    session.Press(kQuit);
    EXPECT_EQ(session.Answer("Quitting", IDYES), kQuitQuestion);
    EXPECT_EQ(session.Answer("Rotaplex", IDNO), ChangedOnDiskQuestion(game.Rotation));
    ASSERT_TRUE(session.Settled());
    EXPECT_TRUE(IsWindowVisible(session.Main())) << "No goes back to the editor";
    EXPECT_EQ(test::ListRows(session.List()).size(), 3u) << "with the edits";
    EXPECT_EQ(test::ReadBytes(game.Rotation), theirs);

    session.Press(kQuit);
    EXPECT_EQ(session.Answer("Quitting", IDYES), kQuitQuestion);
    EXPECT_EQ(session.Answer("Rotaplex", IDYES), ChangedOnDiskQuestion(game.Rotation));
    EXPECT_EQ(session.WaitForExit(), 0u);
    EXPECT_EQ(test::ReadBytes(game.Rotation), kWithoutHill);
    EXPECT_EQ(test::ReadBytes(BackupPath(game.Rotation)), theirs) << "the other version";
}

TEST(RotaplexExe, ASecondStartOnTheSameFolderBringsTheFirstWindowBack) {
    Game game;
    Session session(game.Path());
    ASSERT_NE(session.Main(), nullptr);
    ShowWindow(session.Main(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(session.Main()));

    Program second;
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_FALSE(IsIconic(session.Main())) << "restored and brought to the front";
    EXPECT_EQ(second.ShownWindow("frmSrvCyc"), nullptr);

    // The same folder by its short name.
    char shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(game.Path().c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortName), game.Path());
    Program mapped("\"" + std::string(shortName) + "\"");
    EXPECT_EQ(mapped.WaitForExit(), 0u);
    EXPECT_EQ(mapped.ShownWindow("frmSrvCyc"), nullptr) << "one window for the folder";

    // Another folder opens side by side.
    Game other;
    test::GameFolderSetting elsewhere(other.Path());
    Program third;
    const HWND thirdMain = third.WaitForMainWindow();
    ASSERT_NE(thirdMain, nullptr);
    EXPECT_NE(thirdMain, session.Main());
    RECT first{}, beside{};
    GetWindowRect(session.Main(), &first);
    GetWindowRect(thirdMain, &beside);
    EXPECT_TRUE(beside.left != first.left || beside.top != first.top) << "not on top of the first";
    EXPECT_EQ(test::TextOf(thirdMain), WindowCaption(other.Path(), false)) << "named by its folder";
    PostMessageA(thirdMain, WM_CLOSE, 0, 0);
    EXPECT_EQ(third.WaitForExit(), 0u);
    EXPECT_TRUE(IsWindowVisible(session.Main()));
}

// Sends a session-end message from another thread, as the system would, while this one
// answers the boxes it brings.
std::future<LRESULT> SendLater(HWND window, UINT message, WPARAM wParam) {
    return std::async(std::launch::async,
                      [=] { return SendMessageW(window, message, wParam, ENDSESSION_LOGOFF); });
}

TEST(RotaplexExe, EndingTheSessionWithChangesAsksAndCancelRefusesIt) {
    Game game;
    Session session(game.Path());
    ASSERT_NE(session.Main(), nullptr);
    EXPECT_EQ(SendMessageW(session.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE)
        << "nothing to save: no delay";

    ASSERT_NO_FATAL_FAILURE(DeleteFirst(session));
    std::future<LRESULT> refused = SendLater(session.Main(), WM_QUERYENDSESSION, 0);
    EXPECT_EQ(session.Answer("Quitting", IDCANCEL), kQuitQuestion);
    EXPECT_EQ(refused.get(), FALSE);
    EXPECT_EQ(test::ReadBytes(game.Rotation), kRotation);

    std::future<LRESULT> allowed = SendLater(session.Main(), WM_QUERYENDSESSION, 0);
    EXPECT_EQ(session.Answer("Quitting", IDYES), kQuitQuestion);
    EXPECT_EQ(allowed.get(), TRUE);
    EXPECT_EQ(test::ReadBytes(game.Rotation), kWithoutHill);
    SendMessageW(session.Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(session.WaitForExit(), 0u) << "ends without asking again";
}

}  // namespace
}  // namespace rotaplex
