#pragma once

#include <windows.h>

#include <string>

namespace rotaplex {

// A painted command as a real push button: an owner-drawn BUTTON named after its command, so that
// assistive technology finds a push button with that name and a default action. It takes Tab,
// Space, and Enter while it has the focus, and tells its parent BN_CLICKED. A child: it goes with
// its parent.
HWND MakeSkinButton(HWND parent, int id, const std::string& name);

// Draws the button as the face shows it under the button (the face's own slice), or plain in the
// system's colours with its name; greyed while it is disabled; with the focus rectangle while the
// keyboard has it there.
void DrawSkinButton(const DRAWITEMSTRUCT& item, HBITMAP face, bool plain);

}  // namespace rotaplex
