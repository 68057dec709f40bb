// The Edit menu (mnuEDIT) and the mechanisms behind it.
#pragma once

#include <string>
#include <string_view>

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

// The same for a stretch of the ActiveEditor's text: `current`, the text
// that starts at `start`, becomes `updated`, as one step that Undo takes
// back. Only the part that differs goes through the view; the head and the
// tail the two share stay where they are, so a large document whose end
// alone changes costs no more than that end. Also a text that does not
// change at all is put in once (a one-unit stretch of it), as a paste of
// the whole would be. The selection afterwards is the callers' to set.
bool PasteChanges(EditingContext& context, std::size_t start, std::u16string_view current,
                  std::u16string_view updated);

// Tells the user that a change could not be made for lack of memory.
void ReportTextTooLarge(EditingContext& context);

}  // namespace scribbit
