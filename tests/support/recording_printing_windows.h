// A recording double of the shell's printing windows: the page setup dialog
// runs a scripted user, the progress dialog keeps what it was shown, and
// each DoEvents runs what the test says the user does meanwhile.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "printing/page_setup_dialog.h"
#include "printing/printing_context.h"

namespace scribbit {

class RecordingPrintingWindows : public PrintingWindows {
public:
    // Without a script the dialog is cancelled at once.
    void RunPageSetupDialog(PageSetupDialogModel& model) override {
        if (pageSetupUser) pageSetupUser(model);
    }
    void ShowNowPrinting(NowPrintingModel& model) override {
        shown = &model;
        comment = model.Comment();
        maximum = model.Maximum();
    }
    void UpdateNowPrinting(const NowPrintingModel& model) override { values.push_back(model.Value()); }
    void KeepNowPrintingOnTop(bool on) override { onTop = on; }
    void CloseNowPrinting() override {
        shown = nullptr;
        ++closes;
        if (onClose) onClose();
    }
    void DoEvents() override {
        if (whilePrinting) whilePrinting(++doEvents);
    }

    std::function<void(PageSetupDialogModel&)> pageSetupUser;
    std::function<void(int)> whilePrinting;  // given the count of DoEvents so far
    std::function<void()> onClose;
    NowPrintingModel* shown = nullptr;
    std::u16string comment;
    int maximum = 0;
    bool onTop = false;
    std::vector<int> values;
    int closes = 0;
    int doEvents = 0;
};

}  // namespace scribbit
