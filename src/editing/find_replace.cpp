#include "editing/find_replace.h"

#include <new>
#include <optional>

#include "core/decimal.h"
#include "core/document_state.h"
#include "core/working_pointer.h"
#include "editing/edit_commands.h"
#include "editing/editing_texts.h"

namespace scribbit {
namespace {

CompareMode ModeFor(bool matchCase) {
    return matchCase ? CompareMode::Binary : CompareMode::Text;
}

void Inform(EditingContext& context, const std::u16string& text) {
    context.app.ports.dialogs.ShowMessage(text, MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace

bool FindNext(EditingContext& context) {
    SearchState& search = context.app.search;
    if (search.SearchText.empty()) {
        ShowFindDialog(context);
        return false;
    }
    EditView& view = context.app.ActiveEditor();
    const std::u16string text = view.Text();
    const std::size_t selStart = view.SelStart();
    const TextSearcher searcher(search.SearchText, ModeFor(search.MatchCase), context.folder);
    const std::optional<TextMatch> found = search.SearchUpward
                                               ? searcher.FindLast(text, selStart)
                                               : searcher.FindFirst(text, selStart + view.SelLength());
    if (!found) {
        Inform(context, std::u16string(editing_texts::SearchFinished));
        search.FoundPosition = 0;
        return false;
    }
    search.FoundPosition = static_cast<std::int64_t>(found->start) + 1;
    view.SetSel(found->start, found->length);
    return true;
}

bool ReplaceAll(EditingContext& context, const std::u16string& findText, const std::u16string& substText,
                bool fromTop, bool matchCase) {
    if (findText.empty()) return false;
    // Until the text is in the view; the count is told with the normal pointer.
    std::optional<WorkingPointer> working;
    working.emplace(context.app.ports.frame);
    EditView& view = context.app.ActiveEditor();
    const std::size_t caret = view.SelStart();
    const std::size_t selLength = view.SelLength();
    std::u16string text;
    ReplaceResult result;
    try {
        text = view.Text();
        result =
            ReplaceEvery(text, fromTop ? 0 : caret, findText, substText, ModeFor(matchCase), context.folder);
    } catch (const std::bad_alloc&) {
        ReportTextTooLarge(context);
        return false;
    } catch (const std::length_error&) {
        ReportTextTooLarge(context);
        return false;
    }
    if (result.count == 0) {
        Inform(context, std::u16string(editing_texts::NothingToReplace));
        return false;
    }
    if (!PasteChanges(context, 0, text, result.text)) {
        view.SetSel(caret, selLength);
        return false;
    }
    view.SetSel(caret, 0);
    MarkModified(context.app);
    working.reset();
    std::u16string message(editing_texts::ReplacedPrefix);
    message += Decimal(result.count);
    message += editing_texts::ReplacedSuffix;
    Inform(context, message);
    return true;
}

void ShowFindDialog(EditingContext& context) {
    if (!context.findDialog) context.findDialog = std::make_unique<FindDialogModel>(context);
    context.windows.ShowFindDialog(*context.findDialog);
}

void ShowReplaceDialog(EditingContext& context) {
    if (!context.replaceDialog) context.replaceDialog = std::make_unique<ReplaceDialogModel>(context);
    context.windows.ShowReplaceDialog(*context.replaceDialog);
}

FindDialogModel::FindDialogModel(EditingContext& context)
    : context_(context),
      findText_(context.app.ActiveEditor().SelText()),
      matchCase_(context.app.search.MatchCase),
      searchUpward_(context.app.search.SearchUpward) {}

void FindDialogModel::SetMatchCase(bool matchCase) {
    matchCase_ = matchCase;
    context_.app.search.MatchCase = matchCase;
}

void FindDialogModel::SetSearchUpward(bool searchUpward) {
    searchUpward_ = searchUpward;
    context_.app.search.SearchUpward = searchUpward;
}

void FindDialogModel::OnFind() {
    if (!IsFindEnabled()) return;
    context_.app.search.SearchText = findText_;
    FindNext(context_);
}

ReplaceDialogModel::ReplaceDialogModel(EditingContext& context)
    : context_(context),
      findText_(context.app.ActiveEditor().SelText()),
      matchCase_(context.app.search.MatchCase) {}

void ReplaceDialogModel::SetMatchCase(bool matchCase) {
    matchCase_ = matchCase;
    context_.app.search.MatchCase = matchCase;
}

void ReplaceDialogModel::SearchDownwards() {
    // This dialog has no direction buttons: it always searches downwards,
    // and later searches keep that direction.
    context_.app.search.SearchUpward = false;
    context_.app.search.SearchText = findText_;
    FindNext(context_);
}

void ReplaceDialogModel::OnNextFind() {
    if (IsSearchEnabled()) SearchDownwards();
}

void ReplaceDialogModel::OnSubstNext() {
    if (!IsSearchEnabled()) return;
    if (context_.app.ActiveEditor().SelLength() > 0 && PasteViaClipboard(context_, substText_))
        MarkModified(context_.app);
    SearchDownwards();
}

DialogAction ReplaceDialogModel::OnAllSubst() {
    if (!IsSearchEnabled()) return DialogAction::Stay;
    return ReplaceAll(context_, findText_, substText_, findFromTop_, matchCase_) ? DialogAction::Close
                                                                                 : DialogAction::Stay;
}

}  // namespace scribbit
