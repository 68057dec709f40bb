// The shell's editing windows, recorded: which dialogs were shown with which
// model, and a tab-width dialog that plays scripted entries.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editing/editing_context.h"
#include "editing/tab_width.h"

namespace scribbit {

class RecordingEditingWindows : public EditingWindows {
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
    // until one is accepted, nullopt for Cancel. Without a script the dialog
    // is closed at once with the close box.
    void RunTabSpaceDialog(TabSpaceDialogModel& model) override {
        tabDialogEntries.push_back(model.InitialEntry());
        if (tabScripts.empty()) return;
        const auto script = tabScripts.front();
        tabScripts.pop_front();
        for (const auto& entry : script) {
            if (!entry || model.OnOK(*entry)) return;
            ++tabRefusals;
        }
    }
    void RefreshPasteHistoryMenu() override { ++historyRefreshes; }
    void Pause(int milliseconds) override {
        pauses.push_back(milliseconds);
        if (onPause) onPause();
    }

    std::vector<EditingDialog> shown;
    FindDialogModel* find = nullptr;
    ReplaceDialogModel* replace = nullptr;
    GoToLineModel* goToLine = nullptr;
    std::deque<std::vector<std::optional<std::u16string>>> tabScripts;
    std::vector<std::u16string> tabDialogEntries;  // what each run opened with
    int tabRefusals = 0;
    int historyRefreshes = 0;
    std::vector<int> pauses;
    std::function<void()> onPause;  // another program letting go of the clipboard, say
};

}  // namespace scribbit
