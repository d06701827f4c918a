#pragma once

#include <windows.h>

#include <string>

namespace rotaplex {

// A text to read, in a small modal window of its own owned by owner: a read-only box that
// scrolls, which a screen reader reads like any text box, and a Close button (Enter, Esc).
void ShowTextWindow(HWND owner, const wchar_t* caption, const std::string& text);

// A text's line breaks as a text box takes them: it breaks lines at CR LF only.
std::string WithCrLf(const std::string& text);

namespace textwindow {
// Control ids, in tab order; Close carries the dialog manager's OK.
enum Control : int { txtShown = 301, cmdClose = IDOK };
}  // namespace textwindow

}  // namespace rotaplex
