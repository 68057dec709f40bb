#include "support/fake_tool_bar.h"

#include <gtest/gtest.h>

namespace scribbit {

bool FakeToolBar::Valid(std::size_t index) const {
    if (index < buttons_.size()) return true;
    ADD_FAILURE() << "toolbar has no position " << index << " (0-based; " << buttons_.size() << " positions)";
    return false;
}

void FakeToolBar::Clear() {
    ++clearCalls;
    if (log_) log_->Add("toolbar.Clear");
    buttons_.clear();
}

void FakeToolBar::Append(const ToolBarEntry& entry) {
    if (log_) log_->Add("toolbar.Append");
    buttons_.push_back(Button{entry, false, {}});
}

ToolBarEntry FakeToolBar::Entry(std::size_t index) const {
    return Valid(index) ? buttons_[index].entry : ToolBarEntry{};
}

void FakeToolBar::SetPressed(std::size_t index, bool pressed) {
    if (log_) log_->Add(pressed ? "toolbar.SetPressed(true)" : "toolbar.SetPressed(false)");
    if (Valid(index)) buttons_[index].pressed = pressed;
}

bool FakeToolBar::IsPressed(std::size_t index) const {
    return Valid(index) && buttons_[index].pressed;
}

void FakeToolBar::SetMenuEntries(std::size_t index, const std::vector<std::u16string>& entries) {
    if (log_) log_->Add("toolbar.SetMenuEntries");
    if (Valid(index)) buttons_[index].menu = entries;
}

void FakeToolBar::SetVisible(bool visible) {
    if (log_) log_->Add(visible ? "toolbar.SetVisible(true)" : "toolbar.SetVisible(false)");
    visible_ = visible;
}

std::vector<ToolBarEntry> FakeToolBar::Entries() const {
    std::vector<ToolBarEntry> entries;
    for (const Button& button : buttons_) entries.push_back(button.entry);
    return entries;
}

std::vector<std::u16string> FakeToolBar::MenuEntries(std::size_t index) const {
    return Valid(index) ? buttons_[index].menu : std::vector<std::u16string>{};
}

}  // namespace scribbit
