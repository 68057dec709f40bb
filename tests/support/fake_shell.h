// In-memory shell: the program's own path and current directory as set, and
// a record of every process started, address opened and help search shown.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"

namespace scribbit {

class FakeShell : public Shell {
public:
    std::u16string ExecutablePath() const override { return executablePath; }
    std::u16string CurrentDirectory() const override { return currentDirectory; }
    bool StartProcess(const std::u16string& commandLine) override {
        started.push_back(commandLine);
        return startSucceeds;
    }
    void OpenWithShell(const std::u16string& target, const std::u16string& directory) override {
        opened.emplace_back(target, directory);
    }
    void ShowHelpKeywordSearch(const std::u16string& helpFile) override { helpSearches.push_back(helpFile); }

    std::u16string executablePath = u"C:\\Tools\\Scribbit\\ScribbitⅡ.exe";
    std::u16string currentDirectory = u"C:\\Work";
    bool startSucceeds = true;
    std::vector<std::u16string> started, helpSearches;
    std::vector<std::pair<std::u16string, std::u16string>> opened;  // target, directory
};

}  // namespace scribbit
