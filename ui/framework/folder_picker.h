#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace rotaplex {

// Asks for a folder in the system's folder picker (the common item dialog), titled title, with
// lines of explanation above its buttons, opening in the first offered folder and offering each of
// them among its places. Nothing when the operator cancels; the COM error's text when the picker
// cannot be shown.
std::optional<std::wstring> PickFolder(HWND owner, const wchar_t* title, const std::vector<std::wstring>& lines,
                                       const std::vector<std::wstring>& offered);

}  // namespace rotaplex
