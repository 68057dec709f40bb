// The settings file's values and lines as the profile reader reads them,
// and the file the command line names.
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "app/startup.h"
#include "core/setting_values.h"
#include "support/fake_locale.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

using std::nullopt;
constexpr std::int32_t Max = 2147483647, Min = -2147483647 - 1;

TEST(SettingValues, NumbersBooleansColoursAndSizes) {
    const std::pair<std::u16string, std::optional<std::int32_t>> numbers[] = {
        {u"", 0},       {u"abc", 0},   {u"  -15", -15},  {u"+7", 7},          {u"12abc", 12},  // only the start counts
        {u"2.5", 2},    {u"3.5", 4},   {u"-2.5", -2},    {u"1.5E+2x", 150},   {u"7e", 7},      // half to even
        {u"&H10", 0},   {u".5", 0},    {u"65536", 65536}, {u"2147483647", Max}, {u"-2147483648", Min},
        {u"2147483648", nullopt},      {u"-2147483649", nullopt},             {u"1e400", nullopt}};
    for (const auto& [text, value] : numbers) EXPECT_EQ(ReadInt32Setting(text), value) << Utf8(text);
    for (const auto& [text, value] : {std::pair{u" 3 ", std::optional(3)}, {u"3x", nullopt}, {u"", nullopt}})
        EXPECT_EQ(ReadWholeInt32Setting(text), value) << Utf8(text);
    const std::pair<std::u16string, std::optional<bool>> booleans[] = {
        {u"True", true},  {u"fAlSe", false},     {u"0", false},          {u"-1", true},          {u"0.4", true},
        {u" 0 ", false},  {u"", nullopt},        {u"yes", nullopt},      {u"Truex", nullopt},    {u"1abc", nullopt}};
    for (const auto& [text, value] : booleans) EXPECT_EQ(ReadBooleanSetting(text), value) << Utf8(text);
    const std::pair<std::u16string, std::optional<Color>> colours[] = {
        {u"&H80000008", 0x80000008u}, {u"&hFF", 0xFFu},      {u"&H00FF00&", 0x00FF00u},  // the Long suffix
        {u"255", 255u},               {u"-2147483640", 0x80000008u},  // the same bits read as signed
        {u"red", nullopt},            {u"&H", nullopt},      {u"&HXYZ", nullopt},       {u"&H100000000", nullopt},
        {u"&H12345678", nullopt},     {u"&H80001000", nullopt},  // neither a colour nor a system colour
        {u"12abc", nullopt}};
    for (const auto& [text, value] : colours) EXPECT_EQ(ReadColorSetting(text), value) << Utf8(text);
    const std::pair<std::u16string, std::optional<double>> sizes[] = {
        {u"13.5", 13.5}, {u"9", 9.0}, {u"0", nullopt}, {u"-9", nullopt}, {u"12pt", nullopt}, {u"100000", nullopt}};
    for (const auto& [text, value] : sizes) EXPECT_EQ(ReadFontSizeSetting(text), value) << Utf8(text);
    for (const auto& [size, text] : {std::pair{9.0, u"9"}, {10.25, u"10.25"}, {8.333333, u"8.3333"}, {7.99999, u"8"}})
        EXPECT_EQ(FormatFontSize(size), text);
}

TEST(SettingsFile, LooksUpKeysLikeTheProfileReader) {
    const FakeLocale locale;  // the file keeps it
    const SettingsFile file(u"orphan=1\r\n[Setting]\r\nXpos=100\r\n  Ypos  =  200  \r\nXSIZE=300\r\nXpos=999\r\n"
                            u"Quoted=\"  spaced  \"\r\nSingle='x'\r\nHalf=\"open\r\nBare\r\nEq=a=b\r\n; comment=1\r\n"
                            u"[setting]\r\nLater=1\r\n[Font]\nName=ＭＳ ゴシック\rSize=9\r\n",
                            locale);
    const std::tuple<std::u16string, std::u16string, std::u16string> cases[] = {
        {u"Setting", u"Xpos", u"100"},          {u"setting", u"xpos", u"100"},  // the first key; any case
        {u"Setting", u"Ypos", u"200"},          {u"Setting", u"Xsize", u"300"},
        {u"Setting", u"Quoted", u"  spaced  "}, {u"Setting", u"Single", u"x"},
        {u"Setting", u"Half", u"\"open"},       {u"Setting", u"Bare", u""},
        {u"Setting", u"Eq", u"a=b"},            {u"Setting", u"Later", u""},  // only the first [Setting]
        {u"Setting", u"orphan", u""},           {u"Nowhere", u"Xpos", u""},
        {u"Font", u"Name", u"ＭＳ ゴシック"},   {u"Font", u"Size", u"9"},  // lone LF and CR end lines
    };
    for (const auto& [section, key, value] : cases) EXPECT_EQ(file.ReadSetting(section, key), value) << Utf8(key);

    const SettingsFile bars(u"[toolbar]\r\nnot,0,this,one\r\n[ToolBar] \r\nnor,0,this,one\r\n[ToolBar]\r\na,0,b,c\r\n"
                            u"\r\n[ToolBar]\r\nd,0,e,f",
                            locale);
    EXPECT_EQ(bars.ToolBarLines(), (std::vector<std::u16string_view>{u"a,0,b,c", u"", u"[ToolBar]", u"d,0,e,f"}));
}

TEST(CommandLine, NamesOneFile) {
    const std::pair<std::u16string, std::u16string> lines[] = {
        {u"\"C:\\My Documents\\a b.txt\"", u"C:\\My Documents\\a b.txt"},
        {u"C:\\My Documents\\a b.txt", u"C:\\My Documents\\a b.txt"},
        {u"\"C:\\a.txt", u"\"C:\\a.txt"}, {u"C:\\a.txt\"", u"C:\\a.txt\""}, {u"\"", u"\""},  // a quote at one end
        {u"\"\"", u""}, {u"\"a\" \"b\"", u"a\" \"b"}};
    for (const auto& [line, path] : lines) EXPECT_EQ(PathFromCommandLine(line), path) << Utf8(line);
}

}  // namespace
}  // namespace scribbit
