// Reaching the clipboard when another program may hold it open: a few
// tries with short pauses, then the user is told; nothing is lost.
#pragma once

#include <string>

namespace scribbit {

struct EditingContext;

inline constexpr int ClipboardAttempts = 5;
inline constexpr int ClipboardRetryPauseMs = 40;

// Puts text on the clipboard; false when it stayed busy.
bool PutOnClipboard(EditingContext& context, const std::u16string& text);
// Waits until the clipboard can be opened; false when it stayed busy.
bool WaitForClipboard(EditingContext& context);
// The message box that says the clipboard is busy.
void ReportClipboardBusy(EditingContext& context);

}  // namespace scribbit
