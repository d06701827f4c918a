#include "cycle/win/window_place_store.h"

#include <windows.h>

#include <vector>

#include "cycle/win/remembered_folders_store.h"
#include "cycle/win/unique_handle.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

namespace {

std::vector<std::string> PlacedFolders(HKEY key) {
    std::vector<std::string> folders;
    wchar_t name[32768];
    for (DWORD i = 0;; ++i) {
        DWORD length = 32768;
        if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        folders.push_back(Utf8(name));
    }
    return folders;
}

}  // namespace

std::optional<ScreenRect> ReadWindowPlace(const std::string& gameFolder) {
    wchar_t text[64] = L"";
    DWORD size = sizeof text - sizeof(wchar_t);  // room for a closing zero the value may lack
    if (RegGetValueW(HKEY_CURRENT_USER, kWindowPlacesKey, Widen(gameFolder).c_str(), RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return ParsePlace(Utf8(text));
}

void WriteWindowPlace(const std::string& gameFolder, const ScreenRect& place) {
    unique_hkey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kWindowPlacesKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring text = Widen(PlaceText(place));
    RegSetValueExW(key.get(), Widen(gameFolder).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    for (const std::string& gone : PlacesToForget(PlacedFolders(key.get()), ReadRememberedFolders()))
        RegDeleteValueW(key.get(), Widen(gone).c_str());
}

}  // namespace rotaplex
