// The arithmetic of the skinned scroll bar: where its parts lie, what a point hits, where a
// dragged thumb takes the position, what a held button repeats, and how the skin's cells are
// cut into a part. Lengths run along the bar; every part spans the bar's whole thickness.
#pragma once

#include <vector>

namespace ventrio {

// The codes equal the scroll request codes the bar sends for them.
enum class ScrollPart : int {
    None = -1,
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    Thumb = 5,
};

struct ScrollState {
    int minimum = 0;
    int maximum = 100;
    int page = 0;
    int position = 0;
    int trackPosition = -1;  // -1 while no thumb drag is in progress

    int Range() const { return maximum - minimum; }
    // The highest position a drag reaches: maximum - page + 1.
    int LastPosition() const { return maximum - page + 1; }
};

struct ScrollSpan {
    int begin = 0;
    int end = 0;

    int Length() const { return end - begin; }
    bool Contains(int at) const { return at >= begin && at < end; }
};

struct ScrollBarLayout {
    int length = 0;       // L
    int arrow = 0;        // a
    int track = 0;        // T
    int thumbOffset = 0;  // o, from the end of the up arrow
    int thumbLength = 0;  // t

    ScrollSpan Part(ScrollPart part) const;
};

// The layout the bar draws. `partSize` is the skin's part size w. While dragging the thumb
// follows the track position.
ScrollBarLayout LayoutScrollBar(int length, int partSize, const ScrollState& state);

// The part at a coordinate along the bar; None outside it. Unlike drawing, a thumb is kept when
// the range leaves nothing to scroll, so the track under it cannot be pressed.
ScrollPart HitTestScrollBar(int length, int partSize, const ScrollState& state, int at);

// The position a thumb drag reaches after the pointer moved `movement` pixels along the bar since
// the drag started at `dragStart`; always within minimum to maximum - page + 1.
int DraggedPosition(int length, int partSize, const ScrollState& state, int dragStart,
                    int movement);

enum class RepeatStep { Nothing, Send, Stop };

// What one auto-repeat tick does for a held part: arrows stop at their end (the up arrow at the
// minimum, the down arrow only at the maximum itself), the track stops once the thumb has come
// under the pointer, and nothing happens while the pointer is off the held part.
RepeatStep AutoRepeatStep(ScrollPart pressed, bool pointerOutside, ScrollPart underPointer,
                          const ScrollState& state);

// One copy along an axis: `length` source pixels from `source` go to `destination`.
struct SliceCopy {
    int destination = 0;
    int source = 0;
    int length = 0;
};

// Copies that fill `length` pixels by repeating `sourceLength` pixels from `source`, the last
// copy cut at the end.
std::vector<SliceCopy> TileCopies(int length, int source, int sourceLength);

// Three-slice drawing of a `sourceLength` image over `length` pixels: the first `edge` source
// pixels at the start, the last `edge` at the end, the middle of the source tiled between. A
// part shorter than both edges shares itself between them.
std::vector<SliceCopy> ThreeSliceCopies(int length, int sourceLength, int edge = 6);

}  // namespace ventrio
