#include <gtest/gtest.h>

#include "core/decimal.h"
#include "help/about_dialog.h"
#include "support/app_fixture.h"

namespace scribbit {
namespace {

TEST(Help, MenuStartsTheReadmeSearchesOnlyWhileEnabledAndShowsAbout) {
    // The program's own name, dots and all, and a folder with blanks.
    AppFixture app(u"C:\\My Tools");
    app.shell.executablePath = u"C:\\My Tools\\my.editor.EXE";
    app.form.Form_Load(u"");
    app.form.MenuClick(menu::HelpContents);
    EXPECT_EQ(app.shell.started, std::vector<std::u16string>{u"\"my.editor.exe\" C:\\My Tools\\Readme.txt"});
    app.shell.startSucceeds = false;  // said, not swallowed
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    app.form.MenuClick(menu::HelpContents);
    EXPECT_EQ(app.dialogs.messages.size(), 1u);

    app.form.MenuClick(menu::HelpSearch);
    EXPECT_TRUE(app.shell.helpSearches.empty());
    app.menus.SetEnabled(menu::HelpSearch, true);
    app.form.MenuClick(menu::HelpSearch);
    EXPECT_EQ(app.shell.helpSearches, std::vector<std::u16string>{u"C:\\My Tools\\ScribbitⅡ.hlp"});

    app.formDialogs.about = [](AboutModel& about) {
        // Revision 0 shows no third number.
        EXPECT_EQ(about.VersionText(), u"Ver " + Decimal(VersionMajor) + u"." + Decimal(VersionMinor));
        about.OnHomePageClick();
        about.OnMailClick();
    };
    app.form.MenuClick(menu::HelpAbout);
    ASSERT_EQ(app.shell.opened.size(), 2u);
    EXPECT_EQ(app.shell.opened[0].second, app.shell.currentDirectory);
    EXPECT_EQ(app.shell.opened[1].first.substr(0, 7), u"mailto:");
}

}  // namespace
}  // namespace scribbit
