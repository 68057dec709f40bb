// The main window's frame: placement, caption, window order, program end.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace scribbit {

// The heights and widths the frame spends outside the edit view, in twips:
// what the classic layout rule knew as fixed constants (690, 120, 255),
// measured on the real window so that the edit view meets the bars exactly.
struct FrameMetrics {
    std::int32_t nonClientHeight = 690;  // title bar, menu bar, borders
    std::int32_t nonClientWidth = 120;   // side borders
};

// A top-level window whose place among the other windows can be set: the
// main window, and a dialog that must stay above it.
class TopLevelWindow {
public:
    TopLevelWindow() = default;
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;
    virtual ~TopLevelWindow() = default;

    // Keeps the window above all normal windows (or not) and shows it.
    // Returns the system's result (non-zero on success).
    virtual std::int32_t SetTopMost(bool topMost) = 0;
};

class MainFrame : public TopLevelWindow {
public:

    // Left, Top, Width, Height in twips; a maximised window reports its
    // maximised placement.
    virtual Bounds GetBounds() const = 0;
    virtual void SetBounds(const Bounds& bounds) = 0;
    virtual bool IsMinimized() const = 0;
    // The screen's size in twips.
    virtual Size ScreenSize() const = 0;
    virtual FrameMetrics Metrics() const = 0;

    virtual void SetCaption(const std::u16string& caption) = 0;
    virtual std::u16string Caption() const = 0;

    virtual void SetIcon(int resourceId) = 0;
    virtual void Show() = 0;
    virtual void Focus() = 0;
    // Shows the arrow-with-hourglass pointer while a modal dialog opens.
    virtual void SetBusyPointer(bool busy) = 0;
    // The busy pointer over the program while a command that can take long
    // on a large document works (calls nest; each true has its false). A
    // dialog shown meanwhile gets the normal pointer. When the last one ends
    // the windows show the result first, then the pointer is what lies
    // under it.
    virtual void SetWorking(bool working) = 0;
    // Ends the program at once: every window goes without further prompts.
    virtual void Quit() = 0;
};

}  // namespace scribbit
