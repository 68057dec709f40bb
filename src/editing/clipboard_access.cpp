#include "editing/clipboard_access.h"

#include "editing/editing_context.h"
#include "editing/editing_texts.h"

namespace scribbit {

bool PutOnClipboard(EditingContext& context, const std::u16string& text) {
    for (int attempt = 1; attempt <= ClipboardAttempts; ++attempt) {
        if (context.app.ports.clipboard.SetText(text)) return true;
        if (attempt < ClipboardAttempts) context.windows.Pause(ClipboardRetryPauseMs);
    }
    return false;
}

bool WaitForClipboard(EditingContext& context) {
    for (int attempt = 1; attempt <= ClipboardAttempts; ++attempt) {
        if (context.app.ports.clipboard.IsAvailable()) return true;
        if (attempt < ClipboardAttempts) context.windows.Pause(ClipboardRetryPauseMs);
    }
    return false;
}

void ReportClipboardBusy(EditingContext& context) {
    context.app.ports.dialogs.ShowMessage(std::u16string(editing_texts::ClipboardBusy),
                                          MessageIcon::Exclamation, MessageButtons::Ok);
}

}  // namespace scribbit
