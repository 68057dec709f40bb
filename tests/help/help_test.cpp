#include <gtest/gtest.h>

#include "help/about_dialog.h"
#include "help/help_commands.h"
#include "support/app_fixture.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

TEST(Help, VersionLabelShowsTheRevisionOnlyAboveZero) {
    EXPECT_EQ(VersionLabel(1, 57, 0), u"Ver 1.57");
    EXPECT_EQ(VersionLabel(1, 57, 3), u"Ver 1.57.3");
    EXPECT_EQ(VersionLabel(2, 0, 10), u"Ver 2.0.10");
}

TEST(Help, ReadmeCommandLineKeepsBlanksInNameAndFolder) {
    const struct {
        std::u16string executable, folder, commandLine;
    } cases[] = {
        {u"C:\\Tools\\ScribbitⅡ.exe", u"C:\\Tools\\", u"\"ScribbitⅡ.exe\" C:\\Tools\\Readme.txt"},
        {u"C:\\Program Files\\My Tools\\ScribbitⅡ.EXE", u"C:\\Program Files\\My Tools\\",
         u"\"ScribbitⅡ.exe\" C:\\Program Files\\My Tools\\Readme.txt"},
        {u"D:\\v1.5\\my editor.v2.exe", u"D:\\v1.5\\", u"\"my editor.v2.exe\" D:\\v1.5\\Readme.txt"},
        {u"E:\\ScribbitⅡ", u"E:\\", u"\"ScribbitⅡ.exe\" E:\\Readme.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadmeCommandLine(c.executable, c.folder), c.commandLine) << Utf8(c.executable);
}

TEST(Help, MenuStartsTheReadmeAndSearchesOnlyWhileEnabled) {
    AppFixture app(u"C:\\My Tools");
    app.shell.executablePath = u"C:\\My Tools\\ScribbitⅡ.exe";
    app.form.Form_Load(u"");
    app.form.MenuClick(menu::HelpContents);
    EXPECT_EQ(app.shell.started, std::vector<std::u16string>{u"\"ScribbitⅡ.exe\" C:\\My Tools\\Readme.txt"});
    EXPECT_TRUE(app.dialogs.messages.empty());
    app.shell.startSucceeds = false;
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    app.form.MenuClick(menu::HelpContents);
    EXPECT_EQ(app.dialogs.messages.size(), 1u);

    app.form.MenuClick(menu::HelpSearch);
    EXPECT_TRUE(app.shell.helpSearches.empty());
    app.menus.SetEnabled(menu::HelpSearch, true);
    app.form.MenuClick(menu::HelpSearch);
    EXPECT_EQ(app.shell.helpSearches, std::vector<std::u16string>{u"C:\\My Tools\\ScribbitⅡ.hlp"});
    app.form.MenuClick(MenuItem{Menu::Help, 2});
    EXPECT_EQ(app.shell.started.size(), 2u);
    EXPECT_EQ(app.formDialogs.aboutRuns, 0);
}

TEST(Help, AboutShowsTheVersionAndNoticeAndItsLinksOpenTheirTargets) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.formDialogs.about = [](AboutModel& about) {
        EXPECT_EQ(about.VersionText(), VersionLabel(VersionMajor, VersionMinor, VersionRevision));
        const std::u16string notice = about.NoticeText();
        EXPECT_EQ(notice.front(), u'　');
        EXPECT_EQ(notice.back(), u'　');
        for (std::size_t at = notice.find(u"\r\n"); at != notice.npos; at = notice.find(u"\r\n", at + 1)) {
            EXPECT_EQ(notice[at + 2], u'　');
        }
        about.OnHomePageClick();
        about.OnMailClick();
    };
    app.form.MenuClick(menu::HelpAbout);
    EXPECT_EQ(app.formDialogs.aboutRuns, 1);
    ASSERT_EQ(app.shell.opened.size(), 2u);
    EXPECT_EQ(app.shell.opened[0].second, u"C:\\Work");
    EXPECT_EQ(app.shell.opened[1].first.substr(0, 7), u"mailto:");
    EXPECT_NE(app.shell.opened[1].first.find(u"@"), std::u16string::npos);
}

TEST(Help, LinksTurnRedUnderTheMouseAndBlueOverTheBackground) {
    const struct {
        const char* moves;  // h home page, m mail, b background
        Color homePage, mail;
    } cases[] = {
        {"", LinkColor, LinkColor},
        {"h", LinkHoverColor, LinkColor},
        {"hm", LinkHoverColor, LinkHoverColor},
        {"hmb", LinkColor, LinkColor},
        {"mbh", LinkHoverColor, LinkColor},
    };
    AppFixture app;
    for (const auto& c : cases) {
        AboutModel about(app.Context(), app.shell);
        for (const char* move = c.moves; *move; ++move) {
            if (*move == 'h') about.OnHomePageMouseMove();
            if (*move == 'm') about.OnMailMouseMove();
            if (*move == 'b') about.OnBackgroundMouseMove();
        }
        EXPECT_EQ(about.HomePageColor(), c.homePage) << c.moves;
        EXPECT_EQ(about.MailColor(), c.mail) << c.moves;
    }
}

}  // namespace
}  // namespace scribbit
