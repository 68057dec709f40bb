// Timings under Wine for bench/open-save-wine.sh: start-up to a visible
// window, opening a file from the command line until all of its text is in
// the edit view, and saving. The same steps are timed for the system's
// notepad where it can do them, so the figures come with a yardstick.
//
//   scribbit_bench open-save --exe PROGRAM --notepad NOTEPAD --work FOLDER
//                  [--runs N] --file A.txt [--file B.txt ...]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "e2e/probe.h"

namespace bench {

using namespace e2e;

namespace {

constexpr DWORD BenchTimeoutMs = 180000;

// Milliseconds from CreateProcess to a visible main window; -1 on failure.
double TimeStart(const std::string& exe, const std::string& folder) {
    Process process;
    const double start = NowMs();
    if (!process.Start(exe, "", folder, BenchTimeoutMs)) return -1;
    const HWND window = process.WaitForMainWindow(BenchTimeoutMs);
    const double elapsed = NowMs() - start;
    process.Kill();
    return window ? elapsed : -1;
}

struct OpenSaveTimes {
    double open = -1;
    double save = -1;
};

// Opens file from the command line and waits until the view holds all of
// its characters; with save, then saves and waits for the file on disk.
OpenSaveTimes TimeOpen(const std::string& exe, const std::string& folder, const std::string& file,
                       long long expectedLength, bool save) {
    OpenSaveTimes times;
    Process process;
    const double start = NowMs();
    if (!process.Start(exe, Quote(file), folder, BenchTimeoutMs)) return times;
    const HWND window = process.WaitForMainWindow(BenchTimeoutMs);
    if (!window) return times;
    const bool loaded = PollUntil(
        [&] {
            HWND view = DocumentView(window);
            return view && TextLengthOf(view) == expectedLength;
        },
        BenchTimeoutMs, 5);
    if (!loaded) return times;
    times.open = NowMs() - start;

    if (save) {
        // Back-date the file so that the save shows as a new write time,
        // whether or not it changes the size.
        FILETIME old{};
        SYSTEMTIME y2k{2000, 1, 0, 1, 0, 0, 0, 0};
        SystemTimeToFileTime(&y2k, &old);
        HANDLE handle = CreateFileW(Wide(file).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            SetFileTime(handle, nullptr, nullptr, &old);
            CloseHandle(handle);
        }
        const long long before = FileSize(file);
        const double saveStart = NowMs();
        PostCommand(window, scribbit::menu::FileSave);
        const bool written = PollUntil(
            [&] {
                WIN32_FILE_ATTRIBUTE_DATA data{};
                if (!GetFileAttributesExW(Wide(file).c_str(), GetFileExInfoStandard, &data)) return false;
                const long long size = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
                return CompareFileTime(&data.ftLastWriteTime, &old) != 0 && (size == before || size == before + 2);
            },
            BenchTimeoutMs, 5);
        if (written) times.save = NowMs() - saveStart;
    }
    process.Kill();
    return times;
}

void PrintRow(const char* what, const std::string& file, double scribbit, double notepad) {
    auto cell = [](double ms) {
        char text[32];
        if (ms < 0) return std::string("      n/a");
        std::snprintf(text, sizeof text, "%9.0f", ms);
        return std::string(text);
    };
    char ratio[32] = "    n/a";
    if (scribbit >= 0 && notepad > 0) std::snprintf(ratio, sizeof ratio, "%7.2f", scribbit / notepad);
    std::printf("%-8s %-22s %s %s %s\n", what, file.c_str(), cell(scribbit).c_str(), cell(notepad).c_str(), ratio);
}

}  // namespace

int RunOpenSave(int argc, wchar_t** argv) {
    std::string exe;
    std::string notepad;
    std::string work;
    std::vector<std::string> files;
    int runs = 3;
    for (int i = 0; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? Utf8(argv[++i]) : ""; };
        if (arg == L"--exe") {
            exe = next();
        } else if (arg == L"--notepad") {
            notepad = next();
        } else if (arg == L"--work") {
            work = next();
        } else if (arg == L"--file") {
            files.push_back(next());
        } else if (arg == L"--runs") {
            runs = std::max(1, std::atoi(next().c_str()));
        } else {
            std::printf("unknown argument %s\n", Utf8(arg).c_str());
            return 2;
        }
    }
    if (exe.empty() || work.empty()) {
        std::printf("usage: scribbit_bench open-save --exe PROGRAM --notepad NOTEPAD --work FOLDER [--runs N] --file F...\n");
        return 2;
    }
    CreateDirectoryW(Wide(work).c_str(), nullptr);
    // The program keeps its settings beside itself: a copy of its own, with
    // the first run (which writes them) done before anything is timed.
    const std::string program = CopyInto(exe, work);
    TimeStart(program, work);

    std::printf("%-8s %-22s %9s %9s %7s\n", "step", "file", "ms", "notepad", "ratio");
    std::vector<double> ours;
    std::vector<double> theirs;
    for (int run = 0; run < runs; ++run) {
        ours.push_back(TimeStart(program, work));
        if (!notepad.empty()) theirs.push_back(TimeStart(notepad, work));
    }
    PrintRow("start", "(none)", Median(ours), Median(theirs));

    int failures = 0;
    for (const std::string& source : files) {
        const auto bytes = ReadFileBytes(source);
        if (!bytes) {
            std::printf("cannot read %s\n", source.c_str());
            ++failures;
            continue;
        }
        const auto expectedLength = static_cast<long long>(FromAnsi(*bytes).size());
        const std::string name = NameOf(source);
        std::vector<double> open;
        std::vector<double> save;
        std::vector<double> notepadOpen;
        for (int run = 0; run < runs; ++run) {
            // A fresh copy each run: saving makes the file grow.
            const std::string copy = work + "\\bench-" + name;
            if (!WriteFileBytes(copy, *bytes)) {
                ++failures;
                break;
            }
            const OpenSaveTimes times = TimeOpen(program, work, copy, expectedLength, true);
            open.push_back(times.open);
            save.push_back(times.save);
            if (times.open < 0 || times.save < 0) ++failures;
            if (times.save >= 0) {
                const auto saved = ReadFileBytes(copy);
                // An unchanged document is saved as it was opened (a trailing
                // CR LF added by the save is tolerated here; the end-to-end
                // tests pin the exact bytes).
                if (!saved || (*saved != *bytes && *saved != *bytes + "\r\n")) {
                    std::printf("saved bytes of %s differ from the opened file\n", name.c_str());
                    ++failures;
                }
            }
            if (!notepad.empty()) {
                WriteFileBytes(copy, *bytes);
                notepadOpen.push_back(TimeOpen(notepad, work, copy, expectedLength, false).open);
            }
        }
        PrintRow("open", name, Median(open), Median(notepadOpen));
        PrintRow("save", name, Median(save), -1);
    }
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}

}  // namespace bench
