// What a toolbar button does: the menu command of the same name, run
// through the menu's own handler, so a button and its menu item behave
// alike in every respect.
#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "core/view_state.h"
#include "platform/commands.h"

namespace scribbit {

// The menu item a button's key (its command name) stands for; nullopt for a
// key that names no command (a separator, a hand-edited key). The count
// button is the one toggle decided here: it picks the count unit that is
// not in use now.
std::optional<MenuItem> ToolBarCommandItem(std::u16string_view key, const ViewState& view);

// Runs menuClick with the item of the key, or does nothing.
void DispatchToolBarCommand(std::u16string_view key, const ViewState& view,
                            const std::function<void(MenuItem)>& menuClick);

}  // namespace scribbit
