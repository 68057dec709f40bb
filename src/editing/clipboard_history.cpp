#include "editing/clipboard_history.h"

#include <algorithm>

#include "editing/clipboard_access.h"
#include "editing/editing_context.h"

namespace scribbit {

void ClipboardHistory::Push(std::u16string text) {
    std::move_backward(slots_.begin(), slots_.end() - 1, slots_.end());
    slots_[0] = std::move(text);
}

void RecordCopyInHistory(EditingContext& context, const std::u16string& copied) {
    if (context.app.ActiveEditor().SelLength() == 0) return;
    context.history.Push(copied);
    context.windows.RefreshPasteHistoryMenu();
}

void SeedClipboardHistory(EditingContext& context) {
    // No message at start-up: an empty first slot loses nothing.
    std::u16string text;
    if (WaitForClipboard(context)) text = context.app.ports.clipboard.GetText().value_or(std::u16string());
    context.history.Seed(std::move(text));
    context.windows.RefreshPasteHistoryMenu();
}

}  // namespace scribbit
