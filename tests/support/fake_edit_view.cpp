#include "support/fake_edit_view.h"

#include <algorithm>

namespace scribbit {

SetTextResult FakeEditView::SetText(const std::u16string& text) {
    calls.emplace_back("SetText");
    const bool tooLarge = text.size() > capacity_;
    if (tooLarge && !keepsPart_) return SetTextResult::TooLarge;
    text_ = text.substr(0, capacity_);
    selStart_ = 0;
    selLength_ = 0;
    undo_.reset();
    Notify();
    return tooLarge ? SetTextResult::TooLarge : SetTextResult::Ok;
}

void FakeEditView::SetSel(std::size_t start, std::size_t length) {
    selStart_ = std::min(start, text_.size());
    selLength_ = std::min(length, text_.size() - selStart_);
}

bool FakeEditView::ReplaceSel(const std::u16string& text) {
    calls.emplace_back("ReplaceSel");
    if (text_.size() - selLength_ + text.size() > capacity_) return false;
    if (selLength_ == 0 && text.empty()) return true;
    ReplaceRange(selStart_, selLength_, text);
    Notify();
    return true;
}

bool FakeEditView::Type(const std::u16string& text) {
    if (locked_) return false;
    return ReplaceSel(text);
}

void FakeEditView::Undo() {
    calls.emplace_back("Undo");
    // The control refuses to undo while it is read-only.
    if (!undo_ || locked_) return;
    const UndoStep step = *undo_;
    ReplaceRange(step.position, step.insertedLength, step.removed);
    // The restored text comes back selected.
    selStart_ = step.position;
    selLength_ = step.removed.size();
    Notify();
}

void FakeEditView::Copy() {
    calls.emplace_back("Copy");
    if (selLength_ == 0) return;
    clipboard_.SetText(SelText());
}

void FakeEditView::Cut() {
    calls.emplace_back("Cut");
    if (selLength_ == 0) return;
    // Like the system control: copy, then clear, whether or not the copy
    // could reach the clipboard.
    clipboard_.SetText(SelText());
    if (locked_) return;
    ReplaceRange(selStart_, selLength_, u"");
    Notify();
}

void FakeEditView::Paste() {
    calls.emplace_back("Paste");
    if (locked_) return;
    auto clip = clipboard_.GetText();
    if (!clip) return;
    // The control pastes what still fits and drops the rest.
    const std::size_t room = capacity_ - (text_.size() - selLength_);
    if (clip->size() > room) clip->resize(room);
    if (clip->empty() && selLength_ == 0) return;
    ReplaceRange(selStart_, selLength_, *clip);
    Notify();
}

void FakeEditView::Clear() {
    calls.emplace_back("Clear");
    if (locked_ || selLength_ == 0) return;
    ReplaceRange(selStart_, selLength_, u"");
    Notify();
}

void FakeEditView::ReplaceRange(std::size_t start, std::size_t length, const std::u16string& text) {
    UndoStep step;
    step.position = start;
    step.insertedLength = text.size();
    step.removed = text_.substr(start, length);
    text_.replace(start, length, text);
    undo_ = std::move(step);
    selStart_ = start + text.size();
    selLength_ = 0;
}

void FakeEditView::Notify() {
    ++changeNotifications;
    if (onChange_) onChange_();
}

}  // namespace scribbit
