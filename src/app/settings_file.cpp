#include "app/settings_file.h"

#include "core/setting_values.h"
#include "core/utf16.h"
#include "platform/main_frame.h"
#include "toolbar/toolbar_list.h"

namespace scribbit {
namespace {

// The blanks the profile reader trims around names and values.
bool IsProfileSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && IsProfileSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileSpace(text.back())) text.remove_suffix(1);
    return text;
}

char16_t FoldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c - u'A' + u'a');
    if (c >= u'Ａ' && c <= u'Ｚ') return static_cast<char16_t>(c - u'Ａ' + u'ａ');
    return c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

// Lines end at CR LF, CR or LF.
std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The longest prefix whose ANSI form fits in maxBytes, cut between
// characters rather than inside a double-byte character. Every character
// takes at least one byte, so at most maxBytes characters are measured.
std::u16string_view CutToAnsiBytes(std::u16string_view value, std::size_t maxBytes,
                                   const LocaleServices& locale) {
    std::size_t bytes = 0;
    std::size_t end = 0;
    while (end < value.size()) {
        const std::size_t units = IsHighSurrogate(value[end]) && end + 1 < value.size() ? 2 : 1;
        const std::size_t size = locale.ToAnsi(value.substr(end, units)).bytes.size();
        if (bytes + size > maxBytes) break;
        bytes += size;
        end += units;
    }
    return value.substr(0, end);
}

void AppendLine(std::u16string& out, std::u16string_view line) {
    out += line;
    out += u"\r\n";
}

}  // namespace

std::u16string ProgramFolder(std::u16string_view folder) {
    std::u16string result(folder);
    if (result.empty() || result.back() != u'\\') result += u'\\';
    return result;
}

SettingsFile::SettingsFile(std::u16string_view text, const LocaleServices& locale)
    : text_(text), locale_(&locale), lines_(SplitLines(text_)) {
    Section* current = nullptr;  // keys before the first section belong to none
    for (std::u16string_view raw : lines_) {
        std::u16string_view line = Trim(raw);
        if (line.empty()) continue;
        if (line.front() == u'[') {
            const std::size_t close = line.rfind(u']');
            if (close != std::u16string_view::npos) {
                sections_.push_back(Section{line.substr(1, close - 1), {}});
                current = &sections_.back();
                continue;
            }
        }
        if (!current) continue;
        const std::size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos) {
            // A bare name is a key without a value: it reads as empty.
            current->entries.push_back(Entry{line, {}});
        } else {
            current->entries.push_back(Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
        }
    }
}

std::u16string SettingsFile::ReadSetting(std::u16string_view section, std::u16string_view key) const {
    section = Trim(section);
    key = Trim(key);
    for (const Section& candidate : sections_) {
        if (!SameName(candidate.name, section)) continue;
        for (const Entry& entry : candidate.entries) {
            if (!SameName(entry.key, key)) continue;
            std::u16string_view value = entry.value;
            if (value.size() > 1 && (value.front() == u'"' || value.front() == u'\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            if (locale_->ToAnsi(value).bytes.size() > MaxValueBytes) {
                value = CutToAnsiBytes(value, MaxValueBytes, *locale_);
            }
            return std::u16string(value);
        }
        return {};  // only the first section of that name is searched
    }
    return {};
}

std::vector<std::u16string_view> SettingsFile::ToolBarLines() const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i] == u"[ToolBar]")
            return {lines_.begin() + static_cast<std::ptrdiff_t>(i) + 1, lines_.end()};
    }
    return {};
}

std::u16string SettingsText(const AppContext& context) {
    const Ports& ports = context.ports;
    // A minimised window's own placement is the icon's; keep the one the
    // user last saw instead.
    const Bounds placement = ports.frame.IsMinimized() ? context.LastActiveBounds : ports.frame.GetBounds();
    const EditView& editor = context.ActiveEditor();
    const FontSpec font = editor.Font();

    std::u16string out;
    AppendLine(out, u"[Setting]");
    AppendLine(out, u"Xpos=" + FormatInt32(placement.left));
    AppendLine(out, u"Ypos=" + FormatInt32(placement.top));
    AppendLine(out, u"Xsize=" + FormatInt32(placement.width));
    AppendLine(out, u"Ysize=" + FormatInt32(placement.height));
    AppendLine(out, u"StatusBar=" + FormatBoolean(context.view.statusBar));
    AppendLine(out, u"ToolBar=" + FormatBoolean(context.view.toolBar));
    AppendLine(out, u"CharCount=" + FormatBoolean(context.view.countCharacters));
    AppendLine(out, u"TurnRight=" + FormatBoolean(context.view.wordWrap));
    AppendLine(out, u"TabSpace=" + FormatInt32(context.TabSpace));
    AppendLine(out, u"MostFront=" + FormatBoolean(context.view.alwaysOnTop));
    AppendLine(out, u"");
    AppendLine(out, u"");
    AppendLine(out, u"[Font]");
    AppendLine(out, u"Bold=" + FormatBoolean(font.bold));
    AppendLine(out, u"Italic=" + FormatBoolean(font.italic));
    const bool storable = context.ports.locale.ToAnsi(font.name).firstUnrepresentable == NoPosition;
    AppendLine(out, u"Name=" + (storable ? font.name : context.storableFontName));
    AppendLine(out, u"Size=" + FormatFontSize(font.size));
    AppendLine(out, u"Strikethrough=" + FormatBoolean(font.strikethrough));
    AppendLine(out, u"Underline=" + FormatBoolean(font.underline));
    AppendLine(out, u"Color=" + FormatColor(editor.TextColor()));
    AppendLine(out, u"");
    AppendLine(out, u"");
    AppendLine(out, u"[ToolBar]");
    const std::size_t count = ports.tolToolBar.Count();
    for (std::size_t i = 0; i < count; ++i) AppendLine(out, FormatToolBarRecord(ports.tolToolBar.Entry(i)));
    return out;
}

std::optional<SystemError> WriteSettings(const AppContext& context) {
    const AnsiEncoding encoded = context.ports.locale.ToAnsi(SettingsText(context));
    return context.ports.files.WriteAllSafely(context.SettingsPath(), encoded.bytes);
}

}  // namespace scribbit
