// The settings file the program should write, built here from the documented
// defaults and format rather than from the program's own tables, so that a
// fault in those tables shows up as a difference on disk.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct ExpectedSettings {
    long xpos = 0;
    long ypos = 0;
    long xsize = 5200;
    long ysize = 5000;
    bool statusBar = true;
    bool toolBar = true;
    bool charCount = false;
    bool turnRight = false;
    int tabSpace = 0;
    bool mostFront = false;
    bool bold = false;
    bool italic = false;
    std::wstring fontName = L"FixedSys";
    std::wstring fontSize = L"13.5";
    bool strikethrough = false;
    bool underline = false;
    std::wstring color = L"80000008";  // hexadecimal after "&H"
    std::vector<std::wstring> toolBarRecords;
};

// What a first run writes: the defaults and the 26 positions of the default toolbar.
ExpectedSettings FirstRunSettings();
std::vector<std::wstring> DefaultToolBarRecords();

// The whole file as text; every line ends in CR LF.
std::wstring SettingsText(const ExpectedSettings& settings);

}  // namespace e2e
