#include "skin/scroll_bar_geometry.h"

#include <algorithm>

namespace ventrio {
namespace {

constexpr int kMinimumThumb = 12;

struct Lengths {
    int arrow;
    int track;
};

Lengths ArrowsAndTrack(int length, int partSize) {
    const int rest = length - 2 * partSize;
    return {rest > 0 ? partSize : length / 2, std::max(rest, 0)};
}

int ThumbLength(int track, const ScrollState& state, bool forHitTest) {
    const long long spread = static_cast<long long>(state.Range()) + 1;
    long long thumb = spread > 0 ? static_cast<long long>(state.page) * track / spread : track;
    thumb = std::max<long long>(thumb, kMinimumThumb);
    const bool nothingToScroll = state.Range() - state.page + 1 == 0;
    if (track < kMinimumThumb || (!forHitTest && nothingToScroll)) {
        return 0;
    }
    return static_cast<int>(std::clamp<long long>(thumb, 0, track));
}

int ThumbOffset(int track, int thumb, const ScrollState& state) {
    const int free = track - thumb;
    const long long scrollable = static_cast<long long>(state.Range()) - state.page + 1;
    if (scrollable <= 0) {
        return free / 2;
    }
    const int at = state.trackPosition >= 0 ? state.trackPosition : state.position;
    const long long offset = (static_cast<long long>(at) - state.minimum) * free / scrollable;
    return static_cast<int>(std::clamp<long long>(offset, 0, free));
}

ScrollBarLayout Layout(int length, int partSize, const ScrollState& state, bool forHitTest) {
    const Lengths lengths = ArrowsAndTrack(std::max(length, 0), partSize);
    ScrollBarLayout layout;
    layout.length = std::max(length, 0);
    layout.arrow = lengths.arrow;
    layout.track = lengths.track;
    layout.thumbLength = ThumbLength(lengths.track, state, forHitTest);
    layout.thumbOffset = ThumbOffset(lengths.track, layout.thumbLength, state);
    return layout;
}

}  // namespace

ScrollSpan ScrollBarLayout::Part(ScrollPart part) const {
    const int thumbBegin = arrow + thumbOffset;
    const int thumbEnd = thumbBegin + thumbLength;
    switch (part) {
        case ScrollPart::LineUp:
            return {0, arrow};
        case ScrollPart::PageUp:
            return {arrow, thumbBegin};
        case ScrollPart::Thumb:
            return {thumbBegin, thumbEnd};
        case ScrollPart::PageDown:
            return {thumbEnd, length - arrow};
        case ScrollPart::LineDown:
            return {length - arrow, length};
        case ScrollPart::None:
            break;
    }
    return {};
}

ScrollBarLayout LayoutScrollBar(int length, int partSize, const ScrollState& state) {
    return Layout(length, partSize, state, false);
}

ScrollPart HitTestScrollBar(int length, int partSize, const ScrollState& state, int at) {
    const ScrollBarLayout layout = Layout(length, partSize, state, true);
    if (at < 0 || at >= layout.length) {
        return ScrollPart::None;
    }
    for (ScrollPart part : {ScrollPart::LineUp, ScrollPart::PageUp, ScrollPart::Thumb,
                            ScrollPart::PageDown, ScrollPart::LineDown}) {
        if (layout.Part(part).Contains(at)) {
            return part;
        }
    }
    return ScrollPart::None;
}

int DraggedPosition(int length, int partSize, const ScrollState& state, int dragStart,
                    int movement) {
    const Lengths lengths = ArrowsAndTrack(std::max(length, 0), partSize);
    const int thumb = ThumbLength(lengths.track, state, true);
    const long long free = static_cast<long long>(length) - 2 * partSize - thumb;
    const long long scrollable = static_cast<long long>(state.Range()) - state.page + 1;
    long long position = dragStart;
    if (free > 0) {
        position += movement * scrollable / free;
    }
    const long long last = std::max<long long>(state.LastPosition(), state.minimum);
    return static_cast<int>(std::clamp<long long>(position, state.minimum, last));
}

RepeatStep AutoRepeatStep(ScrollPart pressed, bool pointerOutside, ScrollPart underPointer,
                          const ScrollState& state) {
    if (pressed == ScrollPart::None || pointerOutside) {
        return RepeatStep::Nothing;
    }
    switch (pressed) {
        case ScrollPart::LineUp:
            return state.position == state.minimum ? RepeatStep::Stop : RepeatStep::Send;
        case ScrollPart::LineDown:
            return state.position == state.maximum ? RepeatStep::Stop : RepeatStep::Send;
        case ScrollPart::PageUp:
        case ScrollPart::PageDown:
            return underPointer == ScrollPart::Thumb ? RepeatStep::Stop : RepeatStep::Send;
        case ScrollPart::Thumb:
        case ScrollPart::None:
            break;
    }
    return RepeatStep::Nothing;
}

std::vector<SliceCopy> TileCopies(int length, int source, int sourceLength) {
    std::vector<SliceCopy> copies;
    if (sourceLength <= 0) {
        return copies;
    }
    for (int at = 0; at < length; at += sourceLength) {
        copies.push_back({at, source, std::min(sourceLength, length - at)});
    }
    return copies;
}

std::vector<SliceCopy> ThreeSliceCopies(int length, int sourceLength, int edge) {
    std::vector<SliceCopy> copies;
    if (length <= 0 || sourceLength <= 0) {
        return copies;
    }
    edge = std::min(edge, sourceLength / 2);
    const int head = std::min(edge, (length + 1) / 2);
    const int tail = std::min(edge, length - head);
    if (head > 0) {
        copies.push_back({0, 0, head});
    }
    int middleSource = edge;
    int middleLength = sourceLength - 2 * edge;
    if (middleLength <= 0) {
        middleSource = 0;
        middleLength = sourceLength;
    }
    for (const SliceCopy& tile : TileCopies(length - head - tail, middleSource, middleLength)) {
        copies.push_back({head + tile.destination, tile.source, tile.length});
    }
    if (tail > 0) {
        copies.push_back({length - tail, sourceLength - tail, tail});
    }
    return copies;
}

}  // namespace ventrio
