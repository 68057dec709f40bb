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
    if (text.find(u'\0') != std::u16string::npos || text.size() > capacity_ - (text_.size() - selLength_))
        return false;
    if (selLength_ > 0 || !text.empty()) ReplaceSelection(text);
    return true;
}

void FakeEditView::Undo() {
    // The control refuses to undo while it is read-only.
    if (!undo_ || locked_) return;
    const UndoStep step = *undo_;
    selStart_ = step.position;
    selLength_ = step.insertedLength;
    ReplaceSelection(step.removed);
    // The restored text comes back selected.
    selStart_ = step.position;
    selLength_ = step.removed.size();
}

void FakeEditView::Copy() {
    if (selLength_ > 0) clipboard_.SetText(SelText());
}

void FakeEditView::Cut() {
    // Like the system control: copy, then clear, whether or not the copy
    // could reach the clipboard.
    Copy();
    Clear();
}

void FakeEditView::Paste() {
    auto clip = clipboard_.GetText();
    if (locked_ || !clip) return;
    // The control pastes what still fits and drops the rest.
    clip->resize(std::min(clip->size(), capacity_ - (text_.size() - selLength_)));
    if (selLength_ > 0 || !clip->empty()) ReplaceSelection(*clip);
}

void FakeEditView::Clear() {
    if (!locked_ && selLength_ > 0) ReplaceSelection(u"");
}

void FakeEditView::ReplaceSelection(const std::u16string& text) {
    undo_ = UndoStep{selStart_, text.size(), text_.substr(selStart_, selLength_)};
    text_.replace(selStart_, selLength_, text);
    selStart_ += text.size();
    selLength_ = 0;
    ++changeNotifications;
    if (onChange_) onChange_();
}

}  // namespace scribbit
