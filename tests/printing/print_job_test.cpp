#include "printing/print_job.h"

#include <gtest/gtest.h>

#include "core/decimal.h"
#include "printing/printing_fixture.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

// 200 x 297 mm printable, margins 15, 15, 20, 20, line height 4: the
// printable width is 170, 64 lines fit, the footer stands at 252 and a body
// line may start down to 248.
std::u16string Lines(int count) {
    std::u16string text;
    for (int i = 1; i <= count; ++i) text += u"L" + Decimal(static_cast<std::uint64_t>(i)) + u"\r\n";
    return text;
}

const PrintCall* FindText(const RecordingPrinter& printer, std::u16string_view text) {
    for (const PrintCall& call : printer.calls)
        if (call.kind == PrintCall::Text && call.text == text) return &call;
    return nullptr;
}

std::vector<std::u16string> BodyOfOnePage(const RecordingPrinter& printer) {
    const std::vector<std::u16string> texts = printer.Texts();
    return {texts.begin() + std::min<std::size_t>(4, texts.size()), texts.end()};
}

TEST(PrintJob, LaysOutEachPageInMillimetres) {
    PrintingFixture f;
    f.app.frame.SetCaption(u"memo.txt");
    f.app.ActiveView().SetTextColor(0x0000FF);
    f.app.Context().pageSetup.HeaderText = u"ページ";  // follows the page number and its blank
    f.Print(Lines(57));
    const std::u16string date = f.app.text.FormatShortDate(f.app.text.Now());
    const std::vector<PrintCall> firstPage = {
        {PrintCall::Start, 0, 0, u"memo.txt"},
        {PrintCall::Font},
        {PrintCall::Text, 15, 20, u"memo.txt"},
        {PrintCall::Text, 170 - 16, 20, u" 1ページ"},
        {PrintCall::Line, 15, 24, u"", 170, 24, 3},
        {PrintCall::Text, 15, 252, u"ScribbitⅡ"},
        {PrintCall::Text, 170 - 2.0 * static_cast<double>(date.size()), 252, date},
        {PrintCall::Line, 15, 252, u"", 170, 252, 3},
        {PrintCall::Text, 15, 28, u"L1"},
    };
    ASSERT_GE(f.printer.calls.size(), firstPage.size());
    EXPECT_EQ(std::vector<PrintCall>(f.printer.calls.begin(), f.printer.calls.begin() + 9), firstPage);
    EXPECT_EQ(std::tuple(f.printer.font, f.printer.color), std::tuple(f.app.ActiveView().Font(), 0x0000FFu));
    EXPECT_EQ(FindText(f.printer, u"L56")->y, 248);
    const PrintCall* next = FindText(f.printer, u"L57");
    EXPECT_EQ(next->y, 28);
    EXPECT_EQ((next - 7)->kind, PrintCall::NewPage);
    EXPECT_EQ(f.printer.calls.back().kind, PrintCall::End);
}

TEST(PrintJob, BreaksLinesAtCrLfAndAtTheRightLimitLosingNothing) {
    const std::u16string a77(77, u'a');
    const std::u16string kana37(37, u'あ');
    struct Row {
        const char* name;
        std::u16string text;
        std::vector<std::u16string> lines;
    } rows[] = {
        {"no line end", u"abc", {u"abc"}},
        {"a final CR LF adds no line", u"abc\r\n", {u"abc"}},
        {"empty lines", u"\r\n\r\nx", {u"", u"", u"x"}},
        {"lone CR and LF are characters", u"a\rb\nc\t", {u"a\rb\nc\t"}},
        {"wraps half-width", a77 + a77 + u"abcdef", {a77, a77, u"abcdef"}},
        {"wraps full-width", kana37 + u"ああ" + u"い", {kana37 + u"あ", u"あい"}},
        {"CR LF right after a full line", a77 + u"\r\nb", {a77, u"b"}},
        {"wider than the whole width alone", u"aWb", {u"a", u"W", u"b"}},
        {"a surrogate pair stays whole", kana37 + u"𠮷x", {kana37, u"𠮷x"}},
    };
    for (const Row& row : rows) {
        PrintingFixture f;
        f.printer.widths[u'W'] = 500;
        f.Print(row.text);
        EXPECT_EQ(BodyOfOnePage(f.printer), row.lines) << row.name;
    }
}

TEST(PrintJob, CancelStopsBeforeTheNextLineAndDiscardsTheJob) {
    PrintingFixture f;
    f.windows.whilePrinting = [&](int count) {
        if (count == 3) f.windows.shown->OnCancel();
    };
    f.Print(Lines(100));
    EXPECT_EQ(BodyOfOnePage(f.printer), (std::vector<std::u16string>{u"L1", u"L2"}));
    EXPECT_EQ(std::tuple(f.printer.calls.back().kind, f.printer.Has(PrintCall::End), f.windows.closes),
              std::tuple(PrintCall::Abort, false, 1));
    EXPECT_EQ(f.windows.comment, u"memo.txt\r\nを印刷中です。");
}

TEST(PrintJob, AFailureAbortsTheJobAndClosesTheProgressBeforeTheReport) {
    struct Row {
        const char* name;
        std::optional<std::size_t> failOnCall;
        double lineHeight;
        std::optional<DialogOutcome> dialog;
        const char* reportStart;
    } rows[] = {
        {"mid-job", 12, 4, {}, "エラーです。\r\nOpenFileName: C:\\docs\\memo.txt\r\nオブジェクト : Printer\r\nエラー番号   : 1801\r\n"},
        {"no line height", {}, 0.4, {}, "エラーです。\r\nOpenFileName: C:\\docs\\memo.txt\r\nオブジェクト : ScribbitⅡ\r\nエラー番号   : 11\r\n0 で除算しました。"},
        {"print dialog", {}, 4, DialogOutcome::Failed, "エラーです。\r\nOpenFileName: C:\\docs\\memo.txt\r\n"},
        {"print dialog cancelled", {}, 4, DialogOutcome::Cancelled, nullptr},
    };
    for (const Row& row : rows) {
        PrintingFixture f;
        f.printer.failOnCall = row.failOnCall;
        f.printer.lineHeight = row.lineHeight;
        if (row.dialog) f.printer.dialogAnswer = PrintDialogResult{*row.dialog, RecordingPrinter::Failure()};
        std::pair<std::size_t, bool> atClose{99, false};
        f.windows.onClose = [&] { atClose = {f.app.dialogs.messages.size(), f.printer.Has(PrintCall::Abort)}; };
        if (row.reportStart) f.app.dialogs.AnswerMessage(MessageAnswer::Ok);
        f.Print(Lines(30));
        EXPECT_EQ(f.printer.dialogFlags, std::vector<std::uint32_t>{0xC0012}) << row.name;
        EXPECT_FALSE(f.printer.Has(PrintCall::End)) << row.name;
        if (!row.reportStart) {
            EXPECT_TRUE(f.printer.calls.empty()) << row.name;
            continue;
        }
        if (row.failOnCall) {
            EXPECT_EQ(atClose, (std::pair<std::size_t, bool>{0, true})) << row.name;
        }
        ASSERT_EQ(f.app.dialogs.messages.size(), 1u) << row.name;
        const std::u16string& report = f.app.dialogs.messages[0].text;
        EXPECT_EQ(Utf8(report).rfind(row.reportStart, 0), 0u) << row.name << ": " << Utf8(report);
        EXPECT_TRUE(report.ends_with(u"\r\nVer " + Decimal(VersionMajor) + u"." + Decimal(VersionMinor))) << row.name;
        EXPECT_EQ(f.app.clipboard.Contents(), report) << row.name;
    }
}

TEST(PrintJob, ASecondPrintIsRefusedAndClosingTheWindowCancelsTheJobFirst) {
    PrintingFixture f;
    bool stayed = false;
    // The progress stays above a main window kept on top, while it is.
    f.app.Context().view.alwaysOnTop = true;
    std::vector<bool> onTop;
    f.windows.whilePrinting = [&](int count) {
        onTop.push_back(f.windows.onTop);
        if (count == 2) {
            f.app.form.MenuClick(menu::FormAlwaysOnTop);
            f.app.form.MenuClick(menu::FilePrint);
        }
        if (count == 4) stayed = f.app.form.Form_Unload();
        if (count > 4) ADD_FAILURE() << "the job went on after the window was closed";
    };
    f.Print(Lines(100));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(onTop, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(f.printer.dialogFlags.size(), 1u);
    EXPECT_EQ(BodyOfOnePage(f.printer).size(), 3u);
    EXPECT_EQ(f.printer.calls.back().kind, PrintCall::Abort);
    EXPECT_TRUE(f.app.frame.HasQuit());
}

}  // namespace
}  // namespace scribbit
