// The Wine benchmark driver: times the real program under Wine through the
// same probes as the end-to-end driver. Its modes, and the small tools they
// share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

// Each mode takes the arguments after its name; returns the exit code.
int RunOpenSave(int argc, wchar_t** argv);
int RunEditing(int argc, wchar_t** argv);
int RunTyping(int argc, wchar_t** argv);

// Milliseconds on a steady clock.
double NowMs();
// The median of the values that are not negative (a negative one marks a
// failed run); -1 when none is left.
double Median(std::vector<double> values);
// The edit view that shows the document: the largest visible EDIT.
HWND DocumentView(HWND mainWindow);
// A window's text length (WM_GETTEXTLENGTH); -1 when it does not answer.
long long TextLengthOf(HWND window);
std::string Quote(const std::string& path);
// Copies source into folder under its own name; returns the copy's path.
std::string CopyInto(const std::string& source, const std::string& folder);
std::string NameOf(const std::string& path);
long long FileSize(const std::string& path);  // -1 when missing
// Text in the ANSI code page as UTF-16, as the edit view holds it.
std::wstring FromAnsi(const std::string& bytes);
// Characters (UTF-16 units) of a file in the ANSI code page, as the edit
// view holds it; -1 when it cannot be read.
long long CharacterCount(const std::string& path);

}  // namespace bench
