// An in-memory printer with a fixed metric: a unit below U+0080 is 2 mm
// wide, every other unit 4 mm, and every text is lineHeight high. It keeps
// the paper settings it accepts, answers the print dialog as scripted,
// records every output call, and fails when told to.
#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/printer.h"

namespace scribbit {

struct PrintCall {
    enum Kind { Start, Font, Text, Line, NewPage, End, Abort };
    Kind kind;
    double x = 0, y = 0;
    std::u16string text{};  // Text: what was printed; Start: the document name
    double x2 = 0, y2 = 0;  // Line: its other end and width
    int lineWidth = 0;
    friend bool operator==(const PrintCall&, const PrintCall&) = default;
};

class RecordingPrinter : public Printer {
public:
    PrinterCode Get(PaperSetting setting) override {
        if (unreadable) return PrinterCode{std::nullopt, Failure()};
        return PrinterCode{current[setting], {}};
    }
    SetResult Set(PaperSetting setting, std::int32_t code) override {
        // Letter and A4, the upper tray and manual feed, both orientations.
        static const std::map<PaperSetting, std::set<std::int32_t>> accepted{
            {PaperSetting::Size, {1, 9}},
            {PaperSetting::Source, {1, 4}},
            {PaperSetting::Orientation, {1, 2}}};
        sets.emplace_back(setting, code);
        if (unreadable || failOnCode == code) return SetResult{SetOutcome::Failed, Failure()};
        if (!accepted.at(setting).contains(code)) return SetResult{SetOutcome::Rejected, {}};
        current[setting] = code;
        return {};
    }
    void SaveSettings() override { saved = current; }
    void RestoreSettings() override { current = saved.value_or(current); }
    PrintDialogResult ShowPrintDialog(std::uint32_t flags) override {
        dialogFlags.push_back(flags);
        return dialogAnswer.value_or(PrintDialogResult{DialogOutcome::Chosen, {}});
    }
    PrinterFailure StartJob(const std::u16string& documentName) override {
        return Record({PrintCall::Start, 0, 0, documentName});
    }
    PrinterFailure SetFont(const FontSpec& f, Color c) override {
        font = f;
        color = c;
        return Record({PrintCall::Font});
    }
    PageArea PrintableArea() const override { return area; }
    double TextWidth(std::u16string_view text) const override {
        double width = 0;
        for (char16_t c : text) {
            const auto special = widths.find(c);
            width += special != widths.end() ? special->second : c < 0x80 ? 2 : 4;
        }
        return width;
    }
    double TextHeight(std::u16string_view) const override { return lineHeight; }
    std::size_t FitCount(std::u16string_view text, double width) const override {
        std::size_t fit = 0;
        double used = 0;
        while (fit < text.size() && (used += TextWidth(text.substr(fit, 1))) <= width) ++fit;
        return fit;
    }
    PrinterFailure PrintText(double x, double y, std::u16string_view text) override {
        return Record({PrintCall::Text, x, y, std::u16string(text)});
    }
    PrinterFailure DrawLine(double x1, double y1, double x2, double y2, int lineWidth) override {
        return Record({PrintCall::Line, x1, y1, u"", x2, y2, lineWidth});
    }
    PrinterFailure NewPage() override { return Record({PrintCall::NewPage}); }
    PrinterFailure EndJob() override { return Record({PrintCall::End}); }
    void AbortJob() override { calls.push_back({PrintCall::Abort}); }

    // --- Test controls ----------------------------------------------------
    PageArea area{200, 297};
    double lineHeight = 4;
    std::map<char16_t, double> widths;  // units measured otherwise
    std::map<PaperSetting, std::int32_t> current{
        {PaperSetting::Size, 9}, {PaperSetting::Source, 1}, {PaperSetting::Orientation, Portrait}};
    // SaveSettings' copy of current.
    std::optional<std::map<PaperSetting, std::int32_t>> saved;
    bool unreadable = false;                        // Get fails: no printer at all
    std::optional<std::int32_t> failOnCode;         // Set fails on this code
    std::optional<std::size_t> failOnCall;          // the output call with this index fails
    std::optional<PrintDialogResult> dialogAnswer;  // Chosen when unset

    // --- What happened ----------------------------------------------------
    std::vector<PrintCall> calls;
    std::vector<std::pair<PaperSetting, std::int32_t>> sets;
    std::vector<std::uint32_t> dialogFlags;
    FontSpec font;
    Color color = 0;

    static SystemError Failure() { return SystemError{1801, u"プリンター名が無効です。", u"Printer"}; }
    // The texts printed, in order.
    std::vector<std::u16string> Texts() const {
        std::vector<std::u16string> texts;
        for (const PrintCall& call : calls)
            if (call.kind == PrintCall::Text) texts.push_back(call.text);
        return texts;
    }
    bool Has(PrintCall::Kind kind) const {
        return std::ranges::any_of(calls, [kind](const PrintCall& call) { return call.kind == kind; });
    }

private:
    PrinterFailure Record(PrintCall call) {
        const bool fails = failOnCall == calls.size();
        calls.push_back(std::move(call));
        return fails ? PrinterFailure(Failure()) : std::nullopt;
    }
};

}  // namespace scribbit
