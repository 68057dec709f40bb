// Times the print job on the default printer (under Wine: the CUPS PDF
// printer), on the same job code and printer adapter as the program:
//   layout  the pass over the text with every measurement on the printer's
//           device context but nothing drawn, and the job thrown away;
//   job     the whole job, drawn and ended, until the spooler has it;
//   pdf     from the start of the job until the PDF lies complete in the
//           output folder.
// Usage: scribbit_print_bench <document in the ANSI code page> <PDF folder>
// Prints the times in ms, the pages, the pages per second and the share of
// the layout pass in the time to the PDF.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "printing/print_job.h"
#include "win32/printer_win32.h"

namespace {

using scribbit::Printer;

double NowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Measures on the real device context but draws nothing: what is left of
// the job is our own pass over the text.
class MeasuringPrinter final : public Printer {
public:
    explicit MeasuringPrinter(Printer& real) : real_(real) {}
    scribbit::PrinterCode Get(scribbit::PaperSetting s) override { return real_.Get(s); }
    scribbit::SetResult Set(scribbit::PaperSetting s, std::int32_t code) override {
        return real_.Set(s, code);
    }
    void SaveSettings() override { real_.SaveSettings(); }
    void RestoreSettings() override { real_.RestoreSettings(); }
    scribbit::PrintDialogResult ShowPrintDialog(std::uint32_t flags) override {
        return real_.ShowPrintDialog(flags);
    }
    scribbit::PrinterFailure StartJob(const std::u16string& name) override { return real_.StartJob(name); }
    scribbit::PrinterFailure SetFont(const scribbit::FontSpec& f, scribbit::Color c) override {
        return real_.SetFont(f, c);
    }
    scribbit::PageArea PrintableArea() const override { return real_.PrintableArea(); }
    double TextWidth(std::u16string_view t) const override { return real_.TextWidth(t); }
    double TextHeight(std::u16string_view t) const override { return real_.TextHeight(t); }
    std::size_t FitCount(std::u16string_view t, double w) const override { return real_.FitCount(t, w); }
    scribbit::PrinterFailure PrintText(double, double, std::u16string_view) override { return std::nullopt; }
    scribbit::PrinterFailure DrawLine(double, double, double, double, int) override { return std::nullopt; }
    scribbit::PrinterFailure NewPage() override { return std::nullopt; }
    scribbit::PrinterFailure EndJob() override {
        real_.AbortJob();
        return std::nullopt;
    }
    void AbortJob() override { real_.AbortJob(); }

private:
    Printer& real_;
};

std::set<std::wstring> PdfFiles(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// A PDF is complete once it ends with its end-of-file marker.
bool IsComplete(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return bytes.find("%%EOF", bytes.size() > 64 ? bytes.size() - 64 : 0) != std::string::npos;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: scribbit_print_bench DOCUMENT PDF-FOLDER\n");
        return 2;
    }
    std::ifstream file(std::filesystem::path(argv[1]), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const int units = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    scribbit::PrintJobSource source;
    source.text.resize(static_cast<std::size_t>(units));
    MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()),
                        reinterpret_cast<wchar_t*>(source.text.data()), units);
    source.title = u"print-bench.txt";
    source.date = u"2026/12/07";
    // The font a first run of the program prints with.
    source.font = scribbit::FontSpec{u"FixedSys", 13.5};

    scribbit::PrinterWin32 printer;
    scribbit::PrintJobEvents quiet;
    MeasuringPrinter measuring(printer);
    const double layoutStart = NowMs();
    const scribbit::JobResult layout = scribbit::RunPrintJob(measuring, source, quiet);
    const double layoutMs = NowMs() - layoutStart;
    std::printf("layout pass %.0f ms\n", layoutMs);
    std::fflush(stdout);

    const std::set<std::wstring> before = PdfFiles(argv[2]);
    const double jobStart = NowMs();
    const scribbit::JobResult job = scribbit::RunPrintJob(printer, source, quiet);
    const double jobMs = NowMs() - jobStart;
    if (layout.outcome != scribbit::JobOutcome::Printed || job.outcome != scribbit::JobOutcome::Printed) {
        std::fprintf(stderr, "the job failed: %lu\n", static_cast<unsigned long>(job.error.code));
        return 1;
    }
    std::wstring pdf;
    while (pdf.empty() && NowMs() - jobStart < 600000) {
        for (const std::wstring& name : PdfFiles(argv[2]))
            if (name.starts_with(L"print-bench") && !before.contains(name) && IsComplete(std::wstring(argv[2]) + L"\\" + name)) pdf = name;
        if (pdf.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const double pdfMs = NowMs() - jobStart;
    if (pdf.empty()) {
        std::fprintf(stderr, "no PDF appeared\n");
        return 1;
    }
    std::printf("characters %zu, pages %d\n", source.text.size(), job.pages);
    std::printf("job until spooled %.0f ms, until the PDF is complete %.0f ms\n", jobMs, pdfMs);
    std::printf("pages per second %.1f, layout share %.0f %%\n", job.pages * 1000.0 / pdfMs,
                100.0 * layoutMs / pdfMs);
    std::printf("pdf %ls\n", pdf.c_str());
    return 0;
}
