// In-memory check marks and enabled states of every menu item, starting as
// the menu tree defines them. An item the tree does not have, or a
// separator, fails the test.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "app/menu_tree.h"
#include "platform/menu_state.h"

namespace scribbit {

class FakeMenuState : public MenuState {
public:
    FakeMenuState() {
        for (const MenuDef& def : MenuTree()) {
            for (std::size_t i = 0; i < def.items.size(); ++i)
                if (!def.items[i].IsSeparator())
                    items_[{def.menu, int(i)}] = {false, def.items[i].enabledAtStart};
        }
    }
    void SetChecked(MenuItem item, bool on) override { At(item).checked = on; }
    bool IsChecked(MenuItem item) const override { return At(item).checked; }
    void SetEnabled(MenuItem item, bool on) override { At(item).enabled = on; }
    bool IsEnabled(MenuItem item) const override { return At(item).enabled; }

private:
    struct State {
        bool checked = false, enabled = true;
    };
    State& At(MenuItem item) const {
        const auto found = items_.find({item.menu, item.index});
        if (found != items_.end()) return found->second;
        ADD_FAILURE() << "no menu item " << int(item.menu) << "," << item.index;
        static State none;
        return none = State{};
    }
    mutable std::map<std::pair<Menu, int>, State> items_;
};

}  // namespace scribbit
