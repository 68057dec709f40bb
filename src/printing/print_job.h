// The print job as a pass over the text: the layout values, the line scan,
// the page frame and the loop that prints line after line. It draws only
// through the printer port, so with a printer that merely measures it is a
// layout pass that can run anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/page_setup.h"
#include "platform/printer.h"

namespace scribbit {

// The rule under the header and over the footer, in device units.
inline constexpr int FrameLineWidth = 3;

// Whole millimetres, computed once per job.
struct PrintLayout {
    std::int32_t PrintableWidth = 0;  // measured from the printable area's left edge
    std::int32_t LineHeight = 0;
    std::int32_t LinesPerPage = 0;
    std::int32_t BodyHeight = 0;
    friend bool operator==(const PrintLayout&, const PrintLayout&) = default;
};

// nullopt when the printer font gives no line height (a font below half a
// millimetre): no page could be divided into lines.
std::optional<PrintLayout> ComputeLayout(const Printer& printer, const PageSetup& page);

// The next output line of the remaining text: `length` units are printed
// and `consumed` units leave the text (the line and its CR LF, if any).
struct ScannedLine {
    std::size_t length = 0;
    std::size_t consumed = 0;
    friend bool operator==(const ScannedLine&, const ScannedLine&) = default;
};

// A line ends at the first CR LF, or before the first character that would
// pass `width` (the room between the left margin and PrintableWidth). A
// character wider than the whole room is printed alone, and a surrogate
// pair is never split, so every line takes at least one character. The
// cost is proportional to the line, not to the remaining text.
ScannedLine ScanLine(const Printer& printer, std::u16string_view remaining, double width);

// What one job prints, fixed when it starts: edits made while it runs
// change nothing.
struct PrintJobSource {
    std::u16string text;
    PageSetup page;
    std::u16string title;  // the main window's caption, at the top left
    std::u16string date;   // the short date, at the bottom right
    FontSpec font;
    Color color = WindowTextColor;
};

// What the job tells and asks while it runs.
class PrintJobEvents {
public:
    PrintJobEvents() = default;
    PrintJobEvents(const PrintJobEvents&) = delete;
    PrintJobEvents& operator=(const PrintJobEvents&) = delete;
    virtual ~PrintJobEvents() = default;

    // The first page is framed; the lines follow.
    virtual void Started() {}
    // Before each line: false stops the job (the user cancelled).
    virtual bool BeforeLine() { return true; }
    // After each line: `printed` units of `total` have left the text.
    virtual void Printed(std::size_t /*printed*/, std::size_t /*total*/) {}
};

enum class JobOutcome { Printed, Cancelled, Failed };

struct JobResult {
    JobOutcome outcome = JobOutcome::Printed;
    SystemError error;  // when Failed
    std::int32_t pages = 0;
};

// Runs one job from the font to the end of the last page. A cancelled or
// failed job has been aborted when this returns: nothing half-printed is
// left with the spooler.
JobResult RunPrintJob(Printer& printer, const PrintJobSource& source, PrintJobEvents& events);

// The header line with its rule and the footer line with its rule.
PrinterFailure PrintPageFrame(Printer& printer, const PrintLayout& layout, const PrintJobSource& source,
                              std::int32_t page);

}  // namespace scribbit
