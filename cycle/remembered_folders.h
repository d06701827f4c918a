#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rotaplex {

// How many game folders are remembered, the most recent first.
inline constexpr std::size_t kRememberedFolderCount = 8;

// Whether two spellings name one folder as Windows finds it: letter case aside (ASCII and the
// Latin-1 letters), "/" as "\", without regard to the last backslashes.
bool SameFolder(std::string_view a, std::string_view b);

// The list once folder has been used: it first, its other spellings gone, at most eight.
std::vector<std::string> WithFolderUsed(const std::vector<std::string>& folders, const std::string& used);

// The remembered folders split into those still there and those gone, each in its order.
struct CheckedFolders {
    std::vector<std::string> Present;
    std::vector<std::string> Gone;
};
CheckedFolders CheckFolders(const std::vector<std::string>& folders,
                            const std::function<bool(const std::string&)>& isFolder);

// The line that tells a gone folder was dropped from the list.
std::string GoneFolderLine(const std::string& folder);

}  // namespace rotaplex
