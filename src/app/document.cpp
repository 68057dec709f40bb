#include "app/document.h"

#include "app/ansi_checks.h"
#include "app/document_texts.h"
#include "app/shutdown.h"
#include "core/core_texts.h"
#include "core/error_report.h"
#include "core/working_pointer.h"
#include "printing/print_commands.h"
#include "view/char_count.h"

namespace scribbit {

namespace text = document_text;

namespace {

constexpr int HtmlFilterIndex = 2;

// The file dialogs want a folder to start in; the document's own folder is
// the one the user most likely wants.
std::u16string FolderOf(const std::u16string& path) {
    const auto slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash + 1);
}

std::u16string AsciiLower(std::u16string s) {
    for (auto& c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return s;
}

bool IsHtmlPath(const std::u16string& path) {
    const auto dot = path.rfind(u'.');
    const std::u16string ext = AsciiLower(dot == std::u16string::npos ? path : path.substr(dot + 1));
    return ext == u"htm" || ext == u"html";
}

void SetPathPanel(AppContext& context, const std::u16string& panelText) {
    context.ports.sttSTATUS.SetPanelText(PathPanel, panelText);
}

// Read-only means both views locked, whichever one is shown.
void SetReadOnly(AppContext& context, bool readOnly) {
    context.ports.txtReturn.SetLocked(readOnly);
    context.ports.txtNoReturn.SetLocked(readOnly);
    context.document.IsReadOnly = readOnly;
}

// Each dialog starts with the read-only box cleared; what the user leaves
// in it is remembered for the next open, with or without a dialog.
FileDialogRequest MakeRequest(const AppContext& context, int filterIndex) {
    FileDialogRequest request;
    request.initialDir = FolderOf(context.document.CurrentFilePath);
    request.fileName = context.commonDialog.fileName;
    request.filterIndex = filterIndex;
    request.readOnlyChecked = false;
    return request;
}

void RememberDialog(AppContext& context, const FileDialogResult& result) {
    context.commonDialog.fileName = result.path;
    context.commonDialog.filterIndex = result.filterIndex;
    context.commonDialog.readOnlyChecked = result.readOnlyChecked;
}

// Every file dialog starts with the read-only box cleared, so one that was
// cancelled or failed leaves it cleared: a file dropped afterwards must not
// open locked because of an open long ago.
void ForgetReadOnlyChoice(AppContext& context) {
    context.commonDialog.readOnlyChecked = false;
}

void ReportSaveFailure(AppContext& context) {
    context.ports.dialogs.ShowMessage(std::u16string(core_text::OtherError), MessageIcon::None,
                                      MessageButtons::Ok);
}

// What a failed open puts back, so that the document is exactly as before
// and a later save cannot write the old text over the file that failed.
struct OpenSnapshot {
    explicit OpenSnapshot(const AppContext& context)
        : document(context.document),
          returnLocked(context.ports.txtReturn.IsLocked()),
          noReturnLocked(context.ports.txtNoReturn.IsLocked()),
          caption(context.ports.frame.Caption()),
          pathPanel(context.ports.sttSTATUS.PanelText(PathPanel)) {}

    void Restore(AppContext& context) const {
        context.document = document;
        context.ports.txtReturn.SetLocked(returnLocked);
        context.ports.txtNoReturn.SetLocked(noReturnLocked);
        context.ports.frame.SetCaption(caption);
        SetPathPanel(context, pathPanel);
    }

    DocumentState document;
    bool returnLocked;
    bool noReturnLocked;
    std::u16string caption;
    std::u16string pathPanel;
};

}  // namespace

QueryResult QuerySaveChanges(AppContext& context) {
    if (!context.document.IsModified) return QueryResult::Continue;
    std::u16string question(text::AskToSavePrefix);
    question += context.document.CurrentFilePath;
    question += text::AskToSaveSuffix;
    switch (
        context.ports.dialogs.ShowMessage(question, MessageIcon::Exclamation, MessageButtons::YesNoCancel)) {
        case MessageAnswer::Yes:
            // Always through the dialog, so the user sees where it goes.
            return SaveDocumentAs(context) == SaveResult::Saved ? QueryResult::Continue : QueryResult::Cancel;
        case MessageAnswer::No:
            return QueryResult::Continue;
        default:
            return QueryResult::Cancel;
    }
}

void NewDocument(AppContext& context) {
    if (QuerySaveChanges(context) == QueryResult::Cancel) return;
    context.ActiveEditor().SetText(u"");
    context.document.CurrentFilePath.clear();
    context.search.SearchText.clear();
    context.search.FoundPosition = 0;
    context.ports.frame.SetCaption(AppTitle);
    SetPathPanel(context, u"");
    context.ports.sttSTATUS.SetPanelText(CountPanel, std::u16string(text::EmptyCount));
    context.document.IsModified = false;
}

namespace {

// Opens path, without a dialog. What the user must be told comes back rather
// than being shown, so start-up can hold it until the window is visible.
std::function<void()> OpenFile(AppContext& context, const std::u16string& path) {
    const WorkingPointer working(context.ports.frame);
    const OpenSnapshot before(context);
    const bool readOnly = context.commonDialog.readOnlyChecked;
    context.document.CurrentFilePath = path;
    SetReadOnly(context, readOnly);

    const ReadResult read = context.ports.files.ReadAll(path, /*createIfMissing=*/true);
    if (!read.ok) {
        before.Restore(context);
        return [&context, report = ErrorReportText(read.error, path)] { ShowErrorReport(context, report); };
    }
    const DecodedDocument decoded = DecodeDocument(context.ports.locale, read.bytes);
    // The edit control's capacity is the document's limit: only its refusal
    // says a file is too large.
    EditView& editor = context.ActiveEditor();
    const std::u16string previousText = editor.Text();
    if (editor.SetText(decoded.text) == SetTextResult::TooLarge) {
        // A control may keep the part that fitted; that part must not stay
        // under the previous document's name, where a save would write it.
        if (editor.Text() != previousText) editor.SetText(previousText);
        before.Restore(context);
        return [&context] { ShowErrorReport(context, TooLargeReportText()); };
    }

    context.document.IsModified = false;
    context.ports.frame.SetCaption(FileNameFromPath(path));
    SetPathPanel(context, readOnly ? path + std::u16string(text::ReadOnlySuffix) : path);
    UpdateCharCount(context);

    std::u16string warning = LoadWarning(decoded);
    if (warning.empty()) return {};
    return [&context, warning = std::move(warning)] {
        context.ports.dialogs.ShowMessage(warning, MessageIcon::Exclamation, MessageButtons::Ok);
    };
}

}  // namespace

void OpenDocument(AppContext& context, bool showDialog, const std::u16string& pathToOpen) {
    if (QuerySaveChanges(context) == QueryResult::Cancel) return;

    std::u16string path = pathToOpen;
    if (showDialog) {
        const FileDialogResult chosen =
            context.ports.dialogs.ShowOpenDialog(MakeRequest(context, context.commonDialog.filterIndex));
        if (chosen.outcome == DialogOutcome::Cancelled) {
            ForgetReadOnlyChoice(context);
            return;
        }
        if (chosen.outcome == DialogOutcome::Failed) {
            ForgetReadOnlyChoice(context);
            ShowErrorReport(context, ErrorReportText(chosen.error, context.document.CurrentFilePath));
            return;
        }
        RememberDialog(context, chosen);
        path = chosen.path;
    }
    if (const std::function<void()> notice = OpenFile(context, path)) notice();
}

std::function<void()> OpenCommandLineFile(AppContext& context, const std::u16string& path) {
    return OpenFile(context, path);
}

SaveResult SaveDocument(AppContext& context) {
    const std::u16string path = context.document.CurrentFilePath;
    if (path.empty()) return SaveDocumentAs(context);
    const WorkingPointer working(context.ports.frame);

    // The text goes out exactly as it stands; nothing is added to it.
    const SaveEncoding encoded = EncodeForSave(context.ports.locale, context.ActiveEditor().Text());
    if (encoded.firstUnrepresentable) {
        // Nothing becomes "?" without the user's word.
        const MessageAnswer answer =
            context.ports.dialogs.ShowMessage(UnrepresentableWarning(*encoded.firstUnrepresentable),
                                              MessageIcon::Exclamation, MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) return SaveResult::Cancelled;
    }

    if (context.ports.files.WriteAllSafely(path, encoded.bytes)) {
        // The previous file is whole; the document stays modified as shown.
        ReportSaveFailure(context);
        return SaveResult::Failed;
    }

    context.ports.frame.SetCaption(FileNameFromPath(path) + std::u16string(text::SavedCaptionSuffix));
    SetPathPanel(context, path);
    context.document.IsModified = false;
    return SaveResult::Saved;
}

SaveResult SaveDocumentAs(AppContext& context) {
    const int filterIndex =
        IsHtmlPath(context.document.CurrentFilePath) ? HtmlFilterIndex : context.commonDialog.filterIndex;
    const FileDialogResult chosen = context.ports.dialogs.ShowSaveDialog(MakeRequest(context, filterIndex));
    if (chosen.outcome == DialogOutcome::Cancelled) {
        ForgetReadOnlyChoice(context);
        return SaveResult::Cancelled;
    }
    if (chosen.outcome == DialogOutcome::Failed || chosen.path.empty()) {
        ForgetReadOnlyChoice(context);
        ReportSaveFailure(context);
        return SaveResult::Failed;
    }
    RememberDialog(context, chosen);

    // Until the new file is written the document still belongs to the old
    // one, which caption and panel keep naming.
    const std::u16string previousPath = context.document.CurrentFilePath;
    context.document.CurrentFilePath = chosen.path;
    const SaveResult result = SaveDocument(context);
    if (result != SaveResult::Saved) context.document.CurrentFilePath = previousPath;
    return result;
}

void OnEditorChanged(AppContext& context) {
    // The word-wrap switch moves the text between the views; that is no edit.
    if (context.EditorSwitching) return;
    context.ports.menus.SetEnabled(menu::EditUndo, context.ActiveEditor().CanUndo());
    MarkModified(context);
}

void OpenDroppedFile(AppContext& context, const std::vector<std::u16string>& files) {
    if (files.empty()) return;
    context.ports.frame.Focus();
    OpenDocument(context, false, files.front());
}

void mnuFILE_Click(AppContext& context, int index) {
    switch (index) {
        case menu::FileNew.index:
            NewDocument(context);
            break;
        case menu::FileOpen.index:
            OpenDocument(context, true);
            break;
        case menu::FileSave.index:
            SaveDocument(context);
            break;
        case menu::FileSaveAs.index:
            SaveDocumentAs(context);
            break;
        case menu::FilePageSetup.index:
            ShowPageSetup(context);
            break;
        case menu::FilePrint.index:
            PrintDocument(context);
            break;
        case menu::FileExit.index:
            if (CloseAfterPrintJob(context)) break;
            if (QuerySaveChanges(context) == QueryResult::Continue) ExitApplication(context);
            break;
        default:
            break;  // separators
    }
}

}  // namespace scribbit
