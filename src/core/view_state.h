// The view options as they stand: one value the rest of the program reads.
// The menus' check marks, the bars, which edit view is shown and the
// always-on-top button show it; the settings file stores it.
#pragma once

namespace scribbit {

// Until start-up applies the settings it holds the state the main window
// is created in: both bars shown, every option off, counting in bytes.
struct ViewState {
    bool wordWrap = false;  // txtReturn is the ActiveEditor
    bool statusBar = true;
    bool toolBar = true;
    bool alwaysOnTop = false;
    bool countCharacters = false;  // the count unit: characters, otherwise ANSI bytes
};

}  // namespace scribbit
