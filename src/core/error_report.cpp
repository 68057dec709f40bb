#include "core/error_report.h"

#include "core/core_texts.h"
#include "core/decimal.h"

namespace scribbit {

namespace text = core_text;

namespace {

}  // namespace

std::u16string ErrorReportText(const SystemError& error, std::optional<std::u16string_view> fileName) {
    const std::u16string_view crlf = u"\r\n";
    std::u16string report(text::ErrorHeading);
    if (fileName) {
        report.append(crlf).append(text::ErrorFileLabel).append(*fileName);
    }
    // Errors without a named component were raised by the program itself.
    const std::u16string_view source = error.source.empty() ? std::u16string_view(AppTitle) : error.source;
    report.append(crlf).append(text::ErrorSourceLabel).append(source);
    report.append(crlf).append(text::ErrorNumberLabel).append(Decimal(error.code));
    report.append(crlf).append(error.description);
    report.append(crlf).append(text::ErrorVersionLabel).append(Decimal(VersionMajor));
    report.append(u".").append(Decimal(VersionMinor));
    return report;
}

std::u16string TooLargeReportText() {
    return std::u16string(text::TooLargeReport);
}

void ShowErrorReport(AppContext& context, const std::u16string& report) {
    context.ports.dialogs.ShowMessage(report, MessageIcon::Critical, MessageButtons::Ok);
    context.ports.clipboard.SetText(report);
}

}  // namespace scribbit
