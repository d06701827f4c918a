#include "ui/main/recent_folders_menu.h"

#include <algorithm>

#include "cycle/remembered_folders.h"
#include "cycle/win/remembered_folders_store.h"
#include "cycle/win/system_error.h"
#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

namespace {

// Past the commands' ids.
constexpr WORD kFirstRecentId = 2000;

}  // namespace

std::vector<std::string> RecentFoldersBesides(const std::string& shown) {
    std::vector<std::string> folders = ReadRememberedFolders();
    std::erase_if(folders, [&](const std::string& folder) { return SameFolder(folder, shown); });
    return folders;
}

unique_hmenu MakeRecentFoldersMenu(const std::vector<std::string>& folders) {
    unique_hmenu menu(CreatePopupMenu());
    for (std::size_t i = 0; i < folders.size(); ++i)
        AppendMenuA(menu.get(), MF_STRING, kFirstRecentId + i, MenuItemText(folders[i]).c_str());
    return menu;
}

std::optional<std::size_t> RecentFolderFromId(WORD id) {
    if (id < kFirstRecentId || id >= kFirstRecentId + kRememberedFolderCount) return std::nullopt;
    return id - kFirstRecentId;
}

std::string OpenRecentFolder(const std::string& folder) {
    if (!IsPresentFolder(folder)) {
        std::vector<std::string> folders = ReadRememberedFolders();
        std::erase_if(folders, [&](const std::string& kept) { return SameFolder(kept, folder); });
        WriteRememberedFolders(folders);
        return GoneFolderLine(folder);
    }
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    // A quoted folder ending in "\" arrives ending in a quote, which the start-up takes for it.
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" \"" + Widen(folder) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return "Rotaplex could not be started on\n" + folder + "\n\n" + SystemMessage(GetLastError());
    const unique_hfile process(started.hProcess), thread(started.hThread);
    return "";
}

}  // namespace rotaplex
