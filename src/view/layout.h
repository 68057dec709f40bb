// Places the ActiveEditor between the toolbar and the status bar.
#pragma once

#include "core/app_context.h"

namespace scribbit {

// Run on every resize and activation. While minimised nothing moves. A
// window too low to show the bars and its frame is raised to that height
// (the resize that follows lays it out). Otherwise the ActiveEditor fills
// the client area below the toolbar and above the status bar, counting each
// bar only while the view state shows it.
void LayoutEditor(AppContext& context);

}  // namespace scribbit
