// The model behind the owner-drawn popup menus: the texts by item id and the measured sizes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ventrio {

// The texts of a menu's items in the order they were appended. Ids are the values the menu
// measuring and drawing requests carry: a command id, or a sub-menu's handle for popup items.
class CMenuItemList {
  public:
    void Add(uintptr_t id, std::string text);
    // The text of the first item with this id; nullptr when there is none.
    const std::string* Find(uintptr_t id) const;
    size_t Count() const { return m_items.size(); }

  private:
    struct Item {
        std::string text;
        uintptr_t id;
    };
    std::vector<Item> m_items;
};

struct MenuItemSize {
    int width = 0;
    int height = 0;
};

// Sizes of the items of one menu. A separator (id 0) is 5 pixels high, every other item two more
// than the item height; every item takes the menu's item width.
struct MenuMeasure {
    static constexpr int kSeparatorHeight = 5;

    int itemHeight = 18;
    int itemWidth = 0;
    int totalHeight = 0;

    // Measures one item and adds its height to the total.
    MenuItemSize Measure(uintptr_t id);
    // The top of an item's text, centred in the item height.
    int TextTop(int itemTop, int textHeight) const {
        return itemTop + (itemHeight - textHeight) / 2;
    }
};

}  // namespace ventrio
