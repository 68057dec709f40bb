// The settings file as any bytes at all: the program starts in a usable
// window, and the file it writes at the end gives the same state again (a
// second run writes it unchanged).
#include "app/main_form.h"
#include "app/settings_file.h"
#include "app/startup.h"
#include "fuzz/fuzz_input.h"
#include "support/app_fixture.h"
#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

// One run on these settings; what it leaves on the disk.
std::string RunOn(std::string_view settings) {
    AppFixture app;
    app.files.disk[app.SettingsPath()] = std::string(settings);
    app.form.Form_Load(u"");
    const Bounds at = app.frame.bounds;
    const Size screen = app.frame.ScreenSize();
    EXPECT_TRUE(app.frame.shown && app.dialogs.messages.empty());
    EXPECT_TRUE(at.left >= 0 && at.left <= screen.width && at.top >= 0 && at.top <= screen.height);
    EXPECT_TRUE(at.width >= FirstRunBounds.width && at.height >= FirstRunBounds.height);
    const auto entries = app.toolBar.Entries();
    const std::int16_t paste = app.Context().PasteButtonIndex;
    EXPECT_EQ(paste > 0,
              std::ranges::count(entries, std::u16string_view(PasteToolTip), &ToolBarEntry::toolTipText) > 0);
    if (paste > 0) EXPECT_EQ(entries.at(static_cast<std::size_t>(paste) - 1).toolTipText, PasteToolTip);
    EXPECT_FALSE(app.form.Form_Unload());
    return app.files.disk.at(app.SettingsPath());  // written at every end
}

}  // namespace
}  // namespace scribbit

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string written = scribbit::RunOn(scribbit::Bytes(data, size));
    EXPECT_EQ(scribbit::RunOn(written), written);
    return 0;
}
