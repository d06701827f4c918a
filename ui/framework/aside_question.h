#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace rotaplex {

// A standard message box (style as MessageBox takes it) with one more
// button, labelled aside, that runs show over the box and leaves the question open: to look at
// something before answering. Returns the button that answered.
int AskWithAside(HWND owner, const std::wstring& text, const std::wstring& title, UINT style, const wchar_t* aside,
                 const std::function<void(HWND box)>& show);

}  // namespace rotaplex
