// The toolbar: its records in the settings file, loading them into the bar,
// the command catalogue and the pictures scaled for the screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <tuple>

#include "support/app_fixture.h"
#include "support/utf8.h"
#include "toolbar/command_catalogue.h"
#include "toolbar/toolbar_icons.h"
#include "toolbar/toolbar_list.h"

namespace scribbit {
namespace {

// An uncompressed bottom-up BMP, palette-indexed or 24-bit: its pixels top-down, its width and height.
std::tuple<std::vector<IconColour>, std::size_t, std::size_t> ReadBitmap(const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const auto at = [&](std::size_t offset, std::size_t size = 4) {
        std::size_t value = 0;
        while (size-- > 0) value = value << 8 | std::uint8_t(bytes.at(offset + size));
        return value;
    };
    const std::size_t width = at(18), height = at(22), bits = at(28, 2),
                      stride = (width * bits + 31) / 32 * 4;
    std::vector<IconColour> pixels;
    for (std::size_t y = height; y-- > 0;) {
        for (std::size_t bit = 0; bit < width * bits; bit += bits) {
            const std::size_t byte = at(10) + y * stride + bit / 8;
            const std::size_t colour =
                bits == 24 ? byte
                           : 14 + at(14) + 4 * (at(byte, 1) >> (8 - bits - bit % 8) & ((1u << bits) - 1));
            pixels.push_back({std::uint8_t(at(colour + 2, 1)), std::uint8_t(at(colour + 1, 1)),
                              std::uint8_t(at(colour, 1))});
        }
    }
    return {pixels, width, height};
}

TEST(ToolBarRecord, IsWrittenAsFourFieldsAndHandEditedLinesAreTakenWhileTheyStillHoldFour) {
    EXPECT_EQ(FormatToolBarRecord({u"new", 1, u"", u"新規作成"}), u"new,1,0,新規作成");
    const std::pair<std::u16string_view, std::optional<ToolBarEntry>> lines[] = {
        {u" open ,\t0 , \"open\" ,\"開く\"", ToolBarEntry{u"open", 0, u"open", u"開く"}},
        {u",3,0,(区切り)", ToolBarEntry{u"", 3, u"", u"(区切り)"}},
        {u"a,5,0,x", ToolBarEntry{u"a", 5, u"", u"x"}},  // the drop-down style
        {u"a,4,0,x", std::nullopt},                     // no such style
        {u"a,1x,0,x", std::nullopt},
        {u"a,1,0", std::nullopt},
        {u"a,1,0,x,y", std::nullopt},  // a comma inside a field
    };
    for (const auto& [line, entry] : lines) EXPECT_EQ(ParseToolBarRecord(line), entry) << Utf8(std::u16string(line));
}

TEST(ToolBarList, LoadingReplacesTheButtonsAndRemembersPasteAndAlwaysOnTopByTooltip) {
    const struct {
        std::vector<std::u16string_view> lines;
        bool onTop;
        std::size_t count;
        std::int16_t paste, alwaysOnTop;
    } cases[] = {
        {{u"new,0,new,新規作成", u"broken", u",3,0,(区切り)", u"paste,0,paste,貼り付け", u"new,0,new,新規作成",
          u"mostfront,1,mostfront,常に手前に表示"},
         true, 5, 3, 5},
        {{u"mostfront,1,mostfront,常に手前に表示", u"paste,0,paste,貼り付け"}, false, 2, 2, 1},
        {{u",3,0,(区切り)"}, true, 1, -1, -1},
        {{}, true, 0, -1, -1},
    };
    for (const auto& c : cases) {
        AppFixture app;
        app.toolBar.Append(ToolBarEntry{u"old", 0, u"", u"old"});
        app.Context().view.alwaysOnTop = c.onTop;
        app.Context().PasteButtonIndex = app.Context().AlwaysOnTopButtonIndex = -1;
        LoadToolBarFromSettings(app.Context(), c.lines);
        ASSERT_EQ(app.toolBar.Count(), c.count);
        EXPECT_EQ(std::tuple(app.Context().PasteButtonIndex, app.Context().AlwaysOnTopButtonIndex),
                  std::tuple(c.paste, c.alwaysOnTop));
        for (std::size_t i = 0; i < c.count; ++i) {
            EXPECT_EQ(app.toolBar.buttons[i].pressed, c.onTop && c.alwaysOnTop == std::int16_t(i + 1)) << i;
        }
    }
}

TEST(CommandCatalogue, NamesAndPicturesBelongToOneCommandEachAndTheFirstRunBarUsesThem) {
    std::set<std::u16string_view> names, lists, images;
    for (const CatalogueEntry& entry : CommandCatalogue()) {
        const std::u16string name(entry.commandName);
        EXPECT_TRUE(names.insert(entry.commandName).second && lists.insert(entry.listText).second &&
                    images.insert(entry.imageKey).second)
            << Utf8(name);
        EXPECT_EQ(FindCatalogueEntry(entry.commandName), &entry);
        EXPECT_GE(ImageIndex(entry.imageKey), 0);
        EXPECT_TRUE(entry.listText == name || entry.listText == name + u"...") << Utf8(name);
    }
    // The first-run bar: separators are separators, everything else a catalogue button.
    for (const ToolBarEntry& entry : DefaultToolBarEntries()) {
        if (entry.key.empty()) {
            EXPECT_EQ(entry, SeparatorEntry());
            EXPECT_EQ(entry.style, static_cast<std::int16_t>(ButtonStyle::Separator));
            continue;
        }
        const CatalogueEntry* command = FindCatalogueEntry(entry.key);
        ASSERT_NE(command, nullptr) << Utf8(entry.key);
        EXPECT_EQ(entry.image, command->imageKey);
        EXPECT_NE(entry.style, static_cast<std::int16_t>(ButtonStyle::Separator));
    }
}

TEST(ToolbarIcons, TheBitmapHasEveryPictureAndScaledImagesAreOrderedCompleteAndSymmetric) {
    for (const auto& [dpi, size] : {std::pair{96u, 16}, {120u, 20}, {144u, 24}, {1536u, 256}, {4294967295u, 256}}) {
        EXPECT_EQ(IconSizeForDpi(dpi), size) << dpi;
    }
    EXPECT_TRUE(IconScaleMap(0).empty() && IconScaleMap(-24).empty());
    // At one and a half, a pixel centre on a cell boundary takes the cell nearer the middle.
    EXPECT_EQ(IconScaleMap(24), (std::vector<int>{0, 1, 1, 2, 3, 3, 4, 5, 5, 6, 7, 7, 8, 8, 9, 10, 10, 11, 12, 12, 13,
                                                  14, 14, 15}));
    // The bitmap the program is built with: a picture for every key, in its catalogue-order cell.
    const auto [strip, width, height] = ReadBitmap(SCRIBBIT_TOOLBAR_BITMAP);
    ASSERT_EQ(std::pair(width, height), std::pair(IconGridSize * ImageKeys().size(), std::size_t{16}));
    EXPECT_EQ(ScaleIconStrip(strip, int(width), ImageKeys(), 16), strip);
    for (const std::u16string_view& key : ImageKeys()) {
        EXPECT_NE(ScaleIconStrip(strip, int(width), {&key, 1}, 16), std::vector(16 * 16, IconMaskColour))
            << Utf8(std::u16string(key));
    }
    const std::u16string_view unknown[] = {u"no such picture"};  // blank, and nothing at sizes out of range
    EXPECT_EQ(ScaleIconStrip(strip, int(width), unknown, 24),
              std::vector<IconColour>(24 * 24, IconMaskColour));
    EXPECT_TRUE(ScaleIconStrip(strip, int(width), unknown, 0).empty() &&
                ScaleIconStrip(strip, int(width), unknown, IconMaxSize + 1).empty());
    for (int size = 1; size <= 80; ++size) {
        const std::vector<int> cells = IconScaleMap(size);
        ASSERT_EQ(cells.size(), std::size_t(size));
        std::vector<int> uses(IconGridSize);
        for (std::size_t d = 0; d < cells.size(); ++d) {
            ++uses.at(std::size_t(cells[d]));
            if (d > 0) {
                EXPECT_LE(cells[d - 1], cells[d]);
            }
            if (size % 2 == 0 || d != cells.size() / 2) {  // an odd size's middle pixel may fall either way
                EXPECT_EQ(cells[d] + cells[cells.size() - 1 - d], IconGridSize - 1) << size << " at " << d;
            }
        }
        for (const int used : uses) {  // enlarging loses no cell and stretches none beyond its share
            EXPECT_TRUE(size < IconGridSize || (used >= size / 16 && used <= (size + 15) / 16)) << size;
        }
    }
}

}  // namespace
}  // namespace scribbit
