#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "common/unique_handle.h"

namespace rotaplex {

struct CloseChangeNotification { void operator()(HANDLE h) const { FindCloseChangeNotification(h); } };
struct CloseEvent { void operator()(HANDLE h) const { CloseHandle(h); } };
using unique_hchange = UniqueHandle<HANDLE, CloseChangeNotification>;
using unique_hevent = UniqueHandle<HANDLE, CloseEvent>;

// Tells a window when files in some folders (not below them) are added, removed, renamed or
// written. A worker thread waits for the system's change notifications and, once they have been
// quiet for a moment, posts message to the window: a save that takes several steps is one
// message, and while a message waits to be handled, later changes ride on it. Folders that cannot
// be watched (missing) are left out; what the changes were is for the window to find out.
class FolderWatch {
public:
    FolderWatch(HWND window, UINT message, const std::vector<std::wstring>& folders);
    // Stops the thread and waits for it.
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // The window has taken the message: the next change posts another.
    void Handled() { pending_.store(false); }

private:
    void Wait();

    HWND window_;
    UINT message_;
    unique_hevent stop_;
    std::vector<unique_hchange> folders_;
    std::atomic<bool> pending_{false};
    std::thread thread_;  // last: it starts once the rest is there
};

}  // namespace rotaplex
