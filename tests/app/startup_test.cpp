// Start-up from the settings file, the layout of the edit view between the
// bars, and the end of the program, through the main form.
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "app/startup.h"
#include "support/app_fixture.h"
#include "support/utf8.h"
#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

// A settings file with these [Setting], [Font] and [ToolBar] lines.
std::u16string Settings(const std::u16string& setting, const std::u16string& font = u"",
                        const std::u16string& toolBar = u"") {
    return u"[Setting]\r\n" + setting + u"\r\n[Font]\r\n" + font + u"\r\n[ToolBar]\r\n" + toolBar;
}

constexpr Bounds Default = FirstRunBounds;

// The first run's settings file is checked byte for byte by the end-to-end suite.
TEST(StartUp, TheFirstRunWritesTheDefaultsAndShowsThem) {
    AppFixture app;
    app.form.Form_Load(u"");
    EXPECT_TRUE(app.files.FileExists(app.SettingsPath()));
    EXPECT_EQ(app.frame.bounds, Default);
    EXPECT_EQ(&app.Context().ActiveEditor(), &app.txtNoReturn);
    EXPECT_TRUE(app.txtNoReturn.IsVisible() && !app.txtReturn.IsVisible());
    EXPECT_TRUE(app.menus.IsChecked(menu::CountBytes) && !app.menus.IsChecked(menu::CountCharacters));
    EXPECT_EQ(app.status.PanelText(2), u"バイト");
    EXPECT_TRUE(app.status.visible && app.menus.IsChecked(menu::FormStatusBar));
    EXPECT_TRUE(app.toolBar.visible && app.menus.IsChecked(menu::FormToolBar));
    EXPECT_FALSE(app.frame.topMost || app.menus.IsChecked(menu::FormAlwaysOnTop));
    EXPECT_EQ(app.toolBar.Entries(), DefaultToolBarEntries());
    EXPECT_EQ(std::tuple(app.Context().PasteButtonIndex, app.Context().AlwaysOnTopButtonIndex), std::tuple(9, -1));
    EXPECT_EQ(std::tuple(app.frame.icon, app.frame.shown, app.frame.caption), std::tuple(AppIconResource, true, AppTitle));
    EXPECT_EQ(app.txtNoReturn.Font(), FirstRunFont());
}

TEST(StartUp, ASettingsFileThatCannotBeReadGivesTheDefaultsAndIsLeftAlone) {
    AppFixture locked;
    const std::u16string stored = Settings(u"Xpos=700\r\nStatusBar=False");
    locked.PutSettings(stored);
    locked.files.SetLocked(locked.SettingsPath(), true);
    locked.form.Form_Load(u"");
    EXPECT_EQ(locked.frame.bounds, Default);
    EXPECT_EQ(locked.toolBar.Entries(), DefaultToolBarEntries());
    EXPECT_TRUE(locked.status.visible);
    EXPECT_FALSE(locked.form.Form_Unload());  // exit must not write the defaults over it
    locked.files.SetLocked(locked.SettingsPath(), false);
    EXPECT_EQ(locked.SettingsOnDisk(), stored);
}

TEST(StartUp, APlacementOffTheScreenOrBelowTheMinimumIsCorrected) {
    const std::pair<std::u16string, Bounds> cases[] = {
        {u"Xpos=100\r\nYpos=200\r\nXsize=6000\r\nYsize=7000", {100, 200, 6000, 7000}},
        {u"Xpos=15360\r\nYpos=11520", {15360, 11520, 5200, 5000}},  // the screen's edge is kept
        {u"Xpos=15361\r\nYpos=11521", Default},                       // one twip beyond is not
        {u"Xpos=-1\r\nYpos=-120", Default},                           // a maximised window's corner
        {u"Xsize=5199\r\nYsize=4999", Default},
        {u"Xsize=6000.5\r\nYsize=6001.5", {0, 0, 6000, 6002}},  // half to even
        {u"Xsize=40000\r\nYsize=33000", {0, 0, 40000, 33000}},  // wider than 16 bits
        {u"Xpos=9999999999\r\nXsize=9999999999\r\nYsize=1e99", Default},
    };
    for (const auto& [setting, expected] : cases) {
        AppFixture app;
        app.PutSettings(Settings(setting));
        app.form.Form_Load(u"");
        EXPECT_EQ(app.frame.bounds, expected) << Utf8(setting);
    }
}

TEST(StartUp, ViewOptionsAreBooleansButMostFrontAndCharCountOnlyTheWordTrue) {
    const struct {
        std::u16string value;
        bool on, exactlyTrue;
    } cases[] = {{u"True", true, true}, {u"\"True\"", true, true}, {u"true", true, false}, {u"-1", true, false},
                 {u"0", false, false},  {u"FALSE", false, false},  {u"yes", false, false}};
    for (const auto& c : cases) {
        AppFixture app;
        const std::u16string v = c.value;
        app.PutSettings(Settings(u"TurnRight=" + v + u"\r\nStatusBar=" + v + u"\r\nToolBar=" + v + u"\r\nMostFront=" +
                                     v + u"\r\nCharCount=" + v,
                                 u"", u",3,0,(区切り)\r\n常に手前に表示,1,mostfront,常に手前に表示"));
        app.form.Form_Load(u"");
        const bool shown = c.on || c.value == u"yes";  // the bars fall back to shown
        EXPECT_EQ(app.menus.IsChecked(menu::FormWordWrap), c.on) << Utf8(v);
        EXPECT_EQ(&app.Context().ActiveEditor(), c.on ? &app.txtReturn : &app.txtNoReturn);
        EXPECT_EQ(std::tuple(app.txtReturn.IsVisible(), app.txtNoReturn.IsVisible()), std::tuple(c.on, !c.on));
        EXPECT_EQ(std::tuple(app.status.visible, app.menus.IsChecked(menu::FormStatusBar)), std::tuple(shown, shown));
        EXPECT_EQ(std::tuple(app.toolBar.visible, app.menus.IsChecked(menu::FormToolBar)), std::tuple(shown, shown));
        EXPECT_EQ(std::tuple(app.frame.topMost, app.menus.IsChecked(menu::FormAlwaysOnTop), app.toolBar.IsPressed(1)),
                  std::tuple(c.exactlyTrue, c.exactlyTrue, c.exactlyTrue));
        EXPECT_EQ(std::tuple(app.menus.IsChecked(menu::CountCharacters), app.menus.IsChecked(menu::CountBytes)),
                  std::tuple(c.exactlyTrue, !c.exactlyTrue));
        EXPECT_EQ(app.status.PanelText(2), c.exactlyTrue ? u"文字" : u"バイト");
        EXPECT_EQ(app.Context().AlwaysOnTopButtonIndex, 2);
    }
}

TEST(StartUp, BrokenFilesStillStartAndAreNotRewritten) {
    for (const std::string& bytes : {std::string(), std::string("\xff\xfe\x00garbage\x81", 11),
                                     std::string("[Font]\r\nName=\r\n[ToolBar]"), std::string(100000, '=')}) {
        AppFixture app;
        app.files.AddFile(app.SettingsPath(), bytes);
        app.form.Form_Load(u"");
        EXPECT_TRUE(app.frame.shown);
        EXPECT_EQ(app.frame.bounds, Default);
        EXPECT_EQ(app.toolBar.Count(), 0u);  // only a missing file gets the default toolbar
        EXPECT_EQ(app.Context().PasteButtonIndex, -1);
        EXPECT_EQ(app.files.Contents(app.SettingsPath()), bytes);
    }
}

TEST(Layout, ATooLowWindowSnapsBackAndAMinimisedOneKeepsItsLayoutAndLastPlacement) {
    AppFixture low;
    low.frame.metrics = {900, 180};
    low.status.height = 330;
    low.toolBar.height = 420;
    low.Context().view.statusBar = low.Context().view.toolBar = true;
    low.frame.bounds = {10, 20, 8000, 1000};
    low.form.Form_Activate();
    EXPECT_EQ(low.frame.bounds.height, 900 + 330 + 420);
    EXPECT_EQ(low.txtNoReturn.Placement(), (Bounds{0, 420, 7820, 0}));

    AppFixture app;
    app.form.Form_Load(u"");
    app.frame.bounds = {300, 400, 6000, 7000};
    app.form.Form_Activate();
    const Bounds editor = app.txtNoReturn.Placement();
    app.frame.bounds = {-32000, -32000, 2400, 300};
    app.frame.minimized = true;
    app.form.Form_Activate();
    app.form.Form_Resize();
    EXPECT_EQ(app.txtNoReturn.Placement(), editor);
    EXPECT_EQ(app.frame.bounds.height, 300);
    EXPECT_NE(SettingsText(app.Context()).find(u"Xpos=300\r\nYpos=400\r\nXsize=6000\r\nYsize=7000\r\n"),
              std::u16string::npos);
}

TEST(Shutdown, TheSettingsAreWrittenBeforeTheEndAndNothingRunsAfterIt) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.Type(u"x");
    app.Context().TabSpace = 7;
    app.dialogs.AnswerMessage(MessageAnswer::Cancel);
    EXPECT_TRUE(app.form.Form_Unload() && !app.frame.quit);  // the window stays
    std::optional<std::u16string> atQuit;
    app.frame.onQuit = [&] { atQuit = app.SettingsOnDisk(); };
    app.dialogs.AnswerMessage(MessageAnswer::No);
    EXPECT_FALSE(app.form.Form_Unload());
    EXPECT_NE(atQuit.value_or(u"").find(u"TabSpace=7"), std::u16string::npos);
    EXPECT_TRUE(app.form.HasEnded());
    EXPECT_FALSE(app.form.Form_Unload());  // a late close, resize or menu does nothing
    app.form.Form_Resize();
    app.form.MenuClick(menu::FileExit);

    AppFixture full;
    full.form.Form_Load(u"");
    const std::optional<std::string> previous = full.files.Contents(full.SettingsPath());
    full.Context().TabSpace = 9;
    full.files.FailWrites(full.SettingsPath(), win_error::DiskFull);
    EXPECT_FALSE(full.form.Form_Unload());  // a full disk does not keep the program alive
    EXPECT_TRUE(full.frame.quit);
    EXPECT_EQ(full.files.Contents(full.SettingsPath()), previous);
}

TEST(Shutdown, WhatTheUserLeftComesBackAtTheNextStart) {
    AppFixture first;
    first.form.Form_Load(u"");
    first.frame.bounds = {-120, -120, 15600, 11900};  // maximised
    first.form.Form_Activate();
    first.form.MenuClick(menu::FormWordWrap);
    const FontSpec font{u"ＭＳ ゴシック", 10.5, true, false, true, false};
    first.dialogs.ChooseFont(font, 0x0000FF);
    first.form.MenuClick(menu::FormFont);
    first.form.MenuClick(menu::FormStatusBar);
    first.form.MenuClick(menu::CountCharacters);
    first.form.MenuClick(menu::FormAlwaysOnTop);
    first.Context().TabSpace = 70000;
    ASSERT_FALSE(first.form.Form_Unload());

    AppFixture second;
    second.files.AddFile(second.SettingsPath(), first.files.Contents(first.SettingsPath()).value());
    second.form.Form_Load(u"");
    EXPECT_EQ(second.frame.bounds, (Bounds{0, 0, 15600, 11900}));
    EXPECT_EQ(&second.Context().ActiveEditor(), &second.txtReturn);
    EXPECT_EQ(std::tuple(second.txtReturn.Font(), second.txtReturn.TextColor()), std::tuple(font, 0x0000FFu));
    EXPECT_FALSE(second.status.visible);
    EXPECT_EQ(second.status.PanelText(2), u"文字");
    EXPECT_TRUE(second.frame.topMost);
    EXPECT_EQ(second.Context().TabSpace, 70000);
}

TEST(MainForm, KeyReleasesAndClicksUpdateTheCountAndTheEditItems) {
    AppFixture app;
    app.clipboard.Put(u"kept from before");
    app.form.Form_Load(u"");
    app.Type(u"あa");
    EXPECT_EQ(app.status.PanelText(3), u"0");  // counted on key release only
    app.ActiveView().SetSel(1, 1);
    app.form.OnEditorKeyUp();
    EXPECT_EQ(app.status.PanelText(3), u"3");
    EXPECT_TRUE(app.menus.IsEnabled(menu::EditCut) && app.menus.IsEnabled(menu::EditDelete));
    app.ActiveView().SetSel(0, 0);
    app.form.OnEditorClick();
    EXPECT_FALSE(app.menus.IsEnabled(menu::EditCopy) || app.menus.IsEnabled(menu::EditDelete));
    EXPECT_TRUE(app.menus.IsEnabled(menu::EditPaste));
}

}  // namespace
}  // namespace scribbit
