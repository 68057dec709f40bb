#include "app/main_form.h"

#include "app/document.h"
#include "app/layout.h"
#include "app/settings_file.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "editing/clipboard_history.h"
#include "editing/conversion_commands.h"
#include "editing/edit_commands.h"
#include "printing/print_commands.h"
#include "printing/printing_context.h"
#include "view/char_count.h"
#include "view/view_options.h"

namespace scribbit {

MainForm::MainForm(const Ports& ports, const std::u16string& programFolder, const TextServices& textServices,
                   EditingWindows& editingWindows)
    : context_(ports, ProgramFolder(programFolder)), editing_(context_, textServices, editingWindows) {}

MainForm::~MainForm() = default;

void MainForm::AttachPrinting(Printer& printer, PrintingWindows& windows) {
    printing_ = std::make_unique<PrintingContext>(context_, editing_.text, printer, windows);
    context_.printing = printing_.get();
}

void MainForm::Form_Load(const std::u16string& commandLine) {
    StartUp(context_, commandLine, [this] { SeedClipboardHistory(editing_); });
}

void MainForm::Form_Activate() {
    if (context_.ended) return;
    // Activation can reach a minimised window; its placement then is the
    // icon's, which must not replace the one the settings keep.
    if (!context_.ports.frame.IsMinimized()) context_.LastActiveBounds = context_.ports.frame.GetBounds();
    LayoutEditor(context_);
}

void MainForm::Form_Resize() {
    if (context_.ended) return;
    LayoutEditor(context_);
}

bool MainForm::Form_Unload() {
    if (context_.ended) return false;
    if (CloseAfterPrintJob(context_)) return true;
    if (QuerySaveChanges(context_) == QueryResult::Cancel) return true;
    ExitApplication(context_);
    return false;
}

void MainForm::MenuClick(MenuItem item) {
    if (context_.ended) return;
    switch (item.menu) {
        case Menu::File:
            mnuFILE_Click(context_, item.index);
            break;
        case Menu::Count:
            mnuCOUNT_Click(context_, item.index);
            break;
        case Menu::Form:
            mnuFORM_Click(context_, item.index);
            break;
        case Menu::Edit:
            mnuEDIT_Click(editing_, item.index);
            break;
        case Menu::Change:
            mnuCHANGE_Click(editing_, item.index);
            break;
        case Menu::Help:
        case Menu::ToolBar:
            break;
    }
}

void MainForm::OnEditorChanged() {
    if (context_.ended) return;
    scribbit::OnEditorChanged(context_);
}

void MainForm::OnEditorKeyUp() {
    if (context_.ended) return;
    UpdateEditCommandState(context_);
    UpdateCharCount(context_);
}

void MainForm::OnEditorClick() {
    if (context_.ended) return;
    UpdateEditCommandState(context_);
}

void MainForm::OnFilesDropped(const std::vector<std::u16string>& files) {
    if (context_.ended) return;
    OpenDroppedFile(context_, files);
}

}  // namespace scribbit
