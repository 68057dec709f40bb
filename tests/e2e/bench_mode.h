// Timing the program under Wine: the benchmark modes of the driver and the
// small tools they share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Arguments after --bench; returns the process exit code.
int RunBench(int argc, wchar_t** argv);
// Arguments after --bench-editing: the editing commands on a large text.
int RunEditingBench(int argc, wchar_t** argv);
// Arguments after --bench-typing: key-release latency and word-wrap switching.
int RunTypingBench(int argc, wchar_t** argv);

// Milliseconds on a steady clock.
double NowMs();
// The median of the values that are not negative (a negative one marks a
// failed run); -1 when none is left.
double Median(std::vector<double> values);
// The edit view that shows the document: the largest visible EDIT.
HWND DocumentView(HWND mainWindow);
std::wstring Quote(const std::wstring& path);
// Copies source into folder under its own name; returns the copy's path.
std::wstring CopyInto(const std::wstring& source, const std::wstring& folder);

}  // namespace e2e
