#pragma once

#include <windows.h>

#include <string>

namespace rotaplex {

// A text to read in a modal window of its own: a read-only box that scrolls, named by a label
// for a screen reader, and Close (Enter, Esc). The window can be sized; the box takes the room.
struct TextToRead {
    std::wstring Caption;
    std::string Label;  // "&Differences: ..."
    std::string Text;
    bool FixedPitch = false;  // columns that line up, as a diff's
};
void ShowTextWindow(HWND owner, const TextToRead& shown);

// A text's line breaks as a text box takes them: it breaks lines at CR LF only.
std::string WithCrLf(const std::string& text);

namespace textwindow {
// Control ids, in tab order; Close carries the dialog manager's OK.
enum Control : int { lblShown = 300, txtShown = 301, cmdClose = IDOK };
}  // namespace textwindow

}  // namespace rotaplex
