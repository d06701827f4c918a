#pragma once

namespace rotaplex {

// Twips per pixel at one display scale: 1440 twips make an inch, so 15 at 96 dots per inch.
struct TwipsPerPixel {
    double X = 15;
    double Y = 15;
};

// At a window's or screen's dots per inch.
TwipsPerPixel TwipsPerPixelAt(unsigned dpi);

// Nearest whole number, halves to the even neighbour.
int RoundHalfEven(double value);

// The one conversion between twips and pixels for every size, position and mouse point.
int PixelsX(double twips, TwipsPerPixel tpp);
int PixelsY(double twips, TwipsPerPixel tpp);
double TwipsX(int pixels, TwipsPerPixel tpp);
double TwipsY(int pixels, TwipsPerPixel tpp);

// A rectangle in twips as the window tables give it: left, top, width, height.
struct TwipsRect {
    int Left, Top, Width, Height;
};

}  // namespace rotaplex
