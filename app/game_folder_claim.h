#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "cycle/win/unique_handle.h"

namespace rotaplex {

// One window per game folder: the first start on a folder claims it; a later start on the same
// folder finds that claim, brings the first window to the front and ends. Other folders are
// claimed apart, so they may be open side by side.
class GameFolderClaim {
public:
    explicit GameFolderClaim(const std::string& gameFolder);

    bool Owned() const { return owned_; }
    // Marks the window showing the folder, for later starts to find.
    void MarkWindow(HWND window) const;
    // Brings the claiming start's window to the front (restored when minimised), once it shows.
    void ShowOwnerWindow() const;

private:
    uint64_t key_ = 0;  // the folder, told apart from others without regard to letter case
    unique_hfile mutex_;
    bool owned_ = false;
};

}  // namespace rotaplex
