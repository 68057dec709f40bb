// One run of the program under test in the test's own folder, and the waits
// the scenarios make: each waits for what an action produces.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "e2e/probe.h"

namespace e2e {

inline constexpr char ProgramTitle[] = "ScribbitⅡ";

struct DriverOptions {
    std::string exe;  // the ScribbitⅡ.exe under test
    std::string out;  // work folders and screenshots go below it
};
inline DriverOptions& Options() {
    static DriverOptions options;
    return options;
}

// A fresh, empty folder for the running test.
std::string FreshFolder();
// A picture of the screen in <out>\screenshots, named after the test.
void Screenshot(const std::string& label);
// The text in the ANSI code page; a failed check when it has no code there.
std::string AnsiBytes(const std::string& text);
// UTF-16 units, as the edit control counts positions.
long long Units(const std::string& text);

// Polls get() until it returns want; returns the last value read.
template <class Get, class Want>
auto WaitFor(Get get, const Want& want, DWORD timeoutMs = WaitMs) {
    auto seen = get();
    PollUntil([&] { return (seen = get()) == want; }, timeoutMs);
    return seen;
}

class App {
public:
    // A copy of the program in folder, so that its settings file is the test's.
    explicit App(const std::string& folder);
    // Starts it and waits for its main window, with the focus in the edit view.
    bool Start(const std::string& arguments = "");
    bool StartOnly(const std::string& arguments = "");

    Process process;
    DWORD Pid() const { return process.Id(); }
    HWND Main() const { return process.MainWindow(); }
    HWND Editor() const { return ActiveEditor(Main()); }
    std::string Text() const { return TextOf(Editor()); }
    std::string Caption() const { return TextOf(Main()); }
    std::string Panel(int number) const;  // counted from 1, as the user does
    RECT ButtonRect(int index) const;     // a toolbar button's, on the screen
    std::string SettingsPath() const { return folder_ + "\\ScribbitⅡ.ini"; }
    std::optional<std::string> Settings() const { return ReadFileBytes(SettingsPath()); }

    bool Command(scribbit::MenuItem item) const { return PostCommand(Main(), item); }
    // A command sent, for those that open no modal window: when this
    // returns, the program has carried it out.
    bool Run(scribbit::MenuItem item) const;
    // Real keys for the shown edit view: it comes forward with the focus first.
    bool Key(WORD virtualKey, Modifiers modifiers = NoModifier) const;
    bool Type(const std::string& text) const;

    // Acts (null: already done), then answers the message box that comes up
    // with button; false when one was up before, none came or it stayed.
    bool Answer(const std::function<void()>& action, int button = IDOK) const;
    // Acts, then waits for the window find finds; none may be found before.
    HWND Opens(const std::function<void()>& action, const std::function<HWND()>& find) const;
    // Acts, then fills in the open or save dialog that comes up and clicks OK
    // (an empty path: Cancel); true when the dialog went away.
    bool ChooseFile(const std::function<void()>& action, const std::string& path, bool readOnly = false,
                    const std::string& screenshot = "") const;
    // File > Exit, answering the save prompt with button when there is one.
    bool Exit(int button = 0) const;

private:
    std::string folder_;
    std::string exe_;
};

}  // namespace e2e

// Acts, then waits until `actual` reads `expected`. It must not read so
// before: a wait that the old state already passes proves nothing.
#define EXPECT_AFTER(action, actual, expected)                                  \
    do {                                                                        \
        const auto e2eWant = (expected);                                        \
        EXPECT_NE((actual), e2eWant) << "so before the action: " #action;       \
        action;                                                                 \
        EXPECT_EQ(::e2e::WaitFor([&] { return (actual); }, e2eWant), e2eWant); \
    } while (false)
