// The editing logic wired to the shared doubles, plus a recording double of
// the shell's editing windows with a scripted tab-width dialog.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "editing/editing_context.h"
#include "editing/tab_width.h"
#include "support/fake_clipboard.h"
#include "support/fake_edit_view.h"
#include "support/fake_file_system.h"
#include "support/fake_locale.h"
#include "support/fake_main_frame.h"
#include "support/fake_menu_state.h"
#include "support/fake_status_bar.h"
#include "support/fake_text_services.h"
#include "support/fake_tool_bar.h"
#include "support/fake_user_dialogs.h"
#include "support/recording_editing_windows.h"

namespace scribbit {

// The clipboard double already says when another program holds it.
using ProbingClipboard = FakeClipboard;
using FakeEditingWindows = RecordingEditingWindows;

struct EditingFixture {
    FakeMainFrame frame;
    ProbingClipboard clipboard;
    FakeEditView txtReturn{clipboard};
    FakeEditView txtNoReturn{clipboard};
    FakeStatusBar status;
    FakeMenuState menus;
    FakeToolBar toolBar;
    FakeUserDialogs dialogs;
    FakeFileSystem files;
    FakeLocale locale;
    Ports ports{frame, txtReturn, txtNoReturn, status, menus, toolBar, dialogs, clipboard, files, locale};
    AppContext app{ports, u"C:\\Tools\\"};
    FakeTextServices text;
    FakeEditingWindows windows;
    EditingContext editing{app, text, windows};

    FakeEditView& View() { return &app.ActiveEditor() == &txtReturn ? txtReturn : txtNoReturn; }
    // A fresh document: the text, then the selection; no undo step yet.
    void Load(const std::u16string& content, std::size_t selStart = 0, std::size_t selLength = 0) {
        View().SetText(content);
        View().SetSel(selStart, selLength);
    }
    void ExpectMessage() { dialogs.AnswerMessage(MessageAnswer::Ok); }
    std::u16string LastMessage() const {
        return dialogs.messages.empty() ? u"" : dialogs.messages.back().text;
    }
};

}  // namespace scribbit
