#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cycle/editor_commands.h"
#include "rotaplex_version.h"
#include "ui/framework/menu_handles.h"
#include "ui/skin/hot_spot.h"

namespace rotaplex {

// What runs the main window's commands: one handler each.
class MainCommandTarget {
public:
    virtual void Add() = 0;
    virtual void Edit() = 0;
    virtual void Del() = 0;
    virtual void MoveUp() = 0;
    virtual void MoveDown() = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    virtual void SaveNow() = 0;
    virtual void Quit() = 0;
    virtual void Minimize() = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void Duplicate() = 0;
    virtual void SelectAll() = 0;
    virtual void Shuffle() = 0;
    virtual void SortByName() = 0;
    virtual void SortByMissionFile() = 0;
    virtual void About() = 0;
    virtual void NextMissing() = 0;
    virtual void PreviousMissing() = 0;
    virtual void Find() = 0;
    virtual void FindNext() = 0;
    virtual void FindPrevious() = 0;
    virtual void GoTo() = 0;
    virtual void ReadAgain() = 0;
    virtual void MoveToPosition() = 0;
    virtual void OpenRecent() = 0;
    virtual void Help() = 0;
    virtual void Reload() = 0;
    virtual void KeepMine() = 0;
    virtual void Compare() = 0;
    virtual void SaveAsSet() = 0;
    // The set commands pop up the sets to choose from.
    virtual void OpenSet() = 0;
    virtual void ActivateSet() = 0;
    virtual void DeleteSet() = 0;
    virtual void RenameSet() = 0;

protected:
    ~MainCommandTarget() = default;
};

// A key with its modifiers, as an accelerator takes it (FCONTROL, FSHIFT; FVIRTKEY is added).
struct KeyChord {
    BYTE Modifiers = 0;
    WORD Key = 0;  // 0: no key
};

// A painted label in the window's twips, edges included; an empty one has Right below Left.
struct PaintedSpot {
    float Left = 0, Right = -1, Top = 0, Bottom = -1;
};

// One command of the main window: everything that starts it and what it runs.
struct MainCommandRow {
    EditorCommand Command;
    const char* MenuText;  // with its keys after a tab, as the context menu shows them
    std::array<KeyChord, 2> Keys;
    std::array<PaintedSpot, 2> Spots;
    bool SeparatorBefore;  // in the context menu
    void (MainCommandTarget::*Run)();
    // What the context menu holds under the command: the recent folders, or the sets to act on.
    enum class Below : uint8_t { Nothing, RecentFolders, Sets } Submenu = Below::Nothing;
};

// The program, its version and its licence, as About tells them.
inline constexpr const char* kAboutLine = "Rotaplex " ROTAPLEX_VERSION_TEXT ", MIT License";

// Every command, in the context menu's order. Alt+F4 closes through the system, so Quit lists it
// without a key of its own.
inline constexpr std::array<MainCommandRow, 37> kMainCommands{{
    {EditorCommand::Add, "&Add\tIns", {{{0, VK_INSERT}}}, {{{960, 1515, 4740, 4995}}}, false,
     &MainCommandTarget::Add},
    {EditorCommand::Edit, "&Edit\tEnter, F2", {{{0, VK_RETURN}, {0, VK_F2}}}, {{{1620, 2115, 4740, 4995}}}, false,
     &MainCommandTarget::Edit},
    {EditorCommand::Delete, "&Delete\tDel", {{{0, VK_DELETE}}}, {{{2280, 2775, 4740, 4995}}}, false,
     &MainCommandTarget::Del},
    {EditorCommand::Cut, "&Cut\tCtrl+X, Shift+Del", {{{FCONTROL, 'X'}, {FSHIFT, VK_DELETE}}}, {}, true,
     &MainCommandTarget::Cut},
    {EditorCommand::Copy, "Cop&y\tCtrl+C, Ctrl+Ins", {{{FCONTROL, 'C'}, {FCONTROL, VK_INSERT}}}, {}, false,
     &MainCommandTarget::Copy},
    {EditorCommand::Paste, "&Paste\tCtrl+V, Shift+Ins", {{{FCONTROL, 'V'}, {FSHIFT, VK_INSERT}}}, {}, false,
     &MainCommandTarget::Paste},
    {EditorCommand::Duplicate, "Dup&licate\tCtrl+D", {{{FCONTROL, 'D'}}}, {}, false, &MainCommandTarget::Duplicate},
    {EditorCommand::SelectAll, "Selec&t all\tCtrl+A", {{{FCONTROL, 'A'}}}, {}, false, &MainCommandTarget::SelectAll},
    {EditorCommand::MoveUp, "Move &up\tCtrl+Up", {{{FCONTROL, VK_UP}}}, {}, true, &MainCommandTarget::MoveUp},
    {EditorCommand::MoveDown, "Move do&wn\tCtrl+Down", {{{FCONTROL, VK_DOWN}}}, {}, false,
     &MainCommandTarget::MoveDown},
    {EditorCommand::MoveToPosition, "Move &to position...\tCtrl+Shift+G", {{{FCONTROL | FSHIFT, 'G'}}}, {}, false,
     &MainCommandTarget::MoveToPosition},
    {EditorCommand::Shuffle, "S&huffle", {}, {}, false, &MainCommandTarget::Shuffle},
    {EditorCommand::SortByName, "Sort &by text", {}, {}, false, &MainCommandTarget::SortByName},
    {EditorCommand::SortByMissionFile, "Sort by &mission file", {}, {}, false, &MainCommandTarget::SortByMissionFile},
    {EditorCommand::Undo, "Und&o\tCtrl+Z", {{{FCONTROL, 'Z'}}}, {}, true, &MainCommandTarget::Undo},
    {EditorCommand::Redo, "&Redo\tCtrl+Y, Ctrl+Shift+Z", {{{FCONTROL, 'Y'}, {FCONTROL | FSHIFT, 'Z'}}}, {}, false,
     &MainCommandTarget::Redo},
    {EditorCommand::NextMissing, "&Next missing\tF8", {{{0, VK_F8}}}, {}, true, &MainCommandTarget::NextMissing},
    {EditorCommand::PreviousMissing, "&Previous missing\tShift+F8", {{{FSHIFT, VK_F8}}}, {}, false,
     &MainCommandTarget::PreviousMissing},
    {EditorCommand::Find, "&Find...\tCtrl+F", {{{FCONTROL, 'F'}}}, {}, false, &MainCommandTarget::Find},
    {EditorCommand::FindNext, "Find ne&xt\tF3", {{{0, VK_F3}}}, {}, false, &MainCommandTarget::FindNext},
    {EditorCommand::FindPrevious, "Find pre&vious\tShift+F3", {{{FSHIFT, VK_F3}}}, {}, false,
     &MainCommandTarget::FindPrevious},
    {EditorCommand::GoTo, "&Go to position...\tCtrl+G", {{{FCONTROL, 'G'}}}, {}, false, &MainCommandTarget::GoTo},
    {EditorCommand::ReadAgain, "Read a&gain from disk\tF5", {{{0, VK_F5}}}, {}, true, &MainCommandTarget::ReadAgain},
    // The answers to the notice of another program's version.
    {EditorCommand::Reload, "Reload the other version\tCtrl+R", {{{FCONTROL, 'R'}}}, {}, false,
     &MainCommandTarget::Reload},
    {EditorCommand::KeepMine, "&Keep mine\tCtrl+K", {{{FCONTROL, 'K'}}}, {}, false, &MainCommandTarget::KeepMine},
    {EditorCommand::Compare, "Compare with the file on disk\tCtrl+Shift+D", {{{FCONTROL | FSHIFT, 'D'}}}, {}, false,
     &MainCommandTarget::Compare},
    {EditorCommand::Save, "&Save\tCtrl+S", {{{FCONTROL, 'S'}}}, {}, true, &MainCommandTarget::SaveNow},
    {EditorCommand::SaveAsSet, "Save as s&et...\tCtrl+Shift+S", {{{FCONTROL | FSHIFT, 'S'}}}, {}, false,
     &MainCommandTarget::SaveAsSet},
    {EditorCommand::OpenSet, "Open set\tCtrl+Shift+O", {{{FCONTROL | FSHIFT, 'O'}}}, {}, false,
     &MainCommandTarget::OpenSet, MainCommandRow::Below::Sets},
    {EditorCommand::ActivateSet, "Activate set\tCtrl+Shift+A", {{{FCONTROL | FSHIFT, 'A'}}}, {}, false,
     &MainCommandTarget::ActivateSet, MainCommandRow::Below::Sets},
    {EditorCommand::DeleteSet, "Delete set", {}, {}, false, &MainCommandTarget::DeleteSet, MainCommandRow::Below::Sets},
    {EditorCommand::RenameSet, "Rename set", {}, {}, false, &MainCommandTarget::RenameSet, MainCommandRow::Below::Sets},
    // QUIT in the bottom strip and the X on the tab.
    {EditorCommand::Quit, "&Quit\tAlt+F4", {}, {{{3000, 3615, 4740, 4995}, {3600, 3795, 240, 435}}}, false,
     &MainCommandTarget::Quit},
    {EditorCommand::Minimize, "M&inimise", {}, {{{3600, 3795, 480, 675}}}, false, &MainCommandTarget::Minimize},
    {EditorCommand::OpenRecent, "Open rece&nt\tCtrl+O", {{{FCONTROL, 'O'}}}, {}, true, &MainCommandTarget::OpenRecent,
     MainCommandRow::Below::RecentFolders},
    {EditorCommand::Help, "&Help\tF1", {{{0, VK_F1}}}, {}, true, &MainCommandTarget::Help},
    {EditorCommand::About, "&About Rotaplex", {}, {}, false, &MainCommandTarget::About},
}};

// What a press on the face runs: a command, or nothing where the face is dragged.
using MainSpot = std::optional<EditorCommand>;
inline constexpr MainSpot kMainSurface = std::nullopt;

// The painted spots of the table, as the skin tests a press against them.
inline constexpr auto kMainHotSpots = [] {
    std::array<HotSpot<MainSpot>, 6> spots{};
    std::size_t next = 0;
    for (const MainCommandRow& row : kMainCommands)
        for (const PaintedSpot& spot : row.Spots)
            if (spot.Right >= spot.Left) spots.at(next++) = {row.Command, spot.Left, spot.Right, spot.Top, spot.Bottom};
    return spots;
}();

// The command painted under a point in the window's twips; nothing where a press drags.
MainSpot MainCommandAt(float x, float y);

// The WM_COMMAND id that keys and the menu send for a command, and back.
WORD MainCommandId(EditorCommand command);
std::optional<EditorCommand> MainCommandFromId(WORD id);

const MainCommandRow& RowOf(EditorCommand command);

// A command's name, as its painted label's button reads.
std::string MainCommandName(EditorCommand command);

// The tooltip of a command's painted label: its name and keys, from the table.
std::string MainCommandTip(EditorCommand command);

// The help window's text, from the table.
std::string MainCommandHelp();

// The accelerator table of every command's keys.
unique_haccel MakeMainAccelerators();

// The context menu: every command with its keys, greyed where it cannot run in state, with the
// recent folders under Open recent and the sets under the set commands.
unique_hmenu MakeMainContextMenu(const EditorState& state, const std::vector<std::string>& recentFolders = {},
                                 const std::vector<std::string>& sets = {});

}  // namespace rotaplex
