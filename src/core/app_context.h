// What the main window owns for the whole run: the ports it works through
// and the values several commands share (one instance each).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/clipboard_history.h"
#include "core/page_setup.h"
#include "core/view_state.h"
#include "platform/clipboard.h"
#include "platform/edit_view.h"
#include "platform/file_system.h"
#include "platform/locale_services.h"
#include "platform/main_frame.h"
#include "platform/menu_state.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"
#include "platform/types.h"
#include "platform/user_dialogs.h"
#include "scribbit_version.h"

namespace scribbit {

struct PrintingContext;

inline constexpr char16_t AppTitle[] = u"ScribbitⅡ";
inline constexpr char16_t SettingsFileName[] = u"ScribbitⅡ.ini";
inline constexpr int AppIconResource = 101;

struct Ports {
    MainFrame& frame;
    EditView& txtReturn;    // word wrap on
    EditView& txtNoReturn;  // word wrap off
    StatusBar& sttSTATUS;
    MenuState& menus;
    ToolBar& tolToolBar;
    UserDialogs& dialogs;
    Clipboard& clipboard;
    FileSystem& files;
    LocaleServices& locale;
};

// The one open document.
struct DocumentState {
    std::u16string CurrentFilePath;  // empty for an untitled document
    bool IsModified = false;
    bool IsReadOnly = false;  // both edit views are locked
};

// What the shared common dialog remembers between its uses.
struct CommonDialogState {
    std::u16string fileName;  // the name last used in any file dialog
    int filterIndex = 1;
    bool readOnlyChecked = false;  // the read-only box after the last file dialog
};

// The shared search state of the Find and Replace dialogs and F3.
struct SearchState {
    std::u16string SearchText;
    bool SearchUpward = false;
    bool MatchCase = false;
    std::int64_t FoundPosition = 0;  // 1-based, 0 after a search that found nothing
};

struct AppContext {
    explicit AppContext(const Ports& p, std::u16string folder) : ports(p), programFolder(std::move(folder)) {}

    Ports ports;
    std::u16string programFolder;  // ends with exactly one backslash

    DocumentState document;
    CommonDialogState commonDialog;
    SearchState search;
    ViewState view;

    bool EditorSwitching = false;
    Bounds LastActiveBounds;
    std::int16_t PasteButtonIndex = -1;
    std::int16_t AlwaysOnTopButtonIndex = -1;
    ClipboardHistory clipboardHistory;  // Edit > Copy records, the paste button offers
    // Rebuilds the paste button's list after the history changed; the main
    // form wires it, as the toolbar stands above the editing commands.
    std::function<void()> clipboardHistoryChanged;
    std::int32_t TabSpace = 0;
    PageSetup pageSetup;
    PrintingContext* printing = nullptr;  // page setup and printing, once the shell attached a printer
    bool ended = false;  // ExitApplication has run
    // The settings file exists but could not be read at start-up (another
    // program holds it, or it may not be read): the run goes on with the
    // first-run values, which must not be written over the user's file.
    bool keepSettingsFile = false;
    // The last editor font name the settings file can hold (the ANSI code
    // page cannot hold every face name); written in place of one it cannot.
    std::u16string storableFontName;

    // The shown edit view: txtReturn while word wrap is on.
    EditView& ActiveEditor() const { return view.wordWrap ? ports.txtReturn : ports.txtNoReturn; }
    std::u16string SettingsPath() const { return programFolder + SettingsFileName; }
};

}  // namespace scribbit
