// The last ten texts copied with Edit > Copy, newest first; the paste
// button's drop-down list offers them.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace scribbit {

inline constexpr std::size_t ClipboardHistorySize = 10;

class ClipboardHistory {
public:
    // Slot 0 is the newest; a slot never filled holds the empty string.
    const std::array<std::u16string, ClipboardHistorySize>& Slots() const { return slots_; }
    const std::u16string& Slot(std::size_t index) const { return slots_.at(index); }

    // Start-up: slot 0 takes the text the clipboard holds.
    void Seed(std::u16string text) { slots_[0] = std::move(text); }
    // Every slot moves one down, the oldest text is dropped and `text`
    // becomes slot 0. Equal texts are kept twice on purpose.
    void Push(std::u16string text) {
        std::move_backward(slots_.begin(), slots_.end() - 1, slots_.end());
        slots_[0] = std::move(text);
    }

private:
    std::array<std::u16string, ClipboardHistorySize> slots_;
};

}  // namespace scribbit
