// The rules behind the bitmap button and the owner-drawn menu.
#include <gtest/gtest.h>

#include "skin/bitmap_button_rules.h"
#include "skin/menu_items.h"

namespace ventrio {
namespace {

TEST(SkinButton, ImageChoiceFollowsModeAndState) {
    using L = ButtonLook;
    struct Case {
        ButtonStateFlags state;
        L expected;
    };
    ButtonStateFlags toggleChecked;
    toggleChecked.toggleMode = toggleChecked.checked = toggleChecked.hover = true;
    ButtonStateFlags toggleHover;
    toggleHover.toggleMode = toggleHover.hover = true;  // a toggle has no hover look
    ButtonStateFlags toggleDisabled;
    toggleDisabled.toggleMode = toggleDisabled.disabled = true;
    ButtonStateFlags toggleCheckedDisabled = toggleDisabled;
    toggleCheckedDisabled.checked = true;  // checked wins in toggle mode
    ButtonStateFlags hover;
    hover.hover = true;
    ButtonStateFlags pressed = hover;
    pressed.pressed = true;
    ButtonStateFlags checked;
    checked.checked = true;
    ButtonStateFlags disabledHover = hover;
    disabledHover.disabled = true;
    ButtonStateFlags inactiveHover = hover;
    inactiveHover.parentActive = false;
    ButtonStateFlags inactiveHoverPlain = inactiveHover;
    inactiveHoverPlain.showStatesWhileInactive = false;
    ButtonStateFlags inactiveDisabledPlain = inactiveHoverPlain;
    inactiveDisabledPlain.disabled = true;

    const Case cases[] = {
        {{}, L::Normal},
        {toggleChecked, L::Pressed},
        {toggleHover, L::Normal},
        {toggleDisabled, L::Disabled},
        {toggleCheckedDisabled, L::Pressed},
        {hover, L::Hover},
        {pressed, L::Pressed},
        {checked, L::Pressed},
        {disabledHover, L::Disabled},
        {inactiveHover, L::Hover},
        {inactiveHoverPlain, L::Normal},
        {inactiveDisabledPlain, L::Disabled},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(ChooseButtonImage(cases[i].state), cases[i].expected) << "case " << i;
    }
}

TEST(SkinButton, TextColourPrefersHoverThenDisabledThenPressed) {
    ButtonStateFlags state;
    EXPECT_EQ(ChooseButtonTextColour(state), ButtonLook::Normal);
    state.checked = true;
    EXPECT_EQ(ChooseButtonTextColour(state), ButtonLook::Pressed);
    state.disabled = true;
    EXPECT_EQ(ChooseButtonTextColour(state), ButtonLook::Disabled);
    state.hover = true;
    EXPECT_EQ(ChooseButtonTextColour(state), ButtonLook::Hover);
}

TEST(SkinButton, CaptionLayoutByAlignmentIndentAndLines) {
    struct Case {
        int alignment, indent;
        bool multiLine;
        CaptionAlign align;
        int inset;
        bool wrap, clip;
    };
    const Case cases[] = {
        {0, 0, false, CaptionAlign::Centre, 5, false, true},
        {0, 7, true, CaptionAlign::Centre, 5, true, true},  // indent only counts when left
        {1, 0, false, CaptionAlign::Left, 5, false, true},
        {1, 10, true, CaptionAlign::Left, 15, true, true},
        {2, 10, true, CaptionAlign::Right, 5, false, true},  // right never wraps
        {3, 0, false, CaptionAlign::RightUnclipped, 5, false, false},
        {-1, 0, true, CaptionAlign::RightUnclipped, 5, false, false},
    };
    for (const Case& c : cases) {
        const CaptionLayout layout = LayoutCaption(c.alignment, c.indent, c.multiLine);
        EXPECT_EQ(layout.align, c.align) << c.alignment;
        EXPECT_EQ(layout.leftInset, c.inset) << c.alignment;
        EXPECT_EQ(layout.wrap, c.wrap) << c.alignment;
        EXPECT_EQ(layout.clip, c.clip) << c.alignment;
    }
    EXPECT_FALSE(InHoverZone(50, 100));
    EXPECT_TRUE(InHoverZone(100, 100));
}

TEST(SkinMenu, ItemsMeasureTwentyPixelsAndSeparatorsFive) {
    MenuMeasure menu;
    menu.itemWidth = 120;
    for (uintptr_t id : {2001u, 2002u, 2003u, 2004u, 2005u}) {
        const MenuItemSize size = menu.Measure(id);
        EXPECT_EQ(size.width, 120);
        EXPECT_EQ(size.height, 20);
    }
    EXPECT_EQ(menu.totalHeight, 100);
    EXPECT_EQ(menu.Measure(0).height, 5);
    EXPECT_EQ(menu.totalHeight, 105);

    MenuMeasure tall;
    tall.itemHeight = 24;
    EXPECT_EQ(tall.Measure(7).height, 26);
    EXPECT_EQ(tall.TextTop(40, 14), 45);
    EXPECT_EQ(menu.TextTop(40, 14), 42);
}

TEST(SkinMenu, ItemTextsAreFoundByIdFirstMatchWinning) {
    CMenuItemList items;
    items.Add(1001, "www.example.com");
    items.Add(1003, "Version:1.0");
    items.Add(1003, "later duplicate");
    ASSERT_NE(items.Find(1003), nullptr);
    EXPECT_EQ(*items.Find(1003), "Version:1.0");
    EXPECT_EQ(items.Find(1002), nullptr);  // drawn as an empty label
    EXPECT_EQ(items.Count(), 3u);
}

}  // namespace
}  // namespace ventrio
