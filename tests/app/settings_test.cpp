// Reading what the user types and what the settings file holds: every
// number by its parser, the profile reader's lines and the command line.
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

constexpr std::nullopt_t No = std::nullopt;
using Row = std::pair<std::u16string_view, std::optional<double>>;  // nullopt: refused

template <class T>
std::optional<double> AsDouble(const T& value) {
    if constexpr (std::is_arithmetic_v<T>)
        return double(value);
    else
        return value ? std::optional(double(*value)) : No;
}
template <class Parse, std::size_t N>
void ExpectReads(Parse parse, const Row (&rows)[N]) {
    for (const auto& [text, value] : rows) EXPECT_EQ(AsDouble(parse(text)), value) << Utf8(text);
}

TEST(Parsers, ReadSettingNumbersMarginsTabWidthsAndLineNumbers) {
    const double Max = 2147483647, Sys = WindowTextColor;
    // Only the start counts; a half goes to the even neighbour.
    const Row numbers[] = {
        {u"", 0},          {u"abc", 0},          {u"  -15", -15},     {u"+7", 7},
        {u"12abc", 12},    {u"2.5", 2},          {u"3.5", 4},         {u"-2.5", -2},
        {u"1.5E+2x", 150}, {u"7e", 7},           {u"&H10", 0},        {u".5", 0},
        {u"1e400", No},    {u"2147483647", Max}, {u"2147483648", No}, {u"-2147483649", No}};
    ExpectReads(ReadInt32Setting, numbers);
    const Row wholes[] = {{u" 3 ", 3}, {u"3x", No}, {u"", No}};
    ExpectReads(ReadWholeInt32Setting, wholes);
    const Row booleans[] = {{u"True", 1}, {u"fAlSe", 0}, {u"0", 0},    {u"-1", 1},     {u"0.4", 1},
                            {u" 0 ", 0},  {u"", No},     {u"yes", No}, {u"Truex", No}, {u"1abc", No}};
    ExpectReads(ReadBooleanSetting, booleans);
    const Row colours[] = {
        {u"&H80000008", Sys},  {u"&hFF", 0xFF},     {u"&H00FF00&", 0xFF00},  // a Long's "&" may follow
        {u"-2147483640", Sys}, {u"255", 255},  // a negative number is the same bits read as signed
        {u"red", No},          {u"&H", No},         {u"&HXYZ", No},         {u"12abc", No},
        {u"&H100000000", No},  {u"&H12345678", No}, {u"&H80001000", No}};
    ExpectReads(ReadColorSetting, colours);
    const Row sizes[] = {{u"13.5", 13.5}, {u"9", 9}, {u"0", No}, {u"-9", No}, {u"12pt", No}, {u"100000", No}};
    ExpectReads(ReadFontSizeSetting, sizes);
    // Full-width digits, blanks, signs and points count too.
    const Row margins[] = {{u" 15", 15},      {u"12.5", 12},   {u"13.5", 14}, {u"8mm", 8},   {u"abc", 0},
                           {u"", 0},          {u"-3", -3},     {u"1e2", 1},   {u".5", 0},    {u"2.51", 3},
                           {u"99999", 32767}, {u"　１２", 12}, {u"－５", -5}, {u"１．５", 2}};
    ExpectReads(ParseMargin, margins);
    const Row tabs[] = {{u"", No},   {u"abc", No},        {u"4x", No},      {u"0", No},
                        {u"-3", No}, {u"0.5", No},        {u"0.6", 1},      {u"2.5", 2},
                        {u"3.5", 4}, {u" 8 ", 8},         {u"+6", 6},       {u"1e1", 10},
                        {u"４", 4},  {u"32767.4", 32767}, {u"32767.5", No}, {u"+-1", No}};
    ExpectReads(ParseTabSpaceEntry, tabs);
    const Row lines[] = {{u"1", 1},  {u" 3 ", 3}, {u"０５", 5}, {u"6", No},
                         {u"0", No}, {u"-1", No}, {u"2.0", No}, {u"99999999999999999999999", No}};
    ExpectReads([](std::u16string_view entry) { return ParseLineNumber(entry, 5); }, lines);
    for (const auto& [size, text] :
         {std::pair{9.0, u"9"}, {10.25, u"10.25"}, {8.333333, u"8.3333"}, {7.99999, u"8"}})
        EXPECT_EQ(FormatFontSize(size), text);
    EXPECT_EQ(std::tuple(MarginText(15), MarginText(-3)), std::tuple(u" 15", u"-3"));
}

// The first key in the first [Setting], in any case and with blanks around
// it; quotes only in pairs; lone LF and CR end lines.
TEST(SettingsFile, LooksUpKeysLikeTheProfileReader) {
    const FakeLocale locale;  // the file keeps it
    const SettingsFile file(
        u"[Setting]\r\n  Ypos  =  200  \nXSIZE=300\rXsize=999\r\nQuoted=\"  spaced  \"\r\nHalf=\"open\r\n"
        u"Eq=a=b\r\n[setting]\r\nLater=1\r\n[ToolBar] \r\nnot,0,this,one\r\n"
        u"[ToolBar]\r\na,0,b,c\r\n\r\n[ToolBar]\r\nd,0,e,f",
        locale);
    std::vector<std::u16string> values;
    for (const std::u16string_view key : {u"ypos", u"Xsize", u"Quoted", u"Half", u"Eq", u"Later"})
        values.push_back(file.ReadSetting(u"setting", key));
    EXPECT_EQ(values, (std::vector<std::u16string>{u"200", u"300", u"  spaced  ", u"\"open", u"a=b", u""}));
    EXPECT_EQ(file.ToolBarLines(),
              (std::vector<std::u16string_view>{u"a,0,b,c", u"", u"[ToolBar]", u"d,0,e,f"}));
}

TEST(CommandLine, NamesOneFile) {
    const std::pair<std::u16string, std::u16string> lines[] = {
        {u"\"C:\\My Documents\\a b.txt\"", u"C:\\My Documents\\a b.txt"},
        {u"C:\\My Documents\\a b.txt", u"C:\\My Documents\\a b.txt"},
        {u"\"C:\\a.txt", u"\"C:\\a.txt"},  // a quote at one end
        {u"\"", u"\""},
        {u"\"a\" \"b\"", u"a\" \"b"}};
    for (const auto& [line, path] : lines) EXPECT_EQ(PathFromCommandLine(line), path) << Utf8(line);
}

}  // namespace
}  // namespace scribbit
