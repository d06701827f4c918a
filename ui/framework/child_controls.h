#pragma once

#include <windows.h>

#include <span>

#include "ui/framework/twips.h"

namespace rotaplex {

// One row of a window's control table, placed in twips as the window's design gives it.
struct ControlSpec {
    int Id;
    const char* ClassName;
    const char* Text;
    DWORD Style;  // WS_CHILD and WS_VISIBLE are added
    DWORD ExStyle;
    TwipsRect Place;
};

// The rectangle in pixels at that scale: left, top, right, bottom.
RECT PixelRect(const TwipsRect& place, TwipsPerPixel tpp);

// Creates the controls in table order, which is also their tab order; LayOutControls places them.
void CreateControls(HWND parent, std::span<const ControlSpec> controls);
// Puts each control at its rectangle at that scale, in that font; at start and on every change
// of scale. Without a font set, controls would draw in the bold System font.
void LayOutControls(HWND parent, std::span<const ControlSpec> controls, TwipsPerPixel tpp, HFONT font);

// Moves a laid-out control by moved pixels and makes it grown pixels larger, in a window that grew.
void MoveControl(HWND control, SIZE moved, SIZE grown);

}  // namespace rotaplex
