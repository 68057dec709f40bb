// In-memory multi-line edit control that behaves like the system's one (the
// contract holds both to the same checks): CR LF line breaks, clamped
// selections, exactly one undo step (an undo makes the next undo a redo),
// clipboard commands through a FakeClipboard, a text capacity, no NUL in the
// text, a read-only (locked) state and a change notification.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "platform/edit_view.h"
#include "support/fake_clipboard.h"

namespace scribbit {

class FakeEditView : public EditView {
public:
    explicit FakeEditView(FakeClipboard& clipboard) : clipboard_(clipboard) {}

    std::u16string Text() const override { return text_; }
    std::size_t TextLength() const override { return text_.size(); }
    SetTextResult SetText(const std::u16string& text) override {
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

    std::size_t SelStart() const override { return selStart_; }
    std::size_t SelLength() const override { return selLength_; }
    void SetSel(std::size_t start, std::size_t length) override {
        selStart_ = std::min(start, text_.size());
        selLength_ = std::min(length, text_.size() - selStart_);
    }
    std::u16string SelText() const override { return text_.substr(selStart_, selLength_); }
    bool ReplaceSel(const std::u16string& text) override {
        if (text.find(u'\0') != std::u16string::npos || text.size() > Room()) return false;
        ReplaceSelection(text);
        return true;
    }

    bool CanUndo() const override { return undo_.has_value(); }
    void Undo() override {
        // The control refuses to undo while it is read-only.
        if (!undo_ || locked_) return;
        const UndoStep step = *undo_;
        SetSel(step.position, step.insertedLength);
        ReplaceSelection(step.removed);
        // The restored text comes back selected.
        SetSel(step.position, step.removed.size());
    }
    // Like the system control, a cut clears whether or not the copy reached the clipboard.
    void Cut() override {
        Copy();
        Clear();
    }
    void Copy() override {
        if (selLength_ > 0) clipboard_.SetText(SelText());
    }
    void Paste() override {
        auto clip = clipboard_.GetText();
        // The control pastes what still fits and drops the rest.
        if (!locked_ && clip) ReplaceSelection(clip->substr(0, Room()));
    }
    void Clear() override {
        if (!locked_) ReplaceSelection(u"");
    }

    void SetLocked(bool locked) override { locked_ = locked; }
    bool IsLocked() const override { return locked_; }

    FontSpec Font() const override { return font_; }
    void SetFont(const FontSpec& font) override { font_ = font; }
    Color TextColor() const override { return color_; }
    void SetTextColor(Color color) override { color_ = color; }

    bool IsVisible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    void Move(const Bounds& bounds) override { placement_ = bounds; }
    Bounds Placement() const override { return placement_; }

    // The change notification the shell forwards to the main window.
    void SetChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }
    // The most UTF-16 units the control holds; beyond it SetText answers
    // TooLarge and ReplaceSel false, and Paste inserts what still fits.
    void SetCapacity(std::size_t capacity) { capacity_ = capacity; }
    // Makes SetText keep as much of a too large text as fits before it
    // answers TooLarge, as a control that truncates to its limit does.
    void SetKeepsPartOfTooLargeText(bool keeps) { keepsPart_ = keeps; }
    // The user typing over the selection; refused while locked, as the
    // control refuses keyboard input then.
    bool Type(const std::u16string& text) { return !locked_ && ReplaceSel(text); }

    int changeNotifications = 0;

private:
    struct UndoStep {
        std::size_t position = 0;
        std::size_t insertedLength = 0;  // what the change put in at position
        std::u16string removed;          // what it took out
    };

    std::size_t Room() const { return capacity_ - (text_.size() - selLength_); }
    // Replaces the selection as one undoable step, unless that changes nothing.
    void ReplaceSelection(const std::u16string& text) {
        if (selLength_ == 0 && text.empty()) return;
        undo_ = UndoStep{selStart_, text.size(), text_.substr(selStart_, selLength_)};
        text_.replace(selStart_, selLength_, text);
        selStart_ += text.size();
        selLength_ = 0;
        ++changeNotifications;
        if (onChange_) onChange_();
    }

    FakeClipboard& clipboard_;
    std::u16string text_;
    std::size_t selStart_ = 0;
    std::size_t selLength_ = 0;
    std::optional<UndoStep> undo_;
    bool locked_ = false;
    std::size_t capacity_ = std::numeric_limits<std::size_t>::max();
    bool keepsPart_ = false;
    FontSpec font_;
    Color color_ = WindowTextColor;
    bool visible_ = true;
    Bounds placement_;
    std::function<void()> onChange_;
};

}  // namespace scribbit
