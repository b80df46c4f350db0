// The program's push button: an owner-drawn button with four looks cut from skin bitmaps, an
// optional caption, its own hover tracking and an optional two-state toggle.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win/handles.h"
#include "platform/win/window.h"
#include "skin/bitmap_button_rules.h"

namespace ventrio {

class CBitmapBtn : public Window {
  public:
    // Creates a visible owner-drawn button with an empty window text and attaches to it.
    bool Create(HWND parent, const RECT& rect, UINT id = 0);
    // Attaches to an existing button: adds the owner-drawn style, drops the tab stop.
    bool Attach(HWND button);

    // Cuts (left, top)-(right, bottom) out of each source into the button's own bitmaps; a
    // missing source leaves that look as it was. Drops the border and tab-stop styles.
    void SetImages(int left, int top, int right, int bottom, HBITMAP normal, HBITMAP hover,
                   HBITMAP pressed, HBITMAP disabled);
    void SetCaption(const std::string& caption);
    const std::string& GetCaption() const { return m_caption; }
    bool IsHover() const { return m_hover; }

    // Set directly by owners.
    std::string m_faceName;  // empty: the system's default face
    int m_fontHeight = 14;
    int m_alignment = 1;  // 0 centred, 1 left, 2 right, other: right without clipping
    int m_indent = 0;
    bool m_multiLine = false;
    COLORREF m_normalTextColour = 0xFDFDFD;
    COLORREF m_hoverTextColour = 0xFDFDFD;
    COLORREF m_disabledTextColour = 0xFDFDFD;
    COLORREF m_pressedTextColour = 0xFDFDFD;
    bool m_toggleMode = false;
    bool m_checked = false;
    int m_hoverStart = 0;
    bool m_showStatesWhileInactive = true;

  protected:
    bool DrawItem(DRAWITEMSTRUCT& item) override;
    bool OnMouseMove(UINT keys, POINT point) override;
    bool OnLButtonDown(UINT keys, POINT point) override;
    bool OnLButtonUp(UINT keys, POINT point) override;
    bool OnKillFocus(HWND newFocus) override;
    bool OnCaptureChanged(HWND newCapture) override;
    bool OnEraseBackground(HDC) override { return true; }

  private:
    ButtonStateFlags StateFlags(UINT itemState) const;
    HBITMAP ImageFor(ButtonLook look) const;
    COLORREF TextColourFor(ButtonLook look) const;
    void DrawCaption(HDC dc, const RECT& client, const ButtonStateFlags& state) const;
    void SetHover(bool hover);

    ScopedBitmap m_normal;
    ScopedBitmap m_hoverImage;
    ScopedBitmap m_pressed;
    ScopedBitmap m_disabled;
    std::string m_caption;
    bool m_hover = false;
};

}  // namespace ventrio
