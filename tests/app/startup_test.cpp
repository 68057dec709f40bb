// Start-up from the settings file, the layout of the edit view between the
// bars, and the end of the program, through the main form; and reading what
// the user types and what the settings file holds: every number by its
// parser, the profile reader's lines and the command line.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "core/setting_values.h"
#include "editing/go_to_line.h"
#include "editing/tab_width.h"
#include "printing/page_setup_dialog.h"
#include "support/app_fixture.h"
#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

// The first run's settings file is checked byte for byte by the end-to-end suite.
TEST(StartUp, TheFirstRunShowsTheDefaultsAndTheNextOneWhatTheUserLeft) {
    AppFixture first;
    first.form.Form_Load(u"");
    EXPECT_TRUE(first.files.disk.contains(first.SettingsPath()));  // written at once
    EXPECT_EQ(std::tuple(first.frame.bounds, first.Options(), first.toolBar.Entries(), first.frame.icon,
                         first.frame.shown, first.frame.caption),
              std::tuple(FirstRunBounds, u"- status toolbar - バイト", DefaultToolBarEntries(),
                         AppIconResource, true, AppTitle));

    first.frame.bounds = {-120, -120, 15600, 11900};  // maximised
    first.form.Form_Activate();
    first.Click(menu::FormWordWrap);
    const FontSpec font{u"ＭＳ ゴシック", 10.5, true, false, true, false};
    first.dialogs.Font({DialogOutcome::Chosen, font, 0x0000FF, {}});
    first.Click(menu::FormFont);
    first.Click(menu::FormStatusBar);
    first.Click(menu::CountCharacters);
    first.Click(menu::FormAlwaysOnTop);
    first.toolBar.buttons.erase(first.toolBar.buttons.begin());
    first.Context().TabSpace = 70000;
    ASSERT_FALSE(first.form.Form_Unload());

    AppFixture second;
    second.files.disk = first.files.disk;
    second.form.Form_Load(u"");
    EXPECT_EQ(std::tuple(second.frame.bounds, second.Options()),
              std::tuple(Bounds{0, 0, 15600, 11900}, u"wrap - toolbar top 文字"));
    EXPECT_EQ(std::tuple(second.txtReturn.Font(), second.txtReturn.TextColor()), std::tuple(font, 0x0000FFu));
    EXPECT_EQ(std::tuple(second.toolBar.Entries(), second.Context().TabSpace),
              std::tuple(first.toolBar.Entries(), 70000));
}

// Exit must not write the defaults over a file that could not be read.
TEST(StartUp, AFileThatCannotBeReadOrIsBrokenGivesTheDefaultsAndIsNotRewritten) {
    const std::string unreadable = "[Setting]\r\nXpos=700\r\n[ToolBar]\r\n";
    for (const std::string& bytes : {unreadable, std::string(), std::string("\xff\xfe\x00garbage\x81", 11),
                                     std::string("[Font]\r\nName=\r\n[ToolBar]"), std::string(100000, '=')}) {
        AppFixture app;
        app.files.disk[app.SettingsPath()] = bytes;
        if (bytes == unreadable) app.files.failures[app.SettingsPath()] = 32;
        app.form.Form_Load(u"");
        app.files.failures.clear();
        const bool shown = app.frame.shown;
        if (bytes == unreadable) {
            EXPECT_FALSE(app.form.Form_Unload());
        }
        EXPECT_EQ(
            std::tuple(shown, app.frame.bounds, app.toolBar.Count(), app.files.disk[app.SettingsPath()]),
            std::tuple(true, FirstRunBounds, bytes == unreadable ? DefaultToolBarEntries().size() : 0u,
                       bytes));
    }
}

// A start with these [Setting] lines and a toolbar whose second button is
// always on top: the window's place and the view options.
TEST(StartUp, TheSettingsPlaceTheWindowAndSetTheViewOptions) {
    const auto views = [](std::u16string_view v) {
        return u"TurnRight=" + std::u16string(v) + u"\r\nStatusBar=" + std::u16string(v) + u"\r\nToolBar=" +
               std::u16string(v) + u"\r\nMostFront=" + std::u16string(v) + u"\r\nCharCount=" +
               std::u16string(v);
    };
    const std::u16string bars = u"- status toolbar - バイト";
    const std::tuple<std::u16string, Bounds, std::u16string> rows[] = {
        {u"Xpos=100\r\nYpos=200\r\nXsize=6000\r\nYsize=7000", {100, 200, 6000, 7000}, bars},
        {u"Xpos=15360\r\nYpos=11520", {15360, 11520, 5200, 5000}, bars},  // the screen's edge is kept
        {u"Xpos=15361\r\nYpos=11521", FirstRunBounds, bars},              // one twip beyond is not
        {u"Xpos=-1\r\nYpos=-120", FirstRunBounds, bars},                  // a maximised window's corner
        {u"Xsize=5199\r\nYsize=4999", FirstRunBounds, bars},
        {u"Xsize=6000.5\r\nYsize=6001.5", {0, 0, 6000, 6002}, bars},  // half to even
        {u"Xsize=40000\r\nYsize=33000", {0, 0, 40000, 33000}, bars},  // wider than 16 bits
        {u"Xpos=9999999999\r\nXsize=9999999999\r\nYsize=1e99", FirstRunBounds, bars},
        // Booleans, but MostFront and CharCount take only the word True; a word that is none leaves the bars.
        {views(u"True"), FirstRunBounds, u"wrap status toolbar top 文字"},
        {views(u"\"True\""), FirstRunBounds, u"wrap status toolbar top 文字"},
        {views(u"true"), FirstRunBounds, u"wrap status toolbar - バイト"},
        {views(u"-1"), FirstRunBounds, u"wrap status toolbar - バイト"},
        {views(u"0"), FirstRunBounds, u"- - - - バイト"},
        {views(u"FALSE"), FirstRunBounds, u"- - - - バイト"},
        {views(u"yes"), FirstRunBounds, bars}};
    for (const auto& [setting, bounds, options] : rows) {
        AppFixture app;
        app.PutSettings(u"[Setting]\r\n" + setting +
                        u"\r\n[ToolBar]\r\n,3,0,(区切り)\r\n常に手前に表示,1,mostfront,常に手前に表示");
        app.form.Form_Load(u"");
        EXPECT_EQ(std::tuple(app.frame.bounds, app.Options(), app.toolBar.IsPressed(1)),
                  std::tuple(bounds, options, Contains(options, u"top")))
            << Utf8(setting);
    }
}

// Closing writes the settings before the end, a full disk does not keep the
// program alive, and nothing runs after the end.
TEST(Layout, ATooLowWindowSnapsBackAndAMinimisedOneKeepsItsLayoutAndLastPlacement) {
    AppFixture low;
    low.frame.metrics = {900, 180};
    low.status.height = 330;
    low.toolBar.height = 420;
    low.Context().view.statusBar = low.Context().view.toolBar = true;
    low.frame.bounds = {10, 20, 8000, 1000};
    low.form.Form_Activate();
    EXPECT_EQ(std::tuple(low.frame.bounds.height, low.txtNoReturn.Placement()),
              std::tuple(900 + 330 + 420, Bounds{0, 420, 7820, 0}));
    for (const bool full : {false, true}) {
        AppFixture app;
        app.form.Form_Load(u"");
        const std::u16string previous = app.SettingsOnDisk();
        app.frame.bounds = {300, 400, 6000, 7000};
        app.form.Form_Activate();
        const Bounds editor = app.txtNoReturn.Placement();
        app.frame.bounds = {-32000, -32000, 2400, 300};
        app.frame.minimized = true;
        app.form.Form_Activate();
        app.form.Form_Resize();
        EXPECT_EQ(std::tuple(app.txtNoReturn.Placement(), app.frame.bounds.height), std::tuple(editor, 300));
        if (full) app.files.writeFailures[app.SettingsPath()] = 112;
        std::u16string atQuit;
        app.frame.onQuit = [&] { atQuit = app.SettingsOnDisk(); };
        EXPECT_FALSE(app.form.Form_Unload());
        EXPECT_EQ(std::tuple(app.frame.quit, app.form.HasEnded(), atQuit == previous,
                             Contains(atQuit, u"Xpos=300\r\nYpos=400\r\nXsize=6000\r\nYsize=7000\r\n")),
                  std::tuple(true, true, full, !full));
        EXPECT_FALSE(app.form.Form_Unload());  // a late close, resize or menu does nothing
        app.form.Form_Resize();
        app.Click(menu::FileExit);
    }
}

TEST(MainForm, KeyReleasesAndClicksUpdateTheCountAndTheEditItems) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.Type(u"あa");
    EXPECT_EQ(app.status.PanelText(3), u"0");  // counted on key release only
    app.View().SetSel(1, 1);
    app.form.OnEditorKeyUp();
    EXPECT_EQ(app.status.PanelText(3), u"3");
    EXPECT_TRUE(app.menus.IsEnabled(menu::EditCut) && app.menus.IsEnabled(menu::EditDelete));
    app.View().SetSel(0, 0);
    app.form.OnEditorClick();
    EXPECT_FALSE(app.menus.IsEnabled(menu::EditCopy) || app.menus.IsEnabled(menu::EditDelete));
}

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
