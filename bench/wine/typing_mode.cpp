// Typing latency under Wine for the benchmark script: how long the program
// takes, after a key is released in the edit view, to show the new count in
// status panel 3, in both count units; and how long switching word wrap
// takes until the other edit view holds the whole text.
//
//   scribbit_bench typing --exe PROGRAM --work FOLDER [--presses N] [--wraps N]
//                  --file A.txt [--file B.txt ...]
//
// A key release is timed as a synchronous WM_KEYUP to the edit view: the
// send returns once the program's handler has recounted and set the panel.
// The round trip of a WM_NULL, which the program does nothing with, is the
// floor every cross-process message pays.
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

constexpr DWORD TypingTimeoutMs = 180000;
constexpr UINT ScanCodeA = 0x1E;

struct Spread {
    double median = -1;
    double max = -1;
};

Spread SpreadOf(std::vector<double> values) {
    if (values.empty()) return {};
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.back()};
}

bool SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, TypingTimeoutMs, &result) != 0;
}

// Milliseconds of one synchronous send; -1 when it did not get through.
double TimeSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const double start = NowMs();
    if (!SendAndWait(window, message, wParam, lParam)) return -1;
    return NowMs() - start;
}

LPARAM KeyUpParameter() {
    return static_cast<LPARAM>(0xC0000001u | (ScanCodeA << 16));
}

std::string CountPanel(const Process& process, HWND mainWindow) {
    return StatusText(process.Handle(), StatusBarOf(mainWindow), 2);
}

struct UnitFigures {
    Spread keyUp;
    Spread idleKeyUp;
    int wrongCounts = 0;  // releases after which the panel did not show the exact count
};

// Each press types "a" and then takes it back with Backspace, so the text
// ends as it began; after each release the panel must read the exact count
// of the text at that moment. Every other press waits until the program is
// idle before the release: the typed character's own work in the edit
// control (redrawing, laying out the lines) is then done, and the release
// costs only the program's handler.
UnitFigures TimeKeyReleases(const Process& process, HWND mainWindow, HWND view, long long baseCount,
                            int presses) {
    UnitFigures figures;
    std::vector<double> times;
    std::vector<double> idleTimes;
    for (int key = 0; key < 4 * presses; ++key) {
        const bool typing = key % 2 == 0;
        const bool idle = key % 4 >= 2;
        if (!SendAndWait(view, WM_CHAR, typing ? L'a' : VK_BACK, 1)) {
            ++figures.wrongCounts;
            continue;
        }
        if (idle) WaitForInputIdle(process.Handle(), TypingTimeoutMs);
        const double elapsed = TimeSend(view, WM_KEYUP, 'A', KeyUpParameter());
        const std::string expected = std::to_string(baseCount + (typing ? 1 : 0));
        if (elapsed < 0 || CountPanel(process, mainWindow) != expected) {
            ++figures.wrongCounts;
            continue;
        }
        (idle ? idleTimes : times).push_back(elapsed);
    }
    figures.keyUp = SpreadOf(times);
    figures.idleKeyUp = SpreadOf(idleTimes);
    return figures;
}

// From the word-wrap command until the other view holds the whole text.
double TimeWordWrap(HWND mainWindow, long long length) {
    const HWND before = ActiveEditor(mainWindow);
    const double start = NowMs();
    if (!PostCommand(mainWindow, scribbit::menu::FormWordWrap)) return -1;
    const bool moved = PollUntil(
        [&] {
            const HWND now = ActiveEditor(mainWindow);
            return now && now != before && TextLengthOf(now) == length;
        },
        TypingTimeoutMs, 1);
    return moved ? NowMs() - start : -1;
}

std::string Cell(double ms) {
    if (ms < 0) return "     n/a";
    char text[32];
    std::snprintf(text, sizeof text, "%8.2f", ms);
    return text;
}

// One start of the program with the file: both units, then word wrap.
// Returns the number of failures.
int BenchFile(const std::string& program, const std::string& folder, const std::string& file, int presses,
              int wraps) {
    const long long characters = CharacterCount(file);
    const long long byteCount = FileSize(file);
    if (characters < 0) {
        std::printf("cannot read %s\n", file.c_str());
        return 1;
    }
    const std::string name = NameOf(file);

    Process process;
    if (!process.Start(program, Quote(file), folder, TypingTimeoutMs * 4)) return 1;
    const HWND main = process.WaitForMainWindow(TypingTimeoutMs);
    const bool loaded = main && PollUntil(
                                    [&] {
                                        const HWND view = ActiveEditor(main);
                                        return view && TextLengthOf(view) == characters;
                                    },
                                    TypingTimeoutMs, 5);
    if (!loaded) {
        std::printf("%s did not open\n", name.c_str());
        return 1;
    }

    int failures = 0;
    struct Unit {
        const char* label;
        scribbit::MenuItem item;
        const char* panelText;
        long long count;
    };
    const Unit units[] = {{"bytes", scribbit::menu::CountBytes, "バイト", byteCount},
                          {"chars", scribbit::menu::CountCharacters, "文字", characters}};
    for (const Unit& unit : units) {
        // Switching the unit recounts at once: the first figure of the row.
        std::vector<double> floor;
        const double switchMs = TimeSend(main, WM_COMMAND, MAKEWPARAM(scribbit::CommandId(unit.item), 0), 0);
        const bool switched = StatusText(process.Handle(), StatusBarOf(main), 1) == unit.panelText &&
                              CountPanel(process, main) == std::to_string(unit.count);
        if (!switched) {
            std::printf("%s: the %s count did not show %lld\n", name.c_str(), unit.label, unit.count);
            ++failures;
            continue;
        }
        const HWND view = ActiveEditor(main);
        for (int i = 0; i < presses; ++i) floor.push_back(TimeSend(view, WM_NULL, 0, 0));
        const UnitFigures figures = TimeKeyReleases(process, main, view, unit.count, presses);
        if (figures.wrongCounts > 0) {
            std::printf("%s: %d of %d key releases did not show the exact %s count\n", name.c_str(),
                        figures.wrongCounts, 4 * presses, unit.label);
            ++failures;
        }
        std::printf("%-16s %10lld  %-5s %s %s %s %s %s %s\n", name.c_str(), byteCount, unit.label,
                    Cell(SpreadOf(floor).median).c_str(), Cell(switchMs).c_str(),
                    Cell(figures.keyUp.median).c_str(), Cell(figures.keyUp.max).c_str(),
                    Cell(figures.idleKeyUp.median).c_str(), Cell(figures.idleKeyUp.max).c_str());
        std::fflush(stdout);
    }

    // Word wrap on and off again, timed each way: the wrapping view lays
    // out the text by its width, the other one only by its lines.
    std::vector<double> on;
    std::vector<double> off;
    for (int i = 0; i < 2 * wraps; ++i) {
        const double ms = TimeWordWrap(main, characters);
        if (ms < 0) {
            std::printf("%s: word wrap did not move the whole text\n", name.c_str());
            ++failures;
            break;
        }
        (i % 2 == 0 ? on : off).push_back(ms);
    }
    if (wraps > 0) {
        std::printf("%-16s %10lld  wrap  on %s  off %s\n", name.c_str(), byteCount,
                    Cell(SpreadOf(on).median).c_str(), Cell(SpreadOf(off).median).c_str());
    }
    std::fflush(stdout);
    process.Kill();
    return failures;
}

}  // namespace

int RunTyping(int argc, wchar_t** argv) {
    std::string exe;
    std::string work;
    std::vector<std::string> files;
    int presses = 10;
    int wraps = 3;
    for (int i = 0; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? Utf8(argv[++i]) : ""; };
        if (arg == L"--exe") {
            exe = next();
        } else if (arg == L"--work") {
            work = next();
        } else if (arg == L"--file") {
            files.push_back(next());
        } else if (arg == L"--wraps") {
            wraps = std::max(0, std::atoi(next().c_str()));
        } else if (arg == L"--presses") {
            presses = std::max(1, std::atoi(next().c_str()));
        } else {
            std::printf("unknown argument %s\n", Utf8(arg).c_str());
            return 2;
        }
    }
    if (exe.empty() || work.empty() || files.empty()) {
        std::printf(
            "usage: scribbit_bench typing --exe PROGRAM --work FOLDER [--presses N] [--wraps N] --file "
            "F...\n");
        return 2;
    }
    CreateDirectoryW(Wide(work).c_str(), nullptr);
    // A copy of its own, so that the settings beside it are the bench's;
    // the first run writes them before anything is timed.
    const std::string program = CopyInto(exe, work);
    {
        Process first;
        if (first.Start(program, "", work, TypingTimeoutMs)) first.WaitForMainWindow(TypingTimeoutMs);
        first.Kill();
    }

    std::printf("%-16s %10s  %-5s %8s %8s %8s %8s %8s %8s\n", "file", "bytes", "unit", "null-rt", "switch",
                "keyup", "max", "idle-ku", "max");
    int failures = 0;
    for (const std::string& file : files) failures += BenchFile(program, work, file, presses, wraps);
    std::printf(
        "times in ms; null-rt: a WM_NULL round trip (the floor); switch: the count-unit command;\n"
        "keyup: key release right after the key until the count is shown (median and worst of %d);\n"
        "idle-ku: the same once the edit control has finished with the typed key (of %d);\n"
        "wrap: word-wrap command until the other view holds the text (medians of %d each way)\n",
        2 * presses, 2 * presses, wraps);
    std::fflush(stdout);
    return failures == 0 ? 0 : 1;
}

}  // namespace bench
