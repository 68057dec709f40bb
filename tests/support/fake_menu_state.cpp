#include "support/fake_menu_state.h"

#include <gtest/gtest.h>

#include <string>

#include "app/menu_tree.h"

namespace scribbit {
namespace {

std::string Name(MenuItem item) {
    return std::to_string(static_cast<int>(item.menu)) + "," + std::to_string(item.index);
}

}  // namespace

FakeMenuState::FakeMenuState() {
    for (const MenuDef& def : MenuTree()) {
        for (std::size_t i = 0; i < def.items.size(); ++i) {
            if (def.items[i].IsSeparator()) continue;
            items_[{static_cast<int>(def.menu), static_cast<int>(i)}] =
                State{false, def.items[i].enabledAtStart};
        }
    }
}

const FakeMenuState::State* FakeMenuState::Find(MenuItem item) const {
    const auto it = items_.find({static_cast<int>(item.menu), item.index});
    if (it != items_.end()) return &it->second;
    ADD_FAILURE() << "no menu item " << Name(item);
    return nullptr;
}

FakeMenuState::State* FakeMenuState::Find(MenuItem item) {
    return const_cast<State*>(static_cast<const FakeMenuState*>(this)->Find(item));
}

void FakeMenuState::SetChecked(MenuItem item, bool checked) {
    if (log_) log_->Add("menus.SetChecked(" + Name(item) + (checked ? ",true)" : ",false)"));
    if (State* state = Find(item)) state->checked = checked;
}

bool FakeMenuState::IsChecked(MenuItem item) const {
    const State* state = Find(item);
    return state && state->checked;
}

void FakeMenuState::SetEnabled(MenuItem item, bool enabled) {
    if (log_) log_->Add("menus.SetEnabled(" + Name(item) + (enabled ? ",true)" : ",false)"));
    if (State* state = Find(item)) state->enabled = enabled;
}

bool FakeMenuState::IsEnabled(MenuItem item) const {
    const State* state = Find(item);
    return state && state->enabled;
}

}  // namespace scribbit
