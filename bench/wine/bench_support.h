// The Wine benchmark driver: times the real program under Wine through the
// same probes as the end-to-end driver. Its modes, and the small tools they
// share.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace bench {

// Each mode takes the arguments after its name; returns the exit code.
int RunOpenSave(int argc, wchar_t** argv);
int RunEditing(int argc, wchar_t** argv);
int RunTyping(int argc, wchar_t** argv);

// Milliseconds on a steady clock.
double NowMs();
// Waits for the condition while the program works, without loading the
// machine: the pause between looks grows with the time waited (a 200th of
// it, 1 to 50 ms), so the wait's end is seen within half a percent, while
// a look every millisecond through a step of seconds would crowd the Wine
// server the program itself is using. False on timeout.
bool PollGently(const std::function<bool()>& condition, DWORD timeoutMs);
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
// The whole text of another process's edit view (WM_GETTEXT).
std::wstring TextOfView(HWND view);
// Milliseconds from CreateProcess to a visible main window; -1 on failure.
double TimeStart(const std::string& exe, const std::string& folder);
// A row of the floor tables: the program's milliseconds, the floor's and
// their ratio ("-" where either is missing).
std::string FloorCells(double ours, double floor);

// Makes this process create its controls from the same library as the
// program does (its manifest's common controls); false when it cannot.
bool UseControlsOf(const std::string& program);
// The program's editor font as its settings file names it.
struct ViewFont {
    std::wstring name;
    double size = 13.5;
    bool bold = false, italic = false, underline = false, strikethrough = false;
};
ViewFont ReadViewFont(const std::string& settingsPath);

// A bare edit control in this process, made like the program's views, in a
// window of its own at `at` (beside the program's, so that neither hides the
// other). Each timed step includes painting its result.
class FloorView {
public:
    FloorView(bool wordWrap, const ViewFont& font, SIZE size, POINT at);
    FloorView(const FloorView&) = delete;
    FloorView& operator=(const FloorView&) = delete;
    ~FloorView();

    // The control behaves as the focused one, as the program's view where
    // the user types does: it keeps its caret where the selection ends,
    // which on a long line costs a measurement of the line. Sent, not set
    // with SetFocus: the benchmark's window must not take the activation
    // from the program's.
    void ActAsFocused();
    double SetText(const std::wstring& text);     // WM_SETTEXT
    // Select all, EM_REPLACESEL, and the caret back at the start.
    double ReplaceAll(const std::wstring& text);
    double Undo();        // EM_UNDO
    double ReadText();    // WM_GETTEXT of the whole text
    // The status bar takes the panels of the program's (edges and texts),
    // so that showing a count costs both the same painting.
    void CopyStatusBar(HANDLE process, HWND programBar);
    // What any count-unit switch must do: the busy pointer on, the text's
    // length read (for bytes: the text, sized in the code page by the
    // system's converter), unit and count shown in the status bar, the
    // normal pointer back.
    double SwitchCount(bool bytes, const std::wstring& unit);
    long long Length() const;

private:
    template <class Work>
    double Timed(Work&& work);

    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
    HWND status_ = nullptr;
    HFONT font_ = nullptr;
    std::wstring buffer_;
};

}  // namespace bench
