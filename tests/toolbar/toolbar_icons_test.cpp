#include "toolbar/toolbar_icons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

std::string Ascii(std::u16string_view key) {
    return std::string(key.begin(), key.end());
}

std::tuple<int, int, int> Rgb(IconColour c) {
    return {c.red, c.green, c.blue};
}

// Pixels of two drawings that differ.
int Difference(std::span<const std::string_view> a, std::span<const std::string_view> b) {
    int differing = 0;
    for (std::size_t y = 0; y < a.size(); ++y) {
        for (std::size_t x = 0; x < a[y].size(); ++x) differing += a[y][x] != b[y][x];
    }
    return differing;
}

TEST(IconPalette, IsTheStandardSixteenColoursWithLightGreyAsMask) {
    const std::set<std::tuple<int, int, int>> standard{
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {128, 128, 128}, {192, 192, 192}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    const auto codes = IconPaletteCodes();
    ASSERT_EQ(codes.size(), 16u);
    std::set<char> seenCodes;
    std::set<std::tuple<int, int, int>> seenColours;
    for (char code : codes) {
        EXPECT_TRUE(seenCodes.insert(code).second) << "code repeats: " << code;
        const auto colour = IconPaletteColour(code);
        ASSERT_TRUE(colour.has_value()) << code;
        seenColours.insert(Rgb(*colour));
    }
    EXPECT_EQ(seenColours, standard);
    EXPECT_EQ(IconPaletteColour(IconMaskCode), IconMaskColour);
    EXPECT_EQ(Rgb(IconMaskColour), std::make_tuple(192, 192, 192));
    for (char stray : {' ', '\0', '#', 'K', 'w', 'x'}) {
        EXPECT_FALSE(IconPaletteColour(stray).has_value()) << static_cast<int>(stray);
    }
}

TEST(IconArt, EveryImageIsSixteenRowsOfSixteenPaletteCharacters) {
    for (std::u16string_view key : ImageKeys()) {
        SCOPED_TRACE(Ascii(key));
        const auto art = IconArt(key);
        ASSERT_EQ(art.size(), 16u);
        for (std::size_t y = 0; y < art.size(); ++y) {
            ASSERT_EQ(art[y].size(), 16u) << "row " << y;
            for (char code : art[y]) {
                EXPECT_TRUE(IconPaletteColour(code).has_value()) << "row " << y << " code '" << code << "'";
            }
        }
    }
    for (std::u16string_view missing : {u"", u"0", u"Open", u"properties "}) {
        EXPECT_TRUE(IconArt(missing).empty()) << Ascii(missing);
    }
}

TEST(IconArt, EveryImageHasATransparentEdgeAndADrawing) {
    for (std::u16string_view key : ImageKeys()) {
        SCOPED_TRACE(Ascii(key));
        const auto art = IconArt(key);
        ASSERT_EQ(art.size(), 16u);
        int maskOnBorder = 0;
        int drawn = 0;
        for (std::size_t y = 0; y < 16; ++y) {
            for (std::size_t x = 0; x < 16; ++x) {
                const bool mask = art[y][x] == IconMaskCode;
                if (!mask) ++drawn;
                if (mask && (x == 0 || y == 0 || x == 15 || y == 15)) ++maskOnBorder;
            }
        }
        // A button shows the toolbar's face around its picture...
        EXPECT_GT(maskOnBorder, 0);
        // ...and a picture worth the name: an eighth of the cells at least,
        // yet not a solid square.
        EXPECT_GE(drawn, 16 * 16 / 8);
        EXPECT_LT(drawn, 16 * 16);
    }
}

TEST(IconArt, ImagesAreClearlyDistinct) {
    // Buttons are told apart by their pictures alone: no two may be equal,
    // and they must differ in more than a stray pixel or two.
    const auto keys = ImageKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        for (std::size_t j = i + 1; j < keys.size(); ++j) {
            EXPECT_GE(Difference(IconArt(keys[i]), IconArt(keys[j])), 24)
                << Ascii(keys[i]) << " and " << Ascii(keys[j]);
        }
    }
}

TEST(IconSizeForDpi, SixteenAtNinetySixDpiAndProportionalAbove) {
    struct Case {
        unsigned dpi;
        int size;
    };
    // Rounded to the nearest pixel like MulDiv: 99 dpi is 16.5 pixels.
    constexpr Case Cases[] = {
        {0, 16},   {72, 16},  {96, 16},  {97, 16},  {98, 16},    {99, 17},      {102, 17},          {120, 20},
        {144, 24}, {168, 28}, {192, 32}, {288, 48}, {1536, 256}, {100000, 256}, {4294967295u, 256},
    };
    for (const Case& c : Cases) EXPECT_EQ(IconSizeForDpi(c.dpi), c.size) << c.dpi << " dpi";
}

TEST(IconScaleMap, IdentityAtSixteenAndWholeBlocksAtMultiples) {
    std::vector<int> identity(16);
    for (int i = 0; i < 16; ++i) identity[static_cast<std::size_t>(i)] = i;
    EXPECT_EQ(IconScaleMap(16), identity);
    for (int factor : {2, 3, 5}) {
        const std::vector<int> map = IconScaleMap(16 * factor);
        ASSERT_EQ(map.size(), static_cast<std::size_t>(16 * factor));
        for (std::size_t d = 0; d < map.size(); ++d)
            EXPECT_EQ(map[d], static_cast<int>(d) / factor) << factor;
    }
    EXPECT_TRUE(IconScaleMap(0).empty());
    EXPECT_TRUE(IconScaleMap(-24).empty());
}

TEST(IconScaleMap, OneAndAHalfDoublesEveryOtherCellMirroredAboutTheMiddle) {
    const std::vector<int> map = IconScaleMap(24);
    const std::vector<int> expected{0, 1, 1, 2,  3,  3,  4,  5,  5,  6,  7,  7,
                                    8, 8, 9, 10, 10, 11, 12, 12, 13, 14, 14, 15};
    EXPECT_EQ(map, expected);
}

TEST(IconScaleMap, EverySizeIsOrderedCompleteAndSymmetric) {
    for (int size = 1; size <= 80; ++size) {
        SCOPED_TRACE(size);
        const std::vector<int> map = IconScaleMap(size);
        ASSERT_EQ(map.size(), static_cast<std::size_t>(size));
        std::vector<int> uses(16, 0);
        for (std::size_t d = 0; d < map.size(); ++d) {
            ASSERT_GE(map[d], 0);
            ASSERT_LE(map[d], 15);
            ++uses[static_cast<std::size_t>(map[d])];
            if (d > 0) {
                EXPECT_LE(map[d - 1], map[d]) << "at " << d;
            }
            // A drawing that is symmetric stays symmetric (an odd size has
            // one middle pixel that may fall either way).
            const int mirrored = map[map.size() - 1 - d];
            if (!(size % 2 == 1 && d == map.size() / 2)) {
                EXPECT_EQ(map[d] + mirrored, 15) << "at " << d;
            }
        }
        if (size >= 16) {
            // Enlarging loses no cell and stretches none beyond its fair
            // share.
            const int fair = (size + 15) / 16;
            for (int cell = 0; cell < 16; ++cell) {
                EXPECT_GE(uses[static_cast<std::size_t>(cell)], size / 16) << "cell " << cell;
                EXPECT_LE(uses[static_cast<std::size_t>(cell)], fair) << "cell " << cell;
            }
        }
    }
}

TEST(RenderIconStrip, AtSixteenPixelsTheStripIsTheArtInImageOrder) {
    const auto keys = ImageKeys();
    const std::vector<IconColour> strip = RenderIconStrip(keys, 16);
    const std::size_t width = 16 * keys.size();
    ASSERT_EQ(strip.size(), width * 16);
    for (std::size_t image = 0; image < keys.size(); ++image) {
        const auto art = IconArt(keys[image]);
        ASSERT_EQ(art.size(), 16u);
        for (std::size_t y = 0; y < 16; ++y) {
            for (std::size_t x = 0; x < 16; ++x) {
                ASSERT_EQ(strip[y * width + image * 16 + x], IconPaletteColour(art[y][x]).value())
                    << Ascii(keys[image]) << " at " << x << "," << y;
            }
        }
    }
}

TEST(RenderIconStrip, ScaledImagesShowTheNearestCellAndKeepTheMask) {
    const std::array<std::u16string_view, 3> keys{u"delete", u"new", u"about"};
    for (int size : {20, 24, 32}) {
        SCOPED_TRACE(size);
        const std::vector<IconColour> strip = RenderIconStrip(keys, size);
        const std::vector<int> map = IconScaleMap(size);
        const std::size_t width = static_cast<std::size_t>(size) * keys.size();
        ASSERT_EQ(strip.size(), width * static_cast<std::size_t>(size));
        for (std::size_t image = 0; image < keys.size(); ++image) {
            const auto art = IconArt(keys[image]);
            int mask = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const char code = art[static_cast<std::size_t>(map[static_cast<std::size_t>(y)])]
                                         [static_cast<std::size_t>(map[static_cast<std::size_t>(x)])];
                    const IconColour pixel =
                        strip[static_cast<std::size_t>(y) * width + image * static_cast<std::size_t>(size) +
                              static_cast<std::size_t>(x)];
                    ASSERT_EQ(pixel, IconPaletteColour(code).value());
                    mask += pixel == IconMaskColour;
                }
            }
            // The transparent share of the picture stays about the same.
            int artMask = 0;
            for (std::string_view row : art)
                artMask += static_cast<int>(std::count(row.begin(), row.end(), IconMaskCode));
            EXPECT_NEAR(static_cast<double>(mask) / (size * size), artMask / 256.0, 0.08)
                << Ascii(keys[image]);
        }
    }
}

TEST(RenderIconStrip, UnknownKeysStayBlankAndBadSizesGiveNothing) {
    const std::array<std::u16string_view, 3> keys{u"new", u"no such image", u"new"};
    const std::vector<IconColour> strip = RenderIconStrip(keys, 16);
    ASSERT_EQ(strip.size(), 48u * 16u);
    for (std::size_t y = 0; y < 16; ++y) {
        for (std::size_t x = 0; x < 16; ++x) {
            EXPECT_EQ(strip[y * 48 + 16 + x], IconMaskColour) << x << "," << y;
            EXPECT_EQ(strip[y * 48 + x], strip[y * 48 + 32 + x]) << x << "," << y;
        }
    }
    EXPECT_TRUE(RenderIconStrip(keys, 0).empty());
    EXPECT_TRUE(RenderIconStrip(keys, -16).empty());
    EXPECT_TRUE(RenderIconStrip(keys, IconMaxSize + 1).empty());
    EXPECT_TRUE(RenderIconStrip({}, 16).empty());
    EXPECT_EQ(RenderIconStrip(keys, IconMaxSize).size(),
              static_cast<std::size_t>(IconMaxSize) * IconMaxSize * keys.size());
}

}  // namespace
}  // namespace scribbit
