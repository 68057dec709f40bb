#include "win32/screen_units_win32.h"

#include <cmath>

namespace scribbit {

ScreenDpi CurrentScreenDpi() {
    ScreenDpi dpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi.x = GetDeviceCaps(screen, LOGPIXELSX);
        dpi.y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    if (dpi.x <= 0) dpi.x = 96;
    if (dpi.y <= 0) dpi.y = 96;
    return dpi;
}

std::int32_t PixelsToTwips(int pixels, int dpi) {
    const std::int64_t twips = static_cast<std::int64_t>(pixels) * TwipsPerInch;
    // Round half away from zero so that negative positions (a maximised
    // window starts left of the screen) convert symmetrically.
    const std::int64_t half = dpi / 2;
    return static_cast<std::int32_t>(twips >= 0 ? (twips + half) / dpi : (twips - half) / dpi);
}

int TwipsToPixels(std::int32_t twips, int dpi) {
    return MulDiv(twips, dpi, TwipsPerInch);
}

int MillimetresToPixels(double millimetres, int dpi) {
    return static_cast<int>(std::lround(millimetres * dpi / 25.4));
}

int PointsToPixels(double points, int dpi) {
    return static_cast<int>(std::lround(points * dpi / 72.0));
}

}  // namespace scribbit
