#include "app/game_folder_claim.h"

#include <algorithm>
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

}  // namespace

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
