// In-memory toolbar: the positions exactly as appended, pressed states, the
// drop-down menus, visibility and height.
#pragma once

#include <string>
#include <vector>

#include "platform/tool_bar.h"
#include "support/event_log.h"

namespace scribbit {

class FakeToolBar : public ToolBar {
public:
    // A 24-pixel bar at 15 twips per pixel plus its edges.
    static constexpr std::int32_t DefaultHeight = 390;

    void Clear() override;
    void Append(const ToolBarEntry& entry) override;
    std::size_t Count() const override { return buttons_.size(); }
    // A position outside the bar fails the test (0-based indexes here,
    // 1-based in the remembered positions: an easy slip).
    ToolBarEntry Entry(std::size_t index) const override;
    void SetPressed(std::size_t index, bool pressed) override;
    bool IsPressed(std::size_t index) const override;
    void SetMenuEntries(std::size_t index, const std::vector<std::u16string>& entries) override;

    void SetVisible(bool visible) override;
    bool IsVisible() const override { return visible_; }
    std::int32_t HeightTwips() const override { return height_; }

    // --- Test controls and inspection ---------------------------------------
    void SetHeight(std::int32_t twips) { height_ = twips; }
    void SetEventLog(EventLog* log) { log_ = log; }
    std::vector<ToolBarEntry> Entries() const;
    std::vector<std::u16string> MenuEntries(std::size_t index) const;
    int clearCalls = 0;

private:
    struct Button {
        ToolBarEntry entry;
        bool pressed = false;
        std::vector<std::u16string> menu;
    };
    bool Valid(std::size_t index) const;

    std::vector<Button> buttons_;
    bool visible_ = true;
    std::int32_t height_ = DefaultHeight;
    EventLog* log_ = nullptr;
};

}  // namespace scribbit
