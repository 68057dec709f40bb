// Timings of the editing commands in the real program under Wine, for the
// editing benchmark script: every entry of the text-processing menu on the
// whole text, a text-mode Find Next to the last occurrence and a Replace all,
// each from the command to the text in the edit view, and the Undo that takes
// it back (which also restores the text for the next command).
//
//   scribbit_bench editing --exe PROGRAM --work FOLDER --file TEXT
//                  --find WHAT --replace WHAT WITH [--changes N,N,...]
// (--changes: only those entries of the text-processing menu)
//
// Prints one line per command, fields separated by '|':
//   row|<key>|<ms>|<undo ms>|<detail>
// where key is change<N> (N: index in the text-processing menu), find or
// replaceall; a negative time marks a step that failed.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "e2e/probe.h"
#include "editing_dialog_ids.h"

namespace bench {

using namespace e2e;

namespace {

constexpr DWORD BenchTimeoutMs = 600000;
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
            for (HWND window : ShownDialogs(processId)) {
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

// Has the view paint whatever the last command left to paint, and waits for
// it: the system sends the paint message to the program and waits.
void PaintNow(HWND view) { RedrawWindow(view, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

void SendDialogCommand(HWND dialog, int controlId) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, controlId)), SMTO_NORMAL, BenchTimeoutMs, &result);
}

void PrintRow(const std::string& key, double ms, double undoMs, const std::string& detail) {
    std::printf("row|%s|%.0f|%.0f|%s\n", key.c_str(), ms, undoMs, detail.c_str());
    std::fflush(stdout);
}

// Undo, timed, then checked: the view must hold the original length again.
double TimeUndo(HWND mainWindow, HWND view, long long originalLength) {
    const double start = NowMs();
    if (!SendCommand(mainWindow, scribbit::menu::EditUndo)) return -1;
    PaintNow(view);
    const double elapsed = NowMs() - start;
    return TextLengthOf(view) == originalLength ? elapsed : -1;
}

}  // namespace

int RunEditing(int argc, wchar_t** argv) {
    std::string exe;
    std::string work;
    std::string file;
    std::string find;
    std::string replaceWhat;
    std::string replaceWith;
    std::vector<bool> wanted(ChangeMenuEntries, true);
    for (int i = 0; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto next = [&]() -> std::string { return i + 1 < argc ? Utf8(argv[++i]) : ""; };
        if (arg == L"--exe") {
            exe = next();
        } else if (arg == L"--work") {
            work = next();
        } else if (arg == L"--file") {
            file = next();
        } else if (arg == L"--find") {
            find = next();
        } else if (arg == L"--changes") {
            wanted.assign(ChangeMenuEntries, false);
            const std::string list = next();
            for (std::size_t at = 0; at < list.size();) {
                const int index = std::atoi(list.c_str() + at);
                if (index >= 0 && index < ChangeMenuEntries) wanted[index] = true;
                const std::size_t comma = list.find(',', at);
                at = comma == std::string::npos ? list.size() : comma + 1;
            }
        } else if (arg == L"--replace") {
            replaceWhat = next();
            replaceWith = next();
        } else {
            std::printf("unknown argument %s\n", Utf8(arg).c_str());
            return 2;
        }
    }
    if (exe.empty() || work.empty() || file.empty() || find.empty() || replaceWhat.empty()) {
        std::printf(
            "usage: scribbit_bench editing --exe PROGRAM --work FOLDER --file TEXT --find WHAT "
            "--replace WHAT WITH\n");
        return 2;
    }
    const long long length = CharacterCount(file);
    if (length < 0) {
        std::printf("cannot read %s\n", file.c_str());
        return 2;
    }

    CreateDirectoryW(Wide(work).c_str(), nullptr);
    const std::string program = CopyInto(exe, work);
    const std::string document = CopyInto(file, work);
    Process process;
    const double openStart = NowMs();
    if (!process.Start(program, Quote(document), work, 4 * 3600 * 1000)) {
        std::printf("cannot start %s\n", program.c_str());
        return 1;
    }
    const HWND window = process.WaitForMainWindow(BenchTimeoutMs);
    HWND view = nullptr;
    const bool loaded = window && PollUntil(
                                      [&] {
                                          view = DocumentView(window);
                                          return view && TextLengthOf(view) == length;
                                      },
                                      BenchTimeoutMs, 20);
    if (!loaded) {
        std::printf("the document did not open\n");
        return 1;
    }
    PrintRow("open", NowMs() - openStart, -1, std::to_string(length) + " characters");
    int failures = 0;

    for (int index = 0; index < ChangeMenuEntries; ++index) {
        if (!wanted[index]) continue;
        SendMessageW(view, EM_EMPTYUNDOBUFFER, 0, 0);
        SendMessageW(view, EM_SETSEL, 0, 0);
        double start = NowMs();
        if (index == TabToSpaceIndex || index == SpaceToTabIndex) {
            // These ask for the tab width first; the time runs from its OK.
            PostCommand(window, {scribbit::Menu::Change, index});
            const HWND dialog = WaitForToolDialog(process.Id(), IDC_TAB_SPACE);
            if (!dialog) {
                PrintRow("change" + std::to_string(index), -1, -1, "no tab dialog");
                ++failures;
                continue;
            }
            start = NowMs();
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // Until the dialog is gone its own loop would answer at once.
            PollUntil([&] { return !IsWindow(dialog); }, BenchTimeoutMs, 1);
        }
        // The command's handler has finished once a message of our own,
        // queued behind it, is answered.
        if (!SendCommand(window, {scribbit::Menu::Change, index}, index == TabToSpaceIndex || index == SpaceToTabIndex)) {
            PrintRow("change" + std::to_string(index), -1, -1, "no answer");
            ++failures;
            continue;
        }
        const double elapsed = NowMs() - start;
        const long long after = TextLengthOf(view);
        // Separators and conversions that find nothing to change leave no
        // undo step behind; undoing then would take back the previous one.
        // (Reading the whole text back across processes would cost more than
        // the command; the undo step tells whether there was an edit.)
        const bool changed = SendMessageW(view, EM_CANUNDO, 0, 0) != 0;
        const double undo = changed ? TimeUndo(window, view, length) : 0;
        if (changed && undo < 0) ++failures;
        PrintRow("change" + std::to_string(index), elapsed, undo,
                 changed ? std::to_string(after) + " characters after" : "unchanged");
    }

    // Find Next from the top to the one occurrence at the very end.
    PostCommand(window, scribbit::menu::EditFind);
    if (HWND dialog = WaitForToolDialog(process.Id(), IDC_FIND_TEXT); dialog && !GetDlgItem(dialog, IDC_SUBST_TEXT)) {
        SetText(GetDlgItem(dialog, IDC_FIND_TEXT), find);
        SendMessageW(view, EM_SETSEL, 0, 0);
        const double start = NowMs();
        SendDialogCommand(dialog, IDOK);
        PaintNow(view);
        const auto [first, last] = SelectionOf(view);
        const double elapsed = NowMs() - start;
        const bool atEnd = last == length && first >= 0 && first < last;
        if (!atEnd) ++failures;
        PrintRow("find", atEnd ? elapsed : -1, -1,
                 (atEnd ? "selected the last occurrence" : "not found at the end") + std::string(", selection ") +
                     std::to_string(first) + "-" + std::to_string(last));
        SendDialogCommand(dialog, IDCANCEL);
    } else {
        PrintRow("find", -1, -1, "no Find dialog");
        ++failures;
    }

    // Replace all from the top; its count message ends the command.
    PostCommand(window, scribbit::menu::EditReplace);
    if (HWND dialog = WaitForToolDialog(process.Id(), IDC_SUBST_TEXT)) {
        SetText(GetDlgItem(dialog, IDC_FIND_TEXT), replaceWhat);
        SetText(GetDlgItem(dialog, IDC_SUBST_TEXT), replaceWith);
        SendMessageW(view, EM_SETSEL, 0, 0);
        const double start = NowMs();
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_ALL_SUBST, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ALL_SUBST)));
        HWND box = nullptr;
        PollUntil([&] { return (box = MessageBoxOf(process.Id())) != nullptr; }, BenchTimeoutMs);
        const double elapsed = NowMs() - start;
        if (box) {
            // The box may be caught before it has its text, and the program
            // may still be drawing the new text: both are given time.
            std::string text;
            PollUntil([&] { return !(text = TextOf(GetDlgItem(box, MessageBoxText))).empty(); }, BenchTimeoutMs);
            DWORD_PTR after = 0;
            SendMessageTimeoutW(view, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, BenchTimeoutMs, &after);
            Click(box, IDOK);
            PollUntil([&] { return !IsWindow(box); }, 10000);
            const double undo = TimeUndo(window, view, length);
            if (undo < 0) ++failures;
            PrintRow("replaceall", elapsed, undo, text + " " + std::to_string(static_cast<long long>(after)) + " characters after");
        } else {
            PrintRow("replaceall", -1, -1, "no count message");
            ++failures;
        }
        SendDialogCommand(dialog, IDCANCEL);
    } else {
        PrintRow("replaceall", -1, -1, "no Replace dialog");
        ++failures;
    }
    process.Kill();
    std::printf("failed steps: %d\n", failures);
    return failures == 0 ? 0 : 1;
}

}  // namespace bench
