// Every double wired into one Ports and one MainForm, the way the Win32
// shell wires the real controls: the edit views' change notifications and
// the frame's resizes reach the form, the edit views start with the font
// the window gives them, and the program's folder exists on the fake disk.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/main_form.h"
#include "support/event_log.h"
#include "support/fake_clipboard.h"
#include "support/fake_edit_view.h"
#include "support/fake_file_system.h"
#include "support/fake_locale.h"
#include "support/fake_main_frame.h"
#include "support/fake_menu_state.h"
#include "support/fake_shell.h"
#include "support/fake_status_bar.h"
#include "support/fake_text_services.h"
#include "support/fake_tool_bar.h"
#include "support/fake_user_dialogs.h"
#include "support/recording_editing_windows.h"
#include "support/scripted_form_dialogs.h"

namespace scribbit {

class AppFixture {
public:
    static constexpr char16_t DefaultFolder[] = u"C:\\Tools\\Scribbit";

    explicit AppFixture(std::u16string_view programFolder = DefaultFolder);
    AppFixture(const AppFixture&) = delete;
    AppFixture& operator=(const AppFixture&) = delete;

    AppContext& Context() { return form.Context(); }
    // Where the program keeps its settings file.
    std::u16string SettingsPath() { return Context().SettingsPath(); }
    // Puts a settings file on the disk, encoded in the ANSI code page.
    void PutSettings(std::u16string_view text);
    // The settings file on the disk, decoded; nullopt when there is none.
    std::optional<std::u16string> SettingsOnDisk();
    // The edit view that is the ActiveEditor.
    FakeEditView& ActiveView();

    EventLog log;
    FakeMainFrame frame;
    FakeClipboard clipboard;
    FakeEditView txtReturn{clipboard};
    FakeEditView txtNoReturn{clipboard};
    FakeStatusBar status;
    FakeMenuState menus;
    FakeToolBar toolBar;
    FakeUserDialogs dialogs;
    FakeFileSystem files;
    FakeLocale locale;
    FakeTextServices text;
    RecordingEditingWindows editingWindows;
    FakeShell shell;
    ScriptedFormDialogs formDialogs;
    Ports ports;
    MainForm form;

private:
    std::u16string folder_;
};

}  // namespace scribbit
