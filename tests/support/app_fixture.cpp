#include "support/app_fixture.h"

#include "app/document.h"
#include "app/startup.h"

namespace scribbit {

AppFixture::AppFixture(std::u16string_view programFolder)
    : form(Ports{frame, txtReturn, txtNoReturn, status, menus, toolBar, dialogs, clipboard, files, locale},
           std::u16string(programFolder), text, editWindows, shell, formDialogs) {
    form.AttachPrinting(printer, printWindows);
    frame.onResize = [this] { form.Form_Resize(); };
    for (FakeEditView* view : {&txtReturn, &txtNoReturn}) {
        view->onChange = [this] { form.OnEditorChanged(); };
        view->SetFont(FirstRunFont());
    }
}

void AppFixture::Show(std::u16string_view screen) {
    std::u16string text(screen.substr(0, screen.size() - screen.ends_with(u'*')));
    const std::size_t start = text.find(u'['), end = text.find(u']');
    if (end != text.npos) text.erase(end, 1);
    if (start != text.npos) text.erase(start, 1);
    View().SetText(text);
    if (start != text.npos) View().SetSel(start, end - start - 1);
    Context().document.IsModified = screen.ends_with(u'*');
}

std::u16string AppFixture::Screen() {
    std::u16string shown = View().Text();
    shown.insert(View().SelStart() + View().SelLength(), u"]").insert(View().SelStart(), u"[");
    return shown + (Context().document.IsModified ? u"*" : u"");
}

std::u16string AppFixture::Window() {
    const bool readOnly = Context().document.IsReadOnly;
    if (txtReturn.IsLocked() != readOnly || txtNoReturn.IsLocked() != readOnly)
        ADD_FAILURE() << "the views' locks disagree with the read-only state";
    return frame.caption + u"|" + status.PanelText(1) + u"|" + Screen();
}

std::u16string AppFixture::Options() {
    const auto flag = [this](std::u16string word, bool on, MenuItem item) {
        return (on ? word : u"-") + (on == menus.IsChecked(item) ? u"" : u"!");
    };
    const bool wrap = txtReturn.IsVisible(), chars = menus.IsChecked(menu::CountCharacters);
    const bool viewsAgree = txtNoReturn.IsVisible() != wrap && &View() == (wrap ? &txtReturn : &txtNoReturn);
    const bool unitAgrees =
        chars != menus.IsChecked(menu::CountBytes) && chars == (status.PanelText(2) == u"文字");
    return flag(u"wrap", wrap, menu::FormWordWrap) + (viewsAgree ? u" " : u"! ") +
           flag(u"status", status.visible, menu::FormStatusBar) + u" " +
           flag(u"toolbar", toolBar.visible, menu::FormToolBar) + u" " +
           flag(u"top", frame.topMost, menu::FormAlwaysOnTop) + u" " + status.PanelText(2) +
           (unitAgrees ? u"" : u"!");
}

bool AppFixture::Type(const std::u16string& typed) {
    View().SetSel(View().TextLength(), 0);
    return View().Type(typed);
}

void AppFixture::Open(const std::u16string& path, const std::string& bytes) {
    files.disk[path] = bytes;
    OpenDocument(Context(), false, path);
}

}  // namespace scribbit
