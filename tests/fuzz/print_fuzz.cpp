// The print job on any page, margins, line height and character widths:
// every character of the document is printed once and in order, each line
// as long as fits, and a line starts below the last line's place only as
// the first of a new page.
#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz/fuzz_input.h"
#include "printing/print_job.h"
#include "support/recorder.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

constexpr std::u16string_view Alphabet = u"aあW \r\n\t\xD83D\xDE00";

// Each text as numbers, not as a line of the log; a new page as no text.
struct PrintCall {
    double x = 0, y = 0;
    std::optional<std::u16string> text;
};
struct CallKeepingPrinter : RecordingPrinter {
    PrinterFailure PrintText(double x, double y, std::u16string_view text) override {
        return calls.push_back({x, y, std::u16string(text)}), std::nullopt;
    }
    PrinterFailure NewPage() override { return calls.push_back({}), std::nullopt; }
    std::vector<PrintCall> calls;
};

}  // namespace
}  // namespace scribbit

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scribbit;
    FuzzedDataProvider input(data, size);
    CallKeepingPrinter printer;
    printer.area = {input.ConsumeIntegralInRange(0, 4000) / 10.0,
                    input.ConsumeIntegralInRange(0, 4000) / 10.0};
    printer.lineHeight = input.ConsumeIntegralInRange(0, 400) / 10.0;
    PrintJobSource source;
    for (auto* margin : {&source.page.MarginLeft, &source.page.MarginRight, &source.page.MarginTop,
                         &source.page.MarginBottom})
        *margin = input.ConsumeIntegralInRange(-50, 300);
    for (const char16_t c : Alphabet) printer.widths[c] = input.ConsumeIntegralInRange(0, 1200) / 10.0;
    source.text = TextOf(input.ConsumeRemainingBytesAsString(), Alphabet);
    PrintJobEvents events;
    const JobResult result = RunPrintJob(printer, source, events);
    const std::optional<PrintLayout> layout = ComputeLayout(printer, source.page);
    EXPECT_EQ(result.outcome, layout ? JobOutcome::Printed : JobOutcome::Failed);
    if (!layout) return 0;

    const double width = layout->PrintableWidth - source.page.MarginLeft;
    const double lastStart = (layout->LinesPerPage - 2.0) * layout->LineHeight;
    const std::u16string_view text = source.text;
    std::size_t at = 0, frame = 4, onPage = 0;  // each page opens with 4 texts
    for (const auto& [x, y, printed] : printer.calls) {
        if (!printed) {
            frame = 4, onPage = 0;
            continue;
        }
        if (frame > 0) {
            --frame;
            continue;
        }
        const std::u16string& line = *printed;
        EXPECT_EQ(Utf8(text.substr(at, line.size())), Utf8(line)) << "at " << at;
        const bool first = onPage++ == 0;
        EXPECT_TRUE(x == source.page.MarginLeft && (y <= lastStart || first)) << y;
        // More than one character only where it fits; an empty line always.
        EXPECT_TRUE(line.size() <= CharLength(line, 0) || printer.TextWidth(line) <= width) << Utf8(line);
        at += line.size();
        if (text.substr(at, 2) == u"\r\n") {
            at += 2;
        } else if (at < text.size()) {  // broken at the right limit: the next character did not fit
            EXPECT_GT(printer.TextWidth(text.substr(at - line.size(), line.size() + CharLength(text, at))),
                      width);
        }
    }
    EXPECT_EQ(at, text.size());
    return 0;
}
