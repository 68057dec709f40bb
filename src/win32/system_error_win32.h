// A system error number with the system's own description of it.
#pragma once

#include <windows.h>

#include "platform/types.h"

namespace scribbit {

// The description is FormatMessageW's text without its trailing line break;
// the source is the program's title, as the error reports name it.
SystemError MakeSystemError(DWORD code);

}  // namespace scribbit
