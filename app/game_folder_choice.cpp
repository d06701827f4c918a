#include "app/game_folder_choice.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <stdexcept>

#include "cycle/game_session.h"
#include "cycle/win/game_folder.h"
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

bool IsFolder(const std::string& path) {
    try {
        return WindowsFileSystem().KindOf(path) == PathKind::Folder;
    } catch (const FileError&) {
        return false;
    }
}

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
        if (!IsFolder(folder)) throw std::runtime_error("The game folder\n" + folder + "\nis not there.");
        return folder;
    }
    const std::string registered = LocateGameFolder();
    if (Exists(RotationPath(registered))) return registered;
    const std::optional<std::wstring> picked = PickFolder(nullptr, kPickerTitle, kNotFound);
    if (!picked) return std::nullopt;
    return WithBackslash(Utf8(*picked));
}

}  // namespace rotaplex
