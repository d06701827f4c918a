#pragma once

#include <windows.h>

#include "ui/framework/gdi_handles.h"
#include "ui/framework/twips.h"

namespace rotaplex {

// The dots per inch a window is drawn at: its own where the system tells it (per-monitor
// awareness), else the screen's.
unsigned WindowDpi(HWND window);
// The screen's, for sizes needed before a window exists.
unsigned ScreenDpi();

inline TwipsPerPixel WindowTwipsPerPixel(HWND window) { return TwipsPerPixelAt(WindowDpi(window)); }

// The system's message font at that many dots per inch, for every control of a window.
unique_hfont MessageFont(unsigned dpi);

// wanted moved, without changing its size, the least distance that puts it inside area; a
// rectangle larger than area keeps its top left corner in it.
RECT MovedInside(const RECT& wanted, const RECT& area);
// Moves a window, its size kept, to left, top in pixels, or as near as keeps it inside the work
// area of the monitor it is most on.
void PlaceInWorkArea(HWND window, int left, int top);

}  // namespace rotaplex
