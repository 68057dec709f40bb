#include "editing/go_to_line.h"

#include <string>

#include "core/decimal.h"
#include "editing/editing_texts.h"
#include "editing/entry_text.h"

namespace scribbit {

std::size_t CountLines(std::u16string_view text) {
    std::size_t lines = 1;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'\r' && text[i + 1] == u'\n') {
            ++lines;
            ++i;
        }
    }
    return lines;
}

std::size_t LineStartOffset(std::u16string_view text, std::size_t line) {
    std::size_t current = 1;
    for (std::size_t i = 0; i + 1 < text.size() && current < line; ++i) {
        if (text[i] == u'\r' && text[i + 1] == u'\n') {
            ++current;
            ++i;
            if (current == line) return i + 1;
        }
    }
    return line <= 1 ? 0 : text.size();
}

std::optional<std::size_t> ParseLineNumber(std::u16string_view entry, std::size_t lineCount) {
    entry = TrimBlanks(entry);
    if (entry.empty()) return std::nullopt;
    std::size_t value = 0;
    for (std::size_t i = 0; i < entry.size(); ++i) {
        int digit;
        if (entry[i] >= u'0' && entry[i] <= u'9') {
            digit = entry[i] - u'0';
        } else if (entry[i] >= u'０' && entry[i] <= u'９') {
            digit = entry[i] - u'０';
        } else {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::size_t>(digit);
        if (value > lineCount) return std::nullopt;  // also keeps the sum from overflowing
    }
    if (value < 1) return std::nullopt;
    return value;
}

void ShowGoToLineDialog(EditingContext& context) {
    if (!context.goToLineDialog) context.goToLineDialog = std::make_unique<GoToLineModel>(context);
    context.windows.ShowGoToLineDialog(*context.goToLineDialog);
}

GoToLineOutcome GoToLineModel::OnOK() {
    EditView& view = context_.app.ActiveEditor();
    const std::u16string text = view.Text();
    const std::size_t lineCount = CountLines(text);
    const std::optional<std::size_t> line = ParseLineNumber(entry_, lineCount);
    if (!line) {
        context_.app.ports.dialogs.ShowMessage(std::u16string(editing_texts::LineNumberPrefix) +
                                                   Decimal(lineCount) +
                                                   std::u16string(editing_texts::LineNumberSuffix),
                                               MessageIcon::Exclamation, MessageButtons::Ok);
        return GoToLineOutcome::Refused;
    }
    view.SetSel(LineStartOffset(text, *line), 0);
    return GoToLineOutcome::Moved;
}

}  // namespace scribbit
