// Scripted message boxes, file dialogs and font dialogs. Each dialog the
// program shows takes the next scripted answer; a dialog nobody scripted,
// or one of another kind than scripted, fails the running test with what
// it showed.
// Every message and every file- and font-dialog request is recorded.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <variant>
#include <vector>

#include "platform/user_dialogs.h"

namespace scribbit {

struct ShownMessage {
    std::u16string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

enum class FileDialogKind { Open, Save };

struct ShownFileDialog {
    FileDialogKind kind = FileDialogKind::Open;
    FileDialogRequest request;
};

// The font and colour a font dialog was preset with.
struct ShownFontDialog {
    FontSpec font;
    Color color = WindowTextColor;
};

class FakeUserDialogs : public UserDialogs {
public:
    FakeUserDialogs() = default;
    // Answers scripted but never asked for fail the test as well.
    ~FakeUserDialogs() override;

    MessageAnswer ShowMessage(const std::u16string& text, MessageIcon icon, MessageButtons buttons) override;
    FileDialogResult ShowOpenDialog(const FileDialogRequest& request) override;
    FileDialogResult ShowSaveDialog(const FileDialogRequest& request) override;
    FontDialogResult ShowFontDialog(const FontSpec& font, Color color) override;

    // --- Scripting ------------------------------------------------------
    void AnswerMessage(MessageAnswer answer) { script_.emplace_back(answer); }
    void AnswerOpen(FileDialogResult result) { script_.emplace_back(OpenAnswer{std::move(result)}); }
    void AnswerSave(FileDialogResult result) { script_.emplace_back(SaveAnswer{std::move(result)}); }
    // Shorthands: a chosen path (with the read-only box and filter entry as
    // the user left them), a cancelled dialog.
    void ChooseOpen(const std::u16string& path, bool readOnly = false, int filterIndex = 1);
    void ChooseSave(const std::u16string& path, int filterIndex = 1);
    void CancelOpen() { AnswerOpen(FileDialogResult{}); }
    void CancelSave() { AnswerSave(FileDialogResult{}); }
    void AnswerFont(FontDialogResult result) { script_.emplace_back(FontAnswer{std::move(result)}); }
    void ChooseFont(const FontSpec& font, Color color) {
        AnswerFont(FontDialogResult{DialogOutcome::Chosen, font, color, {}});
    }
    void CancelFont() { AnswerFont(FontDialogResult{}); }

    std::size_t PendingAnswers() const { return script_.size(); }

    // --- What was shown ---------------------------------------------------
    std::vector<ShownMessage> messages;
    std::vector<ShownFileDialog> fileDialogs;
    std::vector<ShownFontDialog> fontDialogs;

private:
    struct OpenAnswer {
        FileDialogResult result;
    };
    struct SaveAnswer {
        FileDialogResult result;
    };
    struct FontAnswer {
        FontDialogResult result;
    };
    using Answer = std::variant<MessageAnswer, OpenAnswer, SaveAnswer, FontAnswer>;

    std::deque<Answer> script_;
};

}  // namespace scribbit
