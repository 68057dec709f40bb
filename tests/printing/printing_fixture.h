// The application's doubles with the recording printer and printing windows
// attached, a document in the ActiveEditor and its path set.
#pragma once

#include "platform/commands.h"
#include "support/app_fixture.h"
#include "support/recording_printer.h"
#include "support/recording_printing_windows.h"

namespace scribbit {

struct PrintingFixture {
    PrintingFixture() { app.form.AttachPrinting(printer, windows); }
    void Print(const std::u16string& text, const std::u16string& path = u"C:\\docs\\memo.txt") {
        app.ActiveView().SetText(text);
        app.Context().document = DocumentState{path, false, false};
        app.form.MenuClick(menu::FilePrint);
    }
    RecordingPrinter printer;
    RecordingPrintingWindows windows;
    AppFixture app;
};

}  // namespace scribbit
