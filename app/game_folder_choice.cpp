#include "app/game_folder_choice.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <stdexcept>

#include "cycle/game_session.h"
#include "cycle/remembered_folders.h"
#include "cycle/win/game_folder.h"
#include "cycle/win/remembered_folders_store.h"
#include "cycle/win/wide_path.h"
#include "cycle/win/windows_file_system.h"
#include "ui/framework/folder_picker.h"

namespace rotaplex {

namespace {

constexpr const char* kUsage = "Start Rotaplex with no argument, or with the game folder as its one argument:\n"
                               "Rotaplex.exe \"C:\\Games\\The Game\"";
constexpr const wchar_t* kPickerTitle = L"Rotaplex: choose the game folder";
// Also when the entry names a folder without servercycle.txt: no usable entry was found.
constexpr const wchar_t* kNotFound = L"The game's registry entry was not found.";

// Something stands at path, even one that cannot be read (reading it then says why); only a
// name that is not found counts as missing.
bool Exists(const std::string& path) {
    try {
        return WindowsFileSystem().KindOf(path) != PathKind::Missing;
    } catch (const FileError&) {
        return true;
    }
}

std::string WithBackslash(std::string folder) {
    // A quoted argument that ends in a backslash, "C:\Games\", reaches us as C:\Games" by the
    // command-line rules; a quote cannot be part of a path, so it stands for that backslash.
    if (!folder.empty() && folder.back() == '"') folder.back() = '\\';
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

struct FreeLocal {
    void operator()(wchar_t** block) const { LocalFree(block); }
};

}  // namespace

std::vector<std::string> CommandLineArguments() {
    int count = 0;
    const std::unique_ptr<wchar_t*, FreeLocal> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> utf8;
    for (int i = 1; arguments && i < count; ++i) utf8.push_back(Utf8(arguments.get()[i]));
    return utf8;
}

std::optional<std::string> ChooseGameFolder(const std::vector<std::string>& arguments) {
    if (arguments.size() > 1) throw std::runtime_error(kUsage);
    if (arguments.size() == 1) {
        const std::string folder = WithBackslash(arguments[0]);
        if (!IsPresentFolder(folder)) throw std::runtime_error("The game folder\n" + folder + "\nis not there.");
        return folder;
    }
    const std::string registered = LocateGameFolder();
    if (Exists(RotationPath(registered))) return registered;
    // Then the folder used last; gone ones leave the list, and the picker says so.
    const std::vector<std::string> remembered = ReadRememberedFolders();
    const CheckedFolders recent = CheckFolders(remembered, IsPresentFolder);
    if (!recent.Gone.empty()) WriteRememberedFolders(recent.Present);
    const bool lastIsThere = !recent.Present.empty() && recent.Present.front() == remembered.front();
    if (lastIsThere) return WithBackslash(recent.Present.front());
    std::vector<std::wstring> lines{kNotFound}, offered;
    for (const std::string& gone : recent.Gone) lines.push_back(Widen(GoneFolderLine(gone)));
    for (const std::string& folder : recent.Present) offered.push_back(Widen(folder));
    const std::optional<std::wstring> picked = PickFolder(nullptr, kPickerTitle, lines, offered);
    if (!picked) return std::nullopt;
    return WithBackslash(Utf8(*picked));
}

}  // namespace rotaplex
