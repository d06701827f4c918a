// The real main window and the folder watch: changes another program makes while it is open,
// the notice with Reload, Keep mine and Compare, and the named rotation sets.
#include <gtest/gtest.h>

#include <functional>

#include "cycle/file_rules.h"
#include "cycle/rotation_sets.h"
#include "cycle/status_line.h"
#include "cycle/win/game_folder.h"
#include "cycle/win/windows_file_system.h"
#include "modal_script.h"
#include "test_folder.h"
#include "ui/dialogs/frm_compare.h"
#include "ui/framework/text_question.h"
#include "ui/main/frm_srv_cyc.h"
#include "ui/main/main_commands.h"
#include "ui/main/sets_menu.h"
#include "window_checks.h"

namespace rotaplex {
namespace {

using test::Click;
using test::ListRow;
using test::ListRows;
using test::ModalScript;
using Step = ModalScript::Step;
using Rows = std::vector<ListRow>;

constexpr const char* kMissions =
    "[Scenarios]\r\n"
    "Alpha = {\r\n[server]\r\nname = Alpha\r\nruleset = Attrition\r\n}\r\n"
    "Bravo = {\r\n[server]\r\nname = Bravo\r\nruleset = Brawl\r\n}\r\n";
constexpr const char* kRotation = "[cycle]\r\nmap=m.nfo::Alpha\r\nmap=gone.nfo::Retired\r\nmap=m.nfo::Bravo\r\n";
const ListRow kAlpha{"Alpha Attrition", 1}, kRetired{"", 0}, kBravo{"Bravo Brawl", 2};
const Rows kRows{kAlpha, kRetired, kBravo};

class OutsideChangesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("resource\\missions\\m.nfo", kMissions);
        folder_.Write("servercycle.txt", kRotation);
        main_.Load(LocateGameFolder());
        main_.Show(SW_SHOWNORMAL);
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
                EXPECT_EQ(GetFocus(), GetDlgItem(window, frmcompare::txtDiff));
                const std::string text = test::TextOf(GetDlgItem(window, frmcompare::txtDiff));
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
    ASSERT_TRUE(PumpUntil([&] { return StatusSays("Ctrl+R reloads it"); })) << Status();
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
    ASSERT_TRUE(PumpUntil([&] { return StatusSays("Ctrl+R reloads it"); })) << Status();
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
