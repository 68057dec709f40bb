// File > Page setup and File > Print, and what closing the main window
// does while a job runs. Each does nothing until the shell has attached the
// printing context (AppContext::printing).
#pragma once

#include "core/app_context.h"

namespace scribbit {

// The page setup dialog, modal, with the busy pointer over the main window
// while it is open.
void ShowPageSetup(AppContext& context);

// Prints the whole document on the printer chosen in the print dialog, with
// the ActiveEditor's font and colour, inside the PageSetup's margins. Does
// nothing while a job is running already.
void PrintDocument(AppContext& context);

// The main window is being closed (or File > Exit chosen): while a job runs
// this cancels it and returns true; the close then happens once the job
// has been aborted, with the usual ask-to-save prompt.
bool CloseAfterPrintJob(AppContext& context);

}  // namespace scribbit
