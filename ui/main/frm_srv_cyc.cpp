#include "ui/main/frm_srv_cyc.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <functional>
#include <random>
#include <stdexcept>
#include <vector>

#include "cycle/file_rules.h"
#include "cycle/limits.h"
#include "cycle/report_batch.h"
#include "cycle/rotation_sets.h"
#include "cycle/status_line.h"
#include "cycle/win/system_error.h"
#include "cycle/win/window_place_store.h"
#include "ui/framework/aside_question.h"
#include "ui/framework/child_controls.h"
#include "ui/framework/clipboard_text.h"
#include "ui/framework/list_box_fill.h"
#include "ui/framework/list_rows.h"
#include "ui/framework/text_question.h"
#include "ui/framework/text_window.h"
#include "ui/main/main_commands.h"
#include "ui/main/recent_folders_menu.h"
#include "ui/main/sets_menu.h"
#include "ui/message_box.h"
#include "ui/properties/frm_srv_cyc_props.h"
#include "ui/resources/resource_ids.h"
#include "ui/screen_place.h"
#include "ui/dialogs/frm_addwhere.h"

namespace rotaplex {

namespace {

constexpr const char* kClassName = "frmSrvCyc";
constexpr int kList1Id = 1;
constexpr int kStatusId = 2;
// The window's own messages and timers: what the folder watch posts when files changed in the
// watched folders, and what the start-up read posts when it has ended.
constexpr UINT kFolderChanged = WM_APP + 1;
constexpr UINT kReadMessage = WM_APP + 2;
constexpr UINT_PTR kProgressTimer = 1;
constexpr UINT kProgressEvery = 100;  // ms: the progress line moves visibly, without costing the read
// Owner-drawn so that an entry whose mission is missing can show its own reference, greyed; the
// items keep their texts. Keyboard input is asked of the window, for type-ahead by whole prefix.
// The status line is a label on the face below it, three lines of the message font at any scale.
constexpr std::array<ControlSpec, 2> kControls{{
    {kList1Id, "LISTBOX", nullptr,
     WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
         LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT,
     0, {300, 540, 3015, 3210}},
    {kStatusId, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, {300, 3795, 3015, 765}},
}};

// Taking a row out and putting it back shifts every row after it: for more rows than this a
// fill of the whole list in bulk is faster (a shuffle of 32767 entries took 1.1 s row by row).
constexpr std::size_t kRowsRelistedInPlace = 256;

constexpr int16_t kNoScenario = -1;
// What the row of an entry whose mission is not installed shows after its reference.
const char* RowNote(const CycleEntry& entry) { return MatchesNoMission(entry) ? "(not installed)" : ""; }

constexpr const char* kQuitTitle = "Quitting";
constexpr const char* kQuitQuestion = "Your quitting with changes!\nDo you want to save the changes?";

// A read done this soon is shown finished, so that no empty list flashes before it: a small
// folder takes a few milliseconds under Wine, and the window of a large one comes barely later.
constexpr std::chrono::milliseconds kUnseenRead{10};
// A read the operator had to wait for: the status line then says how long it took.
constexpr std::chrono::milliseconds kWatchedRead{500};

constexpr const char* kClipboardBusy = "The clipboard is in use by another program: nothing was copied.";
constexpr const wchar_t* kHelpTitle = L"Rotaplex: the commands and their keys";
constexpr const char* kHelpLabel = "&Every command, with its keys:";
constexpr const char* kDiffLabel = "&Differences: - on disk, + in the editor";
constexpr const char* kSwitchQuestion = "The rotation has unsaved changes.\nDo you want to save them first?";
std::string SetExistsQuestion(const std::string& name) {
    return "There is a set named " + name + " already.\nReplace its entries with these?";
}
std::string DeleteSetQuestion(const std::string& name) {
    return "Delete the set " + name + "?\nIts last version is kept as its .bak file.";
}
constexpr const char* kEditedSetBusy = "That set is open in this window: open servercycle.txt first.";
constexpr const char* kAboutNotice = "Copyright (c) 2026 the Rotaplex developers.\nThe licence comes with the program (LICENSE).";

// A shuffle differs at each run.
uint64_t ShuffleSeed() {
    std::random_device device;
    return (static_cast<uint64_t>(device()) << 32) ^ device();
}

std::string SaveFailedMessage(const std::string& path, const std::string& reason) {
    return "The rotation could not be saved to\n" + path + "\n\n" + reason +
           "\n\nThe file is as it was and your changes are still here. Quit again to retry, "
           "or answer No to quit without saving.";
}

}  // namespace

frmSrvCyc::frmSrvCyc(FileSystem& files)
    : SkinnedWindow(kMainSkin, kMainHotSpots, kMainSurface), files_(files) {
    RegisterClassOnce(kClassName, 0, IDI_ROTAPLEX);
    // Borderless, yet with a taskbar button that minimises and restores it.
    // The sizing frame lets the system size it from the edges the skin gives.
    Create(kClassName, kAppTitle, WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU | WS_THICKFRAME,
           WS_EX_APPWINDOW, 0, 0, 0, 0, nullptr);
    // Without its window the program would wait in its message loop for ever.
    if (!Window())
        throw std::runtime_error("The main window could not be created.\n" + SystemMessage(GetLastError()));
    CreateControls(Window(), kControls);
    list1_ = GetDlgItem(Window(), kList1Id);
    status_ = GetDlgItem(Window(), kStatusId);
    list1Own_ = ListBoxOwnProcedure(list1_);
    // Dragging an entry with the left button moves it; the list tells its parent as it goes.
    MakeDragList(list1_);
    dragListMessage_ = RegisterWindowMessageA(DRAGLISTMSGSTRING);
    Rescale(WindowDpi(Window()));
    PlaceOnScreen(std::nullopt);
}

void frmSrvCyc::PlaceOnScreen(const std::optional<ScreenRect>& remembered) {
    const ScreenRect now = WindowRectOf(Window());
    const ScreenRect area = WorkAreaNear(remembered.value_or(now));
    const SIZE least = DesignSize();
    MoveWindowTo(Window(), remembered ? FittedPlace(*remembered, area, least.cx, least.cy)
                                      : CentredIn(now.Width(), now.Height(), area));
}

void frmSrvCyc::RememberPlace() const {
    if (folder_.empty()) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    // Minimised, the place it comes back to.
    if (IsIconic(Window()) && GetWindowPlacement(Window(), &placement)) {
        const RECT& normal = placement.rcNormalPosition;
        WriteWindowPlace(folder_, {normal.left, normal.top, normal.right, normal.bottom});
    } else {
        WriteWindowPlace(folder_, WindowRectOf(Window()));
    }
}

void frmSrvCyc::LayOut(TwipsPerPixel tpp, HFONT font, SIZE grown) {
    LayOutControls(Window(), kControls, tpp, font);
    MoveControl(list1_, {}, grown);
    MoveControl(status_, {0, grown.cy}, {grown.cx, 0});
    FitRowHeight(list1_);
    FitListWidth();
}

frmSrvCyc::~frmSrvCyc() {
    if (!reader_.joinable()) return;
    reading_->Stop();
    reader_.join();
}

void frmSrvCyc::Load(const std::string& gameFolder) {
    GameSession session(files_, gameFolder);
    session.ReadRotationFile();
    folder_ = gameFolder;
    // Reading first: what is left of start-up happens while the mission files are read.
    reading_ = std::make_unique<SessionReading>(std::move(session));
    reader_ = std::thread([reading = reading_.get(), window = Window()] {
        reading->Run();
        PostMessageA(window, kReadMessage, 0, 0);
    });
    PlaceOnScreen(ReadWindowPlace(gameFolder));
    EnableWindow(list1_, FALSE);
    const EditorState reading = State();
    EnableCommands([&](MainSpot spot) { return !spot || CanRun(*spot, reading); });
    SetTimer(Window(), kProgressTimer, kProgressEvery, nullptr);
    ShowWhereYouStand();
}

void frmSrvCyc::FinishReading() {
    if (!reading_) return;  // Show finished it already
    reader_.join();
    KillTimer(Window(), kProgressTimer);
    const std::unique_ptr<SessionReading> reading = std::move(reading_);
    session_.emplace(reading->Take());
    TellReports(reading->MissionReports());
    TellReports(reading->RotationReports());
    ListAll();
    EnableWindow(list1_, TRUE);
    EnableCommands([](MainSpot) { return true; });
    // The first key pressed acts on an entry rather than asking for one.
    if (Cycle().EntryCount() > 0) Select(0);
    if (Missions().ScenarioCount() == 0)
        lastEvent_ = NoMissionsText(MissionsFolder(folder_, '\\'));
    else
        lastEvent_ = MissingEntriesText(MissingEntryCount(Cycle())).value_or("");
    if (reading->Took() >= kWatchedRead) {
        const std::string took = ReadInText(static_cast<std::size_t>(reading->Took().count()));
        lastEvent_ = lastEvent_.empty() ? took : took + ". " + lastEvent_;
    }
    WatchFolders();
    ShowWhereYouStand();
}

void frmSrvCyc::WatchFolders() {
    watch_.reset();  // the old thread ends before the new one starts
    const std::vector<std::wstring> folders{Widen(FolderOf(session_->RotationPath())),
                                            Widen(MissionsFolder(session_->Folder(), '\\'))};
    watch_.emplace(Window(), kFolderChanged, folders);
}

void frmSrvCyc::ListAll() {
    const LRESULT top = SendMessageA(list1_, LB_GETTOPINDEX, 0, 0);
    {
        // A hint for the list's storage: each row's text and note with a byte for the gap between.
        size_t textBytes = 0;
        for (size_t i = 0; i < Cycle().EntryCount(); ++i)
            textBytes += RowText(Cycle().Entry(i)).size() + std::strlen(RowNote(Cycle().Entry(i))) + 2;
        const ListBoxBulkFill fill(list1_, static_cast<int>(Cycle().EntryCount()), textBytes);
        SendMessageA(list1_, LB_RESETCONTENT, 0, 0);
        for (size_t i = 0; i < Cycle().EntryCount(); ++i) ListEntry(static_cast<int16_t>(i), Cycle().Entry(i));
    }
    SendMessageA(list1_, LB_SETTOPINDEX, top, 0);
    FitListWidth();
}

void frmSrvCyc::RereadMissionsTold() {
    ReportBatch reports;
    session_->RereadMissions(reports);
    TellReports(reports);
}

void frmSrvCyc::TellReports(const ReportBatch& reports) {
    MessageBoxReporter reporter(Window());
    reports.TellTo(reporter, [&](const std::string& question) { return AskYesNo(Window(), question); });
}

void frmSrvCyc::Show(int how) {
    if (reading_ && reading_->WaitDone(kUnseenRead)) FinishReading();
    ShowWhereYouStand();  // how far a read still going has got
    ShowWindow(Window(), how);
    UpdateWindow(Window());
}

void frmSrvCyc::InsertEntry(int16_t index, int16_t AddPosition, int16_t scenario) {
    const auto at = static_cast<size_t>(index);
    const bool after = AddPosition == kAddAfter;
    const bool inserted = Cycle().EntryCount() == 0 ? Edited().InsertFirst(scenario, Missions())
                          : after                  ? Edited().InsertAfter(at, scenario, Missions())
                                                   : Edited().InsertBefore(at, scenario, Missions());
    if (!inserted) return;
    ListEntry(static_cast<int16_t>(index + after), Cycle().Entry(at + after));
    FitListWidth();
}

void frmSrvCyc::RemoveEntries(const EntrySelection& entries) {
    if (!Edited().Remove(entries)) return;
    {
        const ListBoxBulkFill quiet(list1_, 0, 0);
        const std::vector<std::size_t> rows = entries.Positions();
        for (auto row = rows.rbegin(); row != rows.rend(); ++row) list1Own_.Send(LB_DELETESTRING, *row, 0);
    }
    FitListWidth();
    Select(Cycle().LastDone().Within(Cycle().EntryCount()));
}

void frmSrvCyc::ReplaceEntry(int16_t index, int16_t scenario) {
    if (!Edited().SetScenario(static_cast<size_t>(index), scenario, Missions())) return;
    const EntrySelection selected = Selection();
    SendMessageA(list1_, LB_DELETESTRING, index, 0);
    ListEntry(index, Cycle().Entry(static_cast<size_t>(index)));
    Select(selected);
    FitListWidth();
}

void frmSrvCyc::ShowDone() {
    ListAll();
    Select(Cycle().LastDone().Within(Cycle().EntryCount()));
}

void frmSrvCyc::ShowMoved(const EntrySelection& before) {
    const EntrySelection after = Cycle().LastDone();
    const std::size_t first = std::min(before.First(), after.First()), last = std::max(before.Last(), after.Last());
    if (last - first >= kRowsRelistedInPlace) {
        ListAll();
    } else {
        const ListBoxBulkFill quiet(list1_, 0, 0);
        for (std::size_t row = first; row <= last; ++row) {
            list1Own_.Send(LB_DELETESTRING, row, 0);
            ListEntry(static_cast<int16_t>(row), Cycle().Entry(row));
        }
    }
    Select(after);
    if (before.Count() == 1) lastEvent_ = MovedText(before.First(), after.First());
}

void frmSrvCyc::MoveEntry(std::size_t from, std::size_t to) {
    if (Edited().Move(from, to)) ShowMoved(from);
}

// The item holds what its row shows, for whoever reads the list rather than sees it.
void frmSrvCyc::ListEntry(int16_t index, const CycleEntry& entry) {
    const std::string shown = ListRowText(RowText(entry), RowNote(entry));
    const LRESULT at = list1Own_.Send(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(shown.c_str()));
    list1Own_.Send(LB_SETITEMDATA, at, entry.ScenarioIndex);
}

LRESULT frmSrvCyc::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        if (Unload()) DestroyWindow(Window());
        return 0;
    case WM_QUERYENDSESSION:
        return QueryEndSession();
    case WM_ENDSESSION:
        EndSession(wParam != FALSE);
        return 0;
    case WM_DESTROY:
        RememberPlace();
        watch_.reset();
        PostQuitMessage(0);
        return 0;
    case kReadMessage:
        FinishReading();
        return 0;
    case WM_TIMER:
        if (wParam == kProgressTimer) ShowWhereYouStand();
        return 0;
    case kFolderChanged:
        if (watch_) watch_->Handled();
        CheckOutside();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) CheckOutside();
        return SkinHandling(message, wParam, lParam);
    case WM_SETFOCUS:
        SetFocus(list1_);
        return 0;
    case WM_COMMAND:
        if (const auto command = MainCommandFromId(LOWORD(wParam)))
            Run(*command);
        else if (lParam == 0 && session_)  // a menu's item: a recent folder or a set
            RunChosen(LOWORD(wParam), RecentFoldersBesides(session_->Folder()), ListSets(files_, session_->Folder()));
        if (LOWORD(wParam) == kList1Id && HIWORD(wParam) == LBN_DBLCLK) Run(EditorCommand::Edit);
        if (LOWORD(wParam) == kList1Id && HIWORD(wParam) == LBN_SELCHANGE) ShowWhereYouStand();
        return SkinHandling(message, wParam, lParam);  // the painted commands' buttons
    case WM_CHARTOITEM:
        return TypedInList(static_cast<char>(LOWORD(wParam)));
    case WM_VKEYTOITEM:
        return -1;  // the list's own handling of the key
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == list1_) ShowContextMenu(lParam);
        return 0;
    case WM_SYSCOMMAND:
        // F10 or Alt alone: the window has no menu bar, so the command menu comes instead.
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) {
            ShowContextMenu(-1);
            return 0;
        }
        return SkinHandling(message, wParam, lParam);
    case WM_DRAWITEM:
        if (wParam != kList1Id) return SkinHandling(message, wParam, lParam);  // a painted command
        DrawEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        if (message == dragListMessage_ && dragListMessage_)
            return DragList(*reinterpret_cast<const DRAGLISTINFO*>(lParam));
        return SkinHandling(message, wParam, lParam);
    }
}

void frmSrvCyc::MouseDown(UINT, MainSpot command) {
    if (command) Run(*command);  // the rest of the face is the skin's own: it drags
}

void frmSrvCyc::Run(EditorCommand command) {
    Hold([&] {
        const EditorState state = State();
        if (CanRun(command, state))
            (static_cast<MainCommandTarget&>(*this).*RowOf(command).Run)();
        else if (const char* why = WhyNot(command, state))
            Tell(why);
    });
    ShowWhereYouStand();
}

void frmSrvCyc::Hold(const std::function<void()>& command) {
    if (running_) return command();
    running_ = true;
    try {
        command();
    } catch (...) {
        running_ = outsideWaiting_ = false;
        throw;
    }
    running_ = false;
    if (std::exchange(outsideWaiting_, false)) CheckOutside();
}

EditorState frmSrvCyc::State() const {
    const EntrySelection selection = Selection();
    const std::optional<int16_t> focused = SelectedEntry();
    EditorState state{Cycle().EntryCount(), focused ? std::optional<std::size_t>(*focused) : std::nullopt,
                      Cycle().CanUndo(), Cycle().CanRedo(), selection.Count() > 1 ? selection : EntrySelection{},
                      ClipboardHasText()};
    state.NoScenarios = session_ && Missions().ScenarioCount() == 0;
    state.RecentFolders = RecentFoldersBesides(folder_).size();
    state.Reading = !session_;
    state.OtherVersion = otherVersion_;
    state.Sets = session_ ? ListSets(files_, session_->Folder()).size() : 0;
    state.EditingSet = !set_.empty();
    return state;
}

void frmSrvCyc::Add() {
    const EditorState state = State();
    // The first entry of an empty rotation has no place to pick.
    const int16_t AddPosition =
        state.Selected ? ShowAddPosition(Window(), RowText(Cycle().Entry(*state.Selected))) : kAddBefore;
    if (AddPosition == kAddCancelled) return;
    const int16_t SelectedScenario = ChooseScenario(kNoScenario);
    if (SelectedScenario == kNoScenario) return;
    InsertEntry(static_cast<int16_t>(state.Selected.value_or(0)), AddPosition, SelectedScenario);
    Select(AddedPosition(state, AddPosition == kAddAfter));
}

void frmSrvCyc::Edit() {
    const int16_t selected = *SelectedEntry();
    const CycleEntry& entry = Cycle().Entry(selected);
    const int16_t remembered = entry.ScenarioIndex;
    // An entry that matches nothing: the chooser opens on the scenarios named like it.
    const bool missing = MatchesNoMission(entry);
    ChooserStart start;
    if (missing) start = {std::string(ReferenceKey(entry.SourceText)), ReplacesText(entry.SourceText)};
    const int16_t SelectedScenario = ChooseScenario(remembered, start);
    if (SelectedScenario == remembered) return;
    ReplaceEntry(selected, SelectedScenario);
    // Replacing the missing entries one by one, the operator sees how many are left.
    if (missing) lastEvent_ = MissingEntriesText(MissingEntryCount(Cycle())).value_or(kNoneMissing);
}

void frmSrvCyc::Del() {
    const EntrySelection selected = SelectedEntries(State());
    // No is the default: Enter, pressed once too often, keeps the entries.
    if (MessageBoxA(Window(), DeleteQuestion(selected.Count(), RowText(Cycle().Entry(selected.First()))).c_str(),
                    kAppTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    RemoveEntries(selected);
}

void frmSrvCyc::MoveUp() {
    const EntrySelection selected = SelectedEntries(State());
    if (Edited().MoveUp(selected)) ShowMoved(selected);
}

void frmSrvCyc::MoveDown() {
    const EntrySelection selected = SelectedEntries(State());
    if (Edited().MoveDown(selected)) ShowMoved(selected);
}
// Which entries a step touched beyond the ones it names is not told, so List1 is listed anew.
void frmSrvCyc::Undo() {
    const EntrySelection touched = Edited().Undo();
    ListAll();
    Select(touched.Within(Cycle().EntryCount()));
}

void frmSrvCyc::Redo() {
    const EntrySelection touched = Edited().Redo();
    ListAll();
    Select(touched.Within(Cycle().EntryCount()));
}

// The save that quitting makes, without quitting: afterwards the rotation counts as unchanged.
void frmSrvCyc::SaveNow() {
    if (!session_->HasUnsaved()) {
        lastEvent_ = kNothingToSave;
        return;
    }
    if (!SaveCycle()) return;
    otherVersion_ = false;  // the file now holds this version
    SYSTEMTIME now{};
    GetLocalTime(&now);
    lastEvent_ = SavedAtText(now.wHour, now.wMinute);
}

void frmSrvCyc::NextMissing() {
    GoToFound(FindMissing(Cycle(), SelectedEntry(), SearchDirection::Next), kNoneMissing);
}

void frmSrvCyc::PreviousMissing() {
    GoToFound(FindMissing(Cycle(), SelectedEntry(), SearchDirection::Previous), kNoneMissing);
}

void frmSrvCyc::Find() {
    const std::optional<std::string> text = AskForText(Window(), {L"Find", "Find the entry that shows:", findText_});
    if (!text || text->empty()) return;
    findText_ = *text;
    FindText(SearchDirection::Next);
}

void frmSrvCyc::FindNext() { findText_.empty() ? Find() : FindText(SearchDirection::Next); }

void frmSrvCyc::FindPrevious() { findText_.empty() ? Find() : FindText(SearchDirection::Previous); }

void frmSrvCyc::FindText(SearchDirection direction) {
    GoToFound(rotaplex::FindText(Cycle(), findText_, SelectedEntry(), direction), NotFoundText(findText_));
}

void frmSrvCyc::CheckOutside() {
    if (!session_) return;
    // A command's dialog may stand on what would be read again: it waits until the command is done.
    if (running_) {
        outsideWaiting_ = true;
        return;
    }
    const OutsideChanges changes = session_->CheckOutside();
    if (!changes) return;
    const OutsideAnswer answer =
        AnswerOutside(EditedFile(), changes.Rotation, changes.RotationRemoved, changes.Missions, Cycle().Changed());
    lastEvent_ = answer.Told;
    if (changes.Rotation || changes.RotationRemoved) otherVersion_ = answer.OfferReload;
    try {
        if (answer.ReadRotationNow && session_->ReloadRotation()) ShowDone();
    } catch (const FileError& error) {
        lastEvent_ = error.Path() + ": " + error.Reason();
    }
    ShowWhereYouStand();
}

void frmSrvCyc::ReadAgain() {
    const OutsideChanges changes = session_->CheckOutside();
    if (changes.Missions) RereadMissionsTold();
    bool rotation = false;
    try {
        // The file's version as one undo step, so that the operator's own edits are one undo away.
        rotation = changes.Rotation && session_->ReloadRotation();
        if (changes.Rotation) otherVersion_ = false;
        lastEvent_ = ReadAgainText(rotation, changes.Missions);
    } catch (const FileError& error) {
        lastEvent_ = error.Path() + ": " + error.Reason();
    }
    if (changes.Missions || rotation) ShowDone();
}

void frmSrvCyc::Reload() {
    try {
        if (session_->ReloadRotation()) ShowDone();
        otherVersion_ = false;
        lastEvent_ = ReadAgainText(true, false);
    } catch (const FileError& error) {
        lastEvent_ = error.Path() + ": " + error.Reason();
    }
}

void frmSrvCyc::KeepMine() {
    session_->KeepMine();
    otherVersion_ = false;
    lastEvent_ = KeptMineText(EditedFile());
}

void frmSrvCyc::Compare() { CompareOver(Window()); }

void frmSrvCyc::CompareOver(HWND owner) {
    try {
        const std::string diff = session_->DiffWithDisk();
        if (diff.empty())
            lastEvent_ = SameOnDiskText(EditedFile());
        else
            ShowTextWindow(owner, {Widen("Compare: " + EditedFile()), kDiffLabel, diff, true});
    } catch (const FileError& error) {
        lastEvent_ = error.Path() + ": " + error.Reason();
    }
}

void frmSrvCyc::SaveAsSet() {
    const std::optional<std::string> name =
        AskForText(Window(), {L"Save as Set", "Save the entries as the set named:", set_});
    if (!name) return;
    if (const std::optional<std::string> refused = SetNameRefusal(*name)) {
        Tell(refused->c_str());
        return;
    }
    // The set this window edits: its own save, so that the window's stamp of the file stays true.
    if (!set_.empty() && EqualsIgnoringCase(*name, set_)) return SaveNow();
    // As Windows finds the file: letter case aside. No is the default.
    const std::vector<std::string> sets = ListSets(files_, session_->Folder());
    const bool exists =
        std::any_of(sets.begin(), sets.end(), [&](const std::string& set) { return EqualsIgnoringCase(set, *name); });
    if (exists &&
        ShowMessage(Window(), SetExistsQuestion(*name), kAppTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    try {
        const SaveOutcome saved = rotaplex::SaveAsSet(files_, *session_, *name);
        if (!saved) return TellFailed(saved.Path, saved.Reason);
        lastEvent_ = SavedAsSetText(*name);
    } catch (const FileError& error) {
        TellFailed(error.Path(), error.Reason());
    }
}

void frmSrvCyc::OpenSet() { ChooseSet(EditorCommand::OpenSet); }
void frmSrvCyc::ActivateSet() { ChooseSet(EditorCommand::ActivateSet); }
void frmSrvCyc::DeleteSet() { ChooseSet(EditorCommand::DeleteSet); }
void frmSrvCyc::RenameSet() { ChooseSet(EditorCommand::RenameSet); }

void frmSrvCyc::ChooseSet(EditorCommand command) {
    POINT where{0, 0};
    ClientToScreen(list1_, &where);
    const std::vector<std::string> sets = ListSets(files_, session_->Folder());
    const unique_hmenu menu = MakeSetsMenu(command, sets, !set_.empty());
    RunChosen(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY, where.x, where.y, 0, Window(), nullptr), {},
              sets);
}

void frmSrvCyc::RunOnSet(EditorCommand command, std::optional<std::size_t> chosen,
                         const std::vector<std::string>& sets) {
    if (chosen && *chosen >= sets.size()) return;  // gone since the menu was made
    const std::string name = chosen ? sets[*chosen] : std::string();
    // The set this window edits stays where the window finds it.
    if ((command == EditorCommand::DeleteSet || command == EditorCommand::RenameSet) && name == set_)
        return Tell(kEditedSetBusy);
    try {
        switch (command) {
        case EditorCommand::OpenSet: return OpenChosen(name);
        case EditorCommand::ActivateSet: return ActivateChosen(name);
        case EditorCommand::DeleteSet: return DeleteChosen(name);
        default: return RenameChosen(name);
        }
    } catch (const FileError& error) {
        TellFailed(error.Path(), error.Reason());
    }
}

void frmSrvCyc::TellFailed(const std::string& path, const std::string& reason) const {
    ShowMessage(Window(), path + "\n\n" + reason, kAppTitle, MB_OK | MB_ICONERROR);
}

void frmSrvCyc::OpenChosen(const std::string& set) {
    if (set == set_) return;
    if (Cycle().Changed()) {
        const int answer = MessageBoxA(Window(), kSwitchQuestion, kAppTitle, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !SaveCycle())) return;
    }
    if (OpenRotation(set)) lastEvent_ = OpenedText(EditedFile());
}

void frmSrvCyc::ActivateChosen(const std::string& set) {
    MessageBoxReporter reporter(Window());
    GameSession chosen = SetSession(files_, session_->Folder(), set);
    chosen.ReadRotation(reporter, true);
    const Activation done = Activate(Edited(), chosen.Document(), Missions());
    if (done == Activation::NoEntries) return Tell(NoEntriesToActivateText(set).c_str());
    if (done == Activation::Done) ShowDone();
    lastEvent_ = ActivatedText(set, done == Activation::Done);
}

void frmSrvCyc::DeleteChosen(const std::string& set) {
    // No is the default: Enter pressed once too often keeps the set.
    if (ShowMessage(Window(), DeleteSetQuestion(set), kAppTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    rotaplex::DeleteSet(files_, session_->Folder(), set);
    lastEvent_ = DeletedSetText(set);
}

void frmSrvCyc::RenameChosen(const std::string& set) {
    const std::optional<std::string> to =
        AskForText(Window(), {L"Rename Set", "New name for the set " + set + ":", set});
    if (!to || *to == set) return;
    std::optional<std::string> refused = SetNameRefusal(*to);
    if (!refused) refused = rotaplex::RenameSet(files_, session_->Folder(), set, *to);
    if (refused) return Tell(refused->c_str());
    lastEvent_ = RenamedSetText(set, *to);
}

bool frmSrvCyc::OpenRotation(const std::string& set) {
    const std::string folder = session_->Folder();
    GameSession opened = set.empty() ? GameSession(files_, folder) : SetSession(files_, folder, set);
    ReportBatch told;  // the mission files' problems were told when the window opened
    opened.ReadMissions(told);
    MessageBoxReporter reporter(Window());
    try {
        opened.ReadRotation(reporter, !set.empty());
    } catch (const FileError& error) {
        TellFailed(error.Path(), error.Reason());
        return false;
    }
    session_.emplace(std::move(opened));
    set_ = set;
    otherVersion_ = false;
    ListAll();
    if (Cycle().EntryCount() > 0) Select(0);
    WatchFolders();
    return true;
}

void frmSrvCyc::GoTo() {
    const std::size_t count = Cycle().EntryCount();
    if (const auto to = AskPosition(L"Go To", "Go to position (1 to " + std::to_string(count) + "):")) Select(*to);
}

void frmSrvCyc::MoveToPosition() {
    const auto from = static_cast<std::size_t>(*SelectedEntry());
    const std::string prompt = "Move entry " + std::to_string(from + 1) + " to position (1 to " +
                               std::to_string(Cycle().EntryCount()) + "):";
    const auto to = AskPosition(L"Move to Position", prompt);
    if (!to || *to == from) return;
    MoveEntry(from, *to);
}

std::optional<std::size_t> frmSrvCyc::AskPosition(const wchar_t* caption, const std::string& prompt) {
    const std::optional<std::string> typed = AskForText(Window(), {caption, prompt, ""});
    if (!typed) return std::nullopt;
    const std::optional<std::size_t> position = ParsePosition(*typed, Cycle().EntryCount());
    if (!position) Tell(NoSuchPositionText(Cycle().EntryCount()).c_str());
    return position;
}

void frmSrvCyc::GoToFound(std::optional<std::size_t> found, std::string notFound) {
    if (found)
        Select(*found);
    else
        lastEvent_ = std::move(notFound);
}

LRESULT frmSrvCyc::TypedInList(char letter) {
    if (static_cast<unsigned char>(letter) < ' ') return -1;  // control keys keep their own meaning
    const std::string& prefix = typed_.Type(letter, static_cast<uint32_t>(GetMessageTime()));
    // Selected here: a list that selects many would add the row it is told of to the selection.
    if (const std::optional<std::size_t> found = FindPrefix(Cycle(), prefix, SelectedEntry())) {
        Select(*found);
        ShowWhereYouStand();
    }
    return -2;  // nothing more for the list to do
}

void frmSrvCyc::ShowWhereYouStand() {
    if (folder_.empty()) return;  // not loaded yet
    SetWindowTextW(Window(), Widen(WindowCaption(folder_, Cycle().Changed(), set_)).c_str());
    const std::optional<int16_t> selected = SelectedEntry();
    const std::string status =
        reading_ ? ReadingText(reading_->FilesRead(), reading_->FilesListed())
                 : PositionText(Cycle().EntryCount(), selected ? std::optional<std::size_t>(*selected) : std::nullopt) +
                       "\n" + lastEvent_;
    SetWindowTextW(status_, Widen(status).c_str());
}

void frmSrvCyc::Quit() { SendMessageA(Window(), WM_CLOSE, 0, 0); }

void frmSrvCyc::Minimize() { ShowWindow(Window(), SW_MINIMIZE); }

bool frmSrvCyc::CopyToClipboard(const EntrySelection& entries) {
    if (PutClipboardText(Window(), Cycle().EntryLinesText(entries))) return true;
    Tell(kClipboardBusy);
    return false;
}

void frmSrvCyc::Copy() { CopyToClipboard(SelectedEntries(State())); }

void frmSrvCyc::Cut() {
    const EntrySelection selected = SelectedEntries(State());
    if (CopyToClipboard(selected)) RemoveEntries(selected);
}

void frmSrvCyc::Paste() {
    const std::size_t at = PastePosition(State());
    const PastedLines pasted = ReadPastedLines(ClipboardText(Window()).value_or(""));
    const bool inserted = !pasted.EntryLines.empty() && Edited().InsertLines(at, pasted.EntryLines, Missions());
    const std::string note = PasteNote(pasted.EntryLines.size(), pasted.Skipped, inserted);
    // The lines left out are told on the status line; a paste that put nothing in, in a box.
    if (!inserted) {
        Tell(note.c_str());
        return;
    }
    ShowDone();
    if (!note.empty()) lastEvent_ = note;
}

void frmSrvCyc::Duplicate() {
    if (Edited().Duplicate(SelectedEntries(State()))) ShowDone();
}

void frmSrvCyc::SelectAll() { Select(EntrySelection::Range(0, Cycle().EntryCount())); }

void frmSrvCyc::Shuffle() {
    const EntrySelection ordered = OrderedEntries(State());
    if (Edited().Reorder(ordered, ShuffleOrder(Cycle(), ordered, ShuffleSeed(), Missions()))) ShowMoved(ordered);
}

void frmSrvCyc::Sort(SortKey key) {
    const EntrySelection ordered = OrderedEntries(State());
    if (Edited().Reorder(ordered, SortOrder(Cycle(), ordered, key, Missions()))) ShowMoved(ordered);
}

void frmSrvCyc::SortByName() { Sort(SortKey::DisplayText); }

void frmSrvCyc::SortByMissionFile() { Sort(SortKey::MissionFile); }

void frmSrvCyc::About() {
    ShowMessage(Window(), std::string(kAboutLine) + "\n\n" + kAboutNotice + "\n\nGame folder: " + folder_,
                kAppTitle, MB_OK | MB_ICONINFORMATION);
}

void frmSrvCyc::Help() { ShowTextWindow(Window(), {kHelpTitle, kHelpLabel, MainCommandHelp()}); }

void frmSrvCyc::ShowContextMenu(LPARAM at) {
    POINT where{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (at == -1) {
        // From the keyboard: at the row with the focus, or the list's corner.
        RECT row{};
        SendMessageA(list1_, LB_GETITEMRECT, std::max(0, CaretRow(list1_)), reinterpret_cast<LPARAM>(&row));
        where = {row.left, row.bottom};
        ClientToScreen(list1_, &where);
    } else {
        // A right-click on a row outside the selection picks that row alone, as it is the row
        // the operator means; on a selected row the menu is for the whole selection.
        POINT client = where;
        ScreenToClient(list1_, &client);
        const LRESULT hit = SendMessageA(list1_, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
        if (HIWORD(hit) == 0 && SendMessageA(list1_, LB_GETSEL, LOWORD(hit), 0) <= 0) Select(LOWORD(hit));
    }
    const std::vector<std::string> recent = RecentFoldersBesides(folder_);
    const std::vector<std::string> sets = ListSets(files_, folder_);
    const unique_hmenu menu = MakeMainContextMenu(State(), recent, sets);
    RunChosen(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, where.x, where.y, 0,
                             Window(), nullptr),
              recent, sets);
}

void frmSrvCyc::OpenRecent() {
    // From its key: the folders alone, at the list's corner.
    POINT where{0, 0};
    ClientToScreen(list1_, &where);
    const std::vector<std::string> recent = RecentFoldersBesides(folder_);
    const unique_hmenu menu = MakeRecentFoldersMenu(recent);
    RunChosen(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY, where.x, where.y, 0, Window(), nullptr),
              recent, {});
}

void frmSrvCyc::RunChosen(UINT chosen, const std::vector<std::string>& recentFolders,
                          const std::vector<std::string>& sets) {
    if (const auto command = MainCommandFromId(static_cast<WORD>(chosen))) Run(*command);
    if (const auto set = SetChoiceFromId(static_cast<WORD>(chosen))) {
        Hold([&] { RunOnSet(set->Command, set->Set, sets); });
        ShowWhereYouStand();
    }
    const auto folder = RecentFolderFromId(static_cast<WORD>(chosen));
    if (!folder || *folder >= recentFolders.size()) return;
    const std::string told = OpenRecentFolder(recentFolders[*folder]);
    if (!told.empty()) Tell(told.c_str());
}

LRESULT frmSrvCyc::DragList(const DRAGLISTINFO& drag) {
    const int count = static_cast<int>(Cycle().EntryCount());
    int over = LBItemFromPt(list1_, drag.ptCursor, TRUE);
    // Below the last row inside the list: the place after it.
    RECT inside{};
    GetClientRect(list1_, &inside);
    POINT client = drag.ptCursor;
    ScreenToClient(list1_, &client);
    if (over < 0 && PtInRect(&inside, client)) over = count;
    switch (drag.uNotification) {
    case DL_BEGINDRAG:
        dragged_.reset();
        dragShown_ = false;
        // With Shift or Ctrl a press chooses rows; a plain press on a selected row drags the
        // whole selection, on another row that row alone.
        if (over < 0 || over >= count || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0) return FALSE;
        dragPressed_ = over;
        dragged_ = SendMessageA(list1_, LB_GETSEL, over, 0) > 0 ? Selection() : EntrySelection(over);
        return TRUE;
    case DL_DRAGGING:
        // The list box has selected the pressed row alone: once the pointer leaves it, the
        // entries dragged show selected again.
        if (dragged_ && over != dragPressed_ && !dragShown_) {
            Select(*dragged_);
            dragShown_ = true;
        }
        DrawInsert(Window(), list1_, over);
        return over >= 0 ? DL_MOVECURSOR : DL_STOPCURSOR;
    case DL_DROPPED:
        DrawInsert(Window(), list1_, -1);
        // The mark stands before row over: the entries go in front of it.
        if (dragged_ && over >= 0 && Edited().MoveTo(*dragged_, static_cast<std::size_t>(over))) ShowMoved(*dragged_);
        dragged_.reset();
        ShowWhereYouStand();
        return 0;
    default:  // DL_CANCELDRAG
        DrawInsert(Window(), list1_, -1);
        dragged_.reset();
        return 0;
    }
}

void frmSrvCyc::DrawEntry(const DRAWITEMSTRUCT& item) const {
    if (item.itemID >= Cycle().EntryCount()) return DrawListRow(item, "");
    const CycleEntry& entry = Cycle().Entry(item.itemID);
    const std::string number = std::to_string(item.itemID + 1);
    DrawListRow(item, RowText(entry), RowNote(entry), {number, numberWidth_});
}

const std::string& frmSrvCyc::RowText(const CycleEntry& entry) const { return ShownText(entry); }

void frmSrvCyc::FitListWidth() {
    const ListRowMeasure measure(list1_);
    numberWidth_ = measure.NumberWidth(std::to_string(Cycle().EntryCount()));
    int widest = 0;
    for (size_t i = 0; i < Cycle().EntryCount(); ++i)
        widest = std::max(widest, measure.Width(RowText(Cycle().Entry(i)), RowNote(Cycle().Entry(i))));
    SendMessageA(list1_, LB_SETHORIZONTALEXTENT, numberWidth_ + widest, 0);
}

void frmSrvCyc::Select(const EntrySelection& entries) {
    std::vector<RowRun> runs;
    for (const EntrySelection::Run& run : entries.Runs())
        runs.push_back({static_cast<int>(run.First), static_cast<int>(run.Count)});
    SelectRows(list1_, runs);
    // Shift then goes on from the block's first entry; the last one is brought into view.
    if (!entries.Empty()) PlaceCaret(list1_, static_cast<int>(entries.First()), static_cast<int>(entries.Last()));
}

EntrySelection frmSrvCyc::Selection() const {
    const std::vector<int> rows = SelectedRows(list1_);
    return EntrySelection::Of(std::vector<std::size_t>(rows.begin(), rows.end()));
}

// ADD, EDIT and the searches act where the focus is, when it is on a selected entry.
std::optional<int16_t> frmSrvCyc::SelectedEntry() const {
    const EntrySelection selection = Selection();
    if (selection.Empty()) return std::nullopt;
    const int caret = CaretRow(list1_);
    const bool caretSelected = caret >= 0 && SendMessageA(list1_, LB_GETSEL, caret, 0) > 0;
    return static_cast<int16_t>(caretSelected ? caret : static_cast<int>(selection.First()));
}

void frmSrvCyc::Tell(const char* text) const { MessageBoxReporter(Window()).Report(text); }

int16_t frmSrvCyc::ChooseScenario(int16_t SelectedScenario, const ChooserStart& start) {
    return ShowMissionProperties(Window(), Missions(), files_, session_->Folder(), SelectedScenario, start);
}

bool frmSrvCyc::Unload() {
    if (!Cycle().Changed() || sessionAnswered_) return true;
    return AskToSaveChanges();
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
    if (!Cycle().Changed() || sessionAnswered_) return TRUE;
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
    const std::string path = session_->RotationPath();
    SaveOutcome saved = session_->Save();
    if (saved.Result == SaveOutcome::Status::ChangedOnDisk || saved.Result == SaveOutcome::Status::RemovedOnDisk) {
        const std::string question = saved.Result == SaveOutcome::Status::ChangedOnDisk ? ChangedOnDiskQuestion(path)
                                                                                        : RemovedOnDiskQuestion(path);
        // No is the default: an Enter pressed without reading never overwrites another program's change.
        const auto compare = [&](HWND box) { CompareOver(box); };
        if (AskWithAside(Window(), Widen(question), Widen(kAppTitle), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2,
                         L"&Compare", compare) != IDYES)
            return false;
        saved = session_->Save(true);
    }
    if (!saved) {
        ShowMessage(Window(), SaveFailedMessage(saved.Path, saved.Reason), kAppTitle, MB_OK | MB_ICONERROR);
        return false;
    }
    if (saved.OtherVersionIn)
        ShowMessage(Window(), OtherVersionMessage(path, *saved.OtherVersionIn), kAppTitle, MB_OK | MB_ICONWARNING);
    return true;
}

}  // namespace rotaplex
