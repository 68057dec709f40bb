// The pixel art of the toolbar images (imlToolbarIcons) and the rules that
// turn it into pixels at any screen scale. Free of <windows.h>: the Win32
// image list is filled from RenderIconStrip().
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace scribbit {

// Every image is drawn on a 16 × 16 grid.
inline constexpr int IconGridSize = 16;

struct IconColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const IconColour&, const IconColour&) = default;
};

// The light grey that the image list treats as transparent, and the
// character that stands for it in the art.
inline constexpr char IconMaskCode = '.';
inline constexpr IconColour IconMaskColour{192, 192, 192};

// The 16 characters the art is written in, one per colour of the standard
// 16-colour palette.
std::span<const char> IconPaletteCodes();
// The colour a character of the art stands for, or nothing for a character
// outside the palette.
std::optional<IconColour> IconPaletteColour(char code);

// The 16 rows of 16 palette characters of the image with this key (a key of
// ImageKeys()); an empty span when no image has that key.
std::span<const std::string_view> IconArt(std::u16string_view key);

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
// A key without art gives a blank (all mask colour) image so the image list
// keeps its positions.
std::vector<IconColour> RenderIconStrip(std::span<const std::u16string_view> keys, int size);

}  // namespace scribbit
