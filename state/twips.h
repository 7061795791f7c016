#pragma once
// Every position and size inside the windows is kept in twips, 1/1440 inch:
// 15 twips make one pixel at 96 dots per inch.

#include <cmath>

namespace tovel {

inline constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel, halves away from zero.
inline int TwipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace tovel
