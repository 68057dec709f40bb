#include "app/startup.h"

#include "app/document.h"
#include "app/settings_file.h"
#include "core/setting_values.h"
#include "toolbar/toolbar_list.h"
#include "view/char_count.h"
#include "view/layout.h"

namespace scribbit {
namespace {

// The first-run state: word wrap off, the first-run placement and toolbar.
void ApplyFirstRunState(AppContext& context) {
    context.view.wordWrap = false;
    context.ports.menus.SetChecked(menu::FormWordWrap, false);
    context.ports.frame.SetBounds(FirstRunBounds);
    BuildDefaultToolBar(context);
}

// The settings text to start from. A missing file is created from the
// first-run state; start-up then reads what it wrote, from memory, so that
// a folder where the file cannot be written still starts with the default
// toolbar. A file that exists but cannot be read starts from the same state
// and is left as it is until the program ends.
std::u16string LoadSettingsText(AppContext& context) {
    const Ports& ports = context.ports;
    const std::u16string path = context.SettingsPath();
    if (ports.files.FileExists(path)) {
        const ReadResult read = ports.files.ReadAll(path, false);
        if (read.ok) return ports.locale.FromAnsi(read.bytes);
        context.keepSettingsFile = true;
        ApplyFirstRunState(context);
        return SettingsText(context);
    }
    ApplyFirstRunState(context);
    (void)WriteSettings(context);  // not fatal: the file is written again at the end
    return SettingsText(context);
}

bool ReadBoolean(const SettingsFile& settings, std::u16string_view section, std::u16string_view key,
                 bool fallback) {
    return ReadBooleanSetting(settings.ReadSetting(section, key)).value_or(fallback);
}

void ApplyWordWrap(AppContext& context, const SettingsFile& settings) {
    const bool wrap = ReadBoolean(settings, u"Setting", u"TurnRight", false);
    const Ports& ports = context.ports;
    context.view.wordWrap = wrap;
    ports.menus.SetChecked(menu::FormWordWrap, wrap);
    ports.txtReturn.SetVisible(wrap);
    ports.txtNoReturn.SetVisible(!wrap);
}

void ApplyPlacement(AppContext& context, const SettingsFile& settings) {
    const Size screen = context.ports.frame.ScreenSize();
    Bounds bounds;
    bounds.left = ReadInt32Setting(settings.ReadSetting(u"Setting", u"Xpos")).value_or(FirstRunBounds.left);
    bounds.top = ReadInt32Setting(settings.ReadSetting(u"Setting", u"Ypos")).value_or(FirstRunBounds.top);
    // A position on the screen's far edge is kept; one beyond it would put
    // the window out of reach.
    if (bounds.left < 0 || bounds.left > screen.width) bounds.left = 0;
    if (bounds.top < 0 || bounds.top > screen.height) bounds.top = 0;
    bounds.width =
        ReadInt32Setting(settings.ReadSetting(u"Setting", u"Xsize")).value_or(FirstRunBounds.width);
    bounds.height =
        ReadInt32Setting(settings.ReadSetting(u"Setting", u"Ysize")).value_or(FirstRunBounds.height);
    if (bounds.width < FirstRunBounds.width) bounds.width = FirstRunBounds.width;
    if (bounds.height < FirstRunBounds.height) bounds.height = FirstRunBounds.height;
    context.ports.frame.SetBounds(bounds);
}

void ApplyAlwaysOnTop(AppContext& context, const SettingsFile& settings) {
    const bool onTop = settings.ReadSetting(u"Setting", u"MostFront") == u"True";
    context.view.alwaysOnTop = onTop;
    context.ports.menus.SetChecked(menu::FormAlwaysOnTop, onTop);
    // Raising the window above the others also shows it, so the rest of
    // start-up runs on a visible window.
    if (onTop) context.ports.frame.SetTopMost(true);
}

void ApplyBars(AppContext& context, const SettingsFile& settings) {
    const Ports& ports = context.ports;
    const bool statusBar = ReadBoolean(settings, u"Setting", u"StatusBar", true);
    context.view.statusBar = statusBar;
    ports.sttSTATUS.SetVisible(statusBar);
    ports.menus.SetChecked(menu::FormStatusBar, statusBar);
    const bool toolBar = ReadBoolean(settings, u"Setting", u"ToolBar", true);
    context.view.toolBar = toolBar;
    ports.tolToolBar.SetVisible(toolBar);
    ports.menus.SetChecked(menu::FormToolBar, toolBar);
}

// Each attribute is set on its own, in the order the font dialog applies
// them, so the control sees the same sequence of fonts either way.
void ApplyFont(AppContext& context, const SettingsFile& settings) {
    EditView& editor = context.ActiveEditor();
    const FontSpec defaults = FirstRunFont();
    FontSpec font = editor.Font();
    const auto apply = [&] { editor.SetFont(font); };

    font.bold = ReadBoolean(settings, u"Font", u"Bold", defaults.bold);
    apply();
    font.italic = ReadBoolean(settings, u"Font", u"Italic", defaults.italic);
    apply();
    font.name = settings.ReadSetting(u"Font", u"Name");
    if (font.name.empty()) font.name = defaults.name;
    context.storableFontName = font.name;
    apply();
    font.size = ReadFontSizeSetting(settings.ReadSetting(u"Font", u"Size")).value_or(defaults.size);
    apply();
    font.strikethrough = ReadBoolean(settings, u"Font", u"Strikethrough", defaults.strikethrough);
    apply();
    font.underline = ReadBoolean(settings, u"Font", u"Underline", defaults.underline);
    apply();

    editor.SetTextColor(ReadColorSetting(settings.ReadSetting(u"Font", u"Color")).value_or(WindowTextColor));
}

}  // namespace

FontSpec FirstRunFont() {
    return FontSpec{u"FixedSys", 13.5, false, false, false, false};
}

std::u16string PathFromCommandLine(std::u16string_view commandLine) {
    if (commandLine.size() >= 2 && commandLine.front() == u'"' && commandLine.back() == u'"') {
        return std::u16string(commandLine.substr(1, commandLine.size() - 2));
    }
    return std::u16string(commandLine);
}

void StartUp(AppContext& context, const std::u16string& commandLine,
             const std::function<void()>& seedClipboardHistory) {
    const Ports& ports = context.ports;
    const std::u16string text = LoadSettingsText(context);
    const SettingsFile settings(text, ports.locale);

    ApplyWordWrap(context, settings);
    ApplyPlacement(context, settings);
    ApplyAlwaysOnTop(context, settings);

    context.PasteButtonIndex = -1;
    context.AlwaysOnTopButtonIndex = -1;
    LoadToolBarFromSettings(context, settings.ToolBarLines());

    ApplyBars(context, settings);
    SetCountUnit(context, settings.ReadSetting(u"Setting", u"CharCount") == u"True");
    ApplyFont(context, settings);

    context.pageSetup = PageSetup{};
    context.TabSpace = ReadInt32Setting(settings.ReadSetting(u"Setting", u"TabSpace")).value_or(0);
    if (seedClipboardHistory) seedClipboardHistory();
    ports.frame.SetIcon(AppIconResource);

    std::function<void()> notice;
    if (!commandLine.empty()) {
        const std::u16string path = PathFromCommandLine(commandLine);
        // A pair of quotes around nothing names no file.
        if (!path.empty()) notice = OpenCommandLineFile(context, path);
    }
    // The window may already be shown and active (kept on top), in which case
    // no later activation lays it out with the bars it has now.
    LayoutEditor(context);
    ports.frame.Show();
    if (notice) notice();
}

}  // namespace scribbit
