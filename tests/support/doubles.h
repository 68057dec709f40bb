// The in-memory state doubles of the ports: each keeps what the program set
// and answers from it. Their fields are the test's to set and read; a panel,
// toolbar position or menu item that does not exist throws, failing the test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/menu_tree.h"
#include "core/app_context.h"
#include "core/decimal.h"

namespace scribbit {

// Plain text or nothing; busy while another program holds it open.
struct FakeClipboard : Clipboard {
    std::optional<std::u16string> GetText() override { return busy ? std::nullopt : contents; }
    bool SetText(const std::u16string& text) override {
        ++sets;
        if (!busy) contents = text;
        return !busy;
    }
    bool IsAvailable() override { return !busy; }

    std::optional<std::u16string> contents;
    bool busy = false;
    int sets = 0;
};

// The multi-line edit control as the contract holds both to behave: CR LF
// line breaks, clamped selections, one undo step (the next undo is its
// redo), a capacity, no NUL in the text, a locked state that refuses the
// user but not the program, and a change notification.
class FakeEditView : public EditView {
public:
    explicit FakeEditView(FakeClipboard& clipboard) : clipboard_(clipboard) {}

    std::u16string Text() const override { return text_; }
    std::size_t TextLength() const override { return text_.size(); }
    SetTextResult SetText(const std::u16string& text) override {
        const std::size_t fits = std::min(capacity, text.find(u'\0'));
        if (fits < text.size() && !keepsPart) return SetTextResult::TooLarge;
        text_ = text.substr(0, fits);
        start_ = length_ = 0;
        undo_.reset();
        Changed();
        return fits < text.size() ? SetTextResult::TooLarge : SetTextResult::Ok;
    }
    std::size_t SelStart() const override { return start_; }
    std::size_t SelLength() const override { return length_; }
    void SetSel(std::size_t start, std::size_t length) override {
        start_ = std::min(start, text_.size());
        length_ = std::min(length, text_.size() - start_);
    }
    std::u16string SelText() const override { return text_.substr(start_, length_); }
    bool ReplaceSel(const std::u16string& text) override {
        if (text.find(u'\0') != text.npos || text.size() > Room()) return false;
        Replace(text);
        return true;
    }
    bool CanUndo() const override { return undo_.has_value(); }
    void Undo() override {
        if (!undo_ || locked_) return;
        const Step step = *undo_;
        SetSel(step.at, step.inserted);
        Replace(step.removed);
        SetSel(step.at, step.removed.size());  // the restored text comes back selected
    }
    // The logic puts text on the clipboard itself, never through the view.
    void Cut() override { ADD_FAILURE() << "the view was asked to cut"; }
    void Copy() override { ADD_FAILURE() << "the view was asked to copy"; }
    void Paste() override {  // what still fits
        const auto clip = clipboard_.GetText();
        if (!locked_ && clip) Replace(clip->substr(0, Room()));
    }
    void Clear() override {
        if (!locked_) Replace(u"");
    }
    void SetLocked(bool locked) override { locked_ = locked; }
    bool IsLocked() const override { return locked_; }
    FontSpec Font() const override { return font_; }
    void SetFont(const FontSpec& font) override { font_ = font; }
    Color TextColor() const override { return color_; }
    void SetTextColor(Color color) override { color_ = color; }
    bool IsVisible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }
    void Move(const Bounds& bounds) override { placement_ = bounds; }
    Bounds Placement() const override { return placement_; }

    // The user typing over the selection; refused while locked.
    bool Type(const std::u16string& text) { return !locked_ && ReplaceSel(text); }

    std::size_t capacity = SIZE_MAX;  // units; SetText of more is TooLarge
    bool keepsPart = false;           // SetText keeps what fits of a too large text
    int changes = 0;
    std::function<void()> onChange;

private:
    struct Step {
        std::size_t at, inserted;
        std::u16string removed;
    };
    std::size_t Room() const { return capacity - (text_.size() - length_); }
    void Changed() {
        ++changes;
        if (onChange) onChange();
    }
    void Replace(const std::u16string& text) {  // one undo step, unless nothing changes
        if (length_ == 0 && text.empty()) return;
        undo_ = Step{start_, text.size(), SelText()};
        text_.replace(start_, length_, text);
        start_ += text.size();
        length_ = 0;
        Changed();
    }

    FakeClipboard& clipboard_;
    std::u16string text_;
    std::size_t start_ = 0, length_ = 0;
    std::optional<Step> undo_;
    bool locked_ = false, visible_ = true;
    FontSpec font_;
    Color color_ = WindowTextColor;
    Bounds placement_;
};

// The main window: a new size raises the resize notification, as the real
// window does; placing bounds directly is the user moving it. Ending the
// program twice fails the test.
struct FakeMainFrame : MainFrame {
    Bounds GetBounds() const override { return bounds; }
    void SetBounds(const Bounds& next) override {
        const bool resized = next.width != bounds.width || next.height != bounds.height;
        bounds = next;
        if (resized && !quit && onResize) onResize();
    }
    bool IsMinimized() const override { return minimized; }
    Size ScreenSize() const override { return {15360, 11520}; }  // 1024 x 768 pixels
    FrameMetrics Metrics() const override { return {}; }
    void SetCaption(const std::u16string& text) override { caption = text; }
    std::u16string Caption() const override { return caption; }
    std::int32_t SetTopMost(bool on) override {
        topMost = on;
        shown = true;  // the window-order change shows the window
        return 1;
    }
    void SetIcon(int resourceId) override { icon = resourceId; }
    void Show() override { shown = true; }
    void Focus() override { ++focusCalls; }
    void SetBusyPointer(bool on) override { busy = on; }
    void SetWorking(bool) override {}
    void Quit() override {
        if (quit) ADD_FAILURE() << "the program was ended twice";
        if (onQuit) onQuit();
        quit = true;
        shown = false;
    }

    Bounds bounds;
    bool minimized = false;
    std::u16string caption = AppTitle;
    bool topMost = false, shown = false, quit = false, busy = false;
    int icon = 0, focusCalls = 0;
    std::function<void()> onResize, onQuit;
};

struct FakeStatusBar : StatusBar {
    void SetPanelText(int panel, const std::u16string& text) override {
        panels.at(std::size_t(panel - 1)) = text;
    }
    std::u16string PanelText(int panel) const override { return panels.at(std::size_t(panel - 1)); }
    void SetVisible(bool on) override { visible = on; }
    bool IsVisible() const override { return visible; }
    std::int32_t HeightTwips() const override { return height; }

    std::array<std::u16string, 8> panels{u"", u"", u"0"};
    bool visible = true;
    std::int32_t height = 255;
};

// Check marks and enabled states, starting as the menu tree defines them.
struct FakeMenuState : MenuState {
    FakeMenuState() {
        for (const MenuDef& def : MenuTree())
            for (std::size_t i = 0; i < def.items.size(); ++i)
                if (!def.items[i].IsSeparator())
                    items[{def.menu, int(i)}] = {false, def.items[i].enabledAtStart};
    }
    void SetChecked(MenuItem item, bool on) override { At(item).first = on; }
    bool IsChecked(MenuItem item) const override { return At(item).first; }
    void SetEnabled(MenuItem item, bool on) override { At(item).second = on; }
    bool IsEnabled(MenuItem item) const override { return At(item).second; }

    std::pair<bool, bool>& At(MenuItem item) const { return items.at({item.menu, item.index}); }
    mutable std::map<std::pair<Menu, int>, std::pair<bool, bool>> items;  // checked, enabled
};

inline void PrintTo(const ToolBarEntry& entry, std::ostream* out) {
    *out << testing::PrintToString(entry.key + u"," + Decimal(std::uint64_t(entry.style)) + u"," +
                                   entry.image + u"," + entry.toolTipText);
}

struct FakeToolBar : ToolBar {
    struct Button {
        ToolBarEntry entry;
        bool pressed = false;
        std::vector<std::u16string> menu;
    };
    void Clear() override { buttons.clear(); }
    void Append(const ToolBarEntry& entry) override { buttons.push_back({entry, false, {}}); }
    std::size_t Count() const override { return buttons.size(); }
    ToolBarEntry Entry(std::size_t index) const override { return buttons.at(index).entry; }
    void SetPressed(std::size_t index, bool on) override { buttons.at(index).pressed = on; }
    bool IsPressed(std::size_t index) const override { return buttons.at(index).pressed; }
    void SetMenuEntries(std::size_t index, const std::vector<std::u16string>& entries) override {
        buttons.at(index).menu = entries;
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
    std::int32_t height = 390;
};

// Files as byte strings by path, and the failures a test scripts per path.
// The system's rules for names, folders and locks are the file-system
// contract's: here a locked file or a folder is a scripted failure.
struct FakeFileSystem : FileSystem {
    bool FileExists(const std::u16string& path) const override { return disk.contains(path); }
    ReadResult ReadAll(const std::u16string& path, bool createIfMissing) override {
        if (failures.contains(path)) return {false, {}, Error(failures[path])};
        if (!disk.contains(path) && !createIfMissing) return {false, {}, Error(2)};  // not found
        return {true, disk[path], {}};
    }
    std::optional<SystemError> WriteAllSafely(const std::u16string& path, const std::string& bytes) override {
        if (failures.contains(path) || writeFailures.contains(path))
            return Error(failures.contains(path) ? failures[path] : writeFailures[path]);
        disk[path] = bytes;
        return std::nullopt;
    }
    static SystemError Error(std::uint32_t code) {
        return {code, u"system error " + Decimal(code), AppTitle};
    }

    std::map<std::u16string, std::string> disk;
    std::map<std::u16string, std::uint32_t> failures, writeFailures;  // reads and writes; writes only
};

}  // namespace scribbit
