// Where the skinned scroll frame puts its pieces: the limiter that clips the wrapped window, the
// window inside it (large enough that its own scroll bars lie outside the limiter), the skinned
// bars and the corner square.
#pragma once

#include "skin/pixel_rect.h"

namespace ventrio {

enum class CornerMode { None = 0, Left = 1, Right = 2 };

struct ScrollFrameInput {
    int width = 0;  // the frame's client size
    int height = 0;
    int partSize = 0;         // the skin's part size w, the skinned bars' thickness
    bool vertical = false;    // the wrapped window has a vertical scroll bar
    bool horizontal = false;  // ... and a horizontal one
    bool leftBars = false;    // its vertical bar sits on the left
    int ownBarWidth = 0;      // the width of the window's own vertical bar
    int ownBarHeight = 0;     // the height of its own horizontal bar
};

struct ScrollFrameLayout {
    PixelRect limiter;        // frame coordinates
    PixelRect window;         // limiter coordinates
    PixelRect verticalBar;    // frame coordinates; empty when hidden
    PixelRect horizontalBar;  // frame coordinates; empty when hidden
    PixelRect corner;         // frame coordinates; empty unless both bars show
    CornerMode cornerMode = CornerMode::None;
    int cornerSourceTop = 0;  // the row of the corner cell the square is taken from
};

ScrollFrameLayout LayoutScrollFrame(const ScrollFrameInput& input);

}  // namespace ventrio
