#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace rotaplex {

// A line of text asked for in a small modal dialog: its caption, a line saying what to type, and
// the text the box starts with (selected, so that typing replaces it).
struct TextQuestion {
    const wchar_t* Caption;
    std::string Prompt;
    std::string Initial;
};

// The text typed when OK or Enter closes the dialog; nothing for Cancel, Esc and the close box.
std::optional<std::string> AskForText(HWND owner, const TextQuestion& question);

namespace textquestion {
// Control ids, in tab order; OK and Cancel carry the dialog manager's own ids.
enum Control : int { lblPrompt = 201, txtAnswer = 202, cmdOk = IDOK, cmdCancel = IDCANCEL };
}  // namespace textquestion

}  // namespace rotaplex
