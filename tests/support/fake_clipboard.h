// In-memory clipboard: plain text or nothing, and another program that can
// hold it open (busy) so that every read and write fails.
#pragma once

#include <optional>
#include <string>

#include "platform/clipboard.h"

namespace scribbit {

class FakeClipboard : public Clipboard {
public:
    std::optional<std::u16string> GetText() override { return busy_ ? std::nullopt : contents_; }
    bool SetText(const std::u16string& text) override {
        ++setTextCalls;
        if (!busy_) contents_ = text;
        return !busy_;
    }
    bool IsAvailable() override { return !busy_; }

    // Test set-up and inspection; these do not count as calls.
    void Put(std::optional<std::u16string> contents) { contents_ = std::move(contents); }
    const std::optional<std::u16string>& Contents() const { return contents_; }
    void SetBusy(bool busy) { busy_ = busy; }

    int setTextCalls = 0;

private:
    std::optional<std::u16string> contents_;
    bool busy_ = false;
};

}  // namespace scribbit
