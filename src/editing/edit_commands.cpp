#include "editing/edit_commands.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/document_state.h"
#include "core/utf16.h"
#include "editing/clipboard_access.h"
#include "editing/copy_history.h"
#include "editing/editing_texts.h"
#include "editing/find_replace.h"
#include "editing/go_to_line.h"

namespace scribbit {
namespace {

// How many units the two texts share at their start and at their end;
// compared a block at a time, which is many times faster than unit by unit.
constexpr std::size_t CompareBlock = 256;

std::size_t CommonPrefixLength(std::u16string_view a, std::u16string_view b) {
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t same = 0;
    while (same + CompareBlock <= shorter &&
           std::memcmp(a.data() + same, b.data() + same, CompareBlock * sizeof(char16_t)) == 0) {
        same += CompareBlock;
    }
    while (same < shorter && a[same] == b[same]) ++same;
    return same;
}

std::size_t CommonSuffixLength(std::u16string_view a, std::u16string_view b) {
    const std::size_t shorter = std::min(a.size(), b.size());
    const char16_t* const aEnd = a.data() + a.size();
    const char16_t* const bEnd = b.data() + b.size();
    std::size_t same = 0;
    while (same + CompareBlock <= shorter &&
           std::memcmp(aEnd - same - CompareBlock, bEnd - same - CompareBlock,
                       CompareBlock * sizeof(char16_t)) == 0) {
        same += CompareBlock;
    }
    while (same < shorter &&
           aEnd[-1 - static_cast<std::ptrdiff_t>(same)] == bEnd[-1 - static_cast<std::ptrdiff_t>(same)])
        ++same;
    return same;
}

void Cut(EditingContext& context) {
    EditView& view = context.app.ActiveEditor();
    if (view.SelLength() > 0) {
        // The selection goes only once it is safely on the clipboard: a
        // clipboard held by another program must not swallow the text.
        if (!PutOnClipboard(context, view.SelText())) {
            ReportClipboardBusy(context);
            return;
        }
        view.Clear();
    }
    MarkModified(context.app);
}

void Copy(EditingContext& context) {
    EditView& view = context.app.ActiveEditor();
    if (view.SelLength() == 0) return;
    const std::u16string copied = view.SelText();
    if (!PutOnClipboard(context, copied)) {
        ReportClipboardBusy(context);
        return;
    }
    RecordCopyInHistory(context, copied);
}

void Paste(EditingContext& context) {
    if (!WaitForClipboard(context)) {
        ReportClipboardBusy(context);
        return;
    }
    context.app.ActiveEditor().Paste();
    MarkModified(context.app);
}

// A line break is deleted as a whole and never split, and so is a
// character outside the BMP (a surrogate pair).
void Delete(AppContext& context) {
    EditView& view = context.ActiveEditor();
    if (view.SelLength() == 0) {
        const std::size_t caret = view.SelStart();
        view.SetSel(caret, 2);
        const std::u16string pair = view.SelText();
        const bool whole =
            pair == u"\r\n" || (pair.size() == 2 && IsHighSurrogate(pair[0]) && IsLowSurrogate(pair[1]));
        if (!whole) view.SetSel(caret, 1);
    }
    view.Clear();
    MarkModified(context);
}

void SelectAll(AppContext& context) {
    EditView& view = context.ActiveEditor();
    view.SetSel(0, view.TextLength());
}

// The time with seconds and the short date of one moment, a space between.
void InsertTimeAndDate(EditingContext& context) {
    const LocalTime now = context.text.Now();
    PasteViaClipboard(context, context.text.FormatTime(now) + u" " + context.text.FormatShortDate(now));
    MarkModified(context.app);
}

// The commands that change the text. A read-only document's view refuses
// them; they then do nothing at all, so the document stays clean and the
// clipboard stays the user's.
bool ChangesText(int index) {
    switch (index) {
        case menu::EditUndo.index:
        case menu::EditCut.index:
        case menu::EditPaste.index:
        case menu::EditDelete.index:
        case menu::EditTimeDate.index:
            return true;
        default:
            return false;
    }
}

}  // namespace

void mnuEDIT_Click(EditingContext& context, int index) {
    AppContext& app = context.app;
    if (ChangesText(index) && app.ActiveEditor().IsLocked()) return;
    switch (index) {
        case menu::EditUndo.index:
            app.ActiveEditor().Undo();
            MarkModified(app);
            break;
        case menu::EditCut.index:
            Cut(context);
            break;
        case menu::EditCopy.index:
            Copy(context);
            break;
        case menu::EditPaste.index:
            Paste(context);
            break;
        case menu::EditDelete.index:
            Delete(app);
            break;
        case menu::EditFind.index:
            ShowFindDialog(context);
            break;
        case menu::EditFindNext.index:
            FindNext(context);
            break;
        case menu::EditReplace.index:
            ShowReplaceDialog(context);
            break;
        case menu::EditGoToLine.index:
            ShowGoToLineDialog(context);
            break;
        case menu::EditSelectAll.index:
            SelectAll(app);
            break;
        case menu::EditTimeDate.index:
            InsertTimeAndDate(context);
            break;
        default:
            break;
    }
}

void UpdateEditCommandState(AppContext& context) {
    const bool selected = context.ActiveEditor().SelLength() > 0;
    context.ports.menus.SetEnabled(menu::EditCut, selected);
    context.ports.menus.SetEnabled(menu::EditCopy, selected);
    context.ports.menus.SetEnabled(menu::EditDelete, selected);
}

bool PasteViaClipboard(EditingContext& context, const std::u16string& text) {
    EditView& view = context.app.ActiveEditor();
    // A read-only document refuses pasted text; program-made edits too.
    if (view.IsLocked()) return false;
    bool replaced = false;
    try {
        replaced = view.ReplaceSel(text);
    } catch (const std::bad_alloc&) {
        replaced = false;
    }
    if (!replaced) ReportTextTooLarge(context);
    return replaced;
}

bool PasteChanges(EditingContext& context, std::size_t start, std::u16string_view current,
                  std::u16string_view updated) {
    std::size_t head = CommonPrefixLength(current, updated);
    std::size_t tail = CommonSuffixLength(current.substr(head), updated.substr(head));
    if (head == current.size() && head == updated.size() && head > 0) {
        // Nothing changes, yet a change is made, as a paste of the whole
        // would make it: the last character goes in again.
        head = current.size() - 1;
    }
    // A surrogate pair and a CR LF stay whole, so that the stretch never
    // starts or ends inside one. (The units of the head and of the tail
    // are the same in both texts.)
    if (head > 0 && (IsHighSurrogate(current[head - 1]) || current[head - 1] == u'\r')) --head;
    if (tail > 0 &&
        (IsLowSurrogate(current[current.size() - tail]) || current[current.size() - tail] == u'\n'))
        --tail;
    context.app.ActiveEditor().SetSel(start + head, current.size() - head - tail);
    return PasteViaClipboard(context, std::u16string(updated.substr(head, updated.size() - head - tail)));
}

void ReportTextTooLarge(EditingContext& context) {
    context.app.ports.dialogs.ShowMessage(std::u16string(editing_texts::TextTooLarge),
                                          MessageIcon::Exclamation, MessageButtons::Ok);
}

}  // namespace scribbit
