#include "ui/framework/folder_watch.h"

namespace rotaplex {

namespace {

constexpr DWORD kWatched = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
                           FILE_NOTIFY_CHANGE_LAST_WRITE;
// How long the folders stay quiet before the changes are told: a save through a temporary file
// and a rename, or a program writing in pieces, is then told once, when it is done.
constexpr DWORD kQuietMilliseconds = 150;

}  // namespace

FolderWatch::FolderWatch(HWND window, UINT message, const std::vector<std::wstring>& folders)
    : window_(window), message_(message), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    for (const std::wstring& folder : folders) {
        const HANDLE change = FindFirstChangeNotificationW(folder.c_str(), FALSE, kWatched);
        if (change != INVALID_HANDLE_VALUE) folders_.emplace_back(change);
    }
    if (stop_ && !folders_.empty()) thread_ = std::thread(&FolderWatch::Wait, this);
}

FolderWatch::~FolderWatch() {
    if (!thread_.joinable()) return;
    SetEvent(stop_.get());
    thread_.join();
}

void FolderWatch::Wait() {
    std::vector<HANDLE> handles{stop_.get()};
    for (const unique_hchange& folder : folders_) handles.push_back(folder.get());
    const auto count = static_cast<DWORD>(handles.size());
    bool changed = false;
    for (;;) {
        const DWORD woken =
            WaitForMultipleObjects(count, handles.data(), FALSE, changed ? kQuietMilliseconds : INFINITE);
        if (woken == WAIT_TIMEOUT) {
            changed = false;
            if (!pending_.exchange(true)) PostMessageW(window_, message_, 0, 0);
            continue;
        }
        const DWORD which = woken - WAIT_OBJECT_0;
        if (which == 0 || which >= count) return;  // stopped, or the wait failed
        // A folder removed stays signalled: the watch ends rather than spin, and activation tells.
        if (!FindNextChangeNotification(handles[which])) return;
        changed = true;
    }
}

}  // namespace rotaplex
