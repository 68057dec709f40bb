// The paste button's drop-down list: the copy history as menu entries, and
// pasting the text an entry stands for.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_context.h"

namespace scribbit {

struct EditingContext;

// An entry shows at most this many characters of its text before "…".
inline constexpr std::size_t HistoryEntryLength = 30;
inline constexpr std::u16string_view HistoryLineBreakMark = u"↓";
inline constexpr std::u16string_view HistoryTabMark = u"→";
inline constexpr std::u16string_view HistoryEllipsis = u"…";

// How a copied text is shown as one menu entry: each line break (CR LF, a
// lone CR or LF) as one HistoryLineBreakMark, a tab as HistoryTabMark, any
// other control character as a blank, so the entry stays one line and
// nothing in it is read as a menu instruction. A text of at most 30
// characters is shown whole; a longer one as its first 30 characters and
// "…". A character outside the BMP counts as one and is never cut in half.
std::u16string HistoryEntryText(std::u16string_view text);

// The entries in slot order, newest first, empty slots skipped.
std::vector<std::u16string> PasteHistoryEntries(const ClipboardHistory& history);

// Rebuilds the drop-down list of the paste button from the history;
// nothing when the toolbar has no paste button.
void RefreshPasteHistoryMenu(AppContext& context);

// tolToolBar_ButtonMenuClick: entry k (from 1) of the list puts the text of
// the k-th filled slot on the clipboard, where it stays, pastes it into the
// ActiveEditor and marks the document modified. A clipboard held by another
// program is reported and nothing is pasted; an entry beyond the filled
// slots does nothing.
void PasteHistoryEntry(EditingContext& context, std::size_t entry);

}  // namespace scribbit
