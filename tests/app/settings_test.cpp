// Reading what the user types and what the settings file holds: every
// number in one table, the profile reader's lines and the command line.
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "app/startup.h"
#include "core/setting_values.h"
#include "editing/go_to_line.h"
#include "editing/tab_width.h"
#include "printing/page_setup_dialog.h"
#include "support/fake_locale.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

using std::nullopt;
template <class T>
std::optional<double> AsDouble(std::optional<T> value) {
    return value ? std::optional(double(*value)) : nullopt;
}

// The value each parser reads from a text, nullopt where it refuses it.
TEST(Parsers, SettingNumbersMarginsTabWidthsAndLineNumbers) {
    enum Parser { Int, Whole, Bool, Colour, FontSize, Margin, Tab, Line };
    const std::function<std::optional<double>(std::u16string_view)> parse[] = {
        [](auto t) { return AsDouble(ReadInt32Setting(t)); },
        [](auto t) { return AsDouble(ReadWholeInt32Setting(t)); },
        [](auto t) { return AsDouble(ReadBooleanSetting(t)); },
        [](auto t) { return AsDouble(ReadColorSetting(t)); },
        [](auto t) { return ReadFontSizeSetting(t); },
        [](auto t) { return std::optional(double(ParseMargin(t))); },
        [](auto t) { return AsDouble(ParseTabSpaceEntry(t)); },
        [](auto t) { return AsDouble(ParseLineNumber(t, 5)); }};
    const struct {
        Parser parser;
        std::u16string_view text;
        std::optional<double> value;
    } rows[] = {
        {Int, u"", 0},
        {Int, u"abc", 0},
        {Int, u"  -15", -15},
        {Int, u"+7", 7},
        {Int, u"12abc", 12},  // only the start counts
        {Int, u"2.5", 2},
        {Int, u"3.5", 4},
        {Int, u"-2.5", -2},
        {Int, u"1.5E+2x", 150},
        {Int, u"7e", 7},  // half to even
        {Int, u"&H10", 0},
        {Int, u".5", 0},
        {Int, u"2147483647", 2147483647},
        {Int, u"-2147483648", -2147483648.0},
        {Int, u"2147483648", nullopt},
        {Int, u"-2147483649", nullopt},
        {Int, u"1e400", nullopt},
        {Whole, u" 3 ", 3},
        {Whole, u"3x", nullopt},
        {Whole, u"", nullopt},
        {Bool, u"True", 1},
        {Bool, u"fAlSe", 0},
        {Bool, u"0", 0},
        {Bool, u"-1", 1},
        {Bool, u"0.4", 1},
        {Bool, u" 0 ", 0},
        {Bool, u"", nullopt},
        {Bool, u"yes", nullopt},
        {Bool, u"Truex", nullopt},
        {Bool, u"1abc", nullopt},
        {Colour, u"&H80000008", 0x80000008u},
        {Colour, u"&hFF", 0xFF},
        {Colour, u"&H00FF00&", 0x00FF00},  // the Long suffix
        {Colour, u"255", 255},
        {Colour, u"-2147483640", 0x80000008u},  // the same bits read as signed
        {Colour, u"red", nullopt},
        {Colour, u"&H", nullopt},
        {Colour, u"&HXYZ", nullopt},
        {Colour, u"12abc", nullopt},
        {Colour, u"&H100000000", nullopt},
        {Colour, u"&H12345678", nullopt},
        {Colour, u"&H80001000", nullopt},
        {FontSize, u"13.5", 13.5},
        {FontSize, u"9", 9},
        {FontSize, u"0", nullopt},
        {FontSize, u"-9", nullopt},
        {FontSize, u"12pt", nullopt},
        {FontSize, u"100000", nullopt},
        {Margin, u" 15", 15},
        {Margin, u"12.5", 12},
        {Margin, u"13.5", 14},
        {Margin, u"8mm", 8},
        {Margin, u"abc", 0},
        {Margin, u"", 0},
        {Margin, u"-3", -3},
        {Margin, u"　１２", 12},
        {Margin, u"1e2", 1},
        {Margin, u"99999", 32767},
        {Margin, u".5", 0},
        {Margin, u"2.51", 3},
        {Margin, u"－５", -5},
        {Margin, u"１．５", 2},  // full-width sign and point
        {Tab, u"", nullopt},
        {Tab, u"  ", nullopt},
        {Tab, u"abc", nullopt},
        {Tab, u"4x", nullopt},
        {Tab, u"0", nullopt},
        {Tab, u"-3", nullopt},
        {Tab, u"0.5", nullopt},
        {Tab, u"0.6", 1},
        {Tab, u"2.5", 2},
        {Tab, u"3.5", 4},
        {Tab, u" 8 ", 8},
        {Tab, u"+6", 6},
        {Tab, u"1e1", 10},
        {Tab, u"４", 4},
        {Tab, u"32767.4", 32767},
        {Tab, u"32767.5", nullopt},
        {Tab, u"1e400", nullopt},
        {Tab, u"+-1", nullopt},
        {Tab, u"--1", nullopt},
        {Line, u"1", 1},
        {Line, u" 3 ", 3},
        {Line, u"０５", 5},
        {Line, u"6", nullopt},
        {Line, u"0", nullopt},
        {Line, u"", nullopt},
        {Line, u"-1", nullopt},
        {Line, u"2.0", nullopt},
        {Line, u"99999999999999999999999", nullopt},
    };
    for (const auto& [parser, text, value] : rows)
        EXPECT_EQ(parse[parser](text), value) << parser << " " << Utf8(text);
    for (const auto& [size, text] :
         {std::pair{9.0, u"9"}, {10.25, u"10.25"}, {8.333333, u"8.3333"}, {7.99999, u"8"}})
        EXPECT_EQ(FormatFontSize(size), text);
    EXPECT_EQ(std::tuple(MarginText(15), MarginText(-3)), std::tuple(u" 15", u"-3"));
}

TEST(SettingsFile, LooksUpKeysLikeTheProfileReader) {
    const FakeLocale locale;  // the file keeps it
    const SettingsFile file(
        u"orphan=1\r\n[Setting]\r\nXpos=100\r\n  Ypos  =  200  \r\nXSIZE=300\r\nXpos=999\r\n"
        u"Quoted=\"  spaced  \"\r\nSingle='x'\r\nHalf=\"open\r\nBare\r\nEq=a=b\r\n; comment=1\r\n"
        u"[setting]\r\nLater=1\r\n[Font]\nName=ＭＳ ゴシック\rSize=9\r\n",
        locale);
    const std::tuple<std::u16string, std::u16string, std::u16string> rows[] = {
        {u"Setting", u"Xpos", u"100"},
        {u"setting", u"xpos", u"100"},  // the first key; any case
        {u"Setting", u"Ypos", u"200"},
        {u"Setting", u"Xsize", u"300"},
        {u"Setting", u"Quoted", u"  spaced  "},
        {u"Setting", u"Single", u"x"},
        {u"Setting", u"Half", u"\"open"},
        {u"Setting", u"Bare", u""},
        {u"Setting", u"Eq", u"a=b"},
        {u"Setting", u"Later", u""},  // only the first [Setting]
        {u"Setting", u"orphan", u""},
        {u"Nowhere", u"Xpos", u""},
        {u"Font", u"Name", u"ＭＳ ゴシック"},
        {u"Font", u"Size", u"9"},  // lone LF and CR end lines
    };
    for (const auto& [section, key, value] : rows)
        EXPECT_EQ(file.ReadSetting(section, key), value) << Utf8(key);
    const SettingsFile bars(
        u"[toolbar]\r\nnot,0,this,one\r\n[ToolBar] \r\nnor,0,this,one\r\n[ToolBar]\r\na,0,b,c\r\n"
        u"\r\n[ToolBar]\r\nd,0,e,f",
        locale);
    EXPECT_EQ(bars.ToolBarLines(),
              (std::vector<std::u16string_view>{u"a,0,b,c", u"", u"[ToolBar]", u"d,0,e,f"}));
}

TEST(CommandLine, NamesOneFile) {
    const std::pair<std::u16string, std::u16string> lines[] = {
        {u"\"C:\\My Documents\\a b.txt\"", u"C:\\My Documents\\a b.txt"},
        {u"C:\\My Documents\\a b.txt", u"C:\\My Documents\\a b.txt"},
        {u"\"C:\\a.txt", u"\"C:\\a.txt"},
        {u"C:\\a.txt\"", u"C:\\a.txt\""},
        {u"\"", u"\""},  // a quote at one end
        {u"\"\"", u""},
        {u"\"a\" \"b\"", u"a\" \"b"}};
    for (const auto& [line, path] : lines) EXPECT_EQ(PathFromCommandLine(line), path) << Utf8(line);
}

}  // namespace
}  // namespace scribbit
