// Popup menus in the skin's colours: CExMenu draws its own items, and the menu frame painter
// repaints the border of every popup menu window of the thread, whoever built the menu.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win/handles.h"
#include "skin/menu_items.h"

namespace ventrio {

// Appending this id makes a separator (it is the separator flag's value).
inline constexpr UINT_PTR kMenuSeparator = MF_SEPARATOR;

class CExMenu {
  public:
    // `font` is the owner's font for the item texts; nullptr keeps the context's current font.
    explicit CExMenu(HFONT font = nullptr);
    // Destroys the menu but not the sub-menus appended to it, which their own objects own.
    ~CExMenu();
    CExMenu(const CExMenu&) = delete;
    CExMenu& operator=(const CExMenu&) = delete;

    bool CreatePopupMenu();
    HMENU Handle() const { return m_menu.Get(); }

    // Appends an owner-drawn item. With a sub-menu the item opens it and its id is the
    // sub-menu's handle; kMenuSeparator appends a separator.
    bool AppendItem(UINT_PTR id, const std::string& text, HMENU subMenu = nullptr);

    void MeasureItem(MEASUREITEMSTRUCT& item);
    void DrawItem(const DRAWITEMSTRUCT& item);

    // The owner's menu measuring and drawing requests for items of any live CExMenu go to that
    // menu; false for items that are not ours.
    static bool RouteMeasureItem(MEASUREITEMSTRUCT& item);
    static bool RouteDrawItem(const DRAWITEMSTRUCT& item);

    int m_itemHeight = 18;
    int m_itemWidth = 0;  // set by the owner after filling the menu
    COLORREF m_normalBackground = 0x29296F;
    COLORREF m_selectedBackground = 0x20208F;
    COLORREF m_separatorColour = 0x29296F;
    COLORREF m_normalTextColour = 0xFFFFFF;
    COLORREF m_selectedTextColour = 0xFFFFFF;

    int ItemCount() const { return m_itemCount; }
    int TotalHeight() const { return m_totalHeight; }

  private:
    static CExMenu* FromItemData(ULONG_PTR data);

    HFONT m_font;
    ScopedMenu m_menu;
    CMenuItemList m_items;
    int m_itemCount = 0;
    int m_totalHeight = 0;
};

// Installs the thread's menu frame painter once per process; later calls do nothing. Returns
// whether it is installed.
bool InstallMenuFrameHook();
// Whether a popup menu window currently carries the frame painter.
bool MenuWindowHasFramePainter(HWND menuWindow);

}  // namespace ventrio
