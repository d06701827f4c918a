#include "ui/framework/dialog_template.h"

#include <cstring>

namespace rotaplex {

std::vector<WORD> EmptyDialogTemplate(std::wstring_view caption, DWORD style) {
    DLGTEMPLATE header{};
    header.style = style;
    std::vector<WORD> words(sizeof header / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    words.insert(words.end(), caption.begin(), caption.end());
    words.push_back(0);
    return words;
}

void TakeSuggestedRect(HWND dialog, const RECT& suggested) {
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rotaplex
