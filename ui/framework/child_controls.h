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

// Creates the controls in table order, which is also their tab order, at their pixel rectangles
// through the twips conversion, each in the default GUI font (without it they draw in bold System).
void CreateControls(HWND parent, std::span<const ControlSpec> controls,
                    TwipsPerPixel tpp = ScreenTwipsPerPixel());

}  // namespace rotaplex
