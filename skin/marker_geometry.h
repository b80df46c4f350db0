// The arithmetic of the slider markers: which value a point means, which value a setter keeps and
// how much of the track the fill covers.
#pragma once

#include "skin/pixel_rect.h"

namespace ventrio {

enum class MarkerOrientation { Horizontal, Vertical };

// Left, top, right, bottom in the owner's client coordinates.
using MarkerRect = PixelRect;

struct MarkerRange {
    int minimum = 0;
    int maximum = 10;

    int Clamp(int value) const;
};

// The value under a point given in the owner's coordinates: horizontal markers grow to the
// right, vertical ones upwards; the result lies inside the range. A marker without extent in its
// direction gives the minimum.
int MarkerValueAt(MarkerOrientation orientation, const MarkerRect& rect, const MarkerRange& range,
                  int x, int y);

// What a direct setter keeps: the value when it lies in the range, otherwise the minimum.
int MarkerSetValue(const MarkerRange& range, int value);

// Pixels of the fill along `extent`. The divisor is maximum - minimum - 1, so the fill is complete
// one step before the maximum; the result is kept within 0 to extent. A range too small for that
// divisor shows a full fill above the minimum and none at it.
int MarkerFill(int extent, int value, const MarkerRange& range);

}  // namespace ventrio
