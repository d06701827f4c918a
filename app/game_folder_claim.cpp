#include "app/game_folder_claim.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "cycle/file_stamp.h"
#include "cycle/win/wide_path.h"
#include "ui/framework/display_scale.h"

namespace rotaplex {

namespace {

// How far a window steps aside from another's corner: about a title bar's height at 100 %.
constexpr int kStepPixels = 32;

// The top left corners of the other shown windows of the window's class.
std::vector<POINT> OtherCorners(HWND window) {
    struct Search {
        HWND Self;
        char Class[64];
        std::vector<POINT> Corners;
    } search{window, "", {}};
    GetClassNameA(window, search.Class, sizeof search.Class);
    EnumWindows(
        [](HWND other, LPARAM data) -> BOOL {
            auto& found = *reinterpret_cast<Search*>(data);
            char kind[64] = "";
            GetClassNameA(other, kind, sizeof kind);
            RECT at{};
            if (other != found.Self && IsWindowVisible(other) && !lstrcmpA(kind, found.Class) && GetWindowRect(other, &at))
                found.Corners.push_back({at.left, at.top});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Corners;
}

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

void GameFolderClaim::StandClearOfOthers(HWND window) {
    const std::vector<POINT> others = OtherCorners(window);
    RECT at{};
    GetWindowRect(window, &at);
    POINT corner{at.left, at.top};
    const int step = MulDiv(kStepPixels, static_cast<int>(WindowDpi(window)), 96);
    const auto taken = [&] {
        return std::any_of(others.begin(), others.end(), [&](POINT o) { return o.x == corner.x && o.y == corner.y; });
    };
    // Each step clears one corner at most: as many steps as there are windows.
    for (std::size_t i = 0; i < others.size() && taken(); ++i) corner = {corner.x + step, corner.y + step};
    PlaceInWorkArea(window, corner.x, corner.y);
}

}  // namespace rotaplex
