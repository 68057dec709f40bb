// frmMAIN's start-up sequence: the settings applied in a fixed order, the
// window placed, the toolbar built, the command-line file opened.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/app_context.h"

namespace scribbit {

// Where and how large the window stands on the first run, and the least
// size a stored placement is given.
inline constexpr Bounds FirstRunBounds{0, 0, 5200, 5000};
// The edit views' font as the window creates them.
FontSpec FirstRunFont();

// The command line is one file name: a pair of double quotes around all of
// it is dropped; anything else is taken whole.
std::u16string PathFromCommandLine(std::u16string_view commandLine);

// Form_Load. Completes whatever the settings file holds: a value that does
// not convert takes its first-run default. seedClipboardHistory puts the
// clipboard's text into the copy history's first slot (waiting for a busy
// clipboard as the editing commands do) and rebuilds the paste button's
// list, after the tab width and before the icon.
void StartUp(AppContext& context, const std::u16string& commandLine,
             const std::function<void()>& seedClipboardHistory = {});

}  // namespace scribbit
