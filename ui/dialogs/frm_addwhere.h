#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace rotaplex {

// Where the new rotation entry goes, relative to the selected one.
inline constexpr int16_t kAddBefore = 1;
inline constexpr int16_t kAddAfter = 2;
inline constexpr int16_t kAddCancelled = -1;

namespace addwhere {
// Control ids, in tab order. Cancel carries IDCANCEL so that Esc and the close box press it.
enum Control : int { cmdBefore = 101, cmdAfter = 102, cmdCancel = IDCANCEL, Label1 = 103 };
}  // namespace addwhere

// Asks, in the modal dialog frmAddwhere owned by owner, whether the new entry goes before or after
// the entry whose text is shown. Returns kAddBefore, kAddAfter, or kAddCancelled for "Cancel",
// Esc and the close box.
int16_t ShowAddPosition(HWND owner, const std::string& entryText);

}  // namespace rotaplex
