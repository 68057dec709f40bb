// The commands that can stand on the toolbar, the image list's keys and the
// default toolbar, as data tables.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "platform/tool_bar.h"

namespace scribbit {

struct CatalogueEntry {
    std::u16string_view commandName;  // the button's key
    std::u16string_view listText;     // tooltip and list text ("..." when it opens a dialog)
    std::u16string_view imageKey;
};

// The 41 commands, in the order the customisation dialog offers them.
std::span<const CatalogueEntry> CommandCatalogue();
const CatalogueEntry* FindCatalogueEntry(std::u16string_view commandName);

// The 42 keys of imlToolbarIcons in image order; the image at 0-based
// position i of the toolbar bitmap has key ImageKeys()[i].
std::span<const std::u16string_view> ImageKeys();
// 0-based image index of a key, or -1 when the list has no such image.
int ImageIndex(std::u16string_view key);

inline constexpr std::u16string_view SeparatorText = u"(区切り)";
inline constexpr std::u16string_view PasteToolTip = u"貼り付け";
inline constexpr std::u16string_view AlwaysOnTopToolTip = u"常に手前に表示";

ToolBarEntry SeparatorEntry();
ToolBarEntry CommandEntry(const CatalogueEntry& entry, ButtonStyle style = ButtonStyle::Plain);
// The 26 positions of the first-run toolbar.
std::vector<ToolBarEntry> DefaultToolBarEntries();

}  // namespace scribbit
