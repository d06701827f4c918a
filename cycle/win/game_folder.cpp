#include "cycle/win/game_folder.h"

#include <vector>

#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

int32_t QueryValue(HKEY key, const char* valueName, RegistryValue& value) {
    // Wide, so that a folder named outside the ANSI code page arrives whole (as UTF-8).
    const std::wstring name = Widen(valueName);
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS) return result;

    if (type == REG_SZ) {
        // A value without room for its terminating zero leaves nothing to keep.
        if (size < sizeof(wchar_t)) return result;
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        result = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size);
        if (result != ERROR_SUCCESS) {
            value = std::monostate{};
        } else if (size >= sizeof(wchar_t)) {
            // The last character is taken for the terminator; a string also ends at its first zero.
            std::wstring text(buffer.data(), size / sizeof(wchar_t) - 1);
            value = Utf8(text.substr(0, text.find(L'\0')));
        }
        return result;
    }
    if (type == REG_DWORD) {
        DWORD number = 0;
        size = sizeof number;
        result = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size);
        if (result == ERROR_SUCCESS) value = static_cast<int32_t>(number);
        return result;
    }
    return -1;
}

std::string LocateGameFolder() {
    std::string folder;
    unique_hkey key;
    // The game is a 32-bit program: its installer writes the key in the 32-bit view.
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(kGameKey).c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.put()) ==
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

}  // namespace rotaplex
