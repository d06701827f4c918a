#pragma once

namespace rotaplex {

// The display's twips per pixel: 1440 twips make an inch, so 15 at 96 dots per inch.
struct TwipsPerPixel {
    double X = 15;
    double Y = 15;
};

// Read from the screen each time it is needed, as the display setting may differ per run.
TwipsPerPixel ScreenTwipsPerPixel();

// Nearest whole number, halves to the even neighbour.
int RoundHalfEven(double value);

// The one conversion between twips and pixels for every size, position and mouse point.
int PixelsX(double twips, TwipsPerPixel tpp = ScreenTwipsPerPixel());
int PixelsY(double twips, TwipsPerPixel tpp = ScreenTwipsPerPixel());
double TwipsX(int pixels, TwipsPerPixel tpp = ScreenTwipsPerPixel());
double TwipsY(int pixels, TwipsPerPixel tpp = ScreenTwipsPerPixel());

// A rectangle in twips as the window tables give it: left, top, width, height.
struct TwipsRect {
    int Left, Top, Width, Height;
};

}  // namespace rotaplex
