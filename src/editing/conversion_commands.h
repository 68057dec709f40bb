// The text-processing menu (mnuCHANGE): converts the selection, or the
// whole text when nothing is selected, as one step Edit > Undo takes back.
#pragma once

#include "editing/editing_context.h"

namespace scribbit {

// The menu's click handler; separators and other indexes do nothing.
// Afterwards nothing is selected and the caret stands at the old selection
// start (clamped to the text).
void mnuCHANGE_Click(EditingContext& context, int index);

}  // namespace scribbit
