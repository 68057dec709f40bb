#include "support/fake_clipboard.h"

namespace scribbit {

std::optional<std::u16string> FakeClipboard::GetText() {
    ++getTextCalls;
    if (busy_) return std::nullopt;
    return contents_;
}

bool FakeClipboard::SetText(const std::u16string& text) {
    ++setTextCalls;
    if (busy_) return false;
    contents_ = text;
    return true;
}

}  // namespace scribbit
