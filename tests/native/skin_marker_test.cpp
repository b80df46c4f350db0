#include <gtest/gtest.h>

#include "skin/marker_geometry.h"

namespace ventrio {
namespace {

TEST(SkinMarker, PointsMapToValuesAndClampToTheRange) {
    // A DPI stage slider: range 1 to 216 on a 170-pixel vertical marker at (50, 30).
    const MarkerRect dpi{50, 30, 60, 200};
    const MarkerRange dpiRange{1, 216};
    // The X axis slider: range 1 to 11 on a 208-pixel horizontal marker.
    const MarkerRect axis{37, 235, 245, 244};
    const MarkerRange axisRange{1, 11};
    struct Case {
        MarkerOrientation orientation;
        MarkerRect rect;
        MarkerRange range;
        int x, y, expected;
    };
    const Case cases[] = {
        {MarkerOrientation::Vertical, dpi, dpiRange, 55, 30, 216},   // top edge
        {MarkerOrientation::Vertical, dpi, dpiRange, 55, 200, 1},    // bottom edge
        {MarkerOrientation::Vertical, dpi, dpiRange, 55, -40, 216},  // above: clamped
        {MarkerOrientation::Vertical, dpi, dpiRange, 55, 400, 1},    // below: clamped
        {MarkerOrientation::Vertical, dpi, dpiRange, 55, 115, 108},  // 1 + 215 * 85 / 170
        {MarkerOrientation::Horizontal, axis, axisRange, 37, 240, 1},
        {MarkerOrientation::Horizontal, axis, axisRange, 245, 240, 11},
        {MarkerOrientation::Horizontal, axis, axisRange, 141, 240, 6},  // 1 + 10 * 104 / 208
        {MarkerOrientation::Horizontal, axis, axisRange, 160, 240, 6},  // 1 + 10 * 123 / 208
        {MarkerOrientation::Horizontal, axis, axisRange, -5, 240, 1},
        {MarkerOrientation::Horizontal, axis, axisRange, 900, 240, 11},
        // A marker with no extent in its direction cannot divide by it.
        {MarkerOrientation::Horizontal, {10, 0, 10, 9}, axisRange, 12, 5, 1},
        {MarkerOrientation::Vertical, {0, 10, 9, 10}, axisRange, 5, 2, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkerValueAt(c.orientation, c.rect, c.range, c.x, c.y), c.expected)
            << "point " << c.x << "," << c.y;
    }
}

TEST(SkinMarker, FillIsCompleteOneStepBeforeTheMaximum) {
    struct Case {
        int extent;
        MarkerRange range;
        int value, expected;
    };
    const Case cases[] = {
        {170, {1, 216}, 1, 0},
        {170, {1, 216}, 108, 85},   // 170 * 107 / 214
        {170, {1, 216}, 215, 170},  // already full
        {170, {1, 216}, 216, 170},  // 170.8: clipped to the track
        {208, {1, 11}, 6, 115},     // 208 * 5 / 9
        {208, {1, 11}, 10, 208},
        {208, {1, 11}, 11, 208},
        {208, {1, 11}, 0, 0},  // below the range: no negative fill
        {128, {1, 6}, 3, 64},  // the lighting sliders: 128 * 2 / 4
        // Ranges too small for the divisor: empty at the minimum, full above it.
        {50, {0, 1}, 0, 0},
        {50, {0, 1}, 1, 50},
        {50, {4, 4}, 4, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkerFill(c.extent, c.value, c.range), c.expected)
            << c.range.minimum << ".." << c.range.maximum << " value " << c.value;
    }
}

TEST(SkinMarker, SetPosKeepsValuesInTheRangeAndShowsTheMinimumOtherwise) {
    const MarkerRange range{1, 11};
    EXPECT_EQ(MarkerSetValue(range, 1), 1);
    EXPECT_EQ(MarkerSetValue(range, 7), 7);
    EXPECT_EQ(MarkerSetValue(range, 11), 11);
    EXPECT_EQ(MarkerSetValue(range, 0), 1);
    EXPECT_EQ(MarkerSetValue(range, 12), 1);
    EXPECT_EQ(MarkerSetValue(range, 255), 1);
}

}  // namespace
}  // namespace ventrio
