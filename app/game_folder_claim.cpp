#include "app/game_folder_claim.h"

#include <cstdint>
#include <cstdio>

#include "cycle/file_stamp.h"
#include "cycle/win/wide_path.h"

namespace rotaplex {

namespace {

// What names the folder whatever its spelling (a short name, a link to it, a mapped drive): its
// volume and its file index; where it cannot be opened, its full path without regard to case.
uint64_t FolderIdentity(const std::string& gameFolder) {
    std::wstring folder = ExtendedPath(gameFolder);
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const unique_hfile opened(ValidOrNull(
        CreateFileW(folder.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
    BY_HANDLE_FILE_INFORMATION information{};
    if (opened && GetFileInformationByHandle(opened.get(), &information)) {
        const uint64_t index = (uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
        return index ^ (uint64_t{information.dwVolumeSerialNumber} * 0x9e3779b97f4a7c15ull);
    }
    CharLowerBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    return HashBytes(Utf8(folder));
}

}  // namespace

GameFolderClaim::GameFolderClaim(const std::string& gameFolder) {
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\Rotaplex.%016llx", static_cast<unsigned long long>(FolderIdentity(gameFolder)));
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
