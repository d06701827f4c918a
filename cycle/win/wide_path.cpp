#include "cycle/win/wide_path.h"

#include <windows.h>

namespace rotaplex {

namespace {

std::wstring FromCodePage(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    std::wstring wide(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

}  // namespace

std::wstring Widen(std::string_view utf8) { return FromCodePage(CP_UTF8, utf8); }

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    std::string text(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), static_cast<int>(text.size()), nullptr,
                        nullptr);
    return text;
}

bool ToAnsi(std::wstring_view wide, std::string& ansi) {
    ansi.clear();
    if (wide.empty()) return true;
    const int size = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    ansi.resize(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr, &lossy));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), static_cast<int>(ansi.size()),
                        nullptr, &lossy);
    return !lossy;
}

std::string Utf8FromAnsi(std::string_view ansi) { return Utf8(FromCodePage(CP_ACP, ansi)); }

std::wstring ExtendedPath(const std::string& utf8Path) {
    const std::wstring wide = Widen(utf8Path);
    if (wide.rfind(L"\\\\?\\", 0) == 0) return wide;
    std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    if (full.empty()) return wide;  // the call that uses it reports what is wrong with it
    if (full.rfind(L"\\\\.\\", 0) == 0) return full;  // a device: never prefixed into a file name
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace rotaplex
