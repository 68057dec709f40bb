#include "win32/toolbar_images_win32.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "resource_ids.h"
#include "toolbar/command_catalogue.h"
#include "toolbar/toolbar_icons.h"

namespace scribbit {
namespace {

struct GdiObjectDeleter {
    void operator()(HBITMAP bitmap) const noexcept { DeleteObject(bitmap); }
};
using BitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct ImageListDeleter {
    void operator()(HIMAGELIST list) const noexcept { ImageList_Destroy(list); }
};
using ImageListHandle = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

struct ToolbarBitmap {
    std::vector<IconColour> pixels;  // top-down, row by row
    int width = 0;
};

// The pixels of the toolbar bitmap resource, as GDI reads them whatever
// colour depth the bitmap was saved in; no pixels when it cannot.
ToolbarBitmap ReadToolbarBitmap() {
    const BitmapHandle bitmap{
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_TOOLBAR_ICONS),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))};
    BITMAP shape{};
    if (!bitmap || GetObjectW(bitmap.get(), sizeof shape, &shape) != sizeof shape) return {};
    if (shape.bmWidth <= 0 || shape.bmHeight <= 0) return {};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = -shape.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> quads(static_cast<std::size_t>(shape.bmWidth) *
                               static_cast<std::size_t>(shape.bmHeight));
    HDC screen = GetDC(nullptr);
    if (!screen) return {};
    const int rows = GetDIBits(screen, bitmap.get(), 0, static_cast<UINT>(shape.bmHeight), quads.data(),
                               &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != shape.bmHeight) return {};

    ToolbarBitmap result;
    result.width = shape.bmWidth;
    result.pixels.reserve(quads.size());
    for (const RGBQUAD& quad : quads) result.pixels.push_back({quad.rgbRed, quad.rgbGreen, quad.rgbBlue});
    return result;
}

// A top-down 24-bit DIB holding the whole strip, one image after another.
BitmapHandle CreateStripBitmap(const std::vector<IconColour>& pixels, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    void* bits = nullptr;
    BitmapHandle bitmap{CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    if (!bitmap || !bits) return nullptr;

    // DIB rows are padded to whole DWORDs and stored blue, green, red.
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    auto* const bytes = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = bytes + static_cast<std::size_t>(y) * stride;
        const IconColour* in = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width; ++x, ++in) {
            *out++ = in->blue;
            *out++ = in->green;
            *out++ = in->red;
        }
    }
    GdiFlush();
    return bitmap;
}

}  // namespace

HIMAGELIST CreateToolbarImageList(UINT dpi) {
    const std::span<const std::u16string_view> keys = ImageKeys();
    const int size = IconSizeForDpi(dpi);
    const int count = static_cast<int>(keys.size());
    const ToolbarBitmap bitmap = ReadToolbarBitmap();
    if (bitmap.pixels.empty()) return nullptr;
    const std::vector<IconColour> pixels = ScaleIconStrip(bitmap.pixels, bitmap.width, keys, size);
    if (pixels.empty()) return nullptr;

    const BitmapHandle strip = CreateStripBitmap(pixels, size * count, size);
    if (!strip) return nullptr;

    // At the drawn size the pictures fit the 16-colour palette exactly;
    // scaled lists keep full colour so nothing is re-quantised on the way in.
    const UINT colourFlag = size == IconGridSize ? ILC_COLOR4 : ILC_COLOR24;
    ImageListHandle list{ImageList_Create(size, size, colourFlag | ILC_MASK, count, 0)};
    if (!list) return nullptr;

    const COLORREF mask = RGB(IconMaskColour.red, IconMaskColour.green, IconMaskColour.blue);
    if (ImageList_AddMasked(list.get(), strip.get(), mask) == -1) return nullptr;
    // Buttons find their pictures by position, so a partly filled list would
    // put wrong pictures on them: better no list at all.
    if (ImageList_GetImageCount(list.get()) != count) return nullptr;
    return list.release();
}

}  // namespace scribbit
