#include "app/game_folder_claim.h"

#include <cstdio>

#include "cycle/file_stamp.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

namespace {

constexpr const wchar_t* kMark = L"Rotaplex.GameFolder";

}  // namespace

GameFolderClaim::GameFolderClaim(const std::string& gameFolder) {
    std::wstring folder = ExtendedPath(gameFolder);
    CharLowerBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    key_ = HashBytes(Utf8(folder)) | 1;  // never 0, which a window without the mark gives
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\Rotaplex.%016llx", static_cast<unsigned long long>(key_));
    mutex_.reset(CreateMutexW(nullptr, FALSE, name));
    // Without a mutex nothing can be told apart: this start goes on on its own.
    owned_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

void GameFolderClaim::MarkWindow(HWND window) const {
    SetPropW(window, kMark, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(key_)));
}

void GameFolderClaim::ShowOwnerWindow() const {
    EnumWindows(
        [](HWND window, LPARAM key) {
            if (reinterpret_cast<uintptr_t>(GetPropW(window, kMark)) != static_cast<uintptr_t>(key)) return TRUE;
            if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
            SetForegroundWindow(window);
            return FALSE;
        },
        static_cast<LPARAM>(key_));
}

}  // namespace rotaplex
