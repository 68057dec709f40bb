#include "view/layout.h"

#include <algorithm>

namespace scribbit {

void LayoutEditor(AppContext& context) {
    const Ports& ports = context.ports;
    if (ports.frame.IsMinimized()) return;

    const std::int32_t statusHeight = context.view.statusBar ? ports.sttSTATUS.HeightTwips() : 0;
    const std::int32_t toolBarHeight = context.view.toolBar ? ports.tolToolBar.HeightTwips() : 0;
    const std::int32_t bars = statusHeight + toolBarHeight;
    const FrameMetrics metrics = ports.frame.Metrics();

    Bounds window = ports.frame.GetBounds();
    const std::int32_t minimumHeight = bars + metrics.nonClientHeight;
    if (window.height < minimumHeight) {
        window.height = minimumHeight;
        ports.frame.SetBounds(window);
        return;
    }
    // There is no minimum width: a window narrower than its borders gives
    // the edit view no width rather than a negative one.
    context.ActiveEditor().Move(Bounds{0, toolBarHeight, std::max(0, window.width - metrics.nonClientWidth),
                                       window.height - minimumHeight});
}

}  // namespace scribbit
