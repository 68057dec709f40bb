// Page setup and the print job through the File menu, on a printer that
// logs what it prints (RecordingPrinter).
#include <gtest/gtest.h>

#include "core/error_report.h"
#include "printing/page_setup_dialog.h"
#include "support/app_fixture.h"

namespace scribbit {
namespace {

using Log = std::vector<std::u16string>;

std::u16string Lines(int count) {
    std::u16string text;
    for (int i = 1; i <= count; ++i) text += u"L" + Decimal(std::uint64_t(i)) + u"\r\n";
    return text;
}

void Print(AppFixture& app, const std::u16string& text) {
    app.View().SetText(text);
    app.Context().document = DocumentState{u"C:\\docs\\memo.txt", false, false};
    app.frame.caption = u"memo.txt";
    app.Click(menu::FilePrint);
}

// The printer's paper size, source and orientation.
std::tuple<int, int, int> Paper(const RecordingPrinter& printer) {
    return {printer.paper.at(PaperSetting::Size), printer.paper.at(PaperSetting::Source),
            printer.paper.at(PaperSetting::Orientation)};
}

// The texts printed after the first page's frame.
Log Body(const AppFixture& app) {
    Log body;
    for (std::size_t i = 9; i < app.printer.log.size(); ++i)
        if (app.printer.log[i].starts_with(u"Text "))
            body.push_back(app.printer.log[i].substr(app.printer.log[i].find(u' ', 5) + 1));
    return body;
}

// 200 x 297 mm, margins 15 15 20 20, lines 4 mm high: the header at the top
// margin over its rule, the footer with its rule 252 mm down, the body
// between them, and every right edge at 170 mm.
TEST(PrintJob, LaysOutEachPageInMillimetres) {
    AppFixture app;
    app.View().SetTextColor(0x0000FF);
    app.Context().pageSetup.HeaderText = u"頁";
    Print(app, Lines(57));
    const Log frame = {u"Text 15,20 memo.txt", u"Line 15,24 170,24", u"Text 15,252 ScribbitⅡ",
                       u"Text 150,252 2002/12/25", u"Line 15,252 170,252"};
    EXPECT_EQ(Log(app.printer.log.begin(), app.printer.log.begin() + 10),
              (Log{u"PrintDialog", u"Start memo.txt", u"Font", frame[0], u"Text 162,20  1頁", frame[1],
                   frame[2], frame[3], frame[4], u"Text 15,28 L1"}));
    EXPECT_EQ(std::tuple(app.printer.font, app.printer.color), std::tuple(app.View().Font(), 0x0000FFu));
    const auto page2 = std::ranges::find(app.printer.log, u"NewPage");
    ASSERT_NE(page2, app.printer.log.end());
    EXPECT_EQ(*(page2 - 1), u"Text 15,248 L56");
    EXPECT_EQ(Log(page2 + 1, app.printer.log.end()), (Log{frame[0], u"Text 162,20  2頁", frame[1], frame[2],
                                                          frame[3], frame[4], u"Text 15,28 L57", u"End"}));
}

TEST(PrintJob, BreaksLinesAtCrLfAndAtTheRightLimitLosingNothing) {
    const std::u16string a77(77, u'a'), kana37(37, u'あ');
    const std::pair<std::u16string, Log> rows[] = {
        {u"abc\r\n", {u"abc"}},  // a final CR LF adds no line
        {u"\r\n\r\nx", {u"", u"", u"x"}},
        {u"a\rb\nc\t", {u"a\rb\nc\t"}},  // lone CR and LF are characters
        {a77 + a77 + u"abcdef", {a77, a77, u"abcdef"}},
        {kana37 + u"ああい", {kana37 + u"あ", u"あい"}},
        {a77 + u"\r\nb", {a77, u"b"}},        // CR LF right after a full line
        {u"aWb", {u"a", u"W", u"b"}},         // wider than the whole width alone
        {kana37 + u"𠮷x", {kana37, u"𠮷x"}},  // a surrogate pair stays whole
    };
    for (const auto& [text, lines] : rows) {
        AppFixture app;
        app.printer.widths[u'W'] = 500;
        Print(app, text);
        EXPECT_EQ(Body(app), lines) << Utf8(text);
    }
    AppFixture empty;  // an empty document still gets a range for its progress bar
    Print(empty, u"");
    EXPECT_EQ(std::tuple(empty.printWindows.log.front(), empty.printer.log.back()),
              std::tuple(u"Show memo.txt\r\nを印刷中です。 0-1", u"End"));
}

TEST(PrintJob, AFailureAbortsTheJobAndClosesTheProgressBeforeTheReport) {
    // The output call that fails, the line height, the print dialog's outcome, and what the report
    // names after the file (nothing: no report).
    const std::tuple<std::size_t, double, std::optional<DialogOutcome>, std::u16string> rows[] = {
        {13, 4, {}, u"Printer\r\nエラー番号   : 1801\r\n"},
        {0, 0.4, {}, u"ScribbitⅡ\r\nエラー番号   : 11\r\n0 で除算しました。"},
        {0, 4, DialogOutcome::Failed, u"Printer\r\nエラー番号   : 1801\r\n"},
        {0, 4, DialogOutcome::Cancelled, u""}};
    for (const auto& [failAt, lineHeight, dialog, report] : rows) {
        AppFixture app;
        app.printer.failAt = failAt;
        app.printer.lineHeight = lineHeight;
        if (dialog) app.printer.dialogAnswer = {*dialog, RecordingPrinter::Failure()};
        app.printWindows.on["Close"] = [&] {
            EXPECT_TRUE(app.dialogs.messages.empty() && app.printer.Count(u"Abort"));
        };
        if (!report.empty()) app.dialogs.Answer(MessageAnswer::Ok);
        Print(app, Lines(30));
        EXPECT_EQ(std::tuple(app.printer.Count(u"PrintDialog"), app.printer.Count(u"End"),
                             app.printer.log.size() == 1, app.clipboard.contents.value_or(u"")),
                  std::tuple(1, 0, dialog.has_value(), app.LastMessage()))
            << failAt;
        const std::u16string start = u"エラーです。\r\nOpenFileName: C:\\docs\\memo.txt\r\nオブジェクト : ";
        EXPECT_TRUE(report.empty() ? app.dialogs.messages.empty()
                                   : app.LastMessage().starts_with(start + report))
            << Utf8(app.LastMessage());
    }
}

// Cancel, or closing the window (which waits for the job), stops before the
// next line and discards the job. Meanwhile a second print is refused.
TEST(PrintJob, CancelOrClosingTheWindowStopsBeforeTheNextLineAndDiscardsTheJob) {
    for (const bool close : {false, true}) {
        AppFixture app;
        bool stayed = false;
        app.printWindows.on["DoEvents"] = [&] {
            const int count = app.printWindows.Count(u"DoEvents");
            if (count == 2) app.Click(menu::FilePrint);
            if (count == 3 && close) stayed = app.form.Form_Unload();
            if (count == 3 && !close) app.printWindows.progress->OnCancel();
            if (count > 3) ADD_FAILURE() << "the job went on";
        };
        Print(app, Lines(100));
        EXPECT_EQ(std::tuple(Body(app), app.printer.log.back(), app.printer.Count(u"PrintDialog"),
                             app.printWindows.Count(u"Close"), stayed, app.frame.quit),
                  std::tuple(Log{u"L1", u"L2"}, u"Abort", 1, 1, close, close));
    }
}

// The printer fails B4, after Letter and A4 are offered: once reported at
// each opening, and what was offered stands; so does a missing printer.
TEST(PageSetup, OpensWithTheValuesAndOnlyThePaperThePrinterAcceptsAndOkStoresThem) {
    AppFixture app;
    app.printer.failOnCode = 12;
    for (int i = 0; i < 3; ++i) app.dialogs.Answer(MessageAnswer::Ok);
    app.printer.paper = {
        {PaperSetting::Size, 256}, {PaperSetting::Source, 1}, {PaperSetting::Orientation, Landscape}};
    const auto before = app.printer.paper;  // a custom size the driver does not list
    std::optional<PageSetupFields> shown;
    app.printWindows.on["PageSetup"] = [&] {
        EXPECT_TRUE(app.frame.busy);
        PageSetupDialogModel& model = *app.printWindows.pageSetup;
        shown = model.Initial();
        ASSERT_EQ(std::tuple(model.Sizes().size(), model.Sources().size()), std::tuple(2u, 2u));
        EXPECT_EQ(std::tuple(model.Sizes()[0].code, model.Sizes()[1].code, model.Sources()[1].code),
                  std::tuple(1, 9, 4));
    };
    app.Click(menu::FilePageSetup);
    EXPECT_EQ(shown, (PageSetupFields{{u" 15", u" 15", u" 20", u" 20"}, u"", u"ページ", {}, 0u, Landscape}));
    // Cancelled: the printer is as it was, although its size cannot be set back.
    EXPECT_EQ(std::tuple(app.frame.busy, app.printer.paper, app.Context().pageSetup),
              std::tuple(false, before, PageSetup{}));

    app.printWindows.on["PageSetup"] = [&] {
        PageSetupFields fields = app.printWindows.pageSetup->Initial();
        fields.margins = {u"12.5", u"１３．５", u"8mm", u"abc"};  // full-width digits and points count
        fields.header = u"頁";
        fields.footer = u"終";
        fields.size = 0;
        fields.source = 1;
        fields.orientation = Portrait;
        app.printWindows.pageSetup->OnOK(fields);
    };
    app.Click(menu::FilePageSetup);
    EXPECT_EQ(app.Context().pageSetup, (PageSetup{12, 14, 8, 0, u"頁", u"終"}));
    EXPECT_EQ(Paper(app.printer), std::tuple(1, 4, Portrait));
    app.printWindows.on["PageSetup"] = [&] { shown = app.printWindows.pageSetup->Initial(); };
    app.Click(menu::FilePageSetup);
    EXPECT_EQ(shown, (PageSetupFields{{u" 12", u" 14", u" 8", u" 0"}, u"頁", u"終", 0u, 1u, Portrait}));
    EXPECT_EQ(std::tuple(app.dialogs.messages.size(), app.LastMessage()),
              std::tuple(3u, ErrorReportText(RecordingPrinter::Failure())));

    // No printer at all: reported once, and OK still stores the margins.
    app.printer.unreadable = true;
    app.dialogs.Answer(MessageAnswer::Ok);
    app.printWindows.on["PageSetup"] = [&] {
        app.printWindows.pageSetup->OnOK({{u"7", u"", u"", u""}, u"", u"", 0u, 1u, Landscape});
    };
    app.Click(menu::FilePageSetup);
    EXPECT_EQ(std::tuple(app.dialogs.messages.size(), app.Context().pageSetup.MarginLeft, Paper(app.printer),
                         app.clipboard.contents.has_value()),
              std::tuple(4u, 7, std::tuple(1, 4, Portrait), false));
}

}  // namespace
}  // namespace scribbit
