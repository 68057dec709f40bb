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

namespace scribbit {

// The shared clipboard double, able to say when it is held by another
// program without being opened.
class ProbingClipboard : public FakeClipboard {
public:
    bool IsAvailable() override { return !IsBusy(); }
};

class FakeEditingWindows : public EditingWindows {
public:
    void ShowFindDialog(FindDialogModel& model) override {
        shown.push_back(EditingDialog::Find);
        find = &model;
    }
    void ShowReplaceDialog(ReplaceDialogModel& model) override {
        shown.push_back(EditingDialog::Replace);
        replace = &model;
    }
    void ShowGoToLineDialog(GoToLineModel& model) override {
        shown.push_back(EditingDialog::GoToLine);
        goToLine = &model;
    }
    // Each run takes the next script: OK pressed with each entry in turn
    // until one is accepted; nullopt stands for Cancel.
    void RunTabSpaceDialog(TabSpaceDialogModel& model) override {
        tabDialogEntries.push_back(model.InitialEntry());
        if (tabScripts.empty()) return;  // closed at once with the close box
        const auto script = tabScripts.front();
        tabScripts.pop_front();
        for (const auto& entry : script) {
            if (!entry) return;
            if (model.OnOK(*entry)) return;
            ++tabRefusals;
        }
    }
    void RefreshPasteHistoryMenu() override { ++historyRefreshes; }
    void Pause(int milliseconds) override { pauses.push_back(milliseconds); }

    std::vector<EditingDialog> shown;
    FindDialogModel* find = nullptr;
    ReplaceDialogModel* replace = nullptr;
    GoToLineModel* goToLine = nullptr;
    std::deque<std::vector<std::optional<std::u16string>>> tabScripts;
    std::vector<std::u16string> tabDialogEntries;
    int tabRefusals = 0;
    int historyRefreshes = 0;
    std::vector<int> pauses;
};

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
