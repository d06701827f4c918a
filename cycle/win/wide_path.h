#pragma once

#include <string>
#include <string_view>

namespace rotaplex {

// Paths and messages are UTF-8 inside the program and UTF-16 at every W call of the system.
// File contents, and the mission file names written inside them, stay in the ANSI code page
// as the game writes them; they are converted only where they meet a path or a window.
std::wstring Widen(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// A name in the ANSI code page; false when the code page cannot hold it exactly.
bool ToAnsi(std::wstring_view wide, std::string& ansi);
// Text in the ANSI code page as UTF-8.
std::string Utf8FromAnsi(std::string_view ansi);

// The path made absolute and prefixed with "\\?\" (or "\\?\UNC\"), so that a W call takes
// paths longer than 260 characters whatever the system's setting.
std::wstring ExtendedPath(const std::string& utf8Path);

}  // namespace rotaplex
