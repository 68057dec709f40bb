// What the Help menu needs of the system: the running program's own file,
// starting a program, opening an address with the program the system picks
// for it, and the help viewer.
#pragma once

#include <string>

namespace scribbit {

class Shell {
public:
    Shell() = default;
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;
    virtual ~Shell() = default;

    // The full path of the running program's executable file.
    virtual std::u16string ExecutablePath() const = 0;
    // The process's current directory.
    virtual std::u16string CurrentDirectory() const = 0;
    // Starts a new process from a command line (the program is found as the
    // system finds it), its window shown normally and given the focus.
    // False when the system could not start it.
    virtual bool StartProcess(const std::u16string& commandLine) = 0;
    // Opens a web address or a "mailto:" link with the system's program for
    // it, in `directory`; whether that worked is not reported.
    virtual void OpenWithShell(const std::u16string& target, const std::u16string& directory) = 0;
    // The help viewer's keyword search of a help file, with no keyword,
    // owned by the main window.
    virtual void ShowHelpKeywordSearch(const std::u16string& helpFile) = 0;
};

}  // namespace scribbit
