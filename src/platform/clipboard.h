// The system clipboard's plain-text format.
#pragma once

#include <optional>
#include <string>

namespace scribbit {

class Clipboard {
public:
    Clipboard() = default;
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;
    virtual ~Clipboard() = default;

    // The clipboard's text; nullopt when it holds none or cannot be opened.
    virtual std::optional<std::u16string> GetText() = 0;
    // Replaces the clipboard's contents; false when it cannot be opened
    // (another program holds it) or the text cannot be placed.
    virtual bool SetText(const std::u16string& text) = 0;
    // Whether the clipboard can be opened at this moment: false while
    // another program holds it. An implementation that cannot tell answers
    // true.
    virtual bool IsAvailable() { return true; }
};

}  // namespace scribbit
