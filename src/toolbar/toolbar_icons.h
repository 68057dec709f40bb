// The rules that turn the toolbar bitmap (resources/toolbar_icons.bmp) into
// the images of imlToolbarIcons at any screen scale. Free of <windows.h>:
// the Win32 half reads the bitmap's pixels and fills the image list from
// ScaleIconStrip().
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace scribbit {

// The bitmap is one row of cells of this size, the image of key k in cell
// ImageIndex(k) (catalogue order).
inline constexpr int IconGridSize = 16;

struct IconColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const IconColour&, const IconColour&) = default;
};

// The light grey that the image list treats as transparent.
inline constexpr IconColour IconMaskColour{192, 192, 192};

// Edge length in pixels of the images at a screen DPI: 16 at 96 DPI and
// below, proportionally larger above (rounded to the nearest pixel, at most
// IconMaxSize).
inline constexpr int IconMaxSize = 256;
int IconSizeForDpi(unsigned dpi);

// For each of the `size` target pixels of a row (or column), the grid cell
// it shows. Nearest neighbour, with ties broken towards the middle so that
// a symmetric drawing stays symmetric: at 24 pixels every other cell is
// doubled, mirrored about the centre. Empty for a size below 1.
std::vector<int> IconScaleMap(int size);

// The images of `keys`, side by side left to right, each `size` pixels
// square: a top-down strip of size * keys.size() by size pixels, row by row.
// They are taken from `bitmap`, the toolbar bitmap's pixels top-down, row
// by row, each row `bitmapWidth` pixels. A key without a cell in the bitmap
// gives a blank (all mask colour) image so the image list keeps its
// positions. Empty for a size outside 1..IconMaxSize.
std::vector<IconColour> ScaleIconStrip(std::span<const IconColour> bitmap, int bitmapWidth,
                                       std::span<const std::u16string_view> keys, int size);

}  // namespace scribbit
