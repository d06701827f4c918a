#pragma once

#include <windows.h>

#include <string>

namespace rotaplex::test {

// Real input on the X display that Wine draws on, through xdotool: the program gets genuine key
// and pointer events, with the modifier state that GetKeyState and accelerators read, which
// posted messages never give. Keys go to the window that has the focus, so click it first.
// Each call returns once xdotool has sent everything.
void RealKeys(const std::string& keys);  // xdotool's names, blank-separated: "ctrl+Down Delete"
// The same, with the display's keyboard focus first put on the X window that shows window: Wine
// without a window manager does not always move it there when a window of its own closes.
void RealKeysTo(HWND window, const std::string& keys);
// held: a key kept down during the click, "shift" or "ctrl"; none when empty.
void RealClick(POINT screen, int button = 1, int count = 1, const std::string& held = "");
// The left button pressed at from, moved to to in a few steps, released there.
void RealDrag(POINT from, POINT to);

// A point of a window's client area in screen coordinates, which are the display's.
POINT OnScreen(HWND window, POINT client);

}  // namespace rotaplex::test
