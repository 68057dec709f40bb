#include "support/app_fixture.h"

#include "app/document.h"
#include "app/startup.h"
#include "support/utf8.h"

namespace scribbit {

void PrintTo(const Screen& s, std::ostream* out) {
    *out << "{text \"" << Utf8(s.text) << "\", path \"" << Utf8(s.path) << "\""
         << (s.modified ? ", modified" : "") << (s.readOnly ? ", read-only" : "") << ", caption \""
         << Utf8(s.caption) << "\", panel 1 \"" << Utf8(s.panel1) << "\"}";
}

AppFixture::AppFixture(std::u16string_view programFolder)
    : ports{frame, txtReturn, txtNoReturn, status, menus, toolBar, dialogs, clipboard, files, locale},
      form(ports, std::u16string(programFolder), text, editingWindows, shell, formDialogs) {
    frame.onResize = [this] { form.Form_Resize(); };
    for (FakeEditView* view : {&txtReturn, &txtNoReturn}) {
        view->SetChangeHandler([this] { form.OnEditorChanged(); });
        view->SetFont(FirstRunFont());
    }
    files.AddFolder(std::u16string(programFolder));
    files.AddFolder(u"C:\\docs");
}

std::optional<std::u16string> AppFixture::SettingsOnDisk() {
    const std::optional<std::string> bytes = files.Contents(SettingsPath());
    if (!bytes) return std::nullopt;
    return locale.FromAnsi(*bytes);
}

Screen AppFixture::Seen() {
    const DocumentState& document = Context().document;
    if (txtReturn.IsLocked() != document.IsReadOnly || txtNoReturn.IsLocked() != document.IsReadOnly)
        ADD_FAILURE() << "the views' locks disagree with the read-only state";
    return {ActiveView().Text(), document.CurrentFilePath, document.IsModified, document.IsReadOnly,
            frame.caption,       status.PanelText(1)};
}

bool AppFixture::Type(const std::u16string& typed) {
    ActiveView().SetSel(ActiveView().TextLength(), 0);
    return ActiveView().Type(typed);
}

void AppFixture::Open(const std::u16string& path, const std::string& bytes) {
    files.AddFile(path, bytes);
    OpenDocument(Context(), false, path);
}

}  // namespace scribbit
