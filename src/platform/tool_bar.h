// The toolbar control: an ordered list of positions drawn from the image list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace scribbit {

// Button styles as stored in the settings file.
enum class ButtonStyle : std::int16_t {
    Plain = 0,
    Check = 1,
    Separator = 3,
    DropDown = 5,
};

// One toolbar position. A separator has an empty key and no image (stored
// as the image key "0").
struct ToolBarEntry {
    std::u16string key;
    std::int16_t style = 0;
    std::u16string image;  // image key, empty for none
    std::u16string toolTipText;
    friend bool operator==(const ToolBarEntry&, const ToolBarEntry&) = default;
};

class ToolBar {
public:
    ToolBar() = default;
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;
    virtual ~ToolBar() = default;

    virtual void Clear() = 0;
    virtual void Append(const ToolBarEntry& entry) = 0;
    virtual std::size_t Count() const = 0;
    virtual ToolBarEntry Entry(std::size_t index) const = 0;  // 0-based
    virtual void SetPressed(std::size_t index, bool pressed) = 0;
    virtual bool IsPressed(std::size_t index) const = 0;
    // Entries of a drop-down button's menu.
    virtual void SetMenuEntries(std::size_t index, const std::vector<std::u16string>& entries) = 0;

    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() const = 0;
    // The bar's real height in twips.
    virtual std::int32_t HeightTwips() const = 0;
};

}  // namespace scribbit
