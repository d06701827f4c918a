#pragma once

#include <string>
#include <vector>

namespace rotaplex {

// The one place Rotaplex keeps anything of its own: per user, the recent game folders (UTF-8),
// as one list value under HKCU\Software\Rotaplex. Deleting the key forgets them.
inline constexpr const wchar_t* kSettingsKey = L"Software\\Rotaplex";
inline constexpr const wchar_t* kRecentFoldersValue = L"Recent folders";

// Whether a folder stands at path (one that cannot be looked at counts as not there).
bool IsPresentFolder(const std::string& path);

// The stored list, most recent first; empty when nothing is stored or it cannot be read.
std::vector<std::string> ReadRememberedFolders();
// Stores the list in place of the old one; a registry that refuses it leaves the old one, as the
// list is only a help to the operator.
void WriteRememberedFolders(const std::vector<std::string>& folders);

}  // namespace rotaplex
