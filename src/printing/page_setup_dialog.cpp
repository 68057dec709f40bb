#include "printing/page_setup_dialog.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/core_texts.h"
#include "core/decimal.h"
#include "core/error_report.h"
#include "editing/entry_text.h"

namespace scribbit {
namespace {

constexpr std::int32_t MarginLimit = 32767;

// Full-width digits and point as their ASCII forms, so that what an input
// method typed counts as well.
char16_t Narrow(char16_t c) {
    return c >= 0xFF0B && c <= 0xFF19 ? static_cast<char16_t>(c - 0xFF01 + 0x21) : c;
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

}  // namespace

std::u16string MarginText(std::int32_t margin) {
    const auto magnitude = static_cast<std::uint64_t>(margin < 0 ? -static_cast<std::int64_t>(margin) : margin);
    return (margin < 0 ? u"-" : u" ") + Decimal(magnitude);
}

std::int32_t ParseMargin(std::u16string_view text) {
    while (!text.empty() && IsEntryBlank(text.front())) text.remove_prefix(1);
    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (Narrow(text[i]) == u'-' || Narrow(text[i]) == u'+')) {
        if (Narrow(text[i]) == u'-') number += '-';
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char16_t c = Narrow(text[i]);
        if (IsDigit(c)) {
            digits = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        number += static_cast<char>(c);
    }
    if (!digits) return 0;
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    // nearbyint rounds a half to the even neighbour: 12.5 → 12, 13.5 → 14.
    const double rounded = std::nearbyint(value);
    if (!(rounded > -MarginLimit)) return -MarginLimit;
    if (rounded > MarginLimit) return MarginLimit;
    return static_cast<std::int32_t>(rounded);
}

PageSetupDialogModel::PageSetupDialogModel(PrintingContext& context) : context_(context) {
    const PageSetup& page = context_.app.pageSetup;
    initial_.margins = {MarginText(page.MarginLeft), MarginText(page.MarginRight), MarginText(page.MarginTop),
                        MarginText(page.MarginBottom)};
    initial_.header = page.HeaderText;
    initial_.footer = page.FooterText;
    Printer& printer = context_.printer;
    printer.SaveSettings();
    Fill(PaperSetting::Size, PaperSizes, sizes_, initial_.size);
    Fill(PaperSetting::Source, PaperSources, sources_, initial_.source);
    const PrinterCode orientation = printer.Get(PaperSetting::Orientation);
    if (orientation.code) {
        if (*orientation.code == Portrait || *orientation.code == Landscape)
            initial_.orientation = orientation.code;
        orientationRead_ = true;
    } else {
        ReportOnOpening(orientation.error);
    }
    printer.RestoreSettings();
}

void PageSetupDialogModel::Fill(PaperSetting setting, std::span<const PaperEntry> table,
                                std::vector<PaperEntry>& list, std::optional<std::size_t>& selected) {
    Printer& printer = context_.printer;
    const PrinterCode current = printer.Get(setting);
    if (!current.code) {
        ReportOnOpening(current.error);
        return;
    }
    for (const PaperEntry& row : table) {
        const SetResult tried = printer.Set(setting, row.code);
        if (tried.outcome == SetOutcome::Rejected) continue;
        if (tried.outcome == SetOutcome::Failed) {
            // What was listed so far the printer took; it stays on offer.
            ReportOnOpening(tried.error);
            return;
        }
        if (row.code == *current.code) selected = list.size();
        list.push_back(row);
    }
}

void PageSetupDialogModel::ReportOnOpening(const SystemError& error) {
    // One broken printer fails every question alike: once is enough.
    if (reported_) return;
    reported_ = true;
    Report(error);
}

void PageSetupDialogModel::Report(const SystemError& error) {
    context_.app.ports.dialogs.ShowMessage(ErrorReportText(error), MessageIcon::Critical, MessageButtons::Ok);
}

void PageSetupDialogModel::OnPrinterSettings() {
    const PrintDialogResult result = context_.printer.ShowPrintDialog(PrintDialogFlags);
    if (result.outcome != DialogOutcome::Failed) return;
    context_.app.ports.dialogs.ShowMessage(std::u16string(core_text::OtherError), MessageIcon::None,
                                           MessageButtons::Ok);
}

void PageSetupDialogModel::OnOK(const PageSetupFields& fields) {
    PageSetup& page = context_.app.pageSetup;
    page.MarginLeft = ParseMargin(fields.margins[0]);
    page.MarginRight = ParseMargin(fields.margins[1]);
    page.MarginTop = ParseMargin(fields.margins[2]);
    page.MarginBottom = ParseMargin(fields.margins[3]);
    page.HeaderText = fields.header;
    page.FooterText = fields.footer;

    struct Change {
        PaperSetting setting;
        std::optional<std::int32_t> code;
    };
    const auto codeOf = [](const std::vector<PaperEntry>& list, std::optional<std::size_t> index) {
        return index && *index < list.size() ? std::optional<std::int32_t>(list[*index].code) : std::nullopt;
    };
    const Change changes[] = {
        {PaperSetting::Size, codeOf(sizes_, fields.size)},
        {PaperSetting::Source, codeOf(sources_, fields.source)},
        {PaperSetting::Orientation,
         orientationRead_ ? std::optional<std::int32_t>(fields.orientation == Portrait ? Portrait : Landscape)
                          : std::nullopt},
    };
    for (const Change& change : changes) {
        if (!change.code) continue;
        const SetResult result = context_.printer.Set(change.setting, *change.code);
        if (result.outcome == SetOutcome::Failed) {
            Report(result.error);
            return;
        }
    }
}

}  // namespace scribbit
