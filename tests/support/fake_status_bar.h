// In-memory status bar with its eight panels (1-based), the texts the real
// bar starts with, its visibility and height.
#pragma once

#include <array>
#include <string>

#include "platform/status_bar.h"
#include "support/event_log.h"

namespace scribbit {

class FakeStatusBar : public StatusBar {
public:
    static constexpr int PanelCount = 8;
    // The classic bar height the layout rule was designed for.
    static constexpr std::int32_t DefaultHeight = 255;

    FakeStatusBar();

    // Panels outside 1..8 fail the test: the real bar ignores them, which
    // hides an off-by-one in the caller.
    void SetPanelText(int panel, const std::u16string& text) override;
    std::u16string PanelText(int panel) const override;
    void SetVisible(bool visible) override;
    bool IsVisible() const override { return visible_; }
    std::int32_t HeightTwips() const override { return height_; }

    void SetHeight(std::int32_t twips) { height_ = twips; }
    void SetEventLog(EventLog* log) { log_ = log; }
    int setPanelTextCalls = 0;

private:
    bool Valid(int panel) const;

    std::array<std::u16string, PanelCount> panels_;
    bool visible_ = true;
    std::int32_t height_ = DefaultHeight;
    EventLog* log_ = nullptr;
};

}  // namespace scribbit
