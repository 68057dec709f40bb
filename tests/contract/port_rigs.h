// What the port contracts run against: the doubles in the native build, the Win32 adapters under Wine. Both
// Rigs have the ports as members (clipboard, view, files, locale, text) and play the rest of the world:
// another program holding the clipboard or a file, the user typing, a full control.
#pragma once

#ifdef _WIN32
#include "win32/system_rig.h"
#else
#include "contract/native_rig.h"
#endif
