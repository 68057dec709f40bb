// In-memory toolbar: the positions exactly as appended (0-based; a position
// outside the bar fails the test), pressed states, drop-down menus,
// visibility and height.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/tool_bar.h"

namespace scribbit {

class FakeToolBar : public ToolBar {
public:
    struct Button {
        ToolBarEntry entry;
        bool pressed = false;
        std::vector<std::u16string> menu;
    };

    void Clear() override { buttons.clear(); }
    void Append(const ToolBarEntry& entry) override { buttons.push_back(Button{entry, false, {}}); }
    std::size_t Count() const override { return buttons.size(); }
    ToolBarEntry Entry(std::size_t index) const override { return At(index).entry; }
    void SetPressed(std::size_t index, bool on) override { At(index).pressed = on; }
    bool IsPressed(std::size_t index) const override { return At(index).pressed; }
    void SetMenuEntries(std::size_t index, const std::vector<std::u16string>& entries) override {
        At(index).menu = entries;
    }
    void SetVisible(bool on) override { visible = on; }
    bool IsVisible() const override { return visible; }
    std::int32_t HeightTwips() const override { return height; }

    std::vector<ToolBarEntry> Entries() const {
        std::vector<ToolBarEntry> entries;
        for (const Button& button : buttons) entries.push_back(button.entry);
        return entries;
    }

    std::vector<Button> buttons;
    bool visible = true;
    std::int32_t height = 390;  // 24 pixels and the edges

private:
    Button& At(std::size_t index) const {
        if (index < buttons.size()) return const_cast<Button&>(buttons[index]);
        ADD_FAILURE() << "the toolbar has no position " << index << " (0-based)";
        static Button none;
        return none = Button{};
    }
};

}  // namespace scribbit
