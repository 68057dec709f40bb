#include "printing/page_setup_dialog.h"

#include <gtest/gtest.h>

#include "printing/printing_fixture.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

std::map<PaperSetting, std::int32_t> Codes(std::int32_t size, std::int32_t source, std::int32_t orientation) {
    return {{PaperSetting::Size, size}, {PaperSetting::Source, source}, {PaperSetting::Orientation, orientation}};
}

TEST(PageSetup, MarginBoxesReadTheNumberAtTheirStart) {
    const std::pair<std::u16string_view, std::int32_t> rows[] = {
        {u" 15", 15}, {u"12.5", 12},   {u"13.5", 14},  {u"8mm", 8},         {u"abc", 0},    {u"", 0},
        {u"-3", -3},  {u"　１２", 12}, {u"1e2", 1},    {u"99999", 32767},   {u".5", 0},     {u"2.51", 3},
    };
    for (const auto& [text, margin] : rows) EXPECT_EQ(ParseMargin(text), margin) << Utf8(text);
    EXPECT_EQ(MarginText(15), u" 15");
    EXPECT_EQ(MarginText(-3), u"-3");
}

TEST(PageSetup, OpensWithTheValuesAndOnlyThePaperThePrinterAcceptsAndOkStoresThem) {
    PrintingFixture f;
    f.printer.current[PaperSetting::Size] = 256;  // a custom size the driver does not list
    f.printer.current[PaperSetting::Orientation] = Landscape;
    std::optional<PageSetupFields> shown;
    f.windows.pageSetupUser = [&](PageSetupDialogModel& model) {
        EXPECT_TRUE(f.app.frame.IsBusy());
        shown = model.Initial();
        ASSERT_EQ(model.Sizes().size(), 2u);
        EXPECT_EQ(model.Sizes()[0].text, u"レター 216 x 279 mm");
        EXPECT_EQ(model.Sizes()[1].text, u"A4 210 x 297 mm");
        ASSERT_EQ(model.Sources().size(), 2u);
        EXPECT_EQ(model.Sources()[1].text, u"手差し");
    };
    f.app.form.MenuClick(menu::FilePageSetup);
    EXPECT_FALSE(f.app.frame.IsBusy());
    EXPECT_EQ(shown, (PageSetupFields{{u" 15", u" 15", u" 20", u" 20"}, u"", u"ページ", {}, 0u, Landscape}));
    // Cancelled: the printer is as it was, although its size cannot be set back.
    EXPECT_EQ(f.printer.current, Codes(256, 1, Landscape));
    EXPECT_EQ(f.app.Context().pageSetup, PageSetup{});

    // OK stores the entries and sets the printer.
    f.windows.pageSetupUser = [](PageSetupDialogModel& model) {
        PageSetupFields fields = model.Initial();
        fields.margins = {u"12.5", u"13.5", u"8mm", u"abc"};
        fields.header = u"ページ";
        fields.footer = u"終";
        fields.size = 0;
        fields.source = 1;
        fields.orientation = Landscape;
        model.OnOK(fields);
    };
    f.app.form.MenuClick(menu::FilePageSetup);
    const PageSetup expected{12, 14, 8, 0, u"ページ", u"終"};
    EXPECT_EQ(f.app.Context().pageSetup, expected);
    EXPECT_EQ(f.printer.current, Codes(1, 4, Landscape));
    std::optional<PageSetupFields> reopened;
    f.windows.pageSetupUser = [&](PageSetupDialogModel& model) { reopened = model.Initial(); };
    f.app.form.MenuClick(menu::FilePageSetup);
    EXPECT_EQ(reopened, (PageSetupFields{{u" 12", u" 14", u" 8", u" 0"}, u"ページ", u"終", 0u, 1u, Landscape}));
}

TEST(PageSetup, APrinterThatFailsIsReportedOnceAndOkSetsWhatItAnswered) {
    struct Row {
        const char* name;
        bool unreadable;
        std::optional<std::int32_t> failOnCode;
        std::map<PaperSetting, std::int32_t> afterOk;
    } rows[] = {{"no printer", true, {}, Codes(9, 1, Portrait)},
                // B4 fails the sizes after Letter and A4; the sources and the orientation still answer.
                {"a fill that fails", false, 12, Codes(1, 4, Landscape)}};
    for (const Row& row : rows) {
        PrintingFixture f;
        f.printer.unreadable = row.unreadable;
        f.printer.failOnCode = row.failOnCode;
        f.app.dialogs.AnswerMessage(MessageAnswer::Ok);
        f.windows.pageSetupUser = [&](PageSetupDialogModel& model) {
            PageSetupFields fields = model.Initial();
            fields.margins[0] = u"7";
            fields.size = 0;
            fields.source = 1;
            fields.orientation = Landscape;
            model.OnOK(fields);
        };
        f.app.form.MenuClick(menu::FilePageSetup);
        ASSERT_EQ(f.app.dialogs.messages.size(), 1u) << row.name;
        EXPECT_EQ(f.app.dialogs.messages[0].icon, MessageIcon::Critical);
        EXPECT_EQ(Utf8(f.app.dialogs.messages[0].text).rfind("エラーです。\r\nオブジェクト : Printer\r\nエラー番号   : 1801\r\n", 0), 0u);
        EXPECT_EQ(f.app.Context().pageSetup.MarginLeft, 7) << row.name;
        EXPECT_EQ(f.printer.current, row.afterOk) << row.name;
        EXPECT_FALSE(f.app.clipboard.Contents()) << row.name;
    }
}

}  // namespace
}  // namespace scribbit
