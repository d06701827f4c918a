#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cycle/entry_search.h"
#include "cycle/game_session.h"
#include "cycle/rotation_order.h"
#include "cycle/session_reading.h"
#include "cycle/status_line.h"
#include "cycle/window_place.h"
#include "cycle/win/windows_file_system.h"
#include "ui/framework/folder_watch.h"
#include "ui/framework/list_box_fill.h"
#include "ui/framework/menu_handles.h"
#include "ui/main/main_commands.h"
#include "ui/properties/frm_srv_cyc_props.h"
#include "ui/skin/skinned_window.h"

namespace rotaplex {

// The main window: the skinned face with the rotation list. It shows the game folder's session,
// whose document's listed entries List1 mirrors item for item (text and scenario index).
class frmSrvCyc final : public SkinnedWindow<frmSrvCyc, MainSpot>, private MainCommandTarget {
public:
    // Creates the window hidden, at its display scale and on screen. The folder is read and
    // saved through files.
    explicit frmSrvCyc(FileSystem& files = WindowsFileSystem());
    // A read still going is stopped and waited for: it ends with the file it is on.
    ~frmSrvCyc();

    // Start-up, before the window is shown: reads servercycle.txt of the game folder (ending in
    // "\"), then its mission files and the rotation's entries behind the window, which shows the
    // progress and greys the commands that need them until Ready. A folder without
    // servercycle.txt starts with an empty rotation, which the first save creates. A rotation
    // file that cannot be read throws FileError here, before anything is shown.
    void Load(const std::string& gameFolder);
    // A read that ends within moments is shown finished: a small folder never shows an empty list.
    void Show(int how);
    // The folder is read and the list filled.
    bool Ready() const { return session_.has_value(); }

    // What the window shows, for whoever drives it from outside, once Ready.
    const GameSession& Session() const { return *session_; }
    HWND List1() const { return list1_; }
    // The keys of the command table, for the program's message loop.
    HACCEL Accelerators() const { return accelerators_.get(); }

    // Edits that List1 follows, each a document edit. A new entry's line goes directly before or
    // after the line of the entry at index (the first entry of an empty rotation after the header).
    void InsertEntry(int16_t index, int16_t AddPosition, int16_t scenario);
    // The entries taken out in one step; the entry that took the first one's place is selected
    // (or the new last one).
    void RemoveEntries(const EntrySelection& entries);
    void ReplaceEntry(int16_t index, int16_t scenario);
    // The entry at from taken out and put back at to; the selection follows it, the status line
    // tells it.
    void MoveEntry(std::size_t from, std::size_t to);

private:
    friend class BaseWindow<frmSrvCyc>;
    friend class SkinnedWindow<frmSrvCyc, MainSpot>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Puts List1 at the window's scale, in its font, its rows as high and as wide as that needs;
    // in a grown window List1 grows with it and the status line keeps to the bottom.
    void LayOut(TwipsPerPixel tpp, HFONT font, SIZE grown);
    // A painted label's name and tooltip; every spot of the table has its command.
    std::string NameOf(MainSpot command) const { return MainCommandName(*command); }
    std::string TipOf(MainSpot command) const { return MainCommandTip(*command); }
    // A press on a painted command; button is the press message.
    void MouseDown(UINT button, MainSpot command);
    // Every command passes here, from a key, a painted label or the context menu: one that
    // cannot run now says why, or does nothing.
    void Run(EditorCommand command);
    // Runs a command with outside changes held back until it is done, then looked at.
    void Hold(const std::function<void()>& command);
    EditorState State() const;
    // The commands, on the selected entry.
    void Add() override;
    void Edit() override;
    void Del() override;
    void MoveUp() override;
    void MoveDown() override;
    void Undo() override;
    void Redo() override;
    void SaveNow() override;
    void Quit() override;
    void Minimize() override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void Duplicate() override;
    void SelectAll() override;
    void Shuffle() override;
    void SortByName() override;
    void SortByMissionFile() override;
    void About() override;
    void OpenRecent() override;
    void Help() override;
    // The notice of another program's version: take it as one undo step, keep the edits, see the diff.
    void Reload() override;
    void KeepMine() override;
    void Compare() override;
    // The Compare window over owner (the main window, or the question at a save).
    void CompareOver(HWND owner);
    // The named sets beside servercycle.txt.
    void SaveAsSet() override;
    void OpenSet() override;
    void ActivateSet() override;
    void DeleteSet() override;
    void RenameSet() override;
    // The sets for a set command, popped up at the list's corner.
    void ChooseSet(EditorCommand command);
    // A set chosen from a menu (none: servercycle.txt), acted on by its command.
    void RunOnSet(EditorCommand command, std::optional<std::size_t> chosen, const std::vector<std::string>& sets);
    // Each set command on the set chosen; servercycle.txt is the empty name.
    void OpenChosen(const std::string& set);
    void ActivateChosen(const std::string& set);
    void DeleteChosen(const std::string& set);
    void RenameChosen(const std::string& set);
    // The window edits the rotation (servercycle.txt, or the set named), read anew; false when
    // it could not be read, which is told, and the window edits what it did.
    bool OpenRotation(const std::string& set);
    // Watches the folders of the edited file and of the missions.
    void WatchFolders();
    // The file edited, as the notices name it.
    std::string EditedFile() const { return EditedFileText(set_); }
    // The recent folder, or the set, a menu's choice names, acted on; other choices run their command.
    void RunChosen(UINT chosen, const std::vector<std::string>& recentFolders, const std::vector<std::string>& sets);
    // The selected entries' lines on the clipboard; a clipboard that cannot be had is told.
    bool CopyToClipboard(const EntrySelection& entries);
    void Sort(SortKey key);
    void NextMissing() override;
    void PreviousMissing() override;
    void Find() override;
    void FindNext() override;
    void FindPrevious() override;
    void GoTo() override;
    void ReadAgain() override;
    // What another program changed, looked at when the window is activated and when the folder
    // tells of a change: read again at once without unsaved edits, else told.
    void CheckOutside();
    void MoveToPosition() override;
    // The selected entry, or the one a search found, selected and the status line told otherwise.
    void GoToFound(std::optional<std::size_t> found, std::string notFound);
    void FindText(SearchDirection direction);
    // A position typed in a dialog, as an entry's index; a wrong one is told.
    std::optional<std::size_t> AskPosition(const wchar_t* caption, const std::string& prompt);
    // The caption and the status line, after anything that may have changed what they show.
    void ShowWhereYouStand();
    // Type-ahead in List1: the entry the prefix typed so far leads to.
    LRESULT TypedInList(char letter);
    // List1's own events.
    void ShowContextMenu(LPARAM at);
    LRESULT DragList(const DRAGLISTINFO& drag);
    void DrawEntry(const DRAWITEMSTRUCT& item) const;
    // Where the window opens: the folder's remembered place, inside the work area of a monitor that
    // is there, else centred on its monitor's work area.
    void PlaceOnScreen(const std::optional<ScreenRect>& remembered);
    // The place it had, for the next start on the folder.
    void RememberPlace() const;
    // Every way of closing passes here; false keeps the window open.
    bool Unload();
    // The quit question on unsaved changes: true when the window may close (saved, or No).
    bool AskToSaveChanges();
    // Log-off or shut-down: unsaved changes hold it up for the quit question, Cancel refuses it.
    BOOL QueryEndSession();
    void EndSession(bool ending);

    // Writes the rotation; a failure is told to the operator and nothing is lost. A file that
    // another program changed since it was read is saved over only when the operator says so.
    bool SaveCycle();
    // The read behind the window handed over: its reports told, the list filled and usable.
    void FinishReading();
    // The mission files read again, every entry matched anew, their reports told without a flood
    // of boxes.
    void RereadMissionsTold();
    // Start-up's and a reread's reports, without a flood of boxes.
    void TellReports(const ReportBatch& reports);
    // Until Load, an empty rotation: laying out and painting come before it.
    RotationDocument& Edited() { return session_->Document(); }
    const RotationDocument& Cycle() const { return session_ ? session_->Document() : noRotation_; }
    const MissionCatalogue& Missions() const { return session_->Catalogue(); }
    void ListEntry(int16_t index, const CycleEntry& entry);
    // List1 filled anew from the document, where it stood.
    void ListAll();
    // After an edit that added or removed entries: List1 filled anew, the entries the edit names
    // selected. After a move or a reorder of the entries before: only the rows between the first
    // and the last place it touched listed again, the moved entries selected.
    void ShowDone();
    void ShowMoved(const EntrySelection& before);
    // The entries List1 has selected.
    EntrySelection Selection() const;
    // The entry the focus is on, when it is selected; else the first selected one.
    std::optional<int16_t> SelectedEntry() const;
    void Select(const EntrySelection& entries);
    // The text an entry's row shows: its display text, or for a missing mission its own reference.
    const std::string& RowText(const CycleEntry& entry) const;
    // List1 scrolls sideways as far as its widest row.
    void FitListWidth();
    // A message with an OK button, titled with the program's name.
    void Tell(const char* text) const;
    // A file that could not be read or written, with the reason, as an error.
    void TellFailed(const std::string& path, const std::string& reason) const;
    // The properties window opened on SelectedScenario: the scenario chosen with OK, else
    // SelectedScenario as it was.
    int16_t ChooseScenario(int16_t SelectedScenario, const ChooserStart& start = {});

    FileSystem& files_;
    std::string folder_;  // the game folder, known before its session is read
    HWND list1_ = nullptr;  // a child: destroyed with the window
    HWND status_ = nullptr;  // the status line under List1, a child too
    std::string lastEvent_;  // what the status line says last happened
    std::string findText_;   // what Ctrl+F last looked for, which F3 looks for again
    TypedPrefix typed_;
    int numberWidth_ = 0;    // pixels: the column of List1's position numbers
    ListBoxOwnProcedure list1Own_;  // for the fills, past the drag list's subclass
    unique_haccel accelerators_ = MakeMainAccelerators();
    UINT dragListMessage_ = 0;
    // A drag: the entries it moves, the row pressed, and whether the list shows them all again
    // (the press selected its row alone).
    std::optional<EntrySelection> dragged_;
    int dragPressed_ = -1;
    bool dragShown_ = false;
    std::optional<GameSession> session_;
    std::string set_;  // the set edited; empty: servercycle.txt
    std::optional<FolderWatch> watch_;
    bool otherVersion_ = false;  // the notice of another program's version stands
    // A command is running (its dialogs may be up): a change outside waits until it is done.
    bool running_ = false;
    bool outsideWaiting_ = false;
    const RotationDocument noRotation_;
    // The start-up read, until it is handed over; the thread runs it.
    std::unique_ptr<SessionReading> reading_;
    std::thread reader_;
    bool sessionAnswered_ = false;  // the quit question was answered for an ending session
};

}  // namespace rotaplex
