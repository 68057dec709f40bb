#include "toolbar/toolbar_icons.h"

#include <algorithm>
#include <cstddef>

#include "toolbar/command_catalogue.h"

namespace scribbit {

int IconSizeForDpi(unsigned dpi) {
    if (dpi <= 96) return IconGridSize;
    // Rounded like MulDiv(16, dpi, 96); 64-bit so no DPI value can overflow.
    const std::uint64_t size = (std::uint64_t{IconGridSize} * dpi + 48) / 96;
    return static_cast<int>(std::min<std::uint64_t>(size, IconMaxSize));
}

std::vector<int> IconScaleMap(int size) {
    std::vector<int> cells;
    if (size < 1) return cells;
    cells.reserve(static_cast<std::size_t>(size));
    // The centre of target pixel d lies at (2d + 1) / (2 size) of the edge,
    // which is grid position (2d + 1) * 16 / (2 size). Exactly on a cell
    // boundary, take the cell nearer the middle: plain rounding would double
    // only cells on one side and skew symmetric drawings.
    const long long denominator = 2LL * size;
    for (int d = 0; d < size; ++d) {
        const long long numerator = (2LL * d + 1) * IconGridSize;
        long long cell = numerator / denominator;
        if (numerator % denominator == 0 && 2 * cell > IconGridSize) --cell;
        cells.push_back(static_cast<int>(std::clamp<long long>(cell, 0, IconGridSize - 1)));
    }
    return cells;
}

std::vector<IconColour> ScaleIconStrip(std::span<const IconColour> bitmap, int bitmapWidth,
                                       std::span<const std::u16string_view> keys, int size) {
    std::vector<IconColour> pixels;
    if (size < 1 || size > IconMaxSize || keys.empty()) return pixels;
    const std::vector<int> cells = IconScaleMap(size);
    const std::size_t edge = static_cast<std::size_t>(size);
    const std::size_t width = edge * keys.size();
    pixels.assign(width * edge, IconMaskColour);
    // Only whole cells count: a bitmap cut short leaves the keys past its end blank.
    const std::size_t bitmapRow = bitmapWidth > 0 ? static_cast<std::size_t>(bitmapWidth) : 0;
    const std::size_t cellCount = bitmap.size() >= bitmapRow * IconGridSize ? bitmapRow / IconGridSize : 0;
    for (std::size_t image = 0; image < keys.size(); ++image) {
        const int cell = ImageIndex(keys[image]);
        if (cell < 0 || static_cast<std::size_t>(cell) >= cellCount) continue;
        const std::size_t left = static_cast<std::size_t>(cell) * IconGridSize;
        for (std::size_t y = 0; y < edge; ++y) {
            const IconColour* in = bitmap.data() + static_cast<std::size_t>(cells[y]) * bitmapRow + left;
            IconColour* out = pixels.data() + y * width + image * edge;
            for (std::size_t x = 0; x < edge; ++x) out[x] = in[cells[x]];
        }
    }
    return pixels;
}

}  // namespace scribbit
