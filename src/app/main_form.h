// frmMAIN's logic: the one entry point the Win32 shell calls. Each window
// event becomes one call here; every decision is made behind it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "editing/editing_context.h"
#include "platform/commands.h"
#include "platform/form_dialogs.h"
#include "platform/printer.h"
#include "platform/shell.h"
#include "platform/text_services.h"

namespace scribbit {

class PrintingWindows;

class MainForm {
public:
    // programFolder: the folder of the executable, with or without a
    // trailing backslash (ProgramFolder() adds exactly one).
    // textServices and editingWindows serve the Edit and text-processing
    // menus, shell and dialogs the toolbar and the Help menu; all must
    // outlive the form.
    MainForm(const Ports& ports, const std::u16string& programFolder, const TextServices& textServices,
             EditingWindows& editingWindows, Shell& shell, FormDialogs& dialogs);

    ~MainForm();

    // Page setup and printing work once the printer and the shell's
    // printing windows are attached; both must outlive the form.
    void AttachPrinting(Printer& printer, PrintingWindows& windows);

    // The start-up sequence; the window is shown at its end (or earlier when
    // it is kept on top).
    void Form_Load(const std::u16string& commandLine);
    void Form_Activate();
    void Form_Resize();
    // Closing the window. Returns true when it must stay open (the user
    // cancelled the ask-to-save prompt); otherwise the program has ended.
    bool Form_Unload();

    // A menu item, a shortcut or a toolbar button.
    void MenuClick(MenuItem item);

    // tolToolBar: a click on the button at 0-based `position`; a click on
    // entry `entry` (from 1) of that button's drop-down list; a double click
    // anywhere on the bar.
    void OnToolBarButtonClick(std::size_t position);
    void OnToolBarButtonMenuClick(std::size_t position, std::size_t entry);
    void OnToolBarDoubleClick();

    // Notifications of the edit views.
    void OnEditorChanged();
    void OnEditorKeyUp();
    void OnEditorClick();
    void OnFilesDropped(const std::vector<std::u16string>& files);

    bool HasEnded() const { return context_.ended; }
    AppContext& Context() { return context_; }
    EditingContext& Editing() { return editing_; }

private:
    AppContext context_;
    EditingContext editing_;  // refers to context_, so it comes after it
    Shell& shell_;
    FormDialogs& dialogs_;
    std::unique_ptr<PrintingContext> printing_;
};

}  // namespace scribbit
