#include "editing/copy_history.h"

#include "editing/clipboard_access.h"
#include "editing/editing_context.h"

namespace scribbit {

void RecordCopyInHistory(EditingContext& context, const std::u16string& copied) {
    if (context.app.ActiveEditor().SelLength() == 0) return;
    context.app.clipboardHistory.Push(copied);
    if (context.app.clipboardHistoryChanged) context.app.clipboardHistoryChanged();
}

void SeedClipboardHistory(EditingContext& context) {
    // No message at start-up: an empty first slot loses nothing.
    std::u16string text;
    if (WaitForClipboard(context)) text = context.app.ports.clipboard.GetText().value_or(std::u16string());
    context.app.clipboardHistory.Seed(std::move(text));
    if (context.app.clipboardHistoryChanged) context.app.clipboardHistoryChanged();
}

}  // namespace scribbit
