#include "support/recording_printer.h"

#include <algorithm>
#include <set>

namespace scribbit {

SetResult RecordingPrinter::Set(PaperSetting setting, std::int32_t code) {
    // Letter and A4, the upper tray and manual feed, both orientations.
    static const std::map<PaperSetting, std::set<std::int32_t>> accepted{
        {PaperSetting::Size, {1, 9}}, {PaperSetting::Source, {1, 4}}, {PaperSetting::Orientation, {1, 2}}};
    sets.emplace_back(setting, code);
    if (unreadable || failOnCode == code) return SetResult{SetOutcome::Failed, Failure()};
    if (!accepted.at(setting).contains(code)) return SetResult{SetOutcome::Rejected, {}};
    current[setting] = code;
    return {};
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
    return std::any_of(calls.begin(), calls.end(),
                       [kind](const PrintCall& call) { return call.kind == kind; });
}

}  // namespace scribbit
