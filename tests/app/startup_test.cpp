#include "app/startup.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "support/app_fixture.h"
#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

// A settings file with the given [Setting] and [Font] lines and no toolbar.
std::u16string Settings(const std::u16string& setting, const std::u16string& font = u"",
                        const std::u16string& toolBar = u"") {
    return u"[Setting]\r\n" + setting + u"\r\n\r\n[Font]\r\n" + font + u"\r\n\r\n[ToolBar]\r\n" + toolBar;
}

TEST(PathFromCommandLine, DropsOnePairOfQuotesAroundTheWhole) {
    struct Case {
        std::u16string commandLine, path;
    } cases[] = {
        {u"\"C:\\My Documents\\a b.txt\"", u"C:\\My Documents\\a b.txt"},
        {u"C:\\My Documents\\a b.txt", u"C:\\My Documents\\a b.txt"},
        {u"\"C:\\a.txt", u"\"C:\\a.txt"},
        {u"C:\\a.txt\"", u"C:\\a.txt\""},
        {u"\"", u"\""},  // one character is a quote at one end only
        {u"\"\"", u""},
        {u"\"a\" \"b\"", u"a\" \"b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathFromCommandLine(c.commandLine), c.path) << Narrow(c.commandLine);
}

TEST(StartUp, FirstRunStartsFromTheDefaultsAndWritesTheFile) {
    AppFixture app;
    ASSERT_FALSE(app.files.FileExists(app.SettingsPath()));
    app.form.Form_Load(u"");

    EXPECT_TRUE(app.files.FileExists(app.SettingsPath()));
    EXPECT_EQ(app.frame.GetBounds(), (Bounds{0, 0, 5200, 5000}));
    EXPECT_FALSE(app.menus.IsChecked(menu::FormWordWrap));
    EXPECT_EQ(&app.Context().ActiveEditor(), &app.txtNoReturn);
    EXPECT_TRUE(app.txtNoReturn.IsVisible());
    EXPECT_FALSE(app.txtReturn.IsVisible());
    EXPECT_TRUE(app.menus.IsChecked(menu::CountBytes));
    EXPECT_FALSE(app.menus.IsChecked(menu::CountCharacters));
    EXPECT_EQ(app.status.PanelText(2), u"バイト");
    EXPECT_TRUE(app.status.IsVisible());
    EXPECT_TRUE(app.menus.IsChecked(menu::FormStatusBar));
    EXPECT_TRUE(app.toolBar.IsVisible());
    EXPECT_TRUE(app.menus.IsChecked(menu::FormToolBar));
    EXPECT_FALSE(app.menus.IsChecked(menu::FormAlwaysOnTop));
    EXPECT_FALSE(app.frame.IsTopMost());
    EXPECT_EQ(app.toolBar.Entries(), DefaultToolBarEntries());
    EXPECT_EQ(app.Context().PasteButtonIndex, 9);
    EXPECT_EQ(app.Context().AlwaysOnTopButtonIndex, -1);
    EXPECT_EQ(app.txtNoReturn.Font(), FirstRunFont());
    EXPECT_EQ(app.txtNoReturn.TextColor(), WindowTextColor);
    EXPECT_EQ(app.Context().TabSpace, 0);
    EXPECT_EQ(app.frame.Icon(), AppIconResource);
    EXPECT_EQ(app.frame.Caption(), u"ScribbitⅡ");
    EXPECT_TRUE(app.frame.IsShown());
    EXPECT_TRUE(app.dialogs.messages.empty());
}

TEST(StartUp, PageSetupStartsEveryRunFromItsDefaults) {
    AppFixture app;
    app.Context().pageSetup.MarginLeft = 3;
    app.Context().pageSetup.FooterText = u"changed";
    app.form.Form_Load(u"");
    const PageSetup& page = app.Context().pageSetup;
    EXPECT_EQ((std::array{page.MarginLeft, page.MarginRight, page.MarginTop, page.MarginBottom}),
              (std::array<std::int32_t, 4>{15, 15, 20, 20}));
    EXPECT_EQ(page.HeaderText, u"");
    EXPECT_EQ(page.FooterText, u"ページ");
}

TEST(StartUp, FirstRunInAFolderThatCannotBeWrittenStillGetsTheDefaultToolBar) {
    AppFixture app;
    app.files.SetFolderReadOnly(u"C:\\Tools\\Scribbit", true);
    app.form.Form_Load(u"");
    EXPECT_FALSE(app.files.FileExists(app.SettingsPath()));
    EXPECT_EQ(app.toolBar.Entries(), DefaultToolBarEntries());
    EXPECT_EQ(app.Context().PasteButtonIndex, 9);
    EXPECT_TRUE(app.status.IsVisible());
    EXPECT_TRUE(app.frame.IsShown());
    EXPECT_TRUE(app.dialogs.messages.empty());
}

TEST(StartUp, ASettingsFileThatCannotBeReadStartsFromTheDefaultsAndIsLeftAlone) {
    AppFixture app;
    const std::u16string stored = Settings(u"Xpos=700\r\nStatusBar=False");
    app.PutSettings(stored);
    app.files.SetLocked(app.SettingsPath(), true);
    app.form.Form_Load(u"");
    EXPECT_EQ(app.frame.GetBounds(), (Bounds{0, 0, 5200, 5000}));
    EXPECT_EQ(app.toolBar.Entries(), DefaultToolBarEntries());
    EXPECT_TRUE(app.status.IsVisible());
    EXPECT_FALSE(app.form.Form_Unload());  // exit must not write the defaults over it
    app.files.SetLocked(app.SettingsPath(), false);
    EXPECT_EQ(app.SettingsOnDisk(), stored);
}

struct PlacementCase {
    std::u16string setting;
    Bounds expected;
};

TEST(StartUp, PlacesTheWindowWithinTheScreenAndAboveTheMinimumSize) {
    // The double's screen is 15360 x 11520 twips.
    const PlacementCase cases[] = {
        {u"Xpos=100\r\nYpos=200\r\nXsize=6000\r\nYsize=7000", {100, 200, 6000, 7000}},
        {u"Xpos=15360\r\nYpos=11520", {15360, 11520, 5200, 5000}},  // the screen's edge is kept
        {u"Xpos=15361\r\nYpos=11521", {0, 0, 5200, 5000}},          // one twip beyond is not
        {u"Xpos=-1\r\nYpos=-120", {0, 0, 5200, 5000}},              // a maximised window's corner
        {u"Xsize=5199\r\nYsize=4999", {0, 0, 5200, 5000}},
        {u"Xsize=\r\nYsize=", {0, 0, 5200, 5000}},
        {u"Xsize=abc\r\nYsize=-7", {0, 0, 5200, 5000}},
        {u"Xsize=6000.5\r\nYsize=6001.5", {0, 0, 6000, 6002}},  // half to even
        {u"Xsize=40000\r\nYsize=33000", {0, 0, 40000, 33000}},  // wider than 16 bits
        {u"Xpos=9999999999\r\nXsize=9999999999\r\nYsize=1e99", {0, 0, 5200, 5000}},
        {u"Xpos= 300 \r\nYpos=40px", {300, 40, 5200, 5000}},
    };
    for (const PlacementCase& c : cases) {
        AppFixture app;
        app.PutSettings(Settings(c.setting));
        app.form.Form_Load(u"");
        EXPECT_EQ(app.frame.GetBounds(), c.expected) << Narrow(c.setting);
    }
}

struct ViewCase {
    std::u16string value;
    bool expected;
};

TEST(StartUp, ReadsTheViewOptionsAsBooleans) {
    const ViewCase cases[] = {
        {u"True", true},   {u"true", true},   {u"1", true},  {u"-1", true},
        {u"False", false}, {u"FALSE", false}, {u"0", false},
    };
    for (const ViewCase& c : cases) {
        AppFixture app;
        app.PutSettings(
            Settings(u"TurnRight=" + c.value + u"\r\nStatusBar=" + c.value + u"\r\nToolBar=" + c.value));
        app.form.Form_Load(u"");
        const std::string label = Narrow(c.value);
        EXPECT_EQ(app.menus.IsChecked(menu::FormWordWrap), c.expected) << label;
        EXPECT_EQ(&app.Context().ActiveEditor(), c.expected ? &app.txtReturn : &app.txtNoReturn) << label;
        EXPECT_EQ(app.txtReturn.IsVisible(), c.expected) << label;
        EXPECT_EQ(app.txtNoReturn.IsVisible(), !c.expected) << label;
        EXPECT_EQ(app.status.IsVisible(), c.expected) << label;
        EXPECT_EQ(app.menus.IsChecked(menu::FormStatusBar), c.expected) << label;
        EXPECT_EQ(app.toolBar.IsVisible(), c.expected) << label;
        EXPECT_EQ(app.menus.IsChecked(menu::FormToolBar), c.expected) << label;
    }
}

TEST(StartUp, ViewOptionsThatDoNotConvertTakeTheirFirstRunDefaults) {
    for (std::u16string value : {u"", u"yes", u"Truee", u"1x"}) {
        AppFixture app;
        app.PutSettings(
            Settings(u"TurnRight=" + value + u"\r\nStatusBar=" + value + u"\r\nToolBar=" + value));
        app.form.Form_Load(u"");
        EXPECT_FALSE(app.menus.IsChecked(menu::FormWordWrap)) << Narrow(value);
        EXPECT_TRUE(app.status.IsVisible()) << Narrow(value);
        EXPECT_TRUE(app.toolBar.IsVisible()) << Narrow(value);
        EXPECT_TRUE(app.frame.IsShown());
    }
}

TEST(StartUp, MostFrontAndCharCountTakeOnlyTheExactWordTrue) {
    struct Case {
        std::u16string value;
        bool on;
    } cases[] = {{u"True", true}, {u"\"True\"", true}, {u"true", false}, {u"1", false}, {u"", false}};
    for (const Case& c : cases) {
        AppFixture app;
        app.PutSettings(Settings(u"MostFront=" + c.value + u"\r\nCharCount=" + c.value));
        app.form.Form_Load(u"");
        const std::string label = Narrow(c.value);
        EXPECT_EQ(app.menus.IsChecked(menu::FormAlwaysOnTop), c.on) << label;
        EXPECT_EQ(app.frame.IsTopMost(), c.on) << label;
        EXPECT_EQ(app.menus.IsChecked(menu::CountCharacters), c.on) << label;
        EXPECT_EQ(app.menus.IsChecked(menu::CountBytes), !c.on) << label;
        EXPECT_EQ(app.status.PanelText(2), c.on ? u"文字" : u"バイト") << label;
    }
}

TEST(StartUp, KeptOnTopTheWindowIsShownBeforeTheToolBarIsBuilt) {
    AppFixture app;
    app.PutSettings(Settings(u"MostFront=True", u"", u"常に手前に表示,1,mostfront,常に手前に表示\r\n"));
    app.form.Form_Load(u"");
    const int topMost = app.log.IndexOf("frame.SetTopMost(true)");
    const int checkedItem = app.log.IndexOf("menus.SetChecked(2,8,true)");
    const int toolBarBuilt = app.log.IndexOf("toolbar.Clear");
    ASSERT_GE(topMost, 0);
    EXPECT_LT(app.log.IndexOf("frame.SetBounds"), topMost);
    EXPECT_LT(checkedItem, toolBarBuilt);
    EXPECT_LT(topMost, toolBarBuilt);
    EXPECT_LT(toolBarBuilt, app.log.IndexOf("status.SetVisible(true)"));
    EXPECT_EQ(app.Context().AlwaysOnTopButtonIndex, 1);
    EXPECT_TRUE(app.toolBar.IsPressed(0));
}

TEST(StartUp, LaysOutTheEditorWithTheBarsItEndsWith) {
    // Kept on top, the window is shown and active early; no later
    // activation lays it out.
    AppFixture app;
    app.PutSettings(
        Settings(u"Xsize=6000\r\nYsize=7000\r\nMostFront=True\r\nToolBar=True\r\nStatusBar=True"));
    app.form.Form_Load(u"");
    EXPECT_EQ(app.txtNoReturn.Placement(), (Bounds{0, 390, 6000 - 120, 7000 - 690 - 255 - 390}));
}

TEST(StartUp, TheAlwaysOnTopButtonStartsReleasedWhenTheOptionIsOff) {
    AppFixture app;
    app.PutSettings(
        Settings(u"MostFront=False", u"", u",3,0,(区切り)\r\n常に手前に表示,1,mostfront,常に手前に表示\r\n"));
    app.form.Form_Load(u"");
    EXPECT_EQ(app.Context().AlwaysOnTopButtonIndex, 2);
    EXPECT_FALSE(app.toolBar.IsPressed(1));
    EXPECT_EQ(app.log.IndexOf("frame.SetTopMost(true)"), -1);
}

TEST(StartUp, AppliesTheFontAttributeByAttributeInOrder) {
    AppFixture app;
    app.PutSettings(
        Settings(u"TurnRight=True",
                 u"Bold=True\r\nItalic=1\r\nName=ＭＳ 明朝\r\nSize=10.5\r\nStrikethrough=False\r\n"
                 u"Underline=true\r\nColor=&HFF"));
    std::vector<FontSpec> fonts;
    // Record the fonts the wrapping view receives, one per attribute.
    struct Recorder : FakeEditView {
        using FakeEditView::FakeEditView;
        std::vector<FontSpec>* out = nullptr;
        void SetFont(const FontSpec& font) override {
            if (out) out->push_back(font);
            FakeEditView::SetFont(font);
        }
    };
    Recorder wrapping(app.clipboard);
    wrapping.SetFont(FirstRunFont());
    wrapping.out = &fonts;
    // Ports holds references: a second form starts with the recording view.
    Ports recordingPorts{app.frame,   wrapping,    app.txtNoReturn, app.status, app.menus,
                         app.toolBar, app.dialogs, app.clipboard,   app.files,  app.locale};
    MainForm form(recordingPorts, u"C:\\Tools\\Scribbit", app.text, app.editingWindows);
    form.Form_Load(u"");

    ASSERT_EQ(fonts.size(), 6u);
    EXPECT_TRUE(fonts[0].bold);
    EXPECT_FALSE(fonts[0].italic);
    EXPECT_TRUE(fonts[1].italic);
    EXPECT_EQ(fonts[1].name, u"FixedSys");
    EXPECT_EQ(fonts[2].name, u"ＭＳ 明朝");
    EXPECT_EQ(fonts[2].size, 13.5);
    EXPECT_EQ(fonts[3].size, 10.5);
    EXPECT_FALSE(fonts[4].strikethrough);
    EXPECT_FALSE(fonts[4].underline);
    EXPECT_EQ(fonts[5], (FontSpec{u"ＭＳ 明朝", 10.5, true, true, false, true}));
    EXPECT_EQ(wrapping.TextColor(), 0xFFu);
    EXPECT_EQ(app.txtNoReturn.Font(), FirstRunFont());  // the hidden view is left alone
}

TEST(StartUp, FontValuesThatDoNotConvertTakeTheirFirstRunDefaults) {
    AppFixture app;
    app.PutSettings(Settings(u"",
                             u"Bold=maybe\r\nItalic=\r\nName=\r\nSize=huge\r\nStrikethrough=2x\r\n"
                             u"Underline=-\r\nColor=blue"));
    app.form.Form_Load(u"");
    EXPECT_EQ(app.txtNoReturn.Font(), FirstRunFont());
    EXPECT_EQ(app.txtNoReturn.TextColor(), WindowTextColor);
}

TEST(StartUp, ReadsTheTabWidthAsItIs) {
    struct Case {
        std::u16string value;
        std::int32_t expected;
    } cases[] = {{u"4", 4}, {u"-3", -3}, {u"0", 0}, {u"", 0}, {u"tab", 0}, {u"70000", 70000}, {u"1e12", 0}};
    for (const Case& c : cases) {
        AppFixture app;
        app.PutSettings(Settings(u"TabSpace=" + c.value));
        app.form.Form_Load(u"");
        EXPECT_EQ(app.Context().TabSpace, c.expected) << Narrow(c.value);
    }
}

TEST(StartUp, BrokenFilesStillStart) {
    const std::string files[] = {
        "",
        "\xff\xfe\x00garbage\x81",
        "[Setting]\r\nXpos=\r\n",
        "[Font]\r\nName=\r\n[ToolBar]",
        std::string(100000, '='),
    };
    for (const std::string& bytes : files) {
        AppFixture app;
        app.files.AddFile(app.SettingsPath(), bytes);
        app.form.Form_Load(u"");
        EXPECT_TRUE(app.frame.IsShown());
        EXPECT_EQ(app.frame.GetBounds(), (Bounds{0, 0, 5200, 5000}));
        EXPECT_EQ(app.toolBar.Count(), 0u);  // only a missing file gets the default toolbar
        EXPECT_EQ(app.Context().PasteButtonIndex, -1);
        EXPECT_EQ(app.txtNoReturn.Font(), FirstRunFont());
        EXPECT_EQ(app.files.Contents(app.SettingsPath()), bytes);  // nothing is written at start
    }
}

TEST(StartUp, ReadsTheFileInTheAnsiCodePage) {
    AppFixture app;
    // "ＭＳ ゴシック" in Shift-JIS.
    app.files.AddFile(app.SettingsPath(),
                      "[Font]\r\nName=\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\r\n");
    app.form.Form_Load(u"");
    EXPECT_EQ(app.txtNoReturn.Font().name, u"ＭＳ ゴシック");
}

TEST(StartUp, SeedsTheCopyHistoryAfterTheTabWidthAndBeforeTheIcon) {
    AppFixture app;
    app.PutSettings(Settings(u"TabSpace=6"));
    std::int32_t tabWidthSeen = -1;
    int iconSeen = -1;
    StartUp(app.Context(), u"", [&] {
        tabWidthSeen = app.Context().TabSpace;
        iconSeen = app.frame.Icon();
    });
    EXPECT_EQ(tabWidthSeen, 6);
    EXPECT_EQ(iconSeen, 0);
    EXPECT_EQ(app.frame.Icon(), AppIconResource);
}

TEST(StartUp, OpensTheFileNamedOnTheCommandLine) {
    for (std::u16string commandLine : {u"\"C:\\My Documents\\a b.txt\"", u"C:\\My Documents\\a b.txt"}) {
        AppFixture app;
        app.files.AddFile(u"C:\\My Documents\\a b.txt", "hello\r\n");
        app.form.Form_Load(commandLine);
        EXPECT_EQ(app.Context().document.CurrentFilePath, u"C:\\My Documents\\a b.txt")
            << Narrow(commandLine);
        EXPECT_EQ(app.ActiveView().Text(), u"hello\r\n");
        EXPECT_EQ(app.frame.Caption(), u"a b.txt");
        EXPECT_TRUE(app.frame.IsShown());
    }
}

TEST(StartUp, ACommandLineFileThatCannotBeOpenedIsReportedAndStartUpCompletes) {
    AppFixture app;
    app.files.AddFile(u"C:\\My Documents\\a b.txt", "hello");
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    app.form.Form_Load(u"\"C:\\My Documents\\a b.txt");  // a quote at one end only
    EXPECT_EQ(app.dialogs.messages.size(), 1u);
    EXPECT_TRUE(app.frame.IsShown());
    EXPECT_EQ(app.ActiveView().Text(), u"");
    EXPECT_EQ(app.Context().document.CurrentFilePath, u"");
}

TEST(StartUp, AnEmptyQuotedCommandLineOpensNothing) {
    AppFixture app;
    app.form.Form_Load(u"\"\"");
    EXPECT_TRUE(app.dialogs.messages.empty());
    EXPECT_EQ(app.Context().document.CurrentFilePath, u"");
    EXPECT_TRUE(app.frame.IsShown());
}

}  // namespace
}  // namespace scribbit
