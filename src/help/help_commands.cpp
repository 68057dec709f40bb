#include "help/help_commands.h"

#include "core/decimal.h"
#include "help/about_dialog.h"
#include "help/help_texts.h"

namespace scribbit {
namespace {

// The executable's file name without its folder and its extension.
std::u16string_view ExecutableName(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    if (slash != std::u16string_view::npos) path.remove_prefix(slash + 1);
    const std::size_t dot = path.rfind(u'.');
    if (dot != std::u16string_view::npos) path = path.substr(0, dot);
    return path;
}

void OpenReadme(AppContext& context, Shell& shell) {
    if (shell.StartProcess(ReadmeCommandLine(shell.ExecutablePath(), context.programFolder))) return;
    context.ports.dialogs.ShowMessage(std::u16string(help_texts::ReadmeNotStarted), MessageIcon::Exclamation,
                                      MessageButtons::Ok);
}

}  // namespace

std::u16string VersionLabel(int major, int minor, int revision) {
    const auto number = [](int value) { return Decimal(static_cast<std::uint64_t>(value < 0 ? 0 : value)); };
    std::u16string label = std::u16string(help_texts::VersionPrefix) + number(major) + u"." + number(minor);
    if (revision > 0) label += u"." + number(revision);
    return label;
}

std::u16string ReadmeCommandLine(std::u16string_view executablePath, std::u16string_view programFolder) {
    std::u16string line = u"\"";
    line += ExecutableName(executablePath);
    line += u".exe\" ";
    line += programFolder;
    line += help_texts::ReadmeFileName;
    return line;
}

void mnuHELP_Click(AppContext& context, Shell& shell, FormDialogs& dialogs, int index) {
    switch (index) {
        case menu::HelpContents.index:
            OpenReadme(context, shell);
            break;
        case menu::HelpSearch.index:
            if (context.ports.menus.IsEnabled(menu::HelpSearch)) {
                shell.ShowHelpKeywordSearch(context.programFolder + std::u16string(help_texts::HelpFileName));
            }
            break;
        case menu::HelpAbout.index: {
            AboutModel about(context, shell);
            dialogs.RunAboutDialog(about);
            break;
        }
        default:
            break;
    }
}

}  // namespace scribbit
