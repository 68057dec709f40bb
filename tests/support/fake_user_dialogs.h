// Scripted message boxes, file dialogs and font dialogs. Each dialog the
// program shows takes the next scripted answer; a dialog nobody scripted, an
// answer of another kind or one that is not a button of the box fails the
// running test with what it showed, and so do answers left over at the end.
// Every message and dialog request is recorded; onMessage runs while a box
// is up, to see what the user sees behind it.
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

class FakeUserDialogs : public UserDialogs {
public:
    ~FakeUserDialogs() override {
        if (!script_.empty()) ADD_FAILURE() << script_.size() << " scripted answer(s) never asked for";
    }

    MessageAnswer ShowMessage(const std::u16string& text, MessageIcon icon, MessageButtons buttons) override {
        messages.push_back({text, icon});
        if (onMessage) onMessage(messages.back());
        if (const auto answer = Take<MessageAnswer>("message box: " + Utf8(text))) {
            const bool offered = *answer == MessageAnswer::Ok       ? buttons == MessageButtons::Ok
                                 : *answer == MessageAnswer::Cancel ? buttons == MessageButtons::YesNoCancel
                                                                    : buttons != MessageButtons::Ok;
            if (offered) return *answer;
            ADD_FAILURE() << "scripted answer is not a button of the message box: " << Utf8(text);
        }
        // What closing the box gives: Cancel where it has one, else its last button.
        return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                  : MessageAnswer::Cancel;
    }
    FileDialogResult ShowOpenDialog(const FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        return Take<Open>("open dialog").value_or(Open{});
    }
    FileDialogResult ShowSaveDialog(const FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        return Take<Save>("save dialog").value_or(Save{});
    }
    FontDialogResult ShowFontDialog(const FontSpec& font, Color) override {
        fontDialogs.push_back(font);
        return Take<FontDialogResult>("font dialog: " + Utf8(font.name)).value_or(FontDialogResult{});
    }

    void AnswerMessage(MessageAnswer answer) { script_.emplace_back(answer); }
    void AnswerOpen(FileDialogResult result) { script_.emplace_back(Open{std::move(result)}); }
    void AnswerSave(FileDialogResult result) { script_.emplace_back(Save{std::move(result)}); }
    // A chosen path, with the read-only box and the filter as the user left them.
    void ChooseOpen(const std::u16string& path, bool readOnly = false, int filterIndex = 1) {
        AnswerOpen({DialogOutcome::Chosen, path, filterIndex, readOnly, {}});
    }
    void ChooseSave(const std::u16string& path, int filterIndex = 1) {
        AnswerSave({DialogOutcome::Chosen, path, filterIndex, false, {}});
    }
    void CancelOpen() { AnswerOpen({}); }
    void CancelSave() { AnswerSave({}); }
    void AnswerFont(FontDialogResult result) { script_.emplace_back(std::move(result)); }
    void ChooseFont(const FontSpec& font, Color color) {
        AnswerFont({DialogOutcome::Chosen, font, color, {}});
    }

    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileDialogs;
    std::vector<FontSpec> fontDialogs;
    std::function<void(const ShownMessage&)> onMessage;

private:
    // The file dialogs' answers, told apart by the dialog they are for.
    struct Open : FileDialogResult {};
    struct Save : FileDialogResult {};

    template <class Answer>
    std::optional<Answer> Take(const std::string& what) {
        if (script_.empty() || !std::holds_alternative<Answer>(script_.front())) {
            ADD_FAILURE() << "unscripted " << what;
            return std::nullopt;
        }
        Answer answer = std::get<Answer>(std::move(script_.front()));
        script_.pop_front();
        return answer;
    }

    std::deque<std::variant<MessageAnswer, Open, Save, FontDialogResult>> script_;
};

}  // namespace scribbit
