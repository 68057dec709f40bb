#include "support/fake_edit_view.h"

#include <algorithm>

namespace scribbit {

SetTextResult FakeEditView::SetText(const std::u16string& text) {
    // The control takes NUL-terminated text: it cannot hold one with a NUL.
    const std::size_t fits = std::min(capacity_, text.find(u'\0'));
    if (fits < text.size() && !keepsPart_) return SetTextResult::TooLarge;
    text_ = text.substr(0, fits);
    selStart_ = selLength_ = 0;
    undo_.reset();
    ++changeNotifications;
    if (onChange_) onChange_();
    return fits < text.size() ? SetTextResult::TooLarge : SetTextResult::Ok;
}

void FakeEditView::SetSel(std::size_t start, std::size_t length) {
    selStart_ = std::min(start, text_.size());
    selLength_ = std::min(length, text_.size() - selStart_);
}

bool FakeEditView::ReplaceSel(const std::u16string& text) {
    if (text.find(u'\0') != std::u16string::npos || text.size() > Room()) return false;
    ReplaceSelection(text);
    return true;
}

void FakeEditView::Undo() {
    // The control refuses to undo while it is read-only.
    if (!undo_ || locked_) return;
    const UndoStep step = *undo_;
    SetSel(step.position, step.insertedLength);
    ReplaceSelection(step.removed);
    // The restored text comes back selected.
    SetSel(step.position, step.removed.size());
}

void FakeEditView::Paste() {
    auto clip = clipboard_.GetText();
    if (locked_ || !clip) return;
    // The control pastes what still fits and drops the rest.
    ReplaceSelection(clip->substr(0, Room()));
}

void FakeEditView::ReplaceSelection(const std::u16string& text) {
    if (selLength_ == 0 && text.empty()) return;  // no change, so no notification
    undo_ = UndoStep{selStart_, text.size(), text_.substr(selStart_, selLength_)};
    text_.replace(selStart_, selLength_, text);
    selStart_ += text.size();
    selLength_ = 0;
    ++changeNotifications;
    if (onChange_) onChange_();
}

}  // namespace scribbit
