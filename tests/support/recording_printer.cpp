#include "support/recording_printer.h"

#include <algorithm>

namespace scribbit {

RecordingPrinter::RecordingPrinter()
    : current{{PaperSetting::Size, 9}, {PaperSetting::Source, 1}, {PaperSetting::Orientation, Portrait}},
      accepted{{PaperSetting::Size, {1, 9}}, {PaperSetting::Source, {1, 4}}, {PaperSetting::Orientation, {1, 2}}} {}

PrinterCode RecordingPrinter::Get(PaperSetting setting) {
    if (unreadable) return PrinterCode{std::nullopt, Failure()};
    return PrinterCode{current[setting], {}};
}

SetResult RecordingPrinter::Set(PaperSetting setting, std::int32_t code) {
    sets.emplace_back(setting, code);
    if (unreadable || failOnCode == code) return SetResult{SetOutcome::Failed, Failure()};
    if (!accepted[setting].contains(code)) return SetResult{SetOutcome::Rejected, {}};
    current[setting] = code;
    return {};
}

PrintDialogResult RecordingPrinter::ShowPrintDialog(std::uint32_t flags) {
    dialogFlags.push_back(flags);
    return dialogAnswer.value_or(PrintDialogResult{DialogOutcome::Chosen, {}});
}

PrinterFailure RecordingPrinter::StartJob(const std::u16string& documentName) {
    return Record({PrintCall::Start, 0, 0, documentName});
}

PrinterFailure RecordingPrinter::SetFont(const FontSpec& f, Color c) {
    font = f;
    color = c;
    return Record({PrintCall::Font});
}

double RecordingPrinter::TextWidth(std::u16string_view text) const {
    double width = 0;
    for (char16_t c : text) {
        const auto special = widths.find(c);
        width += special != widths.end() ? special->second : c < 0x80 ? 2 : 4;
    }
    return width;
}

std::size_t RecordingPrinter::FitCount(std::u16string_view text, double width) const {
    std::size_t fit = 0;
    double used = 0;
    while (fit < text.size() && (used += TextWidth(text.substr(fit, 1))) <= width) ++fit;
    measuredUnits += std::min(text.size(), fit + 1);
    return fit;
}

PrinterFailure RecordingPrinter::PrintText(double x, double y, std::u16string_view text) {
    return Record({PrintCall::Text, x, y, std::u16string(text)});
}

PrinterFailure RecordingPrinter::DrawLine(double x1, double y1, double x2, double y2, int lineWidth) {
    return Record({PrintCall::Line, x1, y1, u"", x2, y2, lineWidth});
}

PrinterFailure RecordingPrinter::Record(PrintCall call) {
    const bool fails = failOnCall == calls.size();
    calls.push_back(std::move(call));
    return fails ? PrinterFailure(Failure()) : std::nullopt;
}

std::vector<std::u16string> RecordingPrinter::Texts() const {
    std::vector<std::u16string> texts;
    for (const PrintCall& call : calls)
        if (call.kind == PrintCall::Text) texts.push_back(call.text);
    return texts;
}

bool RecordingPrinter::Has(PrintCall::Kind kind) const {
    return std::any_of(calls.begin(), calls.end(), [kind](const PrintCall& call) { return call.kind == kind; });
}

}  // namespace scribbit
