#include "ui/main/main_commands.h"

#include <vector>

#include "cycle/command_help.h"
#include "ui/main/recent_folders_menu.h"
#include "ui/main/sets_menu.h"

namespace rotaplex {

namespace {

// Above List1's id and the dialog ids, so that a command never reads as a control's notification.
constexpr WORD kFirstCommandId = 1000;

}  // namespace

MainSpot MainCommandAt(float x, float y) { return HotSpotAt<MainSpot>(kMainHotSpots, x, y, kMainSurface); }

WORD MainCommandId(EditorCommand command) { return static_cast<WORD>(kFirstCommandId + static_cast<int>(command)); }

std::optional<EditorCommand> MainCommandFromId(WORD id) {
    for (const MainCommandRow& row : kMainCommands)
        if (MainCommandId(row.Command) == id) return row.Command;
    return std::nullopt;
}

const MainCommandRow& RowOf(EditorCommand command) {
    for (const MainCommandRow& row : kMainCommands)
        if (row.Command == command) return row;
    return kMainCommands.front();  // every command has its row
}

std::string MainCommandName(EditorCommand command) { return CommandName(RowOf(command).MenuText); }

std::string MainCommandTip(EditorCommand command) { return CommandTip(RowOf(command).MenuText); }

std::string MainCommandHelp() {
    std::vector<std::string_view> texts;
    for (const MainCommandRow& row : kMainCommands) texts.push_back(row.MenuText);
    return CommandHelpText(texts);
}

unique_haccel MakeMainAccelerators() {
    std::vector<ACCEL> keys;
    for (const MainCommandRow& row : kMainCommands)
        for (const KeyChord& chord : row.Keys)
            if (chord.Key) keys.push_back({static_cast<BYTE>(FVIRTKEY | chord.Modifiers), chord.Key, MainCommandId(row.Command)});
    return unique_haccel(CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size())));
}

unique_hmenu MakeMainContextMenu(const EditorState& state, const std::vector<std::string>& recentFolders,
                                 const std::vector<std::string>& sets) {
    unique_hmenu menu(CreatePopupMenu());
    for (const MainCommandRow& row : kMainCommands) {
        if (row.SeparatorBefore) AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        const UINT greyed = CanRun(row.Command, state) ? MF_ENABLED : MF_GRAYED;
        unique_hmenu below;
        if (row.Submenu == MainCommandRow::Below::RecentFolders) below = MakeRecentFoldersMenu(recentFolders);
        if (row.Submenu == MainCommandRow::Below::Sets) below = MakeSetsMenu(row.Command, sets, state.EditingSet);
        if (below)  // the menu takes the submenu over
            AppendMenuA(menu.get(), MF_POPUP | greyed, reinterpret_cast<UINT_PTR>(below.release()), row.MenuText);
        else
            AppendMenuA(menu.get(), MF_STRING | greyed, MainCommandId(row.Command), row.MenuText);
    }
    return menu;
}

}  // namespace rotaplex
