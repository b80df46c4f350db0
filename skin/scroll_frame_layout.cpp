#include "skin/scroll_frame_layout.h"

#include <algorithm>

namespace ventrio {

ScrollFrameLayout LayoutScrollFrame(const ScrollFrameInput& in) {
    const int w = in.partSize;
    const int barsLeft = in.vertical && in.leftBars ? w : 0;
    const int right = in.vertical && !in.leftBars ? w : 0;
    const int bottom = in.horizontal ? w : 0;

    ScrollFrameLayout layout;
    layout.limiter = {barsLeft, 0, std::max(barsLeft, in.width - right),
                      std::max(0, in.height - bottom)};

    // The window's client area matches the limiter; its own bars hang over the limiter's edge
    // (shifted out to the left when they sit on that side) where the limiter clips them away.
    const int ownVertical = in.vertical ? in.ownBarWidth : 0;
    const int ownHorizontal = in.horizontal ? in.ownBarHeight : 0;
    const int shift = in.vertical && in.leftBars ? ownVertical : 0;
    layout.window = {-shift, 0, layout.limiter.Width() + ownVertical - shift,
                     layout.limiter.Height() + ownHorizontal};

    if (in.vertical) {
        const int x = in.leftBars ? 0 : in.width - w;
        layout.verticalBar = {x, 0, x + w, layout.limiter.bottom};
    }
    if (in.horizontal) {
        layout.horizontalBar = {layout.limiter.left, in.height - w, layout.limiter.right,
                                in.height};
    }
    if (in.vertical && in.horizontal) {
        layout.cornerMode = in.leftBars ? CornerMode::Left : CornerMode::Right;
        layout.corner = {layout.verticalBar.left, in.height - w, layout.verticalBar.right,
                         in.height};
        layout.cornerSourceTop = in.leftBars ? w : 0;
    }
    return layout;
}

}  // namespace ventrio
