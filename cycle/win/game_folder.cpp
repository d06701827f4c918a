#include "cycle/win/game_folder.h"

#include <vector>

#include "cycle/win/unique_handle.h"

namespace rotaplex {

int32_t QueryValue(HKEY key, const char* valueName, RegistryValue& value) {
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, valueName, nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS) return result;

    if (type == REG_SZ) {
        // A value without room for its terminating zero leaves nothing to keep.
        if (size == 0) return result;
        std::vector<char> buffer(size, '\0');
        result = RegQueryValueExA(key, valueName, nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result != ERROR_SUCCESS) {
            value = std::monostate{};
        } else if (size > 0) {
            // The last byte is taken for the terminator; a string also ends at its first zero.
            std::string text(buffer.data(), size - 1);
            value = text.substr(0, text.find('\0'));
        }
        return result;
    }
    if (type == REG_DWORD) {
        DWORD number = 0;
        size = sizeof number;
        result = RegQueryValueExA(key, valueName, nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(&number), &size);
        if (result == ERROR_SUCCESS) value = static_cast<int32_t>(number);
        return result;
    }
    return -1;
}

std::string LocateGameFolder() {
    std::string folder;
    unique_hkey key;
    // The game is a 32-bit program: its installer writes the key in the 32-bit view.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, KEY_READ | KEY_WOW64_32KEY, key.put()) ==
        ERROR_SUCCESS) {
        RegistryValue value;
        if (QueryValue(key.get(), kGameFolderValue, value) == ERROR_SUCCESS) {
            if (const auto* text = std::get_if<std::string>(&value))
                folder = *text;
            else if (const auto* number = std::get_if<int32_t>(&value))
                folder = std::to_string(*number);
        }
    }
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

bool FileExists(const std::string& path, DWORD attributes) {
    if (path.empty()) return false;
    WIN32_FIND_DATAA found{};
    unique_hfind search(ValidOrNull(FindFirstFileA(path.c_str(), &found)));
    if (!search) return false;
    // The search's attribute mask: ordinary files always match, the rest only when asked for.
    const DWORD special = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((found.dwFileAttributes & special & ~attributes) == 0 && found.cFileName[0] != '\0')
            return true;
    } while (FindNextFileA(search.get(), &found));
    return false;
}

}  // namespace rotaplex
