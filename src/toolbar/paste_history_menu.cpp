#include "toolbar/paste_history_menu.h"

#include <optional>

#include "core/document_state.h"
#include "core/utf16.h"
#include "editing/clipboard_access.h"
#include "editing/editing_context.h"

namespace scribbit {
namespace {

// The text of the k-th filled slot (k from 1).
std::optional<std::u16string> FilledSlot(const ClipboardHistory& history, std::size_t entry) {
    for (const std::u16string& slot : history.Slots()) {
        if (slot.empty()) continue;
        if (--entry == 0) return slot;
    }
    return std::nullopt;
}

}  // namespace

std::u16string HistoryEntryText(std::u16string_view text) {
    std::u16string shown;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (characters == HistoryEntryLength) {
            shown += HistoryEllipsis;
            return shown;
        }
        const char16_t unit = text[i];
        if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            shown += HistoryLineBreakMark;
        } else if (unit == u'\t') {
            shown += HistoryTabMark;
        } else if (unit < u' ' || unit == u'\x7F') {
            shown += u' ';
        } else {
            shown += unit;
            if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
                shown += text[++i];
        }
        ++characters;
    }
    return shown;
}

std::vector<std::u16string> PasteHistoryEntries(const ClipboardHistory& history) {
    std::vector<std::u16string> entries;
    for (const std::u16string& slot : history.Slots()) {
        if (!slot.empty()) entries.push_back(HistoryEntryText(slot));
    }
    return entries;
}

void RefreshPasteHistoryMenu(AppContext& context) {
    const std::int16_t button = context.PasteButtonIndex;  // 1-based, -1 for none
    ToolBar& toolBar = context.ports.tolToolBar;
    if (button < 1 || static_cast<std::size_t>(button) > toolBar.Count()) return;
    toolBar.SetMenuEntries(static_cast<std::size_t>(button) - 1,
                           PasteHistoryEntries(context.clipboardHistory));
}

void PasteHistoryEntry(EditingContext& context, std::size_t entry) {
    AppContext& app = context.app;
    const std::optional<std::u16string> text = FilledSlot(app.clipboardHistory, entry);
    // A read-only document takes no paste: the user's clipboard stays as it is.
    if (!text || app.ActiveEditor().IsLocked()) return;
    if (!PutOnClipboard(context, *text)) {
        ReportClipboardBusy(context);
        return;
    }
    app.ActiveEditor().Paste();
    MarkModified(app);
}

}  // namespace scribbit
