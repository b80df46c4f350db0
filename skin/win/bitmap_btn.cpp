#include "skin/win/bitmap_btn.h"

#include "platform/trace.h"
#include "platform/win/wide_text.h"
#include "skin/win/skin_image.h"

namespace ventrio {
namespace {

UINT CaptionFormat(const CaptionLayout& layout) {
    if (layout.wrap) {
        const UINT horizontal = layout.align == CaptionAlign::Centre ? DT_CENTER : DT_LEFT;
        return horizontal | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
    }
    switch (layout.align) {
        case CaptionAlign::Centre:
            return DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
        case CaptionAlign::Left:
            return DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
        case CaptionAlign::Right:
            return DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;
        case CaptionAlign::RightUnclipped:
            break;
    }
    return DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP;
}

}  // namespace

bool CBitmapBtn::Create(HWND parent, const RECT& rect, UINT id) {
    HWND button = CreateWindowExW(
        0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, parent,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ProgramInstance(), nullptr);
    if (button == nullptr) {
        return false;
    }
    if (!Attach(button)) {
        DestroyWindow(button);
        return false;
    }
    return true;
}

bool CBitmapBtn::Attach(HWND button) {
    if (!Subclass(button)) {
        return false;
    }
    const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
    SetWindowLongPtrW(button, GWL_STYLE, ((style & ~BS_TYPEMASK) | BS_OWNERDRAW) & ~WS_TABSTOP);
    return true;
}

void CBitmapBtn::SetImages(int left, int top, int right, int bottom, HBITMAP normal, HBITMAP hover,
                           HBITMAP pressed, HBITMAP disabled) {
    const auto cut = [&](ScopedBitmap& into, HBITMAP source) {
        if (source != nullptr) {
            into = CopyBitmapRect(source, left, top, right, bottom);
        }
    };
    cut(m_normal, normal);
    cut(m_hoverImage, hover);
    cut(m_pressed, pressed);
    cut(m_disabled, disabled);
    if (Handle() != nullptr) {
        const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
        SetWindowLongPtrW(Handle(), GWL_STYLE, style & ~(WS_BORDER | WS_TABSTOP));
        const LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
        SetWindowLongPtrW(Handle(), GWL_EXSTYLE,
                          exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE));
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void CBitmapBtn::SetCaption(const std::string& caption) {
    m_caption = caption;
    if (Handle() != nullptr) {
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

ButtonStateFlags CBitmapBtn::StateFlags(UINT itemState) const {
    ButtonStateFlags state;
    state.toggleMode = m_toggleMode;
    state.checked = m_checked;
    state.pressed = (itemState & ODS_SELECTED) != 0;
    state.disabled = (itemState & ODS_DISABLED) != 0;
    state.hover = m_hover;
    state.parentActive = GetActiveWindow() == GetParent(Handle());
    state.showStatesWhileInactive = m_showStatesWhileInactive;
    return state;
}

HBITMAP CBitmapBtn::ImageFor(ButtonLook look) const {
    switch (look) {
        case ButtonLook::Hover:
            return m_hoverImage.Get();
        case ButtonLook::Pressed:
            return m_pressed.Get();
        case ButtonLook::Disabled:
            return m_disabled.Get();
        case ButtonLook::Normal:
            break;
    }
    return m_normal.Get();
}

COLORREF CBitmapBtn::TextColourFor(ButtonLook look) const {
    switch (look) {
        case ButtonLook::Hover:
            return m_hoverTextColour;
        case ButtonLook::Pressed:
            return m_pressedTextColour;
        case ButtonLook::Disabled:
            return m_disabledTextColour;
        case ButtonLook::Normal:
            break;
    }
    return m_normalTextColour;
}

bool CBitmapBtn::DrawItem(DRAWITEMSTRUCT& item) {
    const ButtonStateFlags state = StateFlags(item.itemState);
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    ScopedMemoryDc memory(CreateCompatibleDC(item.hDC));
    if (!memory) {
        Trace("CBitmapBtn::DrawItem Onpaint:memdc==Null\n");
        return true;
    }
    Trace("CBitmapBtn::DrawItem Onpaint:memdc!=Null\n");
    SelectGuard image(memory.Get(), ImageFor(ChooseButtonImage(state)));
    if (m_caption.empty()) {
        BitBlt(item.hDC, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
        return true;
    }

    ScopedMemoryDc composed(CreateCompatibleDC(item.hDC));
    ScopedBitmap surface(composed ? CreateCompatibleBitmap(item.hDC, width, height) : nullptr);
    if (!composed || !surface) {
        Trace("CBitmapBtn::DrawItem Onpaint:tempdc==Null\n");
        return true;
    }
    Trace("CBitmapBtn::DrawItem Onpaint:tempdc!=Null\n");
    SelectGuard selectSurface(composed.Get(), surface.Get());
    BitBlt(composed.Get(), 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
    DrawCaption(composed.Get(), client, state);
    BitBlt(item.hDC, 0, 0, width, height, composed.Get(), 0, 0, SRCCOPY);
    return true;
}

void CBitmapBtn::DrawCaption(HDC dc, const RECT& client, const ButtonStateFlags& state) const {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColourFor(ChooseButtonTextColour(state)));
    ScopedFont font(CreateFontW(m_fontHeight, 0, 0, 0, 550, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                DEFAULT_PITCH | FF_MODERN, Widen(m_faceName).c_str()));
    SelectGuard selectFont(dc, font.Get());

    const CaptionLayout layout = LayoutCaption(m_alignment, m_indent, m_multiLine);
    RECT text = client;
    text.left += layout.leftInset;
    const std::wstring caption = Widen(m_caption);
    const UINT format = CaptionFormat(layout);
    if (layout.wrap) {
        // Several lines are centred vertically by measuring them first.
        RECT measured = text;
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
                  format | DT_CALCRECT);
        const int lines = measured.bottom - measured.top;
        text.top += ((text.bottom - text.top) - lines) / 2;
    }
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
}

void CBitmapBtn::SetHover(bool hover) {
    if (m_hover != hover) {
        m_hover = hover;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

bool CBitmapBtn::OnMouseMove(UINT keys, POINT point) {
    Default();
    HWND self = Handle();
    const bool leftHeld = (keys & MK_LBUTTON) != 0;
    if (leftHeld && !m_hover) {
        return true;
    }
    HWND parent = GetParent(self);
    const bool noOwner = GetWindow(self, GW_OWNER) == nullptr && parent == nullptr;
    if (GetCapture() == self || GetActiveWindow() == nullptr || noOwner) {
        POINT screen = point;
        ClientToScreen(self, &screen);
        if (WindowFromPoint(screen) != self || !InHoverZone(point.x, m_hoverStart)) {
            SetHover(false);
            if (!leftHeld) {
                ReleaseCapture();
            }
        }
    } else if (InHoverZone(point.x, m_hoverStart)) {
        m_hover = true;
        SetCapture(self);
        InvalidateRect(self, nullptr, FALSE);
    }
    if (parent != nullptr) {
        POINT screen = point;
        ClientToScreen(self, &screen);
        PostMessageW(parent, WM_MOUSEMOVE, keys,
                     MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    }
    return true;
}

bool CBitmapBtn::OnLButtonDown(UINT, POINT) {
    HWND self = Handle();
    HWND owner = GetWindow(self, GW_OWNER);
    if (owner == nullptr) {
        owner = GetParent(self);
    }
    // Only top-level windows can be active; the owner's one stands for it.
    HWND top = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (top != nullptr && GetActiveWindow() != top) {
        SetActiveWindow(top);
    }
    return false;
}

bool CBitmapBtn::OnLButtonUp(UINT, POINT) {
    HWND self = Handle();
    HWND parent = GetParent(self);
    if (m_toggleMode) {
        m_checked = !m_checked;
        // The button took the capture when it was pressed; without its own release handling it
        // would keep it and stay pushed.
        if (GetCapture() == self) {
            ReleaseCapture();
        }
        InvalidateRect(self, nullptr, FALSE);
        if (parent != nullptr) {
            SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(self), BN_CLICKED),
                         reinterpret_cast<LPARAM>(self));
        }
    } else {
        Default();
    }
    if (parent != nullptr) {
        PostMessageW(parent, WM_LBUTTONUP, 0, 0);
    }
    return true;
}

bool CBitmapBtn::OnKillFocus(HWND) {
    Default();
    m_hover = false;
    InvalidateRect(Handle(), nullptr, FALSE);
    return true;
}

bool CBitmapBtn::OnCaptureChanged(HWND) {
    Default();
    if (m_hover) {
        ReleaseCapture();
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    return true;
}

}  // namespace ventrio
