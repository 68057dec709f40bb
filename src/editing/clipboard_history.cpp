#include "editing/clipboard_history.h"

#include <algorithm>

#include "editing/clipboard_access.h"
#include "editing/editing_context.h"
#include "toolbar/paste_history_menu.h"

namespace scribbit {

void ClipboardHistory::Push(std::u16string text) {
    std::move_backward(slots_.begin(), slots_.end() - 1, slots_.end());
    slots_[0] = std::move(text);
}

void RecordCopyInHistory(EditingContext& context, const std::u16string& copied) {
    if (context.app.ActiveEditor().SelLength() == 0) return;
    context.app.clipboardHistory.Push(copied);
    RefreshPasteHistoryMenu(context.app);
}

void SeedClipboardHistory(EditingContext& context) {
    // No message at start-up: an empty first slot loses nothing.
    std::u16string text;
    if (WaitForClipboard(context)) text = context.app.ports.clipboard.GetText().value_or(std::u16string());
    context.app.clipboardHistory.Seed(std::move(text));
    RefreshPasteHistoryMenu(context.app);
}

}  // namespace scribbit
