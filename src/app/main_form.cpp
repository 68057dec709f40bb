#include "app/main_form.h"

#include "app/document.h"
#include "app/settings_file.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "editing/conversion_commands.h"
#include "editing/copy_history.h"
#include "editing/edit_commands.h"
#include "help/help_commands.h"
#include "printing/print_commands.h"
#include "printing/printing_context.h"
#include "toolbar/edit_toolbar.h"
#include "toolbar/paste_history_menu.h"
#include "toolbar/toolbar_commands.h"
#include "view/char_count.h"
#include "view/layout.h"
#include "view/view_options.h"

namespace scribbit {

MainForm::MainForm(const Ports& ports, const std::u16string& programFolder, const TextServices& textServices,
                   EditingWindows& editingWindows, Shell& shell, FormDialogs& dialogs)
    : context_(ports, ProgramFolder(programFolder)),
      editing_(context_, textServices, editingWindows),
      shell_(shell),
      dialogs_(dialogs) {
    context_.clipboardHistoryChanged = [this] { RefreshPasteHistoryMenu(context_); };
}

MainForm::~MainForm() = default;

void MainForm::AttachPrinting(Printer& printer, PrintingWindows& windows) {
    printing_ = std::make_unique<PrintingContext>(context_, editing_.text, printer, windows);
    printing_->closeMainWindow = [this] {
        if (QuerySaveChanges(context_) == QueryResult::Continue) ExitApplication(context_);
    };
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
            mnuHELP_Click(context_, shell_, dialogs_, item.index);
            break;
        case Menu::ToolBar:
            mnuToolBar_Click(context_, dialogs_, item.index);
            break;
    }
}

void MainForm::OnToolBarButtonClick(std::size_t position) {
    if (context_.ended || position >= context_.ports.tolToolBar.Count()) return;
    DispatchToolBarCommand(context_.ports.tolToolBar.Entry(position).key, context_.view,
                           [this](MenuItem item) { MenuClick(item); });
}

void MainForm::OnToolBarButtonMenuClick(std::size_t position, std::size_t entry) {
    // Only the paste button's list has entries.
    const std::int16_t paste = context_.PasteButtonIndex;  // 1-based, -1 for none
    if (context_.ended || paste < 1 || position != static_cast<std::size_t>(paste) - 1) return;
    PasteHistoryEntry(editing_, entry);
}

void MainForm::OnToolBarDoubleClick() {
    if (context_.ended) return;
    ShowEditToolBarDialog(context_, dialogs_);
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
