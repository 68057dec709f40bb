// The document's life cycle: New, Open (dialog, command line, drop), Save,
// Save As, the ask-to-save prompt and the change handler; the File menu.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "core/document_state.h"

namespace scribbit {

enum class SaveResult { Saved, Failed, Cancelled };
enum class QueryResult { Continue, Cancel };

void NewDocument(AppContext& context);
// With showDialog the user picks the file; otherwise pathToOpen is opened.
void OpenDocument(AppContext& context, bool showDialog, const std::u16string& pathToOpen = {});
// Start-up's open of the file on the command line (there is nothing to ask
// yet). What the user must be told about it comes back, to be shown once the
// window is visible: a message box must not stand alone on the screen.
std::function<void()> OpenCommandLineFile(AppContext& context, const std::u16string& path);
SaveResult SaveDocument(AppContext& context);
SaveResult SaveDocumentAs(AppContext& context);
QueryResult QuerySaveChanges(AppContext& context);
void OnEditorChanged(AppContext& context);
void OpenDroppedFile(AppContext& context, const std::vector<std::u16string>& files);
void mnuFILE_Click(AppContext& context, int index);

}  // namespace scribbit
