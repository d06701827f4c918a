#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "cycle/file_stamp.h"
#include "cycle/mission_catalogue.h"
#include "cycle/rotation_document.h"
#include "cycle/win/file_system.h"
#include "ui/main/main_commands.h"
#include "ui/skin/skinned_window.h"

namespace rotaplex {

// The main window: the skinned face with the rotation list. It owns the rotation document, whose
// listed entries List1 mirrors item for item (text and scenario index).
class frmSrvCyc : public SkinnedWindow<frmSrvCyc, MainCommand> {
public:
    // Creates the window hidden, at its display scale and on screen. Saves go through files.
    explicit frmSrvCyc(SaveFileSystem& files = Win32FileSystem());

    // Start-up, before the window is shown: game folder, missions, rotation.
    // Errors (a rotation file that cannot be read) propagate to the caller.
    void Load();
    void Show(int how);

    const std::string& GameFolder() const { return gameFolder_; }
    const MissionCatalogue& Missions() const { return missions_; }
    const RotationDocument& Cycle() const { return cycle_; }
    // -1 while the rotation differs from what was last read or saved.
    int16_t CycleChanged() const { return cycle_.Changed() ? -1 : 0; }
    HWND List1() const { return list1_; }

    // The only ways the rotation changes: each is a document edit that List1 follows. A new
    // entry's line goes directly before or after the line of the entry at index.
    void InsertEntry(int16_t index, int16_t AddPosition, int16_t scenario);
    void RemoveEntry(int16_t index);
    void ReplaceEntry(int16_t index, int16_t scenario);

private:
    friend class BaseWindow<frmSrvCyc>;
    friend class SkinnedWindow<frmSrvCyc, MainCommand>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Puts List1 at the window's scale, in its font.
    void LayOut(TwipsPerPixel tpp, HFONT font);
    // A press on a painted command; button is the press message.
    void MouseDown(UINT button, MainCommand command);
    // The painted list commands, on the selected entry.
    void Add();
    void Edit();
    void Del();
    // Every way of closing passes here; Cancel keeps the window open.
    void Unload(bool& Cancel);
    // The quit question on unsaved changes: true when the window may close (saved, or No).
    bool AskToSaveChanges();
    // Log-off or shut-down: unsaved changes hold it up for the quit question, Cancel refuses it.
    BOOL QueryEndSession();
    void EndSession(bool ending);

    // Writes the rotation; a failure is told to the operator and nothing is lost. A file that
    // another program changed since it was read is saved over only when the operator says so.
    bool SaveCycle();
    // The start-up scan, its reports told without a flood of boxes.
    void ScanMissionsTold();
    void ListEntry(int16_t index, const CycleEntry& entry);
    // The entry List1 has selected, if any.
    std::optional<int16_t> SelectedEntry() const;
    // A message with an OK button, titled with the program's name.
    void Tell(const char* text) const;
    // The properties window opened on SelectedScenario: the scenario chosen with OK, else
    // SelectedScenario as it was.
    int16_t ChooseScenario(int16_t SelectedScenario);

    SaveFileSystem& files_;
    HWND list1_ = nullptr;  // a child: destroyed with the window
    std::string gameFolder_;
    MissionCatalogue missions_;
    RotationDocument cycle_;
    FileStamp cycleRead_;  // servercycle.txt as last read or saved
    bool sessionAnswered_ = false;  // the quit question was answered for an ending session
};

}  // namespace rotaplex
