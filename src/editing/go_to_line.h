// Go to line (frmMoveLine): lines as the document counts them, separated
// by CR LF and numbered from 1, whether or not word wrap is on.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "editing/editing_context.h"

namespace scribbit {

// The number of lines: one more than the number of CR LF pairs.
std::size_t CountLines(std::u16string_view text);
// The offset where the 1-based line starts; the text's length for a line
// past the last one.
std::size_t LineStartOffset(std::u16string_view text, std::size_t line);
// A whole number from 1 to lineCount (ASCII or full-width digits, spaces
// around allowed); nullopt for anything else.
std::optional<std::size_t> ParseLineNumber(std::u16string_view entry, std::size_t lineCount);

// Edit > Go to line: creates the dialog on first use, else brings it forward.
void ShowGoToLineDialog(EditingContext& context);

enum class GoToLineOutcome {
    Moved,    // the caret stands at the start of the line; the dialog closes
    Refused,  // the user was told; the dialog stays open with the entry selected
};

class GoToLineModel {
public:
    explicit GoToLineModel(EditingContext& context) : context_(context) {}
    GoToLineModel(const GoToLineModel&) = delete;
    GoToLineModel& operator=(const GoToLineModel&) = delete;

    const std::u16string& Entry() const { return entry_; }
    void SetEntry(std::u16string entry) { entry_ = std::move(entry); }
    // cmdOK and Enter.
    GoToLineOutcome OnOK();

private:
    EditingContext& context_;
    std::u16string entry_;  // txtMoveLine
};

}  // namespace scribbit
