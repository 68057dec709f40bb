// The system clipboard's CF_UNICODETEXT format.
#pragma once

#include <windows.h>

#include "platform/clipboard.h"

namespace scribbit {

class ClipboardWin32 final : public Clipboard {
public:
    // The clipboard needs an owner window for SetClipboardData to succeed.
    void SetOwner(HWND owner) { owner_ = owner; }

    std::optional<std::u16string> GetText() override;
    bool SetText(const std::u16string& text) override;
    bool IsAvailable() override;

private:
    HWND owner_ = nullptr;
};

}  // namespace scribbit
