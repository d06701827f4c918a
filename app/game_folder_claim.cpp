#include "app/game_folder_claim.h"

#include <cstdio>

#include "cycle/file_stamp.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

GameFolderClaim::GameFolderClaim(const std::string& gameFolder) {
    // The same folder however it is written: full, and without regard to letter case.
    std::wstring folder = ExtendedPath(gameFolder);
    CharLowerBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\Rotaplex.%016llx", static_cast<unsigned long long>(HashBytes(Utf8(folder))));
    mapping_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HWND), name));
    // Without the shared memory nothing can be told apart: this start goes on on its own.
    if (!mapping_) return;
    owned_ = GetLastError() != ERROR_ALREADY_EXISTS;
    view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(HWND)));
}

void GameFolderClaim::MarkWindow(HWND window) const {
    if (view_) *static_cast<HWND volatile*>(view_.get()) = window;
}

void GameFolderClaim::ShowOwnerWindow() const {
    if (!view_) return;
    const HWND window = *static_cast<HWND volatile*>(view_.get());
    // Not yet marked while the first start is still reading the folder: it shows soon.
    if (!window || !IsWindow(window)) return;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

}  // namespace rotaplex
