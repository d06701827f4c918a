#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace rotaplex {

// Asks for a folder in the system's folder picker (the common item dialog), titled title, with
// one line of explanation above its buttons. Nothing when the operator cancels; the COM error's
// text when the picker cannot be shown.
std::optional<std::wstring> PickFolder(HWND owner, const wchar_t* title, const wchar_t* line);

}  // namespace rotaplex
