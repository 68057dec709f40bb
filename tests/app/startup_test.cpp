// Start-up from the settings file, the layout of the edit view between the
// bars, and the end of the program, through the main form.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

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
        {u"Xpos=-1\r\nYpos=-120", FirstRunBounds, bars},                  // a maximised window's corner
        {u"Xsize=5199\r\nYsize=4999", FirstRunBounds, bars},
        {u"Xsize=6000.5\r\nYsize=6001.5", {0, 0, 6000, 6002}, bars},  // half to even
        {u"Xpos=9999999999\r\nXsize=9999999999\r\nYsize=1e99", FirstRunBounds, bars},
        // Booleans, but MostFront and CharCount take only the word True; a word that is none leaves the bars.
        {views(u"True"), FirstRunBounds, u"wrap status toolbar top 文字"},
        {views(u"true"), FirstRunBounds, u"wrap status toolbar - バイト"},
        {views(u"0"), FirstRunBounds, u"- - - - バイト"},
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
TEST(Layout, AMinimisedWindowKeepsItsLayoutAndItsLastPlacement) {
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

}  // namespace
}  // namespace scribbit
