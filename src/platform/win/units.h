#pragma once
// The program's lengths: twips (1/1440 inch), and pixels at a given number of
// dots per inch, with one rounding for all of them.

// value * numerator / denominator to the nearest integer, halves away from
// zero (as MulDiv rounds); 0 for a denominator that is not positive.
int MulDivRounded(int value, int numerator, int denominator);

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, int dpi) { return MulDivRounded(twips, dpi, kTwipsPerInch); }
inline int PixelsToTwips(int pixels, int dpi) { return MulDivRounded(pixels, kTwipsPerInch, dpi); }
// A length in pixels at 96 dots per inch, at `dpi`: exact at 96.
inline int ScaleForDpi(int pixels, int dpi) { return MulDivRounded(pixels, dpi, 96); }
