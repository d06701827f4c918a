#include "cycle/win/remembered_folders_store.h"

#include <windows.h>

#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"
#include "cycle/win/windows_file_system.h"

namespace rotaplex {

bool IsPresentFolder(const std::string& path) {
    try {
        return WindowsFileSystem().KindOf(path) == PathKind::Folder;
    } catch (const FileError&) {
        return false;
    }
}

std::vector<std::string> ReadRememberedFolders() {
    std::vector<std::string> folders;
    unique_hkey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return folders;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), kRecentFoldersValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return folders;
    // Two more zeros than asked for: a value stored without its closing ones still ends.
    std::wstring block(size / sizeof(wchar_t) + 2, L'\0');
    if (RegQueryValueExW(key.get(), kRecentFoldersValue, nullptr, nullptr, reinterpret_cast<BYTE*>(block.data()),
                         &size) != ERROR_SUCCESS)
        return folders;
    for (const wchar_t* name = block.c_str(); *name; name += wcslen(name) + 1) folders.push_back(Utf8(name));
    return folders;
}

void WriteRememberedFolders(const std::vector<std::string>& folders) {
    std::wstring block;
    for (const std::string& folder : folders) block += Widen(folder) + L'\0';
    block += L'\0';
    unique_hkey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key.get(), kRecentFoldersValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(block.data()),
                   static_cast<DWORD>(block.size() * sizeof(wchar_t)));
}

}  // namespace rotaplex
