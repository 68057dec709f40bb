#include "support/fake_status_bar.h"

#include <gtest/gtest.h>

namespace scribbit {

FakeStatusBar::FakeStatusBar() {
    panels_[2] = u"0";
    panels_[5] = u"INS";
    panels_[6] = u"NUM";
    panels_[7] = u"CAPS";
}

bool FakeStatusBar::Valid(int panel) const {
    if (panel >= 1 && panel <= PanelCount) return true;
    ADD_FAILURE() << "status bar has no panel " << panel;
    return false;
}

void FakeStatusBar::SetPanelText(int panel, const std::u16string& text) {
    ++setPanelTextCalls;
    if (log_) log_->Add("status.SetPanelText(" + std::to_string(panel) + ")");
    if (Valid(panel)) panels_[static_cast<std::size_t>(panel - 1)] = text;
}

std::u16string FakeStatusBar::PanelText(int panel) const {
    return Valid(panel) ? panels_[static_cast<std::size_t>(panel - 1)] : std::u16string();
}

void FakeStatusBar::SetVisible(bool visible) {
    if (log_) log_->Add(visible ? "status.SetVisible(true)" : "status.SetVisible(false)");
    visible_ = visible;
}

}  // namespace scribbit
