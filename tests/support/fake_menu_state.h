// In-memory check marks and enabled states of every menu item, starting as
// the menu tree defines them: nothing checked, enabled as its table says.
#pragma once

#include <map>
#include <utility>

#include "platform/menu_state.h"
#include "support/event_log.h"

namespace scribbit {

class FakeMenuState : public MenuState {
public:
    FakeMenuState();

    // An item that does not exist, or a separator, fails the test.
    void SetChecked(MenuItem item, bool checked) override;
    bool IsChecked(MenuItem item) const override;
    void SetEnabled(MenuItem item, bool enabled) override;
    bool IsEnabled(MenuItem item) const override;

    void SetEventLog(EventLog* log) { log_ = log; }

private:
    struct State {
        bool checked = false;
        bool enabled = true;
    };
    using Key = std::pair<int, int>;

    const State* Find(MenuItem item) const;
    State* Find(MenuItem item);

    std::map<Key, State> items_;
    EventLog* log_ = nullptr;
};

}  // namespace scribbit
