// The multi-line edit control, as the logic sees it.
#pragma once

#include <cstddef>
#include <string>

#include "platform/types.h"

namespace scribbit {

enum class SetTextResult { Ok, TooLarge };

// Positions are 0-based UTF-16 offsets; a line break is CR LF (two units).
// Every operation that changes the text raises the control's change
// notification, which the shell forwards to the main window's logic.
class EditView {
public:
    EditView() = default;
    EditView(const EditView&) = delete;
    EditView& operator=(const EditView&) = delete;
    virtual ~EditView() = default;

    virtual std::u16string Text() const = 0;
    virtual std::size_t TextLength() const = 0;
    // The whole text into a buffer the caller keeps between calls: reading a
    // large document again then reuses its memory instead of fresh pages.
    virtual void ReadText(std::u16string& text) const { text = Text(); }
    // Replaces the whole text; the control's undo history is cleared.
    virtual SetTextResult SetText(const std::u16string& text) = 0;

    virtual std::size_t SelStart() const = 0;
    virtual std::size_t SelLength() const = 0;
    // Clamped to the text like the control does.
    virtual void SetSel(std::size_t start, std::size_t length) = 0;
    virtual std::u16string SelText() const = 0;
    // Replaces the selection as one step that Undo can take back. Returns
    // false when the control cannot hold the result (the text is unchanged).
    virtual bool ReplaceSel(const std::u16string& text) = 0;

    virtual bool CanUndo() const = 0;
    virtual void Undo() = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
    virtual void Clear() = 0;

    // Locked: the user cannot type or paste (read-only document).
    virtual void SetLocked(bool locked) = 0;
    virtual bool IsLocked() const = 0;

    virtual FontSpec Font() const = 0;
    virtual void SetFont(const FontSpec& font) = 0;
    virtual Color TextColor() const = 0;
    virtual void SetTextColor(Color color) = 0;

    virtual bool IsVisible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    // Position and size inside the main window's client area, in twips.
    virtual void Move(const Bounds& bounds) = 0;
    virtual Bounds Placement() const = 0;
};

}  // namespace scribbit
