// Every double wired into one MainForm the way the Win32 shell wires the
// real controls: the edit views' change notifications and the frame's
// resizes reach the form, the views start with the window's font, and the
// program's folder and C:\docs exist on the fake disk.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "app/main_form.h"
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

// What the user sees of the document, for one comparison per case.
struct Screen {
    std::u16string text, path;
    bool modified = false, readOnly = false;
    std::u16string caption, panel1;
    friend bool operator==(const Screen&, const Screen&) = default;
};
void PrintTo(const Screen& screen, std::ostream* out);

class AppFixture {
public:
    explicit AppFixture(std::u16string_view programFolder = u"C:\\Tools\\Scribbit");

    AppContext& Context() { return form.Context(); }
    EditingContext& Editing() { return form.Editing(); }
    std::u16string SettingsPath() { return Context().SettingsPath(); }
    // The settings file on the disk, encoded in or decoded from the ANSI code page.
    void PutSettings(std::u16string_view text) { files.AddFile(SettingsPath(), locale.ToAnsi(text).bytes); }
    std::optional<std::u16string> SettingsOnDisk();
    FakeEditView& ActiveView() { return &Context().ActiveEditor() == &txtReturn ? txtReturn : txtNoReturn; }
    // A read-only state the two views disagree with fails the test.
    Screen Seen();
    // The user typing at the end of the text; false when the view refuses.
    bool Type(const std::u16string& typed);
    // A file put on the disk and opened without a dialog.
    void Open(const std::u16string& path, const std::string& bytes);
    std::u16string LastMessage() const {
        return dialogs.messages.empty() ? u"" : dialogs.messages.back().text;
    }

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
};

}  // namespace scribbit
