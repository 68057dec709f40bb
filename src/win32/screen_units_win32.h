// Conversions between the logic's units (twips, millimetres, points) and the
// screen's pixels at the DPI the program runs with.
#pragma once

#include <windows.h>

#include <cstdint>

namespace scribbit {

inline constexpr int TwipsPerInch = 1440;

// The screen's logical DPI (horizontal and vertical are equal on every
// display Windows supports, but each axis is kept apart for exactness).
struct ScreenDpi {
    int x = 96;
    int y = 96;
};
ScreenDpi CurrentScreenDpi();

std::int32_t PixelsToTwips(int pixels, int dpi);
int TwipsToPixels(std::int32_t twips, int dpi);
int MillimetresToPixels(double millimetres, int dpi);
// Font heights: LOGFONT wants negative character heights in pixels.
int PointsToPixels(double points, int dpi);

}  // namespace scribbit
