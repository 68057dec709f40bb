#include "app/shutdown.h"

#include "app/settings_file.h"

namespace scribbit {

void ExitApplication(AppContext& context) {
    if (context.ended) return;
    // The result is dropped on purpose: the previous file is still whole, and
    // a read-only folder or a full disk must not keep the program alive.
    if (!context.keepSettingsFile) (void)WriteSettings(context);
    context.ended = true;
    context.ports.frame.Quit();
}

}  // namespace scribbit
