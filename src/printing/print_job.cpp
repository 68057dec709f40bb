#include "printing/print_job.h"

#include <cmath>

#include "core/app_context.h"
#include "core/decimal.h"
#include "core/utf16.h"
#include "printing/printing_texts.h"

namespace scribbit {
namespace {

// The nearest whole number, a half to the even neighbour (the default
// rounding mode), kept inside 32 bits whatever the printer reports.
std::int32_t Round(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded > INT32_MIN)) return INT32_MIN;
    if (rounded > INT32_MAX) return INT32_MAX;
    return static_cast<std::int32_t>(rounded);
}

// Most lines fit in this many units; a longer line is measured in windows
// twice as long each time, so its cost stays proportional to its length.
constexpr std::size_t FirstWindow = 256;

// Keeps a surrogate pair together: never a line end between its halves, and
// a line that would take nothing takes one whole character.
std::size_t WholeCharacters(std::u16string_view line, std::size_t fit) {
    if (fit > 0 && fit < line.size() && IsHighSurrogate(line[fit - 1]) && IsLowSurrogate(line[fit])) --fit;
    if (fit > 0) return fit;
    return line.size() > 1 && IsHighSurrogate(line[0]) && IsLowSurrogate(line[1]) ? 2 : 1;
}

std::u16string PageNumberText(std::int32_t page, std::u16string_view header) {
    // The sign position of a non-negative number, as the header always had.
    std::u16string text = u" " + Decimal(static_cast<std::uint64_t>(page));
    text += header;
    return text;
}

}  // namespace

std::optional<PrintLayout> ComputeLayout(const Printer& printer, const PageSetup& page) {
    const PageArea area = printer.PrintableArea();
    const double bodyRoom = std::nearbyint(area.height - page.MarginTop - page.MarginBottom);
    PrintLayout layout;
    layout.PrintableWidth = Round(area.width - page.MarginLeft - page.MarginRight);
    layout.LineHeight = Round(printer.TextHeight(u"A"));
    if (layout.LineHeight <= 0) return std::nullopt;
    layout.LinesPerPage = Round(std::floor(bodyRoom / layout.LineHeight));
    layout.BodyHeight = Round(static_cast<double>(layout.LinesPerPage) * layout.LineHeight);
    return layout;
}

ScannedLine ScanLine(const Printer& printer, std::u16string_view remaining, double width) {
    for (std::size_t window = FirstWindow;; window *= 2) {
        // One unit more, so that a CR at the window's end still meets its LF.
        const std::size_t crlf = remaining.substr(0, window + 1).find(u"\r\n");
        const std::u16string_view line =
            crlf == std::u16string_view::npos ? remaining.substr(0, window) : remaining.substr(0, crlf);
        const std::size_t fit = printer.FitCount(line, width);
        if (fit < line.size()) {
            const std::size_t length = WholeCharacters(line, fit);
            return {length, length};
        }
        if (crlf != std::u16string_view::npos) return {crlf, crlf + 2};
        if (line.size() == remaining.size()) return {line.size(), line.size()};
    }
}

PrinterFailure PrintPageFrame(Printer& printer, const PrintLayout& layout, const PrintJobSource& source,
                              std::int32_t page) {
    const double left = source.page.MarginLeft;
    const double top = source.page.MarginTop;
    const double right = layout.PrintableWidth;
    const double lineHeight = layout.LineHeight;
    const double footer = (static_cast<double>(layout.LinesPerPage) - 1) * lineHeight;
    const std::u16string number = PageNumberText(page, source.page.HeaderText);
    const std::u16string_view title(AppTitle);
    if (auto failed = printer.PrintText(left, top, source.title)) return failed;
    if (auto failed = printer.PrintText(right - printer.TextWidth(number), top, number)) return failed;
    if (auto failed = printer.DrawLine(left, top + lineHeight, right, top + lineHeight, FrameLineWidth))
        return failed;
    if (auto failed = printer.PrintText(left, footer, title)) return failed;
    if (auto failed = printer.PrintText(right - printer.TextWidth(source.date), footer, source.date))
        return failed;
    const double rule = static_cast<double>(layout.BodyHeight) - lineHeight;
    return printer.DrawLine(left, rule, right, rule, FrameLineWidth);
}

namespace {

JobResult RunStartedJob(Printer& printer, const PrintJobSource& source, PrintJobEvents& events,
                        const PrintLayout& layout) {
    const auto failedWith = [](const SystemError& error, std::int32_t pages) {
        return JobResult{JobOutcome::Failed, error, pages};
    };
    std::int32_t page = 1;
    if (auto failed = PrintPageFrame(printer, layout, source, page)) return failedWith(*failed, page);
    events.Started();

    const double left = source.page.MarginLeft;
    const double firstLine = source.page.MarginTop + 2.0 * layout.LineHeight;
    const double lastStart = (static_cast<double>(layout.LinesPerPage) - 2) * layout.LineHeight;
    const double width = static_cast<double>(layout.PrintableWidth) - left;
    // The font's own line height moves the position, unrounded.
    const double advance = printer.TextHeight(u"A");
    const std::u16string_view text = source.text;
    double y = firstLine;
    std::size_t offset = 0;
    while (offset < text.size()) {
        if (!events.BeforeLine()) return JobResult{JobOutcome::Cancelled, {}, page};
        if (y > lastStart) {
            if (auto failed = printer.NewPage()) return failedWith(*failed, page);
            ++page;
            if (auto failed = PrintPageFrame(printer, layout, source, page)) return failedWith(*failed, page);
            y = firstLine;
        }
        const ScannedLine line = ScanLine(printer, text.substr(offset), width);
        if (auto failed = printer.PrintText(left, y, text.substr(offset, line.length)))
            return failedWith(*failed, page);
        offset += line.consumed;
        y += advance;
        events.Printed(offset, text.size());
    }
    if (auto failed = printer.EndJob()) return failedWith(*failed, page);
    return JobResult{JobOutcome::Printed, {}, page};
}

}  // namespace

JobResult RunPrintJob(Printer& printer, const PrintJobSource& source, PrintJobEvents& events) {
    JobResult result;
    if (auto failed = printer.StartJob(source.title)) {
        result = JobResult{JobOutcome::Failed, *failed, 0};
    } else if (auto fontFailed = printer.SetFont(source.font, source.color)) {
        result = JobResult{JobOutcome::Failed, *fontFailed, 0};
    } else if (const std::optional<PrintLayout> layout = ComputeLayout(printer, source.page); !layout) {
        const SystemError zero{printing_text::DivisionByZeroNumber,
                               std::u16string(printing_text::DivisionByZeroDescription), std::u16string(AppTitle)};
        result = JobResult{JobOutcome::Failed, zero, 0};
    } else {
        result = RunStartedJob(printer, source, events, *layout);
    }
    if (result.outcome != JobOutcome::Printed) printer.AbortJob();
    return result;
}

}  // namespace scribbit
