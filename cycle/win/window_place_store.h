#pragma once

#include <optional>
#include <string>

#include "cycle/window_place.h"

namespace rotaplex {

// The main window's place per game folder: under HKCU\Software\Rotaplex, key "Window places", a
// text value named by the folder. Only the remembered folders keep theirs.
inline constexpr const wchar_t* kWindowPlacesKey = L"Software\\Rotaplex\\Window places";

// The place remembered for the folder; nothing when none is, or it cannot be read.
std::optional<ScreenRect> ReadWindowPlace(const std::string& gameFolder);
// Remembers the folder's place and forgets those of folders no longer remembered. A registry that
// refuses it leaves things as they were: the place is only a help to the operator.
void WriteWindowPlace(const std::string& gameFolder, const ScreenRect& place);

}  // namespace rotaplex
