// The printer, as the logic sees it: the current printer's paper settings,
// the system print dialog that chooses it, and one print job at a time,
// laid out in millimetres from the top-left corner of the printable area
// (x to the right, y downwards).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "platform/user_dialogs.h"

namespace scribbit {

// The three properties page setup reads and writes, with the system's own
// numbers: paper sizes (DMPAPER_*), paper sources (DMBIN_*) and the
// orientation (1 portrait, 2 landscape).
enum class PaperSetting { Size, Source, Orientation };
inline constexpr std::int32_t Portrait = 1;
inline constexpr std::int32_t Landscape = 2;

// A setting as read: the code, or why the printer could not say.
struct PrinterCode {
    std::optional<std::int32_t> code;
    SystemError error;  // when there is no code
};

// Trying a code: the printer took it, refused it as a value it does not
// offer (the common answer while the paper lists are filled), or failed.
enum class SetOutcome { Done, Rejected, Failed };
struct SetResult {
    SetOutcome outcome = SetOutcome::Done;
    SystemError error;  // when Failed
};

// nullopt when the printer did what it was asked.
using PrinterFailure = std::optional<SystemError>;

struct PrintDialogResult {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    SystemError error;  // when Failed
};

// Millimetres.
struct PageArea {
    double width = 0;
    double height = 0;
};

class Printer {
public:
    Printer() = default;
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;
    virtual ~Printer() = default;

    // --- The current printer's settings (the system's default printer
    // until the print dialog chooses another) ----------------------------
    virtual PrinterCode Get(PaperSetting setting) = 0;
    virtual SetResult Set(PaperSetting setting, std::int32_t code) = 0;
    // A copy of everything the current printer is set to, and putting that
    // copy back whole. Trying codes one by one cannot undo itself: a code
    // the driver does not offer is refused on the way back, and every new
    // paper size drops a custom paper's dimensions.
    virtual void SaveSettings() = 0;
    virtual void RestoreSettings() = 0;

    // The system print dialog with these PD_* flags. The printer, copies
    // and collation chosen there become the current printer's; the user's
    // cancel is told apart from every failure.
    virtual PrintDialogResult ShowPrintDialog(std::uint32_t flags) = 0;

    // --- One job on the current printer ---------------------------------
    // Starts the job with its first page; documentName is what the spooler
    // shows.
    virtual PrinterFailure StartJob(const std::u16string& documentName) = 0;
    // The font and colour of everything printed afterwards.
    virtual PrinterFailure SetFont(const FontSpec& font, Color color) = 0;
    virtual PageArea PrintableArea() const = 0;
    // The printed width and height of a text measured as one piece.
    virtual double TextWidth(std::u16string_view text) const = 0;
    virtual double TextHeight(std::u16string_view text) const = 0;
    // How many leading UTF-16 units of text, measured as one piece, are no
    // wider than width (0 for a width below the first character's).
    virtual std::size_t FitCount(std::u16string_view text, double width) const = 0;
    // Prints a text with its top-left corner at (x, y).
    virtual PrinterFailure PrintText(double x, double y, std::u16string_view text) = 0;
    // A straight line in the text colour, lineWidth device units wide.
    virtual PrinterFailure DrawLine(double x1, double y1, double x2, double y2, int lineWidth) = 0;
    virtual PrinterFailure NewPage() = 0;
    // Ends the last page and hands the job to the spooler.
    virtual PrinterFailure EndJob() = 0;
    // Throws the job away, whatever state it is in; nothing reaches the
    // paper. Harmless when no job is running.
    virtual void AbortJob() = 0;
};

}  // namespace scribbit
