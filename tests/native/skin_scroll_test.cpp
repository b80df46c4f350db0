#include <gtest/gtest.h>

#include "skin/scroll_bar_geometry.h"
#include "skin/scroll_frame_layout.h"

namespace ventrio {
namespace {

constexpr int kW = 13;  // the part size of the program's scroll-bar skin

// The settings container's bar: 563 pixels long, scrolling 1000 pixels a page of 100 at a time.
ScrollState Container(int position) {
    return ScrollState{0, 999, 100, position, -1};
}

struct Spans {
    ScrollSpan up, pageUp, thumb, pageDown, down;
};

Spans SpansOf(const ScrollBarLayout& layout) {
    return {layout.Part(ScrollPart::LineUp), layout.Part(ScrollPart::PageUp),
            layout.Part(ScrollPart::Thumb), layout.Part(ScrollPart::PageDown),
            layout.Part(ScrollPart::LineDown)};
}

void ExpectSpan(ScrollSpan span, int begin, int end, const char* what) {
    EXPECT_EQ(span.begin, begin) << what;
    EXPECT_EQ(span.end, end) << what;
}

TEST(SkinScrollBar, PartsFollowTheTrackAndThumbArithmetic) {
    // T = 537, t = 100 * 537 / 1000 = 53, free 484, o = position * 484 / 900.
    struct Case {
        ScrollState state;
        int thumbBegin, thumbEnd;
    };
    const Case cases[] = {
        {Container(0), 13, 66},
        {Container(450), 255, 308},
        {Container(900), 497, 550},
        {Container(5000), 497, 550},                   // beyond the end: kept on the track
        {ScrollState{0, 999, 100, 0, 450}, 255, 308},  // a drag shows the track position
        {ScrollState{0, 999, 1, 0, -1}, 13, 25},       // raised to 12 pixels
    };
    for (const Case& c : cases) {
        const Spans s = SpansOf(LayoutScrollBar(563, kW, c.state));
        ExpectSpan(s.up, 0, 13, "up arrow");
        ExpectSpan(s.pageUp, 13, c.thumbBegin, "page up");
        ExpectSpan(s.thumb, c.thumbBegin, c.thumbEnd, "thumb");
        ExpectSpan(s.pageDown, c.thumbEnd, 550, "page down");
        ExpectSpan(s.down, 550, 563, "down arrow");
    }
}

TEST(SkinScrollBar, ShortBarsAndEmptyRangesDrawNoThumb) {
    // Too short for two arrows: two half-length arrows, no track.
    const Spans tiny = SpansOf(LayoutScrollBar(20, kW, Container(0)));
    ExpectSpan(tiny.up, 0, 10, "up");
    ExpectSpan(tiny.down, 10, 20, "down");
    EXPECT_EQ(tiny.thumb.Length(), 0);
    EXPECT_EQ(tiny.pageUp.Length() + tiny.pageDown.Length(), 0);

    // An 11-pixel track has no thumb.
    EXPECT_EQ(LayoutScrollBar(37, kW, Container(0)).thumbLength, 0);

    // Nothing to scroll (maximum - page + 1 = 0): no thumb drawn, parted in the middle.
    const ScrollBarLayout still = LayoutScrollBar(563, kW, ScrollState{0, 99, 100, 0, -1});
    EXPECT_EQ(still.thumbLength, 0);
    EXPECT_EQ(still.thumbOffset, 537 / 2);

    // A page larger than the range cannot make the thumb longer than its track.
    const ScrollBarLayout huge = LayoutScrollBar(563, kW, ScrollState{0, 49, 100, 0, -1});
    EXPECT_EQ(huge.thumbLength, 537);
    EXPECT_EQ(huge.thumbOffset, 0);
}

TEST(SkinScrollBar, HitTestingFindsEachPart) {
    struct Case {
        int length;
        ScrollState state;
        int at;
        ScrollPart expected;
    };
    const Case cases[] = {
        {563, Container(450), -1, ScrollPart::None},
        {563, Container(450), 0, ScrollPart::LineUp},
        {563, Container(450), 12, ScrollPart::LineUp},
        {563, Container(450), 13, ScrollPart::PageUp},
        {563, Container(450), 254, ScrollPart::PageUp},
        {563, Container(450), 255, ScrollPart::Thumb},
        {563, Container(450), 307, ScrollPart::Thumb},
        {563, Container(450), 308, ScrollPart::PageDown},
        {563, Container(450), 549, ScrollPart::PageDown},
        {563, Container(450), 550, ScrollPart::LineDown},
        {563, Container(450), 562, ScrollPart::LineDown},
        {563, Container(450), 563, ScrollPart::None},
        {20, Container(0), 9, ScrollPart::LineUp},
        {20, Container(0), 10, ScrollPart::LineDown},
        // Nothing to scroll: drawing shows no thumb, but the thumb still covers the track.
        {563, ScrollState{0, 99, 100, 0, -1}, 300, ScrollPart::Thumb},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitTestScrollBar(c.length, kW, c.state, c.at), c.expected)
            << "length " << c.length << " at " << c.at;
    }
}

TEST(SkinScrollBar, DraggingScalesTheMovementAndStopsAtTheEnds) {
    // Free length 563 - 26 - 53 = 484 for 900 positions.
    struct Case {
        ScrollState state;
        int start, movement, expected;
    };
    const Case cases[] = {
        {Container(0), 0, 242, 450},
        {Container(0), 450, -1, 449},   // -1.86 truncates towards zero
        {Container(0), 0, 10000, 900},  // maximum - page + 1
        {Container(0), 450, -10000, 0},
        {ScrollState{100, 1099, 100, 100, -1}, 100, 10000, 1000},  // a range not starting at 0
        {ScrollState{100, 1099, 100, 100, -1}, 100, -5, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DraggedPosition(563, kW, c.state, c.start, c.movement), c.expected)
            << "start " << c.start << " movement " << c.movement;
    }
    // No free length to drag over: the thumb stays.
    EXPECT_EQ(DraggedPosition(20, kW, Container(0), 30, 50), 30);
}

TEST(SkinScrollBar, AutoRepeatStopsAtTheEndsAndUnderTheThumb) {
    using P = ScrollPart;
    using R = RepeatStep;
    struct Case {
        P pressed;
        bool outside;
        P under;
        int position;
        R expected;
    };
    const Case cases[] = {
        {P::None, false, P::None, 10, R::Nothing},
        {P::LineUp, true, P::PageUp, 10, R::Nothing},  // pointer left the arrow
        {P::LineUp, false, P::LineUp, 10, R::Send},
        {P::LineUp, false, P::LineUp, 0, R::Stop},
        {P::LineDown, false, P::LineDown, 10, R::Send},
        {P::LineDown, false, P::LineDown, 900, R::Send},  // only the maximum itself stops it
        {P::LineDown, false, P::LineDown, 999, R::Stop},
        {P::PageDown, false, P::PageDown, 10, R::Send},
        {P::PageDown, false, P::Thumb, 10, R::Stop},
        {P::PageUp, false, P::Thumb, 10, R::Stop},
        {P::PageUp, true, P::PageUp, 10, R::Nothing},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AutoRepeatStep(c.pressed, c.outside, c.under, Container(c.position)), c.expected)
            << static_cast<int>(c.pressed) << " at " << c.position;
    }
}

TEST(SkinScrollBar, ThumbsAreDrawnInThreeSlicesAndTracksTiled) {
    const std::vector<SliceCopy> tiles = TileCopies(30, 0, 13);
    ASSERT_EQ(tiles.size(), 3u);
    EXPECT_EQ(tiles[2].destination, 26);
    EXPECT_EQ(tiles[2].length, 4);

    // A 53-pixel thumb from a 13-pixel square: 6 + 41 x 1 + 6.
    const std::vector<SliceCopy> thumb = ThreeSliceCopies(53, 13);
    ASSERT_EQ(thumb.size(), 43u);
    EXPECT_EQ(thumb.front().source, 0);
    EXPECT_EQ(thumb.front().length, 6);
    EXPECT_EQ(thumb[1].source, 6);
    EXPECT_EQ(thumb[1].length, 1);
    EXPECT_EQ(thumb.back().destination, 47);
    EXPECT_EQ(thumb.back().source, 7);
    EXPECT_EQ(thumb.back().length, 6);
    int covered = 0;
    for (const SliceCopy& copy : thumb) {
        EXPECT_EQ(copy.destination, covered);
        covered += copy.length;
    }
    EXPECT_EQ(covered, 53);

    // Shorter than both edges: the two ends share it.
    const std::vector<SliceCopy> short8 = ThreeSliceCopies(8, 13);
    ASSERT_EQ(short8.size(), 2u);
    EXPECT_EQ(short8[1].destination, 4);
    EXPECT_EQ(short8[1].source, 9);
    EXPECT_TRUE(ThreeSliceCopies(0, 13).empty());
}

TEST(SkinScrollFrame, BarsAndCornerSitBesideTheLimiter) {
    ScrollFrameInput in{260, 561, kW, true, false, false, 17, 17};
    ScrollFrameLayout layout = LayoutScrollFrame(in);
    EXPECT_EQ(layout.limiter, (PixelRect{0, 0, 247, 561}));
    EXPECT_EQ(layout.window, (PixelRect{0, 0, 264, 561}));  // its own bar lies beyond 247
    EXPECT_EQ(layout.verticalBar, (PixelRect{247, 0, 260, 561}));
    EXPECT_TRUE(layout.horizontalBar.Empty());
    EXPECT_EQ(layout.cornerMode, CornerMode::None);

    in.horizontal = true;
    layout = LayoutScrollFrame(in);
    EXPECT_EQ(layout.limiter, (PixelRect{0, 0, 247, 548}));
    EXPECT_EQ(layout.window, (PixelRect{0, 0, 264, 565}));
    EXPECT_EQ(layout.horizontalBar, (PixelRect{0, 548, 247, 561}));
    EXPECT_EQ(layout.verticalBar, (PixelRect{247, 0, 260, 548}));
    EXPECT_EQ(layout.corner, (PixelRect{247, 548, 260, 561}));
    EXPECT_EQ(layout.cornerMode, CornerMode::Right);
    EXPECT_EQ(layout.cornerSourceTop, 0);

    in.leftBars = true;
    layout = LayoutScrollFrame(in);
    EXPECT_EQ(layout.limiter, (PixelRect{13, 0, 260, 548}));
    EXPECT_EQ(layout.window, (PixelRect{-17, 0, 247, 565}));  // its own bar shifted out left
    EXPECT_EQ(layout.verticalBar, (PixelRect{0, 0, 13, 548}));
    EXPECT_EQ(layout.horizontalBar, (PixelRect{13, 548, 260, 561}));
    EXPECT_EQ(layout.corner, (PixelRect{0, 548, 13, 561}));
    EXPECT_EQ(layout.cornerMode, CornerMode::Left);
    EXPECT_EQ(layout.cornerSourceTop, 13);

    const ScrollFrameLayout bare = LayoutScrollFrame({260, 561, kW, false, false, false, 17, 17});
    EXPECT_EQ(bare.limiter, (PixelRect{0, 0, 260, 561}));
    EXPECT_EQ(bare.window, bare.limiter);
}

}  // namespace
}  // namespace ventrio
