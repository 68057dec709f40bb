// Check marks and enabled states of the menu items.
#pragma once

#include "platform/commands.h"

namespace scribbit {

class MenuState {
public:
    MenuState() = default;
    MenuState(const MenuState&) = delete;
    MenuState& operator=(const MenuState&) = delete;
    virtual ~MenuState() = default;

    virtual void SetChecked(MenuItem item, bool checked) = 0;
    virtual bool IsChecked(MenuItem item) const = 0;
    virtual void SetEnabled(MenuItem item, bool enabled) = 0;
    virtual bool IsEnabled(MenuItem item) const = 0;
};

}  // namespace scribbit
