// Timings of the editing commands in the real program under Wine, for the
// editing benchmark script, each beside the edit control's own cost for the
// same work on the same text (a bare control in this process, see
// edit_floor.cpp):
//   open          the program started with the file until its view holds it;
//                 floor: the program's start without a file, plus WM_SETTEXT;
//   change<N>     entry N of the text-processing menu on the whole text, with
//                 word wrap off and on; floor: select all, EM_REPLACESEL of
//                 the same result and the caret put back (EM_SETSEL,
//                 EM_SCROLLCARET: a conversion keeps the caret, and on a line
//                 of a million characters each of those costs the control a
//                 measurement of the whole line); then the Undo that takes it
//                 back (EM_UNDO);
//   replaceall    Replace all from the top until its count shows; floor as
//                 for a conversion;
//   find          a text-mode Find Next to the last occurrence (no floor: the
//                 control only selects);
//   wrapon/off    the word-wrap command until the other view holds the text;
//                 floor: WM_SETTEXT into a bare control of that kind;
//   count-*       the count-unit command (the median of CountRounds runs);
//                 floor: a message round trip to the program and a wait for
//                 its paint with none to do, plus the busy pointer on and
//                 off, WM_GETTEXTLENGTH (for bytes WM_GETTEXT and the system
//                 converter's size of the text in its code page) and both
//                 panels set in a copy of the program's bar;
//   partial-*     a conversion and a Replace all on a second document whose
//                 only changes lie at its end; beside the whole-text floor.
// With word wrap on, a conversion whose result (seen with word wrap off)
// holds a line of more than LongLineLimit characters is left out as
// "skip|on|change<N>|<detail>": Wine's control alone takes minutes to wrap
// such a line (a bare one, one line: 25,000 characters 10 s, 50,000 25 s,
// 100,000 73 s), so neither the program nor its floor finishes in a run.
// Every time of the program runs until its view has painted the result.
// With --repeat N, the open, each conversion, Replace all and switch runs N
// times (the open again in a new program at the end), the program's and the
// floor's in turn, and the fastest of each counts: the control's own times
// swing by a third from run to run. A row still over 1.10 times its floor
// runs up to N times more (MoreRuns).
//
//   scribbit_bench editing --exe PROGRAM --work FOLDER --file TEXT
//                  --find WHAT --replace WHAT WITH [--changes N,N,...]
//                  [--wrap off|on|off,on] [--partial TEXT --partial-change N]
//                  [--repeat N]
//
// Prints one line per command, fields separated by '|':
//   row|<table>|<key>|<ms>|<floor ms>|<undo ms>|<undo floor ms>|<detail>
// with table off or on (word wrap), or misc; a negative time marks a step
// that failed or has no figure. Before the row of a conversion or Replace
// all, one line per run: run|<table>|<key>|<ms>|<floor ms>|<undo ms>|<undo
// floor ms>.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "e2e/probe.h"
#include "editing_dialog_ids.h"

namespace bench {

using namespace e2e;

namespace {

constexpr DWORD BenchTimeoutMs = 3600000;
constexpr int ChangeMenuEntries = 21;  // separators included; they answer nothing
// The two entries that ask for the tab width before converting.
constexpr int TabToSpaceIndex = 11;
constexpr int SpaceToTabIndex = 12;

// Sends a menu command and waits for its handler to finish (the commands
// timed here open no modal window).
// With onlyWait, sends nothing but a null message, which the program answers
// once it is done with the command before it.
bool SendCommand(HWND mainWindow, scribbit::MenuItem item, bool onlyWait = false) {
    DWORD_PTR result = 0;
    const UINT message = onlyWait ? WM_NULL : WM_COMMAND;
    const WPARAM wParam = onlyWait ? 0 : MAKEWPARAM(scribbit::CommandId(item), 0);
    return SendMessageTimeoutW(mainWindow, message, wParam, 0, SMTO_NORMAL, BenchTimeoutMs, &result) != 0;
}

// The process's modeless dialog that has the given control.
HWND WaitForToolDialog(DWORD processId, int controlId) {
    HWND found = nullptr;
    PollUntil(
        [&] {
            for (HWND window : ShownWindows(processId, true)) {
                if (GetDlgItem(window, controlId)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        20000);
    return found;
}

// Has the program paint whatever the last command left to paint, and waits
// for it: the system sends the paint message to the program and waits.
void PaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void SendDialogCommand(HWND dialog, int controlId) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)), SMTO_NORMAL, BenchTimeoutMs,
                        &result);
}

void PrintRow(const std::string& table, const std::string& key, double ms, double floorMs, double undoMs,
              double undoFloorMs, const std::string& detail) {
    std::printf("row|%s|%s|%.3f|%.3f|%.3f|%.3f|%s\n", table.c_str(), key.c_str(), ms, floorMs, undoMs,
                undoFloorMs, detail.c_str());
    std::fflush(stdout);
}

struct Options {
    std::string exe, work, file, partial, find, replaceWhat, replaceWith;
    std::vector<bool> wanted = std::vector<bool>(ChangeMenuEntries, true);
    std::vector<bool> wraps{false, true};
    int partialChange = 2;
    int repeat = 1;
};

// Each run's times, for the log (the tables show the fastest).
void PrintRun(const std::string& table, const std::string& key, double ms, double floorMs, double undoMs,
              double undoFloorMs) {
    std::printf("run|%s|%s|%.0f|%.0f|%.0f|%.0f\n", table.c_str(), key.c_str(), ms, floorMs, undoMs, undoFloorMs);
    std::fflush(stdout);
}

// The fastest of the times so far: a negative time (a failed run) never
// replaces one that worked.
void KeepFastest(double& fastest, double ms) {
    if (fastest < 0 || (ms >= 0 && ms < fastest)) fastest = ms;
}

// Whether a step runs again after `run` runs: `repeat` times, and up to as
// many again while the program's fastest is over OverFloor times the
// floor's. Neither fastest time falls below what the work itself costs, so
// the further runs only bring both nearer to it; a row that keeps its excess
// through all of them has a real one. Each row says how many runs it took.
constexpr double OverFloor = 1.10;

bool MoreRuns(int run, const Options& options, double ms, double floorMs) {
    if (run < options.repeat) return true;
    return run < 2 * options.repeat && ms > 0 && floorMs > 0 && ms > OverFloor * floorMs;
}

std::string Runs(int runs) {
    return "; " + std::to_string(runs) + (runs == 1 ? " run" : " runs");
}

// One program, started with a document, and its edit view.
class Program {
public:
    bool Open(const std::string& exe, const std::string& work, const std::string& document,
              long long length) {
        const double start = NowMs();
        if (!process.Start(exe, Quote(document), work, 8 * 3600 * 1000)) return false;
        window = process.WaitForMainWindow(BenchTimeoutMs);
        const bool loaded = window && PollGently(
                                          [&] {
                                              view = DocumentView(window);
                                              return view && TextLengthOf(view) == length;
                                          },
                                          BenchTimeoutMs);
        if (!loaded) return false;
        PaintNow(window);
        openMs = NowMs() - start;
        return true;
    }
    HWND View() { return view = DocumentView(window); }

    Process process;
    HWND window = nullptr;
    HWND view = nullptr;
    double openMs = -1;
};

// Undo, timed, then checked: the view must hold the original length again.
double TimeUndo(Program& program, long long originalLength) {
    const double start = NowMs();
    if (!SendCommand(program.window, scribbit::menu::EditUndo)) return -1;
    PaintNow(program.view);
    const double elapsed = NowMs() - start;
    return TextLengthOf(program.view) == originalLength ? elapsed : -1;
}

// The text-processing entry `index` on the whole text: the program's time,
// and the text it made (empty when it left no undo step: a separator).
struct Change {
    double ms = -1;
    bool changed = false;
    std::wstring result;
};

Change RunChange(Program& program, int index, bool keepResult) {
    Change change;
    SendMessageW(program.view, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(program.view, EM_SETSEL, 0, 0);
    double start = NowMs();
    if (index == TabToSpaceIndex || index == SpaceToTabIndex) {
        // These ask for the tab width first; the time runs from its OK.
        PostCommand(program.window, {scribbit::Menu::Change, index});
        const HWND dialog = WaitForToolDialog(program.process.Id(), IDC_TAB_SPACE);
        if (!dialog) return change;
        start = NowMs();
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        // Until the dialog is gone its own loop would answer at once.
        PollGently([&] { return !IsWindow(dialog); }, BenchTimeoutMs);
    }
    // The command's handler has finished once a message of our own, queued
    // behind it, is answered.
    if (!SendCommand(program.window, {scribbit::Menu::Change, index},
                     index == TabToSpaceIndex || index == SpaceToTabIndex)) {
        return change;
    }
    PaintNow(program.view);
    change.ms = NowMs() - start;
    // Separators and conversions that find nothing to change leave no undo
    // step behind; undoing then would take back the previous one.
    change.changed = SendMessageW(program.view, EM_CANUNDO, 0, 0) != 0;
    if (change.changed && keepResult) change.result = TextOfView(program.view);
    return change;
}

// Replace all from the top, until its count message shows; the box is
// answered. Fills in the text it made.
Change RunReplaceAll(Program& program, const Options& options, std::string& detail) {
    Change change;
    // The dialog starts with the selection as its search text, and an Undo
    // leaves the whole text selected: megabytes in a one-line box, which
    // takes the dialog seconds to show.
    SendMessageW(program.view, EM_SETSEL, 0, 0);
    PostCommand(program.window, scribbit::menu::EditReplace);
    const HWND dialog = WaitForToolDialog(program.process.Id(), IDC_SUBST_TEXT);
    if (!dialog) {
        detail = "no Replace dialog";
        return change;
    }
    const HWND what = GetDlgItem(dialog, IDC_FIND_TEXT);
    const HWND with = GetDlgItem(dialog, IDC_SUBST_TEXT);
    SetText(what, options.replaceWhat);
    SetText(with, options.replaceWith);
    if (TextOf(what) != options.replaceWhat || TextOf(with) != options.replaceWith) {
        detail = "the Replace dialog did not take the texts";
        SendDialogCommand(dialog, IDCANCEL);
        return change;
    }
    SendMessageW(program.view, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(program.view, EM_SETSEL, 0, 0);
    const double start = NowMs();
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ALL_SUBST, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ALL_SUBST)));
    HWND box = nullptr;
    PollGently([&] { return (box = MessageBoxOf(program.process.Id())) != nullptr; }, BenchTimeoutMs);
    // The count comes once the view shows the new text.
    const double elapsed = NowMs() - start;
    if (!box) {
        detail = "no count message";
        SendDialogCommand(dialog, IDCANCEL);
        return change;
    }
    // The box may be caught before it has its text.
    std::string text;
    PollUntil([&] { return !(text = TextOf(GetDlgItem(box, MessageBoxText))).empty(); }, BenchTimeoutMs);
    Click(box, IDOK);
    PollUntil([&] { return !IsWindow(box); }, 10000);
    if (IsWindow(dialog)) SendDialogCommand(dialog, IDCANCEL);
    change.ms = elapsed;
    change.changed = true;
    change.result = TextOfView(program.view);
    detail = text + " " + std::to_string(change.result.size()) + " characters after";
    return change;
}

// From the word-wrap command until the other view holds the text and has
// painted it.
double TimeWordWrap(Program& program, long long length) {
    const HWND before = program.View();
    const double start = NowMs();
    if (!SendCommand(program.window, scribbit::menu::FormWordWrap)) return -1;
    const HWND now = program.View();
    PaintNow(program.window);
    const double elapsed = NowMs() - start;
    return now && now != before && TextLengthOf(now) == length ? elapsed : -1;
}

double MedianOr(const std::vector<double>& values, double fallback) {
    const double median = Median(values);
    return median < 0 ? fallback : median;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
    for (int i = 0; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? Utf8(argv[++i]) : ""; };
        if (arg == L"--exe") {
            options.exe = next();
        } else if (arg == L"--work") {
            options.work = next();
        } else if (arg == L"--file") {
            options.file = next();
        } else if (arg == L"--partial") {
            options.partial = next();
        } else if (arg == L"--repeat") {
            options.repeat = std::max(1, std::atoi(next().c_str()));
        } else if (arg == L"--partial-change") {
            options.partialChange = std::atoi(next().c_str());
        } else if (arg == L"--find") {
            options.find = next();
        } else if (arg == L"--wrap") {
            const std::string list = next();
            options.wraps.clear();
            if (list.find("off") != std::string::npos) options.wraps.push_back(false);
            if (list.find("on") != std::string::npos) options.wraps.push_back(true);
        } else if (arg == L"--changes") {
            options.wanted.assign(ChangeMenuEntries, false);
            const std::string list = next();
            for (std::size_t at = 0; at < list.size();) {
                const int index = std::atoi(list.c_str() + at);
                if (index >= 0 && index < ChangeMenuEntries) options.wanted[index] = true;
                const std::size_t comma = list.find(',', at);
                at = comma == std::string::npos ? list.size() : comma + 1;
            }
        } else if (arg == L"--replace") {
            options.replaceWhat = next();
            options.replaceWith = next();
        } else {
            std::printf("unknown argument %s\n", Utf8(arg).c_str());
            return false;
        }
    }
    return !options.exe.empty() && !options.work.empty() && !options.file.empty() && !options.find.empty() &&
           !options.replaceWhat.empty();
}

// Where the floor's window goes: right of the program's, the same size as
// its view.
struct FloorPlace {
    SIZE size{};
    POINT at{};
};
FloorPlace PlaceBeside(HWND mainWindow, HWND view) {
    RECT main{};
    RECT edit{};
    GetWindowRect(mainWindow, &main);
    GetWindowRect(view, &edit);
    return {{edit.right - edit.left, edit.bottom - edit.top}, {main.right + 8, main.top}};
}

// The conversions and Replace all in the program's current view, each beside
// the floor control of the same kind, which holds the original text.
constexpr std::size_t LongLineLimit = 100000;

std::size_t LongestLine(const std::wstring& text) {
    std::size_t longest = 0;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(L"\r\n", start), text.size());
        longest = std::max(longest, end - start);
        start = end + 2;
    }
    return longest;
}

// Each conversion's result's longest line, learnt with word wrap off (the
// program's view as it starts), untimed, for a run of word wrap on alone:
// the program's own view would otherwise wrap a line left out below.
int LearnLongestLines(Program& program, const Options& options, long long length,
                      std::vector<std::size_t>& longest) {
    int failures = 0;
    for (int index = 0; index < ChangeMenuEntries; ++index) {
        if (!options.wanted[index]) continue;
        const Change change = RunChange(program, index, true);
        if (change.ms < 0) ++failures;
        if (!change.changed) continue;
        longest[index] = LongestLine(change.result);
        if (TimeUndo(program, length) < 0) ++failures;
    }
    return failures;
}

// longest: per conversion, its result's longest line, learnt with word wrap
// off and used with it on.
int RunChanges(Program& program, FloorView& floor, const std::string& table, const Options& options,
               long long length, std::vector<std::size_t>& longest) {
    int failures = 0;
    for (int index = 0; index < ChangeMenuEntries; ++index) {
        if (!options.wanted[index]) continue;
        const std::string key = "change" + std::to_string(index);
        if (table == "on" && longest[index] > LongLineLimit) {
            std::printf(
                "skip|on|%s|its result holds a line of %zu characters, which the control alone wraps "
                "for minutes\n",
                key.c_str(), longest[index]);
            continue;
        }
        const Change change = RunChange(program, index, true);
        if (change.ms < 0) {
            PrintRow(table, key, -1, -1, -1, -1, "no answer");
            ++failures;
            continue;
        }
        if (!change.changed) {
            PrintRow(table, key, change.ms, -1, -1, -1, "unchanged");
            continue;
        }
        if (table == "off") longest[index] = LongestLine(change.result);
        double ms = change.ms, undo = -1, floorMs = -1, floorUndo = -1;
        int run = 0;
        for (; MoreRuns(run, options, ms, floorMs); ++run) {
            const double ours = run == 0 ? change.ms : RunChange(program, index, false).ms;
            KeepFastest(ms, ours);
            const double undone = TimeUndo(program, length);
            if (undone < 0) ++failures;
            KeepFastest(undo, undone);
            const double floorRun = floor.ReplaceAll(change.result);
            const double floorUndone = floor.Undo();
            KeepFastest(floorMs, floorRun);
            KeepFastest(floorUndo, floorUndone);
            PrintRun(table, key, ours, floorRun, undone, floorUndone);
            if (floor.Length() != length) ++failures;
        }
        PrintRow(table, key, ms, floorMs, undo, floorUndo,
                 std::to_string(change.result.size()) + " characters after" + Runs(run));
    }

    std::string detail;
    double ms = -1, undo = -1, floorMs = -1, floorUndo = -1;
    int run = 0;
    for (; MoreRuns(run, options, ms, floorMs); ++run) {
        const Change replaced = RunReplaceAll(program, options, detail);
        if (replaced.ms < 0) {
            PrintRow(table, "replaceall", -1, -1, -1, -1, detail);
            return failures + 1;
        }
        KeepFastest(ms, replaced.ms);
        const double undone = TimeUndo(program, length);
        if (undone < 0) ++failures;
        KeepFastest(undo, undone);
        const double floorRun = floor.ReplaceAll(replaced.result);
        const double floorUndone = floor.Undo();
        KeepFastest(floorMs, floorRun);
        KeepFastest(floorUndo, floorUndone);
        PrintRun(table, "replaceall", replaced.ms, floorRun, undone, floorUndone);
    }
    PrintRow(table, "replaceall", ms, floorMs, undo, floorUndo, detail + Runs(run));
    return failures;
}

int RunFind(Program& program, const Options& options, long long length) {
    // As for Replace all: no megabytes of selection for the dialog to start with.
    SendMessageW(program.view, EM_SETSEL, 0, 0);
    PostCommand(program.window, scribbit::menu::EditFind);
    const HWND dialog = WaitForToolDialog(program.process.Id(), IDC_FIND_TEXT);
    if (!dialog || GetDlgItem(dialog, IDC_SUBST_TEXT)) {
        PrintRow("misc", "find", -1, -1, -1, -1, "no Find dialog");
        return 1;
    }
    const HWND what = GetDlgItem(dialog, IDC_FIND_TEXT);
    SetText(what, options.find);
    if (TextOf(what) != options.find) {
        PrintRow("misc", "find", -1, -1, -1, -1, "the Find dialog did not take the text");
        SendDialogCommand(dialog, IDCANCEL);
        return 1;
    }
    const double start = NowMs();
    SendDialogCommand(dialog, IDOK);
    PaintNow(program.view);
    const auto [first, last] = SelectionOf(program.view);
    const double elapsed = NowMs() - start;
    const bool atEnd = last == length && first >= 0 && first < last;
    PrintRow("misc", "find", atEnd ? elapsed : -1, -1, -1, -1,
             (atEnd ? "selected the last occurrence" : "not found at the end") + std::string(", selection ") +
                 std::to_string(first) + "-" + std::to_string(last));
    SendDialogCommand(dialog, IDCANCEL);
    return atEnd ? 0 : 1;
}

// Both count units, each from the command until the panels show it; the
// floor is what any count must do: be asked, show the busy pointer, read
// the text (or only its length) from the control, show unit and count in a
// status bar like the program's, and give back the pointer the window under
// the mouse asks for. The floor works in this process; the program's time
// also holds what the asking and the waiting for its paint cost across
// processes, so the floor gets the same: a null message and the same wait
// for a paint when there is none to do, right after each switch, since that
// cost changes as the machine gets busier. A switch takes a few
// milliseconds, so each unit is switched to CountRounds times, in turn with
// the other, and the median of each counts. The machine here has spells,
// coming and going within a second, in which a count in bytes takes twice
// as long (its copy and its count alike, timed inside the program). With a
// fixed order and no pause, the spells fell on the program's switches for
// several rounds in a row and then on the floor's, and the ratio of the
// medians of 25 swung from 0.91 to 1.65 between runs. So the order of the
// two is drawn for each round, a pause of a few milliseconds before each
// switch, and there are enough rounds for both to meet the same share.
constexpr int CountRounds = 61;

int RunCountSwitches(Program& program, FloorView& floor, long long characters, long long byteCount) {
    floor.CopyStatusBar(program.process.Handle(), StatusBarOf(program.window));
    std::vector<double> roundTrips;
    int failures = 0;
    // The null message's round trip, or 0 (and a failure) when it went unanswered.
    const auto roundTrip = [&] {
        const double start = NowMs();
        if (!SendCommand(program.window, scribbit::menu::FileNew, true)) {
            ++failures;
            return 0.0;
        }
        PaintNow(StatusBarOf(program.window));
        roundTrips.push_back(NowMs() - start);
        return roundTrips.back();
    };
    const struct {
        const char* key;
        scribbit::MenuItem item;
        bool bytes;
        const wchar_t* unit;
        long long count;
    } units[] = {{"count-chars", scribbit::menu::CountCharacters, false, L"文字", characters},
                 {"count-bytes", scribbit::menu::CountBytes, true, L"バイト", byteCount}};
    struct Figures {
        std::vector<double> ms, floorMs;
        std::string shown;
    } figures[2];
    std::mt19937 draw(2024);
    const auto pause = [&] { Sleep(static_cast<DWORD>(draw() % 8)); };
    for (int round = 0; round < CountRounds; ++round) {
        for (int which = 0; which < 2; ++which) {
            const auto& unit = units[which];
            const bool floorFirst = draw() % 2 == 0;
            const auto timeFloor = [&] {
                pause();
                figures[which].floorMs.push_back(roundTrip() + floor.SwitchCount(unit.bytes, unit.unit));
            };
            if (floorFirst) timeFloor();
            pause();
            const double start = NowMs();
            const bool sent = SendCommand(program.window, unit.item);
            PaintNow(StatusBarOf(program.window));
            const double elapsed = NowMs() - start;
            if (!floorFirst) timeFloor();
            const std::string shown = StatusText(program.process.Handle(), StatusBarOf(program.window), 2);
            if (sent && shown == std::to_string(unit.count)) {
                figures[which].ms.push_back(elapsed);
            } else {
                ++failures;
                figures[which].shown = shown;
            }
        }
    }
    for (int which = 0; which < 2; ++which) {
        const std::string shown =
            figures[which].shown.empty() ? std::to_string(units[which].count) : figures[which].shown;
        PrintRow("misc", units[which].key, failures == 0 ? MedianOr(figures[which].ms, -1) : -1,
                 MedianOr(figures[which].floorMs, -1), -1, -1,
                 "shows " + shown + "; round trip " + std::to_string(MedianOr(roundTrips, -1)) + " ms");
    }
    return failures;
}

// The second document: only its end changes. One conversion and Replace all,
// each beside the floor of the same result put in whole.
int RunPartial(const Options& options, const ViewFont& font, const std::string& program) {
    const long long length = CharacterCount(options.partial);
    const std::optional<std::string> bytes = ReadFileBytes(options.partial);
    if (length < 0 || !bytes) return 1;
    Program partial;
    if (!partial.Open(program, options.work, CopyInto(options.partial, options.work), length)) {
        PrintRow("misc", "partial-open", -1, -1, -1, -1, "the document did not open");
        return 1;
    }
    const FloorPlace place = PlaceBeside(partial.window, partial.view);
    FloorView floor(false, font, place.size, place.at);
    if (FocusOf(partial.window) == partial.view) floor.ActAsFocused();
    floor.SetText(FromAnsi(*bytes));
    int failures = 0;

    const std::string key = "partial-change" + std::to_string(options.partialChange);
    const Change change = RunChange(partial, options.partialChange, true);
    if (change.ms < 0 || !change.changed || TimeUndo(partial, length) < 0) {
        PrintRow("misc", key, -1, -1, -1, -1, "did not change");
        ++failures;
    } else {
        const double whole = floor.ReplaceAll(change.result);
        floor.Undo();
        PrintRow("misc", key, change.ms, whole, -1, -1,
                 std::to_string(change.result.size()) + " characters after");
    }

    std::string detail;
    const Change replaced = RunReplaceAll(partial, options, detail);
    if (replaced.ms < 0 || TimeUndo(partial, length) < 0) {
        PrintRow("misc", "partial-replaceall", -1, -1, -1, -1, detail);
        ++failures;
    } else {
        PrintRow("misc", "partial-replaceall", replaced.ms, floor.ReplaceAll(replaced.result), -1, -1,
                 detail);
    }
    partial.process.Kill();
    return failures;
}

}  // namespace

int RunEditing(int argc, wchar_t** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::printf(
            "usage: scribbit_bench editing --exe PROGRAM --work FOLDER --file TEXT --find WHAT "
            "--replace WHAT WITH [--changes N,...] [--wrap off,on] [--partial TEXT --partial-change N]\n");
        return 2;
    }
    const long long length = CharacterCount(options.file);
    const std::optional<std::string> bytes = ReadFileBytes(options.file);
    if (length < 0 || !bytes) {
        std::printf("cannot read %s\n", options.file.c_str());
        return 2;
    }
    const std::wstring original = FromAnsi(*bytes);

    CreateDirectoryW(Wide(options.work).c_str(), nullptr);
    const std::string exe = CopyInto(options.exe, options.work);
    if (!UseControlsOf(exe)) std::printf("the floor uses the system's own controls, not the program's\n");
    // The first start writes the settings beside the program; then the start
    // alone, which the open's floor includes.
    TimeStart(exe, options.work);
    const ViewFont font = ReadViewFont(options.work + "\\ScribbitⅡ.ini");
    std::vector<double> starts;
    for (int i = 0; i < 3; ++i) starts.push_back(TimeStart(exe, options.work));
    const double start = MedianOr(starts, -1);

    const std::string document = CopyInto(options.file, options.work);
    Program program;
    if (!program.Open(exe, options.work, document, length)) {
        std::printf("the document did not open\n");
        return 1;
    }
    const FloorPlace place = PlaceBeside(program.window, program.view);
    FloorView noWrap(false, font, place.size, place.at);
    FloorView wrap(true, font, place.size, place.at);
    const bool focused = FocusOf(program.window) == program.view;
    if (focused) {
        noWrap.ActAsFocused();
        wrap.ActAsFocused();
    }
    double openMs = program.openMs;
    double floorOpen = start + noWrap.SetText(original);

    int failures = 0;
    std::vector<std::size_t> longest(ChangeMenuEntries, 0);
    // The switch into the other view, `repeat` times (switched back between
    // them, untimed); the floor each time puts the text into an empty
    // control of that kind.
    const auto switches = [&](const char* key, FloorView& into) {
        double ms = -1, floorMs = -1;
        int run = 0;
        for (; MoreRuns(run, options, ms, floorMs); ++run) {
            if (run > 0 && TimeWordWrap(program, length) < 0) ++failures;
            const double switched = TimeWordWrap(program, length);
            if (switched < 0) ++failures;
            KeepFastest(ms, switched);
            into.SetText(L"");
            KeepFastest(floorMs, into.SetText(original));
        }
        PrintRow("misc", key, ms, floorMs, -1, -1, Runs(run).substr(2));
    };
    if (options.wraps == std::vector<bool>{true}) failures += LearnLongestLines(program, options, length, longest);
    for (const bool wordWrap : options.wraps) {
        if (wordWrap) switches("wrapon", wrap);
        failures +=
            RunChanges(program, wordWrap ? wrap : noWrap, wordWrap ? "on" : "off", options, length, longest);
        if (wordWrap) switches("wrapoff", noWrap);
    }
    // Last, so that the byte count is not known from the open any more: the
    // last command was an Undo.
    failures += RunFind(program, options, length);
    failures += RunCountSwitches(program, noWrap, length, static_cast<long long>(bytes->size()));
    program.process.Kill();
    // The open as often as the other rows run, each time in a new program;
    // after the rest, so that no row runs beside a second program.
    int openRuns = 1;
    for (; MoreRuns(openRuns, options, openMs, floorOpen); ++openRuns) {
        Program again;
        if (!again.Open(exe, options.work, document, length)) {
            ++failures;
            break;
        }
        KeepFastest(openMs, again.openMs);
        again.process.Kill();
        noWrap.SetText(L"");
        KeepFastest(floorOpen, start + noWrap.SetText(original));
    }
    PrintRow("misc", "open", openMs, floorOpen, -1, -1,
             std::to_string(length) + " characters; start alone " + std::to_string(start) + " ms; the view " +
                 (focused ? "has" : "has not") + " the focus" + Runs(openRuns));
    if (!options.partial.empty()) failures += RunPartial(options, font, exe);
    std::printf("failed steps: %d\n", failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace bench
