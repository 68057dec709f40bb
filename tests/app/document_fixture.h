// The document tests work on the whole main window of doubles (AppFixture),
// with the names of the ports at hand and a folder of documents on the
// fake disk.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/app_context.h"
#include "app/document.h"
#include "support/app_fixture.h"

namespace scribbit {

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() { files.AddFolder(u"C:\\docs"); }

    FakeEditView& Editor() { return app.ActiveView(); }
    std::u16string Panel1() const { return status.PanelText(1); }
    std::string Bytes(std::u16string_view text) const { return locale.ToAnsi(text).bytes; }

    // A document opened from a file without any prompt on the way.
    void OpenFile(const std::u16string& path, const std::string& bytes) {
        files.AddFile(path, bytes);
        OpenDocument(context, false, path);
        ASSERT_EQ(context.document.CurrentFilePath, path);
        ASSERT_FALSE(context.document.IsModified);
    }
    // The user typing at the end of the text.
    void TypeAtEnd(const std::u16string& typed) {
        Editor().SetSel(Editor().TextLength(), 0);
        ASSERT_TRUE(Editor().Type(typed));
    }
    bool BothLocked() const { return txtReturn.IsLocked() && txtNoReturn.IsLocked(); }
    bool NoneLocked() const { return !txtReturn.IsLocked() && !txtNoReturn.IsLocked(); }

    AppFixture app;
    AppContext& context = app.Context();
    FakeClipboard& clipboard = app.clipboard;
    FakeEditView& txtReturn = app.txtReturn;
    FakeEditView& txtNoReturn = app.txtNoReturn;
    FakeMainFrame& frame = app.frame;
    FakeStatusBar& status = app.status;
    FakeMenuState& menus = app.menus;
    FakeToolBar& toolbar = app.toolBar;
    FakeUserDialogs& dialogs = app.dialogs;
    FakeFileSystem& files = app.files;
    FakeLocale& locale = app.locale;
};

}  // namespace scribbit
