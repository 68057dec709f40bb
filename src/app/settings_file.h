// ScribbitⅡ.ini: where it lives, how single keys are read from it, and the
// whole file as WriteSettings writes it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_context.h"
#include "platform/locale_services.h"

namespace scribbit {

// The executable's folder with exactly one trailing backslash; the root of
// a drive ("C:\") already has it.
std::u16string ProgramFolder(std::u16string_view folder);

// The settings file's text, read once at start-up. Single keys are looked up
// the way the system's profile-string reader does it, so that files edited
// by hand read the same as they always have.
class SettingsFile {
public:
    // Profile values longer than this many bytes in the ANSI code page are
    // cut, as the reader's 255-byte buffer cuts them.
    static constexpr std::size_t MaxValueBytes = 254;

    SettingsFile(std::u16string_view text, const LocaleServices& locale);
    // The parsed lines point into the text held here.
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    // One key's value. Section and key names match without regard to case,
    // the first section and the first key of that name win, blanks around
    // the key and the value are dropped, and a value enclosed in a matching
    // pair of quotes loses them. Empty when missing.
    std::u16string ReadSetting(std::u16string_view section, std::u16string_view key) const;

    // The lines after the first line that is exactly "[ToolBar]"; none when
    // the file has no such line.
    std::vector<std::u16string_view> ToolBarLines() const;

private:
    struct Entry {
        std::u16string_view key;
        std::u16string_view value;
    };
    struct Section {
        std::u16string_view name;
        std::vector<Entry> entries;
    };

    std::u16string text_;
    const LocaleServices* locale_;
    std::vector<std::u16string_view> lines_;
    std::vector<Section> sections_;
};

// The whole settings file for the current state of the main window, one
// CR LF after every line.
std::u16string SettingsText(const AppContext& context);

// Rewrites the settings file in one piece. A failed write leaves the
// previous file whole and is returned for the caller to ignore or report.
std::optional<SystemError> WriteSettings(const AppContext& context);

}  // namespace scribbit
