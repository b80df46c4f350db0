// A rectangle in client pixels: left, top, right, bottom, the way Win32 gives them.
#pragma once

namespace ventrio {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const PixelRect&) const = default;
};

}  // namespace ventrio
