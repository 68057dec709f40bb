// The toolbar's positions as built at start-up and as stored in the
// settings file's [ToolBar] section.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_context.h"
#include "platform/tool_bar.h"

namespace scribbit {

// One stored position: Key,Style,Image,ToolTipText with "0" for no image.
std::u16string FormatToolBarRecord(const ToolBarEntry& entry);

// A stored line back into a position. Hand-edited lines are taken when they
// still hold four fields (blanks around a field and a pair of quotes
// enclosing it are dropped) and a style the toolbar knows; nullopt otherwise.
std::optional<ToolBarEntry> ParseToolBarRecord(std::u16string_view line);

// Appends one position. The paste and the always-on-top buttons are told
// by their tooltips: their 1-based positions are remembered, and the
// always-on-top button is shown pressed while that option is on. A toolbar
// too long for the 16-bit positions leaves them as they were.
void AppendToolBarPosition(AppContext& context, const ToolBarEntry& entry);

// Fills the toolbar with the first-run positions and remembers where the
// paste button stands.
void BuildDefaultToolBar(AppContext& context);

// Replaces the toolbar's positions by the stored lines (those after the
// "[ToolBar]" line), skipping lines that do not parse. Sets
// PasteButtonIndex and AlwaysOnTopButtonIndex (1-based positions) from the
// tooltips, and presses the always-on-top button when that option is on.
void LoadToolBarFromSettings(AppContext& context, const std::vector<std::u16string_view>& lines);

}  // namespace scribbit
