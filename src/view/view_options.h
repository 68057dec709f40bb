// The 書式/その他 menu: word wrap, the editor font, the two bars and
// keeping the window above the others. The toolbar's buttons for these run
// the same code through mnuFORM_Click.
#pragma once

#include <cstdint>

#include "core/app_context.h"

namespace scribbit {

// Runs the item at index of mnuFORM; separators and the count-unit parent
// do nothing.
void mnuFORM_Click(AppContext& context, int index);

// Lets the user pick the ActiveEditor's font and colour. Cancelling changes
// nothing; any other failure is reported and changes nothing either.
void ShowFontDialog(AppContext& context);

// flag 1 keeps the window above all normal windows, 0 lets it go back among
// them. Returns the system's result, or 0 for any other flag (then nothing
// is done).
std::int32_t SetAlwaysOnTop(TopLevelWindow& window, int flag);

// A modal dialog becoming active: while the main window is kept on top, the
// dialog is kept on top too, so that it is never hidden behind it.
void KeepDialogAboveMainWindow(const AppContext& context, TopLevelWindow& dialog);

}  // namespace scribbit
