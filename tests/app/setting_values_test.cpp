#include "app/setting_values.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace scribbit {
namespace {

struct Int32Case {
    std::u16string text;
    std::optional<std::int32_t> expected;
};

TEST(SettingValues, ReadsTheLeadingNumberRoundedHalfToEven) {
    const Int32Case cases[] = {
        {u"5200", 5200},
        {u"", 0},         // missing key
        {u"abc", 0},      // no number at the start
        {u"  -15", -15},  // leading blanks, sign
        {u"+7", 7},
        {u"12abc", 12},  // only the start counts
        {u"2.5", 2},     // half to even
        {u"3.5", 4},
        {u"-2.5", -2},
        {u"0.4999", 0},
        {u"1e3", 1000},
        {u"1.5E+2x", 150},
        {u"7e", 7},  // an exponent without digits is not one
        {u".5", 0},
        {u"-", 0},
        {u"&H10", 0},  // hexadecimal is for colours only
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"2147483648", std::nullopt},  // beyond 32 bits
        {u"-2147483649", std::nullopt},
        {u"99999999999999999999", std::nullopt},
        {u"1e400", std::nullopt},
        {u"65536", 65536},  // wider than the 16 bits a maximised wide window exceeds
    };
    for (const Int32Case& c : cases) {
        EXPECT_EQ(ReadInt32Setting(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(SettingValues, WholeIntegersRejectTrailingText) {
    EXPECT_EQ(ReadWholeInt32Setting(u" 3 "), 3);
    EXPECT_EQ(ReadWholeInt32Setting(u"5"), 5);
    EXPECT_EQ(ReadWholeInt32Setting(u"3x"), std::nullopt);
    EXPECT_EQ(ReadWholeInt32Setting(u""), std::nullopt);
    EXPECT_EQ(ReadWholeInt32Setting(u"x"), std::nullopt);
}

struct BooleanCase {
    std::u16string text;
    std::optional<bool> expected;
};

TEST(SettingValues, BooleansAcceptWordsInAnyCaseOrNumbers) {
    const BooleanCase cases[] = {
        {u"True", true},          {u"TRUE", true},         {u"true", true},     {u"False", false},
        {u"fAlSe", false},        {u"0", false},           {u"1", true},        {u"-1", true},
        {u"0.4", true},           {u" 0 ", false},         {u"", std::nullopt}, {u"yes", std::nullopt},
        {u"Truex", std::nullopt}, {u"1abc", std::nullopt},
    };
    for (const BooleanCase& c : cases) {
        EXPECT_EQ(ReadBooleanSetting(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
    }
}

struct ColorCase {
    std::u16string text;
    std::optional<Color> expected;
};

TEST(SettingValues, ColoursReadHexadecimalDecimalAndSystemColours) {
    const ColorCase cases[] = {
        {u"&H80000008", 0x80000008u},
        {u"&h80000008", 0x80000008u},
        {u"&HFF", 0xFFu},
        {u"&H0", 0u},
        {u"&H00FF00&", 0x00FF00u},  // with the Long suffix
        {u"255", 255u},
        {u"-2147483640", 0x80000008u},  // the same bits read as signed
        {u"", std::nullopt},
        {u"red", std::nullopt},
        {u"&H", std::nullopt},
        {u"&HXYZ", std::nullopt},
        {u"&H100000000", std::nullopt},  // beyond 32 bits
        {u"&H12345678", std::nullopt},   // neither a colour nor a system colour
        {u"&H80001000", std::nullopt},
        {u"12abc", std::nullopt},
    };
    for (const ColorCase& c : cases) {
        EXPECT_EQ(ReadColorSetting(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(SettingValues, FontSizesMustBePositiveNumbers) {
    EXPECT_EQ(ReadFontSizeSetting(u"13.5"), 13.5);
    EXPECT_EQ(ReadFontSizeSetting(u"9"), 9.0);
    EXPECT_EQ(ReadFontSizeSetting(u"0"), std::nullopt);
    EXPECT_EQ(ReadFontSizeSetting(u"-9"), std::nullopt);
    EXPECT_EQ(ReadFontSizeSetting(u"big"), std::nullopt);
    EXPECT_EQ(ReadFontSizeSetting(u"12pt"), std::nullopt);
    EXPECT_EQ(ReadFontSizeSetting(u"100000"), std::nullopt);
}

TEST(SettingValues, FormatsAsTheFileStoresThem) {
    EXPECT_EQ(FormatFontSize(13.5), u"13.5");
    EXPECT_EQ(FormatFontSize(10.5), u"10.5");
    EXPECT_EQ(FormatFontSize(9), u"9");
    EXPECT_EQ(FormatFontSize(10.25), u"10.25");
    EXPECT_EQ(FormatFontSize(8.333333), u"8.3333");
    EXPECT_EQ(FormatFontSize(7.99999), u"8");
    EXPECT_EQ(FormatColor(0x80000008u), u"&H80000008");
    EXPECT_EQ(FormatColor(0xFFu), u"&HFF");
    EXPECT_EQ(FormatColor(0u), u"&H0");
    EXPECT_EQ(FormatColor(0xABCDEFu), u"&HABCDEF");
    EXPECT_EQ(FormatBoolean(true), u"True");
    EXPECT_EQ(FormatBoolean(false), u"False");
    EXPECT_EQ(FormatInt32(-120), u"-120");
}

TEST(SettingValues, WrittenValuesReadBack) {
    for (Color color : {0x80000008u, 0xFFu, 0u, 0x00FFFFFFu, 0x80000000u}) {
        EXPECT_EQ(ReadColorSetting(FormatColor(color)), color);
    }
    for (double size : {13.5, 9.0, 10.5, 72.25, 1.0}) {
        EXPECT_EQ(ReadFontSizeSetting(FormatFontSize(size)), size);
    }
}

}  // namespace
}  // namespace scribbit
