// Edit > Copy's side of the clipboard history: what it records, and the
// first slot filled at start-up. Each change is announced through
// AppContext::clipboardHistoryChanged, which rebuilds the paste button's list.
#pragma once

#include <string>

namespace scribbit {

struct EditingContext;

// After Edit > Copy put `copied` on the clipboard: records it in the
// history when the ActiveEditor has a selection, and rebuilds the list.
void RecordCopyInHistory(EditingContext& context, const std::u16string& copied);

// Start-up: slot 0 := the clipboard's text (empty when it holds none), then
// the list is rebuilt. A clipboard held by another program is waited for
// briefly; if it stays busy the slot stays empty.
void SeedClipboardHistory(EditingContext& context);

}  // namespace scribbit
