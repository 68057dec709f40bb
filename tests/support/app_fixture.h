// Every double wired into one MainForm the way the Win32 shell wires the
// real controls: the edit views' change notifications and the frame's
// resizes reach the form, the views start with the window's font, and the
// printer is attached.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/main_form.h"
#include "support/doubles.h"
#include "support/fake_locale.h"
#include "support/fake_user_dialogs.h"
#include "support/recorder.h"

namespace scribbit {

class AppFixture {
public:
    explicit AppFixture(std::u16string_view programFolder = u"C:\\Tools\\Scribbit");

    AppContext& Context() { return form.Context(); }
    FakeEditView& View() { return &Context().ActiveEditor() == &txtReturn ? txtReturn : txtNoReturn; }
    void Click(MenuItem item) { form.MenuClick(item); }

    // The screen in one string: the shown view's text with the selection in
    // brackets ("ab[c]d", a caret is "[]"), then "*" while the document is
    // modified. Show puts a fresh document so (no undo step, no typing).
    void Show(std::u16string_view screen);
    std::u16string Screen();
    // What the window shows: caption, panel 1 and the screen, split by "|".
    // Views whose locks disagree with the read-only state fail the test.
    std::u16string Window();
    // The view options: "wrap status toolbar top" and the count unit's
    // panel, a word for each option that is on and "-" for one that is off,
    // "!" after one that its menu check or the views contradict.
    std::u16string Options();

    // The user typing at the end of the text; false when the view refuses.
    bool Type(const std::u16string& typed);
    // A file put on the disk and opened without a dialog.
    void Open(const std::u16string& path, const std::string& bytes);
    std::u16string LastMessage() const {
        return dialogs.messages.empty() ? u"" : dialogs.messages.back().text;
    }
    // The settings file on the disk, in the ANSI code page.
    std::u16string SettingsPath() { return Context().SettingsPath(); }
    void PutSettings(std::u16string_view text) { files.disk[SettingsPath()] = locale.ToAnsi(text).bytes; }
    std::u16string SettingsOnDisk() { return locale.FromAnsi(files.disk[SettingsPath()]); }

    FakeMainFrame frame;
    FakeClipboard clipboard;
    FakeEditView txtReturn{clipboard}, txtNoReturn{clipboard};
    FakeStatusBar status;
    FakeMenuState menus;
    FakeToolBar toolBar;
    FakeUserDialogs dialogs;
    FakeFileSystem files;
    FakeLocale locale;
    FakeTextServices text;
    RecordingEditingWindows editWindows;
    RecordingShell shell;
    RecordingFormDialogs formDialogs;
    RecordingPrinter printer;
    RecordingPrintingWindows printWindows;
    MainForm form;
};

}  // namespace scribbit
