// Find and replace: FindNext with the shared search state, ReplaceAll, and
// the models of the Find (frmFIND) and Replace (frmSUBSTITUTE) dialogs.
// Searches never wrap around the end or the beginning of the text.
#pragma once

#include <string>

#include "editing/editing_context.h"

namespace scribbit {

// What the shell does with a dialog after one of its buttons.
enum class DialogAction { Stay, Close };

// Searches the ActiveEditor with the shared search state: downwards from
// the end of the selection, or upwards for the last match lying wholly
// before it. Selects the text actually matched and returns true; otherwise
// tells the user and leaves the selection. With no search text yet it
// shows the Find dialog instead.
bool FindNext(EditingContext& context);

// Replaces every match of findText from the caret (or from the top) as one
// undoable step, puts the caret back and reports the count. Returns true
// when something was replaced (the Replace dialog then closes).
bool ReplaceAll(EditingContext& context, const std::u16string& findText, const std::u16string& substText,
                bool fromTop, bool matchCase);

// Edit > Find and Edit > Replace: create the dialog on first use, otherwise
// only bring it forward (what the user typed stays).
void ShowFindDialog(EditingContext& context);
void ShowReplaceDialog(EditingContext& context);

class FindDialogModel {
public:
    // Takes the search text from the ActiveEditor's selection, the case box
    // and the direction from the shared search state.
    explicit FindDialogModel(EditingContext& context);
    FindDialogModel(const FindDialogModel&) = delete;
    FindDialogModel& operator=(const FindDialogModel&) = delete;

    const std::u16string& FindText() const { return findText_; }
    bool MatchCase() const { return matchCase_; }
    bool SearchUpward() const { return searchUpward_; }
    // The search button (cmdFIND) is enabled exactly while there is text.
    bool IsFindEnabled() const { return !findText_.empty(); }

    void SetFindText(std::u16string text) { findText_ = std::move(text); }
    void SetMatchCase(bool matchCase);        // chkDISTINCTION clicked
    void SetSearchUpward(bool searchUpward);  // optSINCE clicked
    void OnFind();                            // cmdFIND; the dialog stays open

private:
    EditingContext& context_;
    std::u16string findText_;
    bool matchCase_;
    bool searchUpward_;
};

class ReplaceDialogModel {
public:
    explicit ReplaceDialogModel(EditingContext& context);
    ReplaceDialogModel(const ReplaceDialogModel&) = delete;
    ReplaceDialogModel& operator=(const ReplaceDialogModel&) = delete;

    const std::u16string& FindText() const { return findText_; }
    const std::u16string& SubstText() const { return substText_; }
    bool FindFromTop() const { return findFromTop_; }
    bool MatchCase() const { return matchCase_; }
    // cmdNextFind, cmdSubstNext and cmdAllSubst: enabled while there is text.
    bool IsSearchEnabled() const { return !findText_.empty(); }

    void SetFindText(std::u16string text) { findText_ = std::move(text); }
    void SetSubstText(std::u16string text) { substText_ = std::move(text); }
    void SetFindFromTop(bool fromTop) { findFromTop_ = fromTop; }
    void SetMatchCase(bool matchCase);  // chkDISTINCTION clicked

    void OnNextFind();  // cmdNextFind: always downwards
    // cmdSubstNext: replaces whatever is selected, then searches on.
    void OnSubstNext();
    // cmdAllSubst: Close after a successful ReplaceAll.
    DialogAction OnAllSubst();

private:
    void SearchDownwards();

    EditingContext& context_;
    std::u16string findText_;
    std::u16string substText_;
    bool findFromTop_ = false;
    bool matchCase_;
};

}  // namespace scribbit
