#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ui/framework/menu_handles.h"

namespace rotaplex {

// The remembered game folders other than the one this window shows, most recent first.
std::vector<std::string> RecentFoldersBesides(const std::string& shown);

// A menu of the folders, each with its own WM_COMMAND id; the place in the list of an id.
unique_hmenu MakeRecentFoldersMenu(const std::vector<std::string>& folders);
std::optional<std::size_t> RecentFolderFromId(WORD id);

// Opens a remembered folder in a Rotaplex of its own (which brings back the window already
// showing it, if one does). A folder that is gone leaves the list instead, and the message says so;
// otherwise empty.
std::string OpenRecentFolder(const std::string& folder);

}  // namespace rotaplex
