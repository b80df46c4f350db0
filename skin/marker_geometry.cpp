#include "skin/marker_geometry.h"

#include <algorithm>
#include <climits>

namespace ventrio {

int MarkerRange::Clamp(int value) const {
    return std::clamp(value, minimum, std::max(minimum, maximum));
}

int MarkerValueAt(MarkerOrientation orientation, const MarkerRect& rect, const MarkerRange& range,
                  int x, int y) {
    const long long span = static_cast<long long>(range.maximum) - range.minimum;
    long long value = range.minimum;
    if (orientation == MarkerOrientation::Horizontal) {
        if (rect.Width() != 0) {
            const int along = std::max(x, rect.left) - rect.left;
            value += span * along / rect.Width();
        }
    } else if (rect.Height() != 0) {
        const int along = rect.bottom - std::min(y, rect.bottom);
        value += span * along / rect.Height();
    }
    return range.Clamp(static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)));
}

int MarkerSetValue(const MarkerRange& range, int value) {
    return value >= range.minimum && value <= range.maximum ? value : range.minimum;
}

int MarkerFill(int extent, int value, const MarkerRange& range) {
    const long long divisor = static_cast<long long>(range.maximum) - range.minimum - 1;
    long long fill = 0;
    if (divisor > 0) {
        fill = static_cast<long long>(extent) * (static_cast<long long>(value) - range.minimum) /
               divisor;
    } else {
        fill = value > range.minimum ? extent : 0;
    }
    return static_cast<int>(std::clamp<long long>(fill, 0, std::max(extent, 0)));
}

}  // namespace ventrio
