#pragma once

#include <windows.h>

#include <string>

namespace rotaplex {

// The read-only window that shows a unified diff in a fixed-pitch font, captioned
// "Compare: <file>"; it can be sized, and Esc or Close closes it.
void ShowCompare(HWND owner, const std::string& file, const std::string& diff);

namespace frmcompare {
enum Control : int { txtDiff = 301, cmdClose = IDCANCEL };
}  // namespace frmcompare

}  // namespace rotaplex
