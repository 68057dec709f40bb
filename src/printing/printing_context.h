// What page setup and printing share for the whole run: the main window's
// context, the printer, the shell's printing windows and the state of the
// one job that may be running.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "core/app_context.h"
#include "platform/printer.h"
#include "platform/text_services.h"
#include "printing/now_printing.h"

namespace scribbit {

class PageSetupDialogModel;

// The print dialog's flags, for the job and for page setup's printer
// button alike: PD_PAGENUMS | PD_COLLATE | PD_USEDEVMODECOPIESANDCOLLATE |
// PD_DISABLEPRINTTOFILE. The page range it offers is not used: the whole
// document is always printed.
inline constexpr std::uint32_t PrintDialogFlags = 0xC0012;

// What the printing logic needs of the Win32 shell beyond the ports.
class PrintingWindows {
public:
    PrintingWindows() = default;
    PrintingWindows(const PrintingWindows&) = delete;
    PrintingWindows& operator=(const PrintingWindows&) = delete;
    virtual ~PrintingWindows() = default;

    // frmPrintSetting, modal over the main window; returns once it closed.
    virtual void RunPageSetupDialog(PageSetupDialogModel& model) = 0;
    // frmNowPrinting, modeless and without an owner, bound to its model
    // until CloseNowPrinting.
    virtual void ShowNowPrinting(NowPrintingModel& model) = 0;
    // Shows the model's progress.
    virtual void UpdateNowPrinting(const NowPrintingModel& model) = 0;
    // onTop keeps frmNowPrinting above the main window kept above all others
    // (clicking into the main window must not bury it), otherwise it goes
    // back among the normal windows.
    virtual void KeepNowPrintingOnTop(bool onTop) = 0;
    virtual void CloseNowPrinting() = 0;
    // Lets the window messages that are waiting run (the progress dialog's
    // cancel button, the main window), then returns.
    virtual void DoEvents() = 0;
};

struct PrintingContext {
    PrintingContext(AppContext& appContext, const TextServices& textServices, Printer& printerPort,
                    PrintingWindows& printingWindows)
        : app(appContext), text(textServices), printer(printerPort), windows(printingWindows) {}
    PrintingContext(const PrintingContext&) = delete;
    PrintingContext& operator=(const PrintingContext&) = delete;

    AppContext& app;
    const TextServices& text;
    Printer& printer;
    PrintingWindows& windows;

    // From the print dialog until the job has ended. File > Print is
    // refused meanwhile, without a word: nothing is queued.
    bool printing = false;
    // The running job's progress dialog, while it is shown.
    std::unique_ptr<NowPrintingModel> nowPrinting;
    // The main window was closed while the job ran: it closes once the job
    // has been cancelled.
    bool closeAfterJob = false;
    // Closes the main window as its close box does: the ask-to-save prompt,
    // then the end of the program. Wired by the main form, which owns both.
    std::function<void()> closeMainWindow;
};

}  // namespace scribbit
