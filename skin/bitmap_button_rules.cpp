#include "skin/bitmap_button_rules.h"

namespace ventrio {

ButtonLook ChooseButtonImage(const ButtonStateFlags& state) {
    if (state.toggleMode) {
        if (state.checked) {
            return ButtonLook::Pressed;
        }
        return state.disabled ? ButtonLook::Disabled : ButtonLook::Normal;
    }
    ButtonLook look = ButtonLook::Normal;
    if (state.disabled) {
        look = ButtonLook::Disabled;
    } else if (state.checked || state.pressed) {
        look = ButtonLook::Pressed;
    } else if (state.hover) {
        look = ButtonLook::Hover;
    }
    if (!state.parentActive && !state.showStatesWhileInactive) {
        look = ButtonLook::Normal;
    }
    if (state.disabled) {
        look = ButtonLook::Disabled;
    }
    return look;
}

ButtonLook ChooseButtonTextColour(const ButtonStateFlags& state) {
    if (state.hover) {
        return ButtonLook::Hover;
    }
    if (state.disabled) {
        return ButtonLook::Disabled;
    }
    if (state.pressed || state.checked) {
        return ButtonLook::Pressed;
    }
    return ButtonLook::Normal;
}

CaptionAlign CaptionAlignFromValue(int alignment) {
    switch (alignment) {
        case 0:
            return CaptionAlign::Centre;
        case 1:
            return CaptionAlign::Left;
        case 2:
            return CaptionAlign::Right;
        default:
            return CaptionAlign::RightUnclipped;
    }
}

CaptionLayout LayoutCaption(int alignment, int indent, bool multiLine) {
    CaptionLayout layout;
    layout.align = CaptionAlignFromValue(alignment);
    if (layout.align == CaptionAlign::Left && indent >= 1) {
        layout.leftInset += indent;
    }
    layout.wrap =
        multiLine && (layout.align == CaptionAlign::Centre || layout.align == CaptionAlign::Left);
    layout.clip = layout.align != CaptionAlign::RightUnclipped;
    return layout;
}

}  // namespace ventrio
