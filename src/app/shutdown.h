// The one way the program ends: the settings are saved, then every window
// goes at once.
#pragma once

#include "core/app_context.h"

namespace scribbit {

// Writes the settings file and ends the program without further prompts.
// A settings file that cannot be written is given up silently: losing the
// settings must never keep the user from leaving. Callers ask to save the
// document first (QuerySaveChanges); this does not.
void ExitApplication(AppContext& context);

}  // namespace scribbit
