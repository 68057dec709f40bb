// frmPrintSetting's model: the margins, header and footer of PageSetup, and
// the current printer's paper size, paper source and orientation.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "printing/printing_context.h"
#include "printing/printing_texts.h"

namespace scribbit {

// A margin as its box shows it: the sign position of a non-negative number
// (" 15"), or the minus sign.
std::u16string MarginText(std::int32_t margin);
// The number at the start of a margin box, blanks before it ignored and a
// half rounded to the even neighbour; 0 when the text does not begin with
// a number. Only plain decimals count ("1e2" is 1), full-width digits
// included; the result stays within 16 bits.
std::int32_t ParseMargin(std::u16string_view text);

// What the dialog's controls hold.
struct PageSetupFields {
    std::array<std::u16string, 4> margins;  // left, right, top, bottom
    std::u16string header;
    std::u16string footer;
    std::optional<std::size_t> size;    // the entry selected in Sizes()
    std::optional<std::size_t> source;  // the entry selected in Sources()
    // Portrait or Landscape; nullopt while neither option is selected.
    std::optional<std::int32_t> orientation;
    friend bool operator==(const PageSetupFields&, const PageSetupFields&) = default;
};

class PageSetupDialogModel {
public:
    // Opening: the fields from PageSetup and from the printer, whose paper
    // lists are found by trying each code of the tables on it; its settings
    // are then put back whole. The first failure of the printer is reported
    // and the rest is filled as far as the printer answers.
    explicit PageSetupDialogModel(PrintingContext& context);
    PageSetupDialogModel(const PageSetupDialogModel&) = delete;
    PageSetupDialogModel& operator=(const PageSetupDialogModel&) = delete;

    const PageSetupFields& Initial() const { return initial_; }
    const std::vector<PaperEntry>& Sizes() const { return sizes_; }
    const std::vector<PaperEntry>& Sources() const { return sources_; }

    // cmdPrintSetting: the system print dialog. The lists are not filled
    // again afterwards.
    void OnPrinterSettings();
    // cmdOK: stores the margins and texts, then sets the printer's paper
    // size and source when an entry is selected, and its orientation when
    // the printer told it at opening. The dialog closes afterwards. Cancel
    // needs nothing: opening left the printer as it was.
    void OnOK(const PageSetupFields& fields);

private:
    void Fill(PaperSetting setting, std::span<const PaperEntry> table, std::vector<PaperEntry>& list,
              std::optional<std::size_t>& selected);
    void Report(const SystemError& error);
    void ReportOnOpening(const SystemError& error);

    PrintingContext& context_;
    PageSetupFields initial_;
    std::vector<PaperEntry> sizes_;
    std::vector<PaperEntry> sources_;
    bool orientationRead_ = false;
    bool reported_ = false;
};

}  // namespace scribbit
