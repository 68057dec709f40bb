#include "support/fake_user_dialogs.h"

#include <gtest/gtest.h>

#include <string>

#include "support/utf8.h"

namespace scribbit {
namespace {

bool ButtonsOffer(MessageButtons buttons, MessageAnswer answer) {
    switch (buttons) {
        case MessageButtons::Ok:
            return answer == MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No ||
                   answer == MessageAnswer::Cancel;
    }
    return false;
}

// What closing the box without a scripted answer would give: Cancel where
// the box has it, otherwise its last button.
MessageAnswer Dismissal(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
}

}  // namespace

FakeUserDialogs::~FakeUserDialogs() {
    if (!script_.empty()) {
        ADD_FAILURE() << script_.size() << " scripted dialog answer(s) were never asked for";
    }
}

MessageAnswer FakeUserDialogs::ShowMessage(const std::u16string& text, MessageIcon icon,
                                           MessageButtons buttons) {
    messages.push_back({text, icon, buttons});
    if (script_.empty() || !std::holds_alternative<MessageAnswer>(script_.front())) {
        ADD_FAILURE() << "unscripted message box: " << Utf8(text);
        return Dismissal(buttons);
    }
    const MessageAnswer answer = std::get<MessageAnswer>(script_.front());
    script_.pop_front();
    if (!ButtonsOffer(buttons, answer)) {
        ADD_FAILURE() << "scripted answer is not a button of the message box: " << Utf8(text);
        return Dismissal(buttons);
    }
    return answer;
}

FileDialogResult FakeUserDialogs::ShowOpenDialog(const FileDialogRequest& request) {
    fileDialogs.push_back({FileDialogKind::Open, request});
    if (script_.empty() || !std::holds_alternative<OpenAnswer>(script_.front())) {
        ADD_FAILURE() << "unscripted open dialog (initial folder " << Utf8(request.initialDir) << ")";
        return FileDialogResult{};
    }
    FileDialogResult result = std::get<OpenAnswer>(script_.front()).result;
    script_.pop_front();
    return result;
}

FileDialogResult FakeUserDialogs::ShowSaveDialog(const FileDialogRequest& request) {
    fileDialogs.push_back({FileDialogKind::Save, request});
    if (script_.empty() || !std::holds_alternative<SaveAnswer>(script_.front())) {
        ADD_FAILURE() << "unscripted save dialog (initial folder " << Utf8(request.initialDir) << ")";
        return FileDialogResult{};
    }
    FileDialogResult result = std::get<SaveAnswer>(script_.front()).result;
    script_.pop_front();
    return result;
}

FontDialogResult FakeUserDialogs::ShowFontDialog(const FontSpec& font, Color color) {
    fontDialogs.push_back({font, color});
    if (script_.empty() || !std::holds_alternative<FontAnswer>(script_.front())) {
        ADD_FAILURE() << "unscripted font dialog (preset " << Utf8(font.name) << ")";
        return FontDialogResult{};
    }
    FontDialogResult result = std::get<FontAnswer>(script_.front()).result;
    script_.pop_front();
    return result;
}

void FakeUserDialogs::ChooseOpen(const std::u16string& path, bool readOnly, int filterIndex) {
    FileDialogResult result;
    result.outcome = DialogOutcome::Chosen;
    result.path = path;
    result.readOnlyChecked = readOnly;
    result.filterIndex = filterIndex;
    AnswerOpen(std::move(result));
}

void FakeUserDialogs::ChooseSave(const std::u16string& path, int filterIndex) {
    FileDialogResult result;
    result.outcome = DialogOutcome::Chosen;
    result.path = path;
    result.filterIndex = filterIndex;
    AnswerSave(std::move(result));
}

}  // namespace scribbit
