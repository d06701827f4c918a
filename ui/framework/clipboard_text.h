#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace rotaplex {

// Text on the system clipboard, as bytes in the ANSI code page (the code page the files are in).
// Put there as CF_UNICODETEXT and CF_TEXT, so that a program of either kind takes it; false when
// the clipboard could not be had (another program holds it open).
bool PutClipboardText(HWND owner, std::string_view ansiText);
// The clipboard's text in the ANSI code page; nothing when it holds none or cannot be opened.
std::optional<std::string> ClipboardText(HWND owner);
// Whether the clipboard holds text, without opening it.
bool ClipboardHasText();

}  // namespace rotaplex
