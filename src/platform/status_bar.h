// The status bar with its eight panels (numbered from 1).
#pragma once

#include <cstdint>
#include <string>

namespace scribbit {

class StatusBar {
public:
    StatusBar() = default;
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;
    virtual ~StatusBar() = default;

    virtual void SetPanelText(int panel, const std::u16string& text) = 0;
    virtual std::u16string PanelText(int panel) const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    // The bar's real height in twips.
    virtual std::int32_t HeightTwips() const = 0;
};

}  // namespace scribbit
