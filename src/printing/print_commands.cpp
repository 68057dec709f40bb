#include "printing/print_commands.h"

#include "core/document_state.h"
#include "core/error_report.h"
#include "printing/page_setup_dialog.h"
#include "printing/print_job.h"
#include "printing/printing_context.h"

namespace scribbit {
namespace {

// The progress dialog from the first framed page to the end of the job.
class ProgressEvents final : public PrintJobEvents {
public:
    ProgressEvents(PrintingContext& context, std::u16string_view fileName, std::size_t total)
        : context_(context), fileName_(fileName), total_(total) {}
    ~ProgressEvents() override { Close(); }

    void Started() override {
        // A new model: the cancel request starts cleared.
        context_.nowPrinting = std::make_unique<NowPrintingModel>(fileName_, total_);
        context_.windows.ShowNowPrinting(*context_.nowPrinting);
        KeepOnTop();
    }
    bool BeforeLine() override {
        context_.windows.DoEvents();
        // Always on top may have been switched meanwhile.
        KeepOnTop();
        return !context_.nowPrinting || !context_.nowPrinting->CancelRequested();
    }
    void Printed(std::size_t printed, std::size_t) override {
        if (!context_.nowPrinting) return;
        context_.nowPrinting->SetPrinted(printed);
        context_.windows.UpdateNowPrinting(*context_.nowPrinting);
    }
    void Close() {
        if (!context_.nowPrinting) return;
        context_.windows.CloseNowPrinting();
        context_.nowPrinting.reset();
    }

private:
    void KeepOnTop() {
        if (context_.nowPrinting)
            context_.windows.KeepNowPrintingOnTop(context_.app.view.alwaysOnTop);
    }

    PrintingContext& context_;
    std::u16string fileName_;
    std::size_t total_;
};

void RunJob(PrintingContext& printing) {
    AppContext& app = printing.app;
    const PrintDialogResult chosen = printing.printer.ShowPrintDialog(PrintDialogFlags);
    if (chosen.outcome == DialogOutcome::Cancelled) return;
    if (chosen.outcome == DialogOutcome::Failed) {
        ShowErrorReport(app, ErrorReportText(chosen.error, app.document.CurrentFilePath));
        return;
    }
    EditView& editor = app.ActiveEditor();
    PrintJobSource source;
    source.text = editor.Text();
    source.page = app.pageSetup;
    source.title = app.ports.frame.Caption();
    source.date = printing.text.FormatShortDate(printing.text.Now());
    source.font = editor.Font();
    source.color = editor.TextColor();

    ProgressEvents events(printing, FileNameFromPath(app.document.CurrentFilePath), source.text.size());
    const JobResult result = RunPrintJob(printing.printer, source, events);
    // The job is aborted already; the dialog goes before the report comes.
    events.Close();
    if (result.outcome == JobOutcome::Failed) {
        ShowErrorReport(app, ErrorReportText(result.error, app.document.CurrentFilePath));
    }
}

}  // namespace

void ShowPageSetup(AppContext& context) {
    if (!context.printing) return;
    context.ports.frame.SetBusyPointer(true);
    {
        PageSetupDialogModel model(*context.printing);
        context.printing->windows.RunPageSetupDialog(model);
    }
    context.ports.frame.SetBusyPointer(false);
}

void PrintDocument(AppContext& context) {
    if (!context.printing || context.printing->printing) return;
    PrintingContext& printing = *context.printing;
    printing.printing = true;
    RunJob(printing);
    printing.printing = false;
    if (printing.closeAfterJob) {
        printing.closeAfterJob = false;
        if (printing.closeMainWindow) printing.closeMainWindow();
    }
}

bool CloseAfterPrintJob(AppContext& context) {
    if (!context.printing || !context.printing->printing) return false;
    context.printing->closeAfterJob = true;
    if (context.printing->nowPrinting) context.printing->nowPrinting->OnCancel();
    return true;
}

}  // namespace scribbit
