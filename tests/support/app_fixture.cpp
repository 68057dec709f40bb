#include "support/app_fixture.h"

#include "app/startup.h"

namespace scribbit {

AppFixture::AppFixture(std::u16string_view programFolder)
    : ports{frame, txtReturn, txtNoReturn, status, menus, toolBar, dialogs, clipboard, files, locale},
      form(ports, std::u16string(programFolder), text, editingWindows, shell, formDialogs),
      folder_(programFolder) {
    frame.SetEventLog(&log);
    status.SetEventLog(&log);
    menus.SetEventLog(&log);
    toolBar.SetEventLog(&log);
    frame.SetResizeHandler([this] { form.Form_Resize(); });
    txtReturn.SetChangeHandler([this] { form.OnEditorChanged(); });
    txtNoReturn.SetChangeHandler([this] { form.OnEditorChanged(); });
    for (FakeEditView* view : {&txtReturn, &txtNoReturn}) {
        view->SetFont(FirstRunFont());
        view->SetTextColor(WindowTextColor);
    }
    // A drive root needs no folder of its own.
    std::u16string folder = folder_;
    while (!folder.empty() && folder.back() == u'\\') folder.pop_back();
    if (folder.size() > 2) files.AddFolder(folder);
}

void AppFixture::PutSettings(std::u16string_view text) {
    files.AddFile(SettingsPath(), locale.ToAnsi(text).bytes);
}

std::optional<std::u16string> AppFixture::SettingsOnDisk() {
    const std::optional<std::string> bytes = files.Contents(SettingsPath());
    if (!bytes) return std::nullopt;
    return locale.FromAnsi(*bytes);
}

FakeEditView& AppFixture::ActiveView() {
    return &Context().ActiveEditor() == &txtReturn ? txtReturn : txtNoReturn;
}

}  // namespace scribbit
