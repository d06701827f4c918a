#include "cycle/remembered_folders.h"

#include <algorithm>

namespace rotaplex {

namespace {

// The folder as compared: "/" as "\", letters in lower case, the last backslashes cut.
std::string Folded(std::string_view folder) {
    std::string folded(folder);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        char& c = folded[i];
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        // UTF-8 of U+00C0 to U+00DE, less the multiplication sign: the Latin-1 capitals.
        const auto next = i + 1 < folded.size() ? static_cast<unsigned char>(folded[i + 1]) : 0u;
        if (static_cast<unsigned char>(c) == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97)
            folded[i + 1] = static_cast<char>(next + 0x20);
    }
    while (!folded.empty() && folded.back() == '\\') folded.pop_back();
    return folded;
}

}  // namespace

bool SameFolder(std::string_view a, std::string_view b) { return Folded(a) == Folded(b); }

std::vector<std::string> WithFolderUsed(const std::vector<std::string>& folders, const std::string& used) {
    std::vector<std::string> list{used};
    for (const std::string& folder : folders) {
        if (list.size() == kRememberedFolderCount) break;
        const bool known = std::any_of(list.begin(), list.end(), [&](const auto& kept) { return SameFolder(kept, folder); });
        if (!known && !folder.empty()) list.push_back(folder);
    }
    return list;
}

CheckedFolders CheckFolders(const std::vector<std::string>& folders,
                            const std::function<bool(const std::string&)>& isFolder) {
    CheckedFolders checked;
    for (const std::string& folder : folders) (isFolder(folder) ? checked.Present : checked.Gone).push_back(folder);
    return checked;
}

std::string GoneFolderLine(const std::string& folder) {
    return "The game folder " + folder + " is gone: it was dropped from the recent folders.";
}

}  // namespace rotaplex
