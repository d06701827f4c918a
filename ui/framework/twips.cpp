#include "ui/framework/twips.h"

#include <windows.h>

#include <cmath>

#include "ui/framework/gdi_handles.h"

namespace rotaplex {

TwipsPerPixel ScreenTwipsPerPixel() {
    WindowDc screen(nullptr);
    return {1440.0 / GetDeviceCaps(screen.get(), LOGPIXELSX),
            1440.0 / GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

int PixelsX(double twips, TwipsPerPixel tpp) { return RoundHalfEven(twips / tpp.X); }
int PixelsY(double twips, TwipsPerPixel tpp) { return RoundHalfEven(twips / tpp.Y); }
double TwipsX(int pixels, TwipsPerPixel tpp) { return pixels * tpp.X; }
double TwipsY(int pixels, TwipsPerPixel tpp) { return pixels * tpp.Y; }

}  // namespace rotaplex
