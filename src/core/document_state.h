// What every folder may do with the one open document beyond reading its
// DocumentState: mark it modified, and name its file.
#pragma once

#include <string>

#include "core/app_context.h"

namespace scribbit {

// Status panel 1: the document's path and state.
inline constexpr int PathPanel = 1;

// Marks the document modified: the flag and panel 1's mark go together, so
// a document can never look saved while a prompt would ask about it.
void MarkModified(AppContext& context);

// The part of a path after its last backslash.
std::u16string FileNameFromPath(const std::u16string& path);

}  // namespace scribbit
