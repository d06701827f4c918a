#include "ui/main/frm_srv_cyc.h"

#include <array>
#include <stdexcept>

#include "cycle/file_rules.h"
#include "cycle/limits.h"
#include "cycle/report_batch.h"
#include "cycle/win/game_folder.h"
#include "cycle/win/mission_scan.h"
#include "cycle/win/rotation_store.h"
#include "cycle/win/system_error.h"
#include "ui/framework/child_controls.h"
#include "ui/framework/list_box_fill.h"
#include "ui/message_box.h"
#include "ui/properties/frm_srv_cyc_props.h"
#include "ui/resources/resource_ids.h"
#include "ui/skin/frm_addwhere.h"

namespace rotaplex {

namespace {

constexpr const char* kClassName = "frmSrvCyc";
constexpr int kLeft = 6420, kTop = 5310;  // twips
constexpr int kList1Id = 1;
constexpr std::array<ControlSpec, 1> kControls{{
    {kList1Id, "LISTBOX", nullptr, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
     {300, 540, 3015, 3375}},
}};

constexpr const char* kPickToEdit = "Pick from the list before editing!";
constexpr const char* kPickToAdd = "Pick from the list where you want to add it!";
constexpr int16_t kNoScenario = -1;
// An index past the 16-bit range would wrap: a full rotation takes no more entries.
constexpr const char* kRotationFull = "The rotation already holds 32767 entries, the most it can hold.";

std::string DeleteQuestion(const std::string& entryText) { return "Delete " + entryText + "?\nAre you sure?"; }

constexpr const char* kQuitTitle = "Quitting";
constexpr const char* kQuitQuestion = "Your quitting with changes!\nDo you want to save the changes?";

std::string SaveFailedMessage(const std::string& path, const std::string& reason) {
    return "The rotation could not be saved to\n" + path + "\n\n" + reason +
           "\n\nThe file is as it was and your changes are still here. Quit again to retry, "
           "or answer No to quit without saving.";
}

}  // namespace

frmSrvCyc::frmSrvCyc(SaveFileSystem& files)
    : SkinnedWindow(kMainSkin, kMainHotSpots, MainCommand::Drag), files_(files) {
    RegisterClassOnce(kClassName, 0, IDI_ROTAPLEX);
    // Borderless, yet with a taskbar button that minimises and restores it.
    Create(kClassName, kAppTitle, WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU, WS_EX_APPWINDOW, 0, 0,
           0, 0, nullptr);
    // Without its window the program would wait in its message loop for ever.
    if (!Window())
        throw std::runtime_error("The main window could not be created.\n" + SystemMessage(GetLastError()));
    CreateControls(Window(), kControls);
    list1_ = GetDlgItem(Window(), kList1Id);
    Rescale(WindowDpi(Window()));
    // Where the design puts it, unless that runs off the work area of its monitor.
    PlaceInWorkArea(Window(), PixelsX(kLeft, Scale()), PixelsY(kTop, Scale()));
}

void frmSrvCyc::LayOut(TwipsPerPixel tpp, HFONT font) { LayOutControls(Window(), kControls, tpp, font); }

void frmSrvCyc::Load() {
    gameFolder_ = LocateGameFolder();
    ScanMissionsTold();
    MessageBoxReporter reporter(Window());
    cycle_ = LoadRotation(gameFolder_, missions_, reporter, &cycleRead_);
    size_t textBytes = 0;
    for (size_t i = 0; i < cycle_.EntryCount(); ++i) textBytes += cycle_.Entry(i).DisplayText.size() + 1;
    const ListBoxBulkFill fill(list1_, static_cast<int>(cycle_.EntryCount()), textBytes);
    for (size_t i = 0; i < cycle_.EntryCount(); ++i) ListEntry(static_cast<int16_t>(i), cycle_.Entry(i));
}

void frmSrvCyc::ScanMissionsTold() {
    ReportBatch reports;
    missions_ = ScanMissions(gameFolder_, reports);
    MessageBoxReporter reporter(Window());
    reports.TellTo(reporter, [&](const std::string& question) { return AskYesNo(Window(), question); });
}

void frmSrvCyc::Show(int how) {
    ShowWindow(Window(), how);
    UpdateWindow(Window());
}

void frmSrvCyc::InsertEntry(int16_t index, int16_t AddPosition, int16_t scenario) {
    const auto at = static_cast<size_t>(index);
    const bool after = AddPosition == kAddAfter;
    if (after ? cycle_.InsertAfter(at, scenario, missions_) : cycle_.InsertBefore(at, scenario, missions_))
        ListEntry(static_cast<int16_t>(index + after), cycle_.Entry(at + after));
}

void frmSrvCyc::RemoveEntry(int16_t index) {
    if (cycle_.Remove(static_cast<size_t>(index))) SendMessageA(list1_, LB_DELETESTRING, index, 0);
}

void frmSrvCyc::ReplaceEntry(int16_t index, int16_t scenario) {
    if (!cycle_.SetScenario(static_cast<size_t>(index), scenario, missions_)) return;
    const LRESULT selected = SendMessageA(list1_, LB_GETCURSEL, 0, 0);
    SendMessageA(list1_, LB_DELETESTRING, index, 0);
    ListEntry(index, cycle_.Entry(static_cast<size_t>(index)));
    SendMessageA(list1_, LB_SETCURSEL, selected, 0);
}

void frmSrvCyc::ListEntry(int16_t index, const CycleEntry& entry) {
    const LRESULT at =
        SendMessageA(list1_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(entry.DisplayText.c_str()));
    SendMessageA(list1_, LB_SETITEMDATA, at, entry.ScenarioIndex);
}

LRESULT frmSrvCyc::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: {
        bool cancel = false;
        Unload(cancel);
        if (!cancel) DestroyWindow(Window());
        return 0;
    }
    case WM_QUERYENDSESSION:
        return QueryEndSession();
    case WM_ENDSESSION:
        EndSession(wParam != FALSE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SETFOCUS:
        SetFocus(list1_);
        return 0;
    default:
        return SkinHandling(message, wParam, lParam);
    }
}

void frmSrvCyc::MouseDown(UINT, MainCommand command) {
    switch (command) {
    case MainCommand::Close:
    case MainCommand::Quit:
        SendMessageA(Window(), WM_CLOSE, 0, 0);
        break;
    case MainCommand::Minimize:
        ShowWindow(Window(), SW_MINIMIZE);
        break;
    case MainCommand::Add:
        Add();
        break;
    case MainCommand::Edit:
        Edit();
        break;
    case MainCommand::Delete:
        Del();
        break;
    case MainCommand::Drag:  // the skin's own
        break;
    }
}

void frmSrvCyc::Add() {
    const std::optional<int16_t> selected = SelectedEntry();
    if (!selected) return Tell(kPickToAdd);
    if (cycle_.EntryCount() >= static_cast<size_t>(kMaxTableSize)) return Tell(kRotationFull);
    const int16_t AddPosition = ShowAddPosition(Window(), cycle_.Entry(*selected).DisplayText);
    if (AddPosition == kAddCancelled) return;
    const int16_t SelectedScenario = ChooseScenario(kNoScenario);
    if (SelectedScenario == kNoScenario) return;
    InsertEntry(*selected, AddPosition, SelectedScenario);
}

void frmSrvCyc::Edit() {
    const std::optional<int16_t> selected = SelectedEntry();
    if (!selected) return Tell(kPickToEdit);
    const int16_t remembered = cycle_.Entry(*selected).ScenarioIndex;
    const int16_t SelectedScenario = ChooseScenario(remembered);
    if (SelectedScenario != remembered) ReplaceEntry(*selected, SelectedScenario);
}

void frmSrvCyc::Del() {
    const std::optional<int16_t> selected = SelectedEntry();
    if (!selected) return Tell(kPickToEdit);
    if (MessageBoxA(Window(), DeleteQuestion(cycle_.Entry(*selected).DisplayText).c_str(), kAppTitle,
                    MB_YESNO | MB_ICONQUESTION) == IDYES)
        RemoveEntry(*selected);
}

std::optional<int16_t> frmSrvCyc::SelectedEntry() const {
    const LRESULT selected = SendMessageA(list1_, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return std::nullopt;
    return static_cast<int16_t>(selected);
}

void frmSrvCyc::Tell(const char* text) const { MessageBoxReporter(Window()).Report(text); }

int16_t frmSrvCyc::ChooseScenario(int16_t SelectedScenario) {
    return ShowMissionProperties(Window(), missions_, gameFolder_, SelectedScenario);
}

void frmSrvCyc::Unload(bool& Cancel) {
    ReleaseOutline();
    if (CycleChanged() != -1 || sessionAnswered_) return;
    Cancel = !AskToSaveChanges();
}

bool frmSrvCyc::AskToSaveChanges() {
    switch (MessageBoxA(Window(), kQuitQuestion, kQuitTitle, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return SaveCycle();
    case IDCANCEL:
        return false;
    default:
        return true;
    }
}

BOOL frmSrvCyc::QueryEndSession() {
    if (CycleChanged() != -1 || sessionAnswered_) return TRUE;
    // Tells the system why the session waits; where that is not offered, the question still comes.
    ShutdownBlockReasonCreate(Window(), L"The mission rotation has unsaved changes.");
    sessionAnswered_ = AskToSaveChanges();
    ShutdownBlockReasonDestroy(Window());
    return sessionAnswered_;
}

void frmSrvCyc::EndSession(bool ending) {
    if (ending)
        DestroyWindow(Window());
    else
        sessionAnswered_ = false;  // another program refused it: the edits are as they were
}

bool frmSrvCyc::SaveCycle() {
    const std::string path = RotationPath(gameFolder_);
    SaveResult saved = SaveRotation(gameFolder_, cycle_, cycleRead_, false, files_);
    if (saved.Status == SaveStatus::ChangedOnDisk) {
        if (!AskYesNo(Window(), ChangedOnDiskQuestion(path))) return false;
        saved = SaveRotation(gameFolder_, cycle_, cycleRead_, true, files_);
    }
    if (!saved) {
        ShowMessage(Window(), SaveFailedMessage(path, saved.Reason), kAppTitle, MB_OK | MB_ICONERROR);
        return false;
    }
    cycleRead_ = saved.Written;
    cycle_.MarkSaved();
    return true;
}

}  // namespace rotaplex
