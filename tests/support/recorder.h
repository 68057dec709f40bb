// The recording doubles of the shell's windows, the Help menu's shell and
// the printer's output. Each call is one line of its double's log ("Name
// details"); the hook of that name, if the test set one, runs right after,
// as the user at work in a dialog or meanwhile, and finds the model the
// call was given in the double's fields.
#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "editing/editing_context.h"
#include "editing/tab_width.h"
#include "platform/form_dialogs.h"
#include "platform/shell.h"
#include "printing/printing_context.h"

namespace scribbit {

struct Recorder {
    std::vector<std::u16string> log;
    std::map<std::string, std::function<void()>> on;

    void Record(const std::string& name, const std::u16string& details = {}) {
        log.push_back(std::u16string(name.begin(), name.end()) + (details.empty() ? u"" : u" " + details));
        if (const auto hook = on.find(name); hook != on.end()) hook->second();
    }
    int Count(std::u16string_view name) const {
        return int(std::ranges::count_if(log, [&](const std::u16string& c) { return c.starts_with(name); }));
    }
};

struct RecordingShell : Shell, Recorder {
    std::u16string ExecutablePath() const override { return executablePath; }
    std::u16string CurrentDirectory() const override { return u"C:\\Work"; }
    bool StartProcess(const std::u16string& commandLine) override {
        Record("Start", commandLine);
        return startSucceeds;
    }
    void OpenWithShell(const std::u16string& target, const std::u16string& directory) override {
        Record("Open", target + u" in " + directory);
    }
    void ShowHelpKeywordSearch(const std::u16string& helpFile) override { Record("HelpSearch", helpFile); }

    std::u16string executablePath = u"C:\\Tools\\Scribbit\\ScribbitⅡ.exe";
    bool startSucceeds = true;
};

struct RecordingEditingWindows : EditingWindows, Recorder {
    void ShowFindDialog(FindDialogModel& model) override { find = &model, Record("Find"); }
    void ShowReplaceDialog(ReplaceDialogModel& model) override { replace = &model, Record("Replace"); }
    void ShowGoToLineDialog(GoToLineModel& model) override { goToLine = &model, Record("GoToLine"); }
    void RunTabSpaceDialog(TabSpaceDialogModel& model) override {
        tabSpace = &model, Record("TabSpace", model.InitialEntry());
    }
    void Pause(int milliseconds) override { Record("Pause", Decimal(std::uint64_t(milliseconds))); }

    FindDialogModel* find = nullptr;
    ReplaceDialogModel* replace = nullptr;
    GoToLineModel* goToLine = nullptr;
    TabSpaceDialogModel* tabSpace = nullptr;
};

struct RecordingFormDialogs : FormDialogs, Recorder {
    void RunEditToolBarDialog(EditToolBarModel& model) override {
        editToolBar = &model, Record("EditToolBar");
    }
    void RunAboutDialog(AboutModel& model) override { about = &model, Record("About"); }

    EditToolBarModel* editToolBar = nullptr;
    AboutModel* about = nullptr;
};

struct RecordingPrintingWindows : PrintingWindows, Recorder {
    void RunPageSetupDialog(PageSetupDialogModel& model) override { pageSetup = &model, Record("PageSetup"); }
    void ShowNowPrinting(NowPrintingModel& model) override {
        progress = &model;
        Record("Show", model.Comment() + u" 0-" + Decimal(std::uint64_t(model.Maximum())));
    }
    void UpdateNowPrinting(const NowPrintingModel& model) override {
        Record("Progress", Decimal(std::uint64_t(model.Value())));
    }
    void KeepNowPrintingOnTop(bool on) override { Record(on ? "OnTop" : "NotOnTop"); }
    void CloseNowPrinting() override { progress = nullptr, Record("Close"); }
    void DoEvents() override { Record("DoEvents"); }

    PageSetupDialogModel* pageSetup = nullptr;
    NowPrintingModel* progress = nullptr;
};

// A printer whose units below U+0080 are 2 mm wide and the others 4 mm
// (or as `widths` says), every text lineHeight high. It accepts Letter and
// A4, the upper tray and manual feed and both orientations, keeps what it
// accepts, and fails where told to. Output calls are logged as "Start
// name", "Font", "Text x,y text", "Line x1,y1 x2,y2", "NewPage", "End" and
// "Abort", the print dialog as "PrintDialog".
struct RecordingPrinter : Printer, Recorder {
    PrinterCode Get(PaperSetting setting) override {
        return unreadable ? PrinterCode{std::nullopt, Failure()} : PrinterCode{paper[setting], {}};
    }
    SetResult Set(PaperSetting setting, std::int32_t code) override {
        if (unreadable || failOnCode == code) return {SetOutcome::Failed, Failure()};
        const bool accepted = setting == PaperSetting::Size     ? code == 1 || code == 9
                              : setting == PaperSetting::Source ? code == 1 || code == 4
                                                                : code == 1 || code == 2;
        if (!accepted) return {SetOutcome::Rejected, {}};
        paper[setting] = code;
        return {};
    }
    void SaveSettings() override { saved = paper; }
    void RestoreSettings() override { paper = saved.value_or(paper); }
    PrintDialogResult ShowPrintDialog(std::uint32_t) override {
        Record("PrintDialog");
        return dialogAnswer;
    }
    PrinterFailure StartJob(const std::u16string& name) override { return Output("Start", name); }
    PrinterFailure SetFont(const FontSpec& f, Color c) override {
        font = f, color = c;
        return Output("Font");
    }
    PageArea PrintableArea() const override { return area; }
    double TextWidth(std::u16string_view text) const override {
        double width = 0;
        for (char16_t c : text) width += widths.contains(c) ? widths.at(c) : c < 0x80 ? 2 : 4;
        return width;
    }
    double TextHeight(std::u16string_view) const override { return lineHeight; }
    std::size_t FitCount(std::u16string_view text, double width) const override {
        std::size_t fit = 0;
        while (fit < text.size() && TextWidth(text.substr(0, fit + 1)) <= width) ++fit;
        return fit;
    }
    PrinterFailure PrintText(double x, double y, std::u16string_view text) override {
        return Output("Text", Num(x) + u"," + Num(y) + u" " + std::u16string(text));
    }
    PrinterFailure DrawLine(double x1, double y1, double x2, double y2, int) override {
        return Output("Line", Num(x1) + u"," + Num(y1) + u" " + Num(x2) + u"," + Num(y2));
    }
    PrinterFailure NewPage() override { return Output("NewPage"); }
    PrinterFailure EndJob() override { return Output("End"); }
    void AbortJob() override { Record("Abort"); }

    static SystemError Failure() { return SystemError{1801, u"プリンター名が無効です。", u"Printer"}; }
    static std::u16string Num(double value) {
        char digits[32];
        const int n = std::snprintf(digits, sizeof digits, "%g", value);
        return std::u16string(digits, digits + n);
    }
    PrinterFailure Output(const std::string& name, const std::u16string& details = {}) {
        Record(name, details);
        return log.size() == failAt ? std::optional(Failure()) : std::nullopt;
    }

    PageArea area{200, 297};
    double lineHeight = 4;
    std::map<char16_t, double> widths;
    std::map<PaperSetting, std::int32_t> paper{
        {PaperSetting::Size, 9}, {PaperSetting::Source, 1}, {PaperSetting::Orientation, Portrait}};
    std::optional<std::map<PaperSetting, std::int32_t>> saved;
    bool unreadable = false;                 // no printer at all
    std::optional<std::int32_t> failOnCode;  // setting this code fails
    std::size_t failAt = 0;                  // the output call that makes the log this long fails
    PrintDialogResult dialogAnswer{DialogOutcome::Chosen, {}};
    FontSpec font;
    Color color = 0;
};

}  // namespace scribbit
