// The Edit menu (mnuEDIT) and the mechanisms behind it.
#pragma once

#include <string>

#include "core/app_context.h"
#include "editing/editing_context.h"
#include "platform/commands.h"

namespace scribbit {

// The Edit menu's click handler, with the item's index in mnuEDIT
// (separators included); any other index does nothing.
void mnuEDIT_Click(EditingContext& context, int index);

// Cut, Copy and Delete are enabled exactly while the ActiveEditor has a
// selection. Runs on every click and key release in either edit view.
void UpdateEditCommandState(AppContext& context);

// Every program-made change of the text (time and date, replace, replace
// all, the conversions) goes through here: the ActiveEditor's selection is
// replaced by `text` as one step that Edit > Undo takes back. The user's
// clipboard is not touched. Returns false when nothing changed: the edit
// view is locked (a read-only document), or the text would not fit, which
// the user is told.
bool PasteViaClipboard(EditingContext& context, const std::u16string& text);

// Tells the user that a change could not be made for lack of memory.
void ReportTextTooLarge(EditingContext& context);

}  // namespace scribbit
