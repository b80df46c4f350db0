#include "skin/win/ex_menu.h"

#include <unordered_map>
#include <unordered_set>

#include "platform/win/wide_text.h"

namespace ventrio {
namespace {

constexpr wchar_t kOldProcProperty[] = L"CoolMenu_oldProc";
constexpr UINT kMenuInternalMessage = 0x1E2;  // sent to popup menu windows as they are sized
constexpr COLORREF kFrameOuter = 0x20208F;
constexpr COLORREF kFrameInner = 0x29296F;

std::unordered_set<CExMenu*>& LiveMenus() {
    static std::unordered_set<CExMenu*> menus;
    return menus;
}

// The previous window procedure of every popup menu window the painter subclassed.
std::unordered_map<HWND, WNDPROC>& MenuWindows() {
    static std::unordered_map<HWND, WNDPROC> windows;
    return windows;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    ScopedBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}

void PaintMenuFrame(HWND window, HDC dc) {
    RECT rect{};
    GetWindowRect(window, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    const COLORREF colours[] = {kFrameOuter, kFrameInner, kFrameInner};
    for (COLORREF colour : colours) {
        ScopedBrush brush(CreateSolidBrush(colour));
        FrameRect(dc, &rect, brush.Get());
        InflateRect(&rect, -1, -1);
    }
}

void Unsubclass(HWND window, WNDPROC previous) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(window, kOldProcProperty);
    MenuWindows().erase(window);
}

LRESULT CALLBACK MenuWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = MenuWindows().find(window);
    const WNDPROC previous = found != MenuWindows().end()
                                 ? found->second
                                 : reinterpret_cast<WNDPROC>(GetPropW(window, kOldProcProperty));
    if (previous == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_NCPAINT:
            if (found != MenuWindows().end()) {
                HDC frame = GetWindowDC(window);
                PaintMenuFrame(window, frame);
                ReleaseDC(window, frame);
                return 0;
            }
            break;
        case WM_PAINT: {
            // Some platforms paint a menu's border together with its items; the skin's frame
            // goes back over it.
            const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
            if (found != MenuWindows().end()) {
                HDC frame = GetWindowDC(window);
                PaintMenuFrame(window, frame);
                ReleaseDC(window, frame);
            }
            return result;
        }
        case WM_PRINT: {
            const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
            PaintMenuFrame(window, reinterpret_cast<HDC>(wParam));
            return result;
        }
        case WM_SHOWWINDOW:
            if (wParam == 0) {
                Unsubclass(window, previous);
            }
            break;
        case WM_NCDESTROY:
            Unsubclass(window, previous);
            break;
        default:
            break;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

bool IsPopupMenuWindow(HWND window) {
    wchar_t name[16] = {};
    return GetClassNameW(window, name, 16) > 0 && wcscmp(name, L"#32768") == 0;
}

LRESULT CALLBACK MenuFrameHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if ((call->message == WM_CREATE || call->message == kMenuInternalMessage) &&
            IsPopupMenuWindow(call->hwnd) && !MenuWindows().contains(call->hwnd)) {
            HWND window = call->hwnd;
            const auto previous =
                reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
            SetPropW(window, kOldProcProperty, reinterpret_cast<HANDLE>(previous));
            if (SetWindowLongPtrW(window, GWLP_WNDPROC,
                                  reinterpret_cast<LONG_PTR>(&MenuWindowProcedure)) != 0) {
                MenuWindows().emplace(window, previous);
            } else {
                RemovePropW(window, kOldProcProperty);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

CExMenu::CExMenu(HFONT font) : m_font(font) {
    LiveMenus().insert(this);
}

CExMenu::~CExMenu() {
    LiveMenus().erase(this);
    // Destroying a menu destroys its sub-menus too; they belong to their own CExMenu objects, so
    // they are taken out first.
    if (m_menu) {
        for (int i = GetMenuItemCount(m_menu.Get()) - 1; i >= 0; --i) {
            if (GetSubMenu(m_menu.Get(), i) != nullptr) {
                RemoveMenu(m_menu.Get(), static_cast<UINT>(i), MF_BYPOSITION);
            }
        }
    }
}

bool CExMenu::CreatePopupMenu() {
    m_menu.Reset(::CreatePopupMenu());
    m_items = CMenuItemList();
    m_itemCount = 0;
    m_totalHeight = 0;
    return static_cast<bool>(m_menu);
}

bool CExMenu::AppendItem(UINT_PTR id, const std::string& text, HMENU subMenu) {
    if (!m_menu) {
        return false;
    }
    // The item data leads the owner's measuring and drawing requests back to this menu.
    const auto data = reinterpret_cast<LPCWSTR>(this);
    BOOL appended = FALSE;
    UINT_PTR itemId = id;
    if (subMenu != nullptr) {
        itemId = reinterpret_cast<UINT_PTR>(subMenu);
        appended = AppendMenuW(m_menu.Get(), MF_OWNERDRAW | MF_POPUP, itemId, data);
    } else if (id == kMenuSeparator) {
        itemId = 0;
        appended = AppendMenuW(m_menu.Get(), MF_OWNERDRAW | MF_SEPARATOR, 0, data);
    } else {
        appended = AppendMenuW(m_menu.Get(), MF_OWNERDRAW, id, data);
    }
    if (!appended) {
        return false;
    }
    // Measuring and drawing requests carry the id as a 32-bit value.
    m_items.Add(static_cast<UINT>(itemId), text);
    ++m_itemCount;
    return true;
}

void CExMenu::MeasureItem(MEASUREITEMSTRUCT& item) {
    MenuMeasure measure{m_itemHeight, m_itemWidth, m_totalHeight};
    const MenuItemSize size = measure.Measure(item.itemID);
    m_totalHeight = measure.totalHeight;
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
}

void CExMenu::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    if (item.itemID == 0) {
        FillSolid(dc, rect, m_normalBackground);
        ScopedPen pen(CreatePen(PS_SOLID, 1, m_separatorColour));
        SelectGuard selectPen(dc, pen.Get());
        const int middle = rect.top + (rect.bottom - rect.top) / 2;
        MoveToEx(dc, rect.left, middle, nullptr);
        LineTo(dc, rect.right, middle);
    } else {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillSolid(dc, rect, selected ? m_selectedBackground : m_normalBackground);
        DcStateGuard state(dc);
        SetTextColor(dc, selected ? m_selectedTextColour : m_normalTextColour);
        SetBkMode(dc, TRANSPARENT);
        if (m_font != nullptr) {
            SelectObject(dc, m_font);
        }
        const std::string* text = m_items.Find(item.itemID);
        const std::wstring wide = text != nullptr ? Widen(*text) : std::wstring();
        SIZE extent{};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        const MenuMeasure measure{m_itemHeight, m_itemWidth, 0};
        TextOutW(dc, rect.left + 2, measure.TextTop(rect.top, extent.cy), wide.c_str(),
                 static_cast<int>(wide.size()));
    }
    // The system draws nothing more over the item: no check mark, no sub-menu arrow.
    ExcludeClipRect(dc, rect.left, rect.top, rect.right, rect.bottom);
}

CExMenu* CExMenu::FromItemData(ULONG_PTR data) {
    auto* menu = reinterpret_cast<CExMenu*>(data);
    return LiveMenus().contains(menu) ? menu : nullptr;
}

bool CExMenu::RouteMeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) {
        return false;
    }
    CExMenu* menu = FromItemData(item.itemData);
    if (menu != nullptr) {
        menu->MeasureItem(item);
    }
    return menu != nullptr;
}

bool CExMenu::RouteDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) {
        return false;
    }
    CExMenu* menu = FromItemData(item.itemData);
    if (menu != nullptr) {
        menu->DrawItem(item);
    }
    return menu != nullptr;
}

bool InstallMenuFrameHook() {
    static const ScopedHook hook = [] {
        MenuWindows().rehash(1000);
        return ScopedHook(
            SetWindowsHookExW(WH_CALLWNDPROC, &MenuFrameHook, nullptr, GetCurrentThreadId()));
    }();
    return static_cast<bool>(hook);
}

bool MenuWindowHasFramePainter(HWND menuWindow) {
    return MenuWindows().contains(menuWindow) && GetPropW(menuWindow, kOldProcProperty) != nullptr;
}

}  // namespace ventrio
