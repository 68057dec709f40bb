#include "toolbar/toolbar_list.h"

#include <limits>

#include "core/setting_values.h"
#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

constexpr std::u16string_view NoImage = u"0";

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view CleanField(std::u16string_view field) {
    while (!field.empty() && IsBlank(field.front())) field.remove_prefix(1);
    while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
    if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"') {
        field = field.substr(1, field.size() - 2);
    }
    return field;
}

bool IsKnownStyle(std::int32_t style) {
    for (ButtonStyle known :
         {ButtonStyle::Plain, ButtonStyle::Check, ButtonStyle::Separator, ButtonStyle::DropDown}) {
        if (style == static_cast<std::int32_t>(known)) return true;
    }
    return false;
}

// The 1-based position of the button just appended, as the remembered
// indexes hold it; a toolbar too long for them leaves them alone.
std::optional<std::int16_t> LastPosition(const ToolBar& toolBar) {
    const std::size_t count = toolBar.Count();
    if (count == 0 || count > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(count);
}

}  // namespace

std::u16string FormatToolBarRecord(const ToolBarEntry& entry) {
    std::u16string record = entry.key;
    record += u',';
    record += FormatInt32(entry.style);
    record += u',';
    record += entry.image.empty() ? std::u16string(NoImage) : entry.image;
    record += u',';
    record += entry.toolTipText;
    return record;
}

std::optional<ToolBarEntry> ParseToolBarRecord(std::u16string_view line) {
    std::u16string_view fields[4];
    std::size_t count = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != u',') continue;
        if (count == 4) return std::nullopt;  // a fifth field: a comma inside a field
        fields[count++] = CleanField(line.substr(start, i - start));
        start = i + 1;
    }
    if (count != 4) return std::nullopt;
    const std::optional<std::int32_t> style = ReadWholeInt32Setting(fields[1]);
    if (!style || !IsKnownStyle(*style)) return std::nullopt;
    ToolBarEntry entry;
    entry.key = fields[0];
    entry.style = static_cast<std::int16_t>(*style);
    if (fields[2] != NoImage) entry.image = fields[2];
    entry.toolTipText = fields[3];
    return entry;
}

void AppendToolBarPosition(AppContext& context, const ToolBarEntry& entry) {
    ToolBar& toolBar = context.ports.tolToolBar;
    toolBar.Append(entry);
    const std::optional<std::int16_t> position = LastPosition(toolBar);
    if (!position) return;
    if (entry.toolTipText == PasteToolTip) {
        context.PasteButtonIndex = *position;
    } else if (entry.toolTipText == AlwaysOnTopToolTip) {
        context.AlwaysOnTopButtonIndex = *position;
        if (context.view.alwaysOnTop) {
            toolBar.SetPressed(static_cast<std::size_t>(*position) - 1, true);
        }
    }
}

void BuildDefaultToolBar(AppContext& context) {
    context.ports.tolToolBar.Clear();
    for (const ToolBarEntry& entry : DefaultToolBarEntries()) AppendToolBarPosition(context, entry);
}

void LoadToolBarFromSettings(AppContext& context, const std::vector<std::u16string_view>& lines) {
    context.ports.tolToolBar.Clear();
    for (std::u16string_view line : lines) {
        if (const std::optional<ToolBarEntry> entry = ParseToolBarRecord(line))
            AppendToolBarPosition(context, *entry);
    }
}

}  // namespace scribbit
