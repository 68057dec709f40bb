// In-memory status bar: eight panels (1-based; another number fails the
// test, as the real bar would silently ignore it), visibility and height.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "platform/status_bar.h"

namespace scribbit {

class FakeStatusBar : public StatusBar {
public:
    void SetPanelText(int panel, const std::u16string& text) override {
        if (Valid(panel)) panels[static_cast<std::size_t>(panel - 1)] = text;
    }
    std::u16string PanelText(int panel) const override {
        return Valid(panel) ? panels[static_cast<std::size_t>(panel - 1)] : u"";
    }
    void SetVisible(bool on) override { visible = on; }
    bool IsVisible() const override { return visible; }
    std::int32_t HeightTwips() const override { return height; }

    std::array<std::u16string, 8> panels{u"", u"", u"0"};
    bool visible = true;
    std::int32_t height = 255;

private:
    static bool Valid(int panel) {
        if (panel >= 1 && panel <= 8) return true;
        ADD_FAILURE() << "the status bar has no panel " << panel;
        return false;
    }
};

}  // namespace scribbit
