#pragma once

#include <windows.h>

#include <string>

#include "cycle/win/unique_handle.h"

namespace rotaplex {

// One window per game folder: the first start on a folder claims it with a small named shared
// memory that holds its window; a later start on the same folder finds the claim, brings that
// window to the front and ends. Other folders are claimed apart, so they may be open side by side.
class GameFolderClaim {
public:
    explicit GameFolderClaim(const std::string& gameFolder);

    bool Owned() const { return owned_; }
    // Records the window showing the folder, for later starts to find.
    void MarkWindow(HWND window) const;
    // Brings the claiming start's window to the front (restored when minimised), once it shows.
    void ShowOwnerWindow() const;

    // Moves the window, before it shows, off the corner of any other folder's window, so that two
    // windows never lie exactly on top of each other.
    static void StandClearOfOthers(HWND window);

private:
    struct Unmap {
        void operator()(void* view) const { UnmapViewOfFile(view); }
    };

    unique_hfile mapping_;
    UniqueHandle<void*, Unmap> view_;  // holds the claiming start's window
    bool owned_ = true;
};

}  // namespace rotaplex
