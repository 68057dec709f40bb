// Scripted message boxes, file dialogs and font dialogs. Each dialog the
// program shows takes the next scripted answer; a dialog nobody scripted, an
// answer of another kind or one the box does not offer fails the test, and
// so do answers left over at the end. Every message is kept; onMessage runs
// while a box is up, to see what the user sees behind it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/user_dialogs.h"
#include "support/utf8.h"

namespace scribbit {

struct ShownMessage {
    std::u16string text;
    MessageIcon icon = MessageIcon::None;
};

// A file the user picks in a file dialog.
inline FileDialogResult Chosen(const std::u16string& path, int filterIndex = 1, bool readOnly = false) {
    return {DialogOutcome::Chosen, path, filterIndex, readOnly, {}};
}

class FakeUserDialogs : public UserDialogs {
public:
    ~FakeUserDialogs() override {
        if (!script_.empty()) ADD_FAILURE() << script_.size() << " scripted answer(s) never asked for";
    }
    MessageAnswer ShowMessage(const std::u16string& text, MessageIcon icon, MessageButtons buttons) override {
        messages.push_back({text, icon});
        if (onMessage) onMessage();
        const auto answer = Take<MessageAnswer>("message box: " + Utf8(text));
        const bool offered =
            answer && (*answer == MessageAnswer::Ok       ? buttons == MessageButtons::Ok
                       : *answer == MessageAnswer::Cancel ? buttons == MessageButtons::YesNoCancel
                                                          : buttons != MessageButtons::Ok);
        if (answer && !offered) ADD_FAILURE() << "the box does not offer the scripted answer: " << Utf8(text);
        if (offered) return *answer;
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok  // what closing the box gives
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
    FileDialogResult ShowOpenDialog(const FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        return Take<OpenAnswer>("open dialog").value_or(OpenAnswer{});
    }
    FileDialogResult ShowSaveDialog(const FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        return Take<SaveAnswer>("save dialog").value_or(SaveAnswer{});
    }
    FontDialogResult ShowFontDialog(const FontSpec& font, Color) override {
        fontDialogs.push_back(font);
        return Take<FontDialogResult>("font dialog").value_or(FontDialogResult{});
    }

    void Answer(MessageAnswer answer) { script_.emplace_back(answer); }
    void Open(FileDialogResult result = {}) { script_.emplace_back(OpenAnswer{std::move(result)}); }
    void Save(FileDialogResult result = {}) { script_.emplace_back(SaveAnswer{std::move(result)}); }
    void Font(FontDialogResult result) { script_.emplace_back(std::move(result)); }

    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<FontSpec> fontDialogs;
    std::function<void()> onMessage;

private:
    struct OpenAnswer : FileDialogResult {};
    struct SaveAnswer : FileDialogResult {};

    template <class A>
    std::optional<A> Take(const std::string& what) {
        if (script_.empty() || !std::holds_alternative<A>(script_.front())) {
            ADD_FAILURE() << "unscripted " << what;
            return std::nullopt;
        }
        A answer = std::get<A>(std::move(script_.front()));
        script_.pop_front();
        return answer;
    }

    std::deque<std::variant<MessageAnswer, OpenAnswer, SaveAnswer, FontDialogResult>> script_;
};

}  // namespace scribbit
