// Placeholder so the shell links while the logic is written; replaced by the
// real start-up, layout, shutdown and dispatch.
#include "app/main_form.h"

namespace scribbit {

MainForm::MainForm(const Ports& ports, const std::u16string& programFolder)
    : context_(ports, programFolder) {}
void MainForm::Form_Load(const std::u16string&) { context_.ports.frame.Show(); }
void MainForm::Form_Activate() {}
void MainForm::Form_Resize() {}
bool MainForm::Form_Unload() { context_.ended = true; context_.ports.frame.Quit(); return false; }
void MainForm::MenuClick(MenuItem) {}
void MainForm::OnEditorChanged() {}
void MainForm::OnEditorKeyUp() {}
void MainForm::OnEditorClick() {}
void MainForm::OnFilesDropped(const std::vector<std::u16string>&) {}

}  // namespace scribbit
