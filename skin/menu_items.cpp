#include "skin/menu_items.h"

namespace ventrio {

void CMenuItemList::Add(uintptr_t id, std::string text) {
    m_items.push_back({std::move(text), id});
}

const std::string* CMenuItemList::Find(uintptr_t id) const {
    for (const Item& item : m_items) {
        if (item.id == id) {
            return &item.text;
        }
    }
    return nullptr;
}

MenuItemSize MenuMeasure::Measure(uintptr_t id) {
    const MenuItemSize size{itemWidth, id == 0 ? kSeparatorHeight : itemHeight + 2};
    totalHeight += size.height;
    return size;
}

}  // namespace ventrio
