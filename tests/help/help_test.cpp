#include <gtest/gtest.h>

#include "help/about_dialog.h"
#include "support/app_fixture.h"

namespace scribbit {
namespace {

TEST(Help, MenuStartsTheReadmeSearchesOnlyWhileEnabledAndShowsAbout) {
    AppFixture app(u"C:\\My Tools");  // the program's own name, dots and all, and a folder with blanks
    app.shell.executablePath = u"C:\\My Tools\\my.editor.EXE";
    app.form.Form_Load(u"");
    app.Click(menu::HelpContents);
    app.shell.startSucceeds = false;  // said, not swallowed
    app.dialogs.Answer(MessageAnswer::Ok);
    app.Click(menu::HelpContents);
    app.Click(menu::HelpSearch);
    app.menus.SetEnabled(menu::HelpSearch, true);
    app.Click(menu::HelpSearch);
    EXPECT_EQ(app.dialogs.messages.size(), 1u);

    std::vector<std::pair<Color, Color>> colours;  // home page, mail
    app.formDialogs.on["About"] = [&] {
        AboutModel& about = *app.formDialogs.about;
        for (const auto move : {&AboutModel::OnMailMouseMove, &AboutModel::OnHomePageMouseMove,
                                &AboutModel::OnBackgroundMouseMove}) {
            (about.*move)();
            colours.emplace_back(about.HomePageColor(), about.MailColor());
        }
        about.OnHomePageClick();
        about.OnMailClick();
    };
    app.Click(menu::HelpAbout);
    EXPECT_EQ(colours,
              (std::vector<std::pair<Color, Color>>{
                  {LinkColor, LinkHoverColor}, {LinkHoverColor, LinkHoverColor}, {LinkColor, LinkColor}}));
    const std::u16string readme = u"Start \"my.editor.exe\" C:\\My Tools\\Readme.txt";
    ASSERT_EQ(app.shell.log.size(), 5u);
    EXPECT_EQ(std::vector(app.shell.log.begin(), app.shell.log.begin() + 3),
              (std::vector<std::u16string>{readme, readme, u"HelpSearch C:\\My Tools\\ScribbitⅡ.hlp"}));
    EXPECT_TRUE(app.shell.log[3].starts_with(u"Open ") && app.shell.log[3].ends_with(u" in C:\\Work"));
    EXPECT_TRUE(app.shell.log[4].starts_with(u"Open mailto:"));
}

}  // namespace
}  // namespace scribbit
