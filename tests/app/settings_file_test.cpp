#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/app_fixture.h"
#include "support/fake_locale.h"

namespace scribbit {
namespace {

TEST(ProgramFolder, EndsWithExactlyOneBackslash) {
    EXPECT_EQ(ProgramFolder(u"C:\\Tools\\Scribbit"), u"C:\\Tools\\Scribbit\\");
    EXPECT_EQ(ProgramFolder(u"C:\\Tools\\Scribbit\\"), u"C:\\Tools\\Scribbit\\");
    EXPECT_EQ(ProgramFolder(u"C:\\"), u"C:\\");
    EXPECT_EQ(ProgramFolder(u"\\\\server\\share"), u"\\\\server\\share\\");
}

TEST(ProgramFolder, TheSettingsFileFollowsADriveRootDirectly) {
    AppFixture app(u"D:\\");
    EXPECT_EQ(app.SettingsPath(), u"D:\\ScribbitⅡ.ini");
    AppFixture nested(u"D:\\Apps\\");
    EXPECT_EQ(nested.SettingsPath(), u"D:\\Apps\\ScribbitⅡ.ini");
}

class ReadSettingTest : public ::testing::Test {
protected:
    FakeLocale locale;
};

TEST_F(ReadSettingTest, LooksUpKeysLikeTheProfileReader) {
    const SettingsFile file(
        u"orphan=1\r\n"
        u"[Setting]\r\n"
        u"Xpos=100\r\n"
        u"  Ypos  =  200  \r\n"
        u"XSIZE=300\r\n"
        u"Xpos=999\r\n"
        u"Quoted=\"  spaced  \"\r\n"
        u"Single='x'\r\n"
        u"Half=\"open\r\n"
        u"Bare\r\n"
        u"Empty=\r\n"
        u"Eq=a=b\r\n"
        u"; comment=1\r\n"
        u"[setting]\r\n"
        u"Later=1\r\n"
        u"[Font]\n"
        u"Name=ＭＳ ゴシック\r"
        u"Size=9\r\n",
        locale);
    struct Case {
        std::u16string section, key, expected;
    } cases[] = {
        {u"Setting", u"Xpos", u"100"},  // the first of two equal keys
        {u"setting", u"xpos", u"100"},  // names ignore case
        {u"Setting", u"Ypos", u"200"},  // blanks around key and value dropped
        {u"Setting", u"Xsize", u"300"},
        {u"Setting", u"Quoted", u"  spaced  "},  // a quoted value keeps its inner blanks
        {u"Setting", u"Single", u"x"},
        {u"Setting", u"Half", u"\"open"},
        {u"Setting", u"Bare", u""},
        {u"Setting", u"Empty", u""},
        {u"Setting", u"Eq", u"a=b"},   // the first "=" separates
        {u"Setting", u"Later", u""},   // only the first [Setting] counts
        {u"Setting", u"orphan", u""},  // keys before any section belong to none
        {u"Setting", u"Missing", u""},
        {u"Nowhere", u"Xpos", u""},
        {u"Font", u"Name", u"ＭＳ ゴシック"},  // lone LF and CR end lines too
        {u"Font", u"Size", u"9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(file.ReadSetting(c.section, c.key), c.expected) << std::string(c.key.begin(), c.key.end());
    }
}

TEST_F(ReadSettingTest, AnEmptyOrGarbageFileReadsEmpty) {
    for (std::u16string_view text :
         {std::u16string_view(u""), std::u16string_view(u"\x01\x02garbage\r\n===\r\n[")}) {
        const SettingsFile file(text, locale);
        EXPECT_EQ(file.ReadSetting(u"Setting", u"Xpos"), u"");
        EXPECT_TRUE(file.ToolBarLines().empty());
    }
}

TEST_F(ReadSettingTest, CutsLongValuesAt254BytesBetweenCharacters) {
    const std::u16string ascii(300, u'a');
    const SettingsFile asciiFile(u"[S]\r\nK=" + ascii + u"\r\n", locale);
    EXPECT_EQ(asciiFile.ReadSetting(u"S", u"K"), std::u16string(254, u'a'));

    // 127 double-byte characters fill 254 bytes exactly; one ASCII letter
    // before them leaves room for only 126 of them.
    const std::u16string kanji(200, u'漢');
    const SettingsFile kanjiFile(u"[S]\r\nK=" + kanji + u"\r\nL=a" + kanji + u"\r\n", locale);
    EXPECT_EQ(kanjiFile.ReadSetting(u"S", u"K"), std::u16string(127, u'漢'));
    EXPECT_EQ(kanjiFile.ReadSetting(u"S", u"L"), u"a" + std::u16string(126, u'漢'));

    const std::u16string exact(254, u'b');
    const SettingsFile exactFile(u"[S]\r\nK=" + exact + u"\r\n", locale);
    EXPECT_EQ(exactFile.ReadSetting(u"S", u"K"), exact);
}

TEST_F(ReadSettingTest, ToolBarLinesFollowTheFirstExactSectionLine) {
    const SettingsFile file(
        u"[toolbar]\r\nnot,0,this,one\r\n[ToolBar] "
        u"\r\nnor,0,this,one\r\n[ToolBar]\r\na,0,b,c\r\n\r\n[ToolBar]\r\nd,0,e,f",
        locale);
    const std::vector<std::u16string_view> lines = file.ToolBarLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], u"a,0,b,c");
    EXPECT_EQ(lines[1], u"");
    EXPECT_EQ(lines[2], u"[ToolBar]");
    EXPECT_EQ(lines[3], u"d,0,e,f");
}

const std::u16string FirstRunFile =
    u"[Setting]\r\n"
    u"Xpos=0\r\n"
    u"Ypos=0\r\n"
    u"Xsize=5200\r\n"
    u"Ysize=5000\r\n"
    u"StatusBar=True\r\n"
    u"ToolBar=True\r\n"
    u"CharCount=False\r\n"
    u"TurnRight=False\r\n"
    u"TabSpace=0\r\n"
    u"MostFront=False\r\n"
    u"\r\n"
    u"\r\n"
    u"[Font]\r\n"
    u"Bold=False\r\n"
    u"Italic=False\r\n"
    u"Name=FixedSys\r\n"
    u"Size=13.5\r\n"
    u"Strikethrough=False\r\n"
    u"Underline=False\r\n"
    u"Color=&H80000008\r\n"
    u"\r\n"
    u"\r\n"
    u"[ToolBar]\r\n"
    u"新規作成,0,new,新規作成\r\n"
    u"開く,0,open,開く...\r\n"
    u"名前を付けて保存,0,saveas,名前を付けて保存...\r\n"
    u"終了,0,exit,終了\r\n"
    u",3,0,(区切り)\r\n"
    u"元に戻す,0,undo,元に戻す\r\n"
    u"切り取り,0,cut,切り取り\r\n"
    u"コピー,0,copy,コピー\r\n"
    u"貼り付け,0,paste,貼り付け\r\n"
    u"削除,0,delete,削除\r\n"
    u",3,0,(区切り)\r\n"
    u"ひらがな→カタカナ,0,hira_kata,ひらがな→カタカナ\r\n"
    u"全角→半角,0,zen_han,全角→半角\r\n"
    u"小文字→大文字,0,min_big,小文字→大文字\r\n"
    u"カタカナ→ひらがな,0,kata_hira,カタカナ→ひらがな\r\n"
    u"半角→全角,0,han_zen,半角→全角\r\n"
    u"大文字→小文字,0,big_min,大文字→小文字\r\n"
    u"CR+LF→LF変換,0,crlf_lf,CR+LF→LF変換\r\n"
    u"LF→CR+LF変換,0,lf_crlf,LF→CR+LF変換\r\n"
    u"タブ→スペース変換,0,tab_space,タブ→スペース変換...\r\n"
    u"スペース→タブ変換,0,space_tab,スペース→タブ変換...\r\n"
    u"行末のスペース削除,0,delspace,行末のスペース削除\r\n"
    u"改行(CR+LF)の削除,0,delcrlf,改行(CR+LF)の削除\r\n"
    u",3,0,(区切り)\r\n"
    u"ヘルプ,0,help,ヘルプ...\r\n"
    u"バージョン情報,0,about,バージョン情報...\r\n";

TEST(WriteSettings, TheFirstRunFileIsExact) {
    AppFixture app;
    app.form.Form_Load(u"");
    const std::optional<std::string> bytes = app.files.Contents(app.SettingsPath());
    ASSERT_TRUE(bytes);
    const AnsiEncoding expected = app.locale.ToAnsi(FirstRunFile);
    ASSERT_EQ(expected.firstUnrepresentable, NoPosition);
    EXPECT_EQ(*bytes, expected.bytes);
    // The Shift-JIS bytes of the first record, independently of the codec.
    EXPECT_NE(bytes->find("\x90\x56\x8b\x4b\x8d\xec\x90\xac,0,new,\x90\x56\x8b\x4b\x8d\xec\x90\xac\r\n"),
              std::string::npos);
    EXPECT_EQ(bytes->substr(bytes->size() - 2), "\r\n");
}

TEST(WriteSettings, WritesTheWindowStateAndFontOfTheActiveEditor) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.frame.Place(Bounds{-120, -90, 15600, 11800});  // maximised: its own placement
    app.menus.SetChecked(menu::FormWordWrap, true);    // the wrapping view is the ActiveEditor
    app.txtReturn.SetFont(FontSpec{u"ＭＳ ゴシック", 10.5, true, true, true, true});
    app.txtReturn.SetTextColor(0xFF);
    app.status.SetVisible(false);
    app.menus.SetChecked(menu::CountCharacters, true);
    app.menus.SetChecked(menu::FormAlwaysOnTop, true);
    app.Context().TabSpace = 4;
    app.toolBar.Clear();

    const std::u16string text = SettingsText(app.Context());
    EXPECT_EQ(text,
              u"[Setting]\r\nXpos=-120\r\nYpos=-90\r\nXsize=15600\r\nYsize=11800\r\n"
              u"StatusBar=False\r\nToolBar=True\r\nCharCount=True\r\nTurnRight=True\r\n"
              u"TabSpace=4\r\nMostFront=True\r\n\r\n\r\n"
              u"[Font]\r\nBold=True\r\nItalic=True\r\nName=ＭＳ ゴシック\r\nSize=10.5\r\n"
              u"Strikethrough=True\r\nUnderline=True\r\nColor=&HFF\r\n\r\n\r\n"
              u"[ToolBar]\r\n");
}

TEST(WriteSettings, AMinimisedWindowStoresThePlacementOfItsLastActivation) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.frame.Place(Bounds{300, 400, 6000, 7000});
    app.form.Form_Activate();
    app.frame.Place(Bounds{-32000, -32000, 2400, 500});
    app.frame.SetMinimized(true);
    app.form.Form_Activate();  // activation while minimised keeps the earlier placement
    const std::u16string text = SettingsText(app.Context());
    EXPECT_NE(text.find(u"Xpos=300\r\nYpos=400\r\nXsize=6000\r\nYsize=7000\r\n"), std::u16string::npos);
}

TEST(WriteSettings, AFailedWriteKeepsThePreviousFileAndIsReported) {
    AppFixture app;
    app.form.Form_Load(u"");
    const std::optional<std::string> before = app.files.Contents(app.SettingsPath());
    app.Context().TabSpace = 12;
    app.files.InjectFailure(app.SettingsPath(), FileStep::Flush, win_error::DiskFull);
    const std::optional<SystemError> error = WriteSettings(app.Context());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, win_error::DiskFull);
    EXPECT_EQ(app.files.Contents(app.SettingsPath()), before);
}

}  // namespace
}  // namespace scribbit
