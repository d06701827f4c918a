#include "app/game_folder_choice.h"

#include <windows.h>

#include <stdexcept>

#include "cycle/win/game_folder.h"
#include "cycle/win/rotation_store.h"
#include "ui/framework/folder_picker.h"

namespace rotaplex {

namespace {

constexpr const char* kUsage = "Start Rotaplex with no argument, or with the game folder as its one argument:\n"
                               "Rotaplex.exe \"C:\\Games\\The Game\"";
constexpr const wchar_t* kPickerTitle = L"Rotaplex: choose the game folder";
// Also when the entry names a folder without servercycle.txt: no usable entry was found.
constexpr const wchar_t* kNotFound = L"The game's registry entry was not found.";

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WithBackslash(std::string folder) {
    // A quoted argument that ends in a backslash, "C:\Games\", reaches us as C:\Games" by the
    // command-line rules; a quote cannot be part of a path, so it stands for that backslash.
    if (!folder.empty() && folder.back() == '"') folder.back() = '\\';
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

std::string Ansi(const std::wstring& wide) {
    std::string text(wide.size() * 2 + 1, '\0');
    BOOL lost = FALSE;
    text.resize(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                    text.data(), static_cast<int>(text.size()), nullptr, &lost));
    if (lost) throw std::runtime_error("The folder's name holds characters this system's code page cannot "
                                       "write, so its files cannot be opened by name. Choose another folder.");
    return text;
}

}  // namespace

std::optional<std::string> ChooseGameFolder(std::span<char* const> arguments) {
    if (arguments.size() > 1) throw std::runtime_error(kUsage);
    if (arguments.size() == 1) {
        const std::string folder = WithBackslash(arguments[0]);
        if (!IsFolder(folder)) throw std::runtime_error("The game folder\n" + folder + "\nis not there.");
        return folder;
    }
    const std::string registered = LocateGameFolder();
    if (GetFileAttributesA(RotationPath(registered).c_str()) != INVALID_FILE_ATTRIBUTES) return registered;
    const std::optional<std::wstring> picked = PickFolder(nullptr, kPickerTitle, kNotFound);
    if (!picked) return std::nullopt;
    return WithBackslash(Ansi(*picked));
}

}  // namespace rotaplex
