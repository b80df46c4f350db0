// What a bitmap button shows: which of its four images, which text colour, and how its caption
// is laid out. The window asks; the rules are here.
#pragma once

namespace ventrio {

enum class ButtonLook { Normal, Hover, Pressed, Disabled };

struct ButtonStateFlags {
    bool toggleMode = false;
    bool checked = false;
    bool pressed = false;  // the system's pressed state while the left button is down
    bool disabled = false;
    bool hover = false;
    bool parentActive = true;  // the button's parent is the active window
    bool showStatesWhileInactive = true;
};

// The image a button draws in a state.
ButtonLook ChooseButtonImage(const ButtonStateFlags& state);

// The colour its caption takes: hover first, then disabled, then pressed or checked.
ButtonLook ChooseButtonTextColour(const ButtonStateFlags& state);

enum class CaptionAlign { Centre, Left, Right, RightUnclipped };

// Alignment values 0 centred, 1 left, 2 right; any other value right without clipping.
CaptionAlign CaptionAlignFromValue(int alignment);

struct CaptionLayout {
    CaptionAlign align = CaptionAlign::Left;
    int leftInset = 5;  // the text starts this far right of the client rectangle's left edge
    bool wrap = false;  // several word-wrapped lines instead of one with an end ellipsis
    bool clip = true;
};

// Multi-line captions wrap only when centred or left-aligned; the indent counts only for left
// alignment and only from 1 up.
CaptionLayout LayoutCaption(int alignment, int indent, bool multiLine);

// The pointer shows the hover look only from the hover start onwards.
inline bool InHoverZone(int x, int hoverStart) {
    return x >= hoverStart;
}

}  // namespace ventrio
