#include "ui/framework/twips.h"

#include <cmath>

namespace rotaplex {

TwipsPerPixel TwipsPerPixelAt(unsigned dpi) { return {1440.0 / dpi, 1440.0 / dpi}; }

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

int PixelsX(double twips, TwipsPerPixel tpp) { return RoundHalfEven(twips / tpp.X); }
int PixelsY(double twips, TwipsPerPixel tpp) { return RoundHalfEven(twips / tpp.Y); }
double TwipsX(int pixels, TwipsPerPixel tpp) { return pixels * tpp.X; }
double TwipsY(int pixels, TwipsPerPixel tpp) { return pixels * tpp.Y; }

}  // namespace rotaplex
