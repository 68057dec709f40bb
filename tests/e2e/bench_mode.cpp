// Timings under Wine for the benchmark script: start-up to a visible window,
// opening a file from the command line until all of its text is in the edit
// view, and saving. The same steps are timed for the system's notepad where
// it can do them, so the figures come with a yardstick.
//
//   scribbit_e2e --bench --exe PROGRAM --notepad NOTEPAD --work FOLDER
//                [--runs N] --file A.txt [--file B.txt ...]
#include "e2e/bench_mode.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/commands.h"
#include "e2e/app_process.h"
#include "e2e/e2e_harness.h"
#include "e2e/file_bytes.h"
#include "e2e/window_probe.h"

namespace e2e {

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }), values.end());
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

HWND DocumentView(HWND mainWindow) {
    HWND best = nullptr;
    long long bestArea = -1;
    for (HWND edit : Descendants(mainWindow, L"Edit")) {
        if (!IsWindowVisible(edit)) continue;
        RECT r{};
        GetWindowRect(edit, &r);
        const long long area = static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
        if (area > bestArea) {
            best = edit;
            bestArea = area;
        }
    }
    return best;
}

std::wstring Quote(const std::wstring& path) { return L"\"" + path + L"\""; }

std::wstring CopyInto(const std::wstring& source, const std::wstring& folder) {
    const std::size_t slash = source.find_last_of(L"\\/");
    const std::wstring target = folder + L"\\" + (slash == std::wstring::npos ? source : source.substr(slash + 1));
    CopyFileW(source.c_str(), target.c_str(), FALSE);
    return target;
}

namespace {

constexpr DWORD BenchTimeoutMs = 180000;

// Milliseconds from CreateProcess to a visible main window; -1 on failure.
double TimeStart(const std::wstring& exe, const std::wstring& folder) {
    AppProcess process;
    const double start = NowMs();
    if (!process.Start(exe, L"", folder, BenchTimeoutMs)) return -1;
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
OpenSaveTimes TimeOpen(const std::wstring& exe, const std::wstring& folder, const std::wstring& file,
                       long long expectedLength, bool save) {
    OpenSaveTimes times;
    AppProcess process;
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
        HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            SetFileTime(handle, nullptr, nullptr, &old);
            CloseHandle(handle);
        }
        const long long before = FileSize(file);
        const double saveStart = NowMs();
        PostCommand(window, scribbit::CommandId(scribbit::menu::FileSave));
        const bool written = PollUntil(
            [&] {
                WIN32_FILE_ATTRIBUTE_DATA data{};
                if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return false;
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

int RunBench(int argc, wchar_t** argv) {
    std::wstring exe;
    std::wstring notepad;
    std::wstring work;
    std::vector<std::wstring> files;
    int runs = 3;
    for (int i = 0; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto next = [&]() -> std::wstring { return i + 1 < argc ? argv[++i] : L""; };
        if (arg == L"--exe") {
            exe = next();
        } else if (arg == L"--notepad") {
            notepad = next();
        } else if (arg == L"--work") {
            work = next();
        } else if (arg == L"--file") {
            files.push_back(next());
        } else if (arg == L"--runs") {
            runs = std::max(1, _wtoi(next().c_str()));
        } else {
            std::printf("unknown bench argument %s\n", Narrow(arg).c_str());
            return 2;
        }
    }
    if (exe.empty() || work.empty()) {
        std::printf("usage: scribbit_e2e --bench --exe PROGRAM --notepad NOTEPAD --work FOLDER [--runs N] --file F...\n");
        return 2;
    }
    CreateDirectoryW(work.c_str(), nullptr);
    // The program keeps its settings beside itself: a copy of its own, with
    // the first run (which writes them) done before anything is timed.
    const std::wstring program = CopyInto(exe, work);
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
    for (const std::wstring& source : files) {
        const auto bytes = ReadFileBytes(source);
        if (!bytes) {
            std::printf("cannot read %s\n", Narrow(source).c_str());
            ++failures;
            continue;
        }
        const long long expectedLength = static_cast<long long>(DecodeAnsi(*bytes).size());
        const std::size_t slash = source.find_last_of(L"\\/");
        const std::string name = Narrow(slash == std::wstring::npos ? source : source.substr(slash + 1));
        std::vector<double> open;
        std::vector<double> save;
        std::vector<double> notepadOpen;
        for (int run = 0; run < runs; ++run) {
            // A fresh copy each run: saving makes the file grow.
            const std::wstring copy = work + L"\\bench-" + Widen(name);
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

}  // namespace e2e
