// One owner type per kind of Windows handle, and guards that put back what they change in a
// device context. Owners close their handle when they go; copying is deleted, moving hands the
// handle over.
#pragma once

#include <windows.h>

#include <utility>

namespace ventrio {

template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Invalid(); }

    Handle Release() { return std::exchange(m_handle, Traits::Invalid()); }
    void Reset(Handle handle = Traits::Invalid()) {
        if (m_handle != Traits::Invalid()) {
            Traits::Close(m_handle);
        }
        m_handle = handle;
    }

  private:
    Handle m_handle = Traits::Invalid();
};

namespace handle_traits {

struct Kernel {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
// CreateFileW reports failure with INVALID_HANDLE_VALUE instead of null.
struct File {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct Hook {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { UnhookWindowsHookEx(h); }
};
template <typename T>
struct GdiObject {
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct MemoryDc {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
struct Icon {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
struct Menu {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};

}  // namespace handle_traits

using ScopedHandle = UniqueHandle<handle_traits::Kernel>;  // events, threads, mutexes
using ScopedFileHandle = UniqueHandle<handle_traits::File>;
using ScopedHook = UniqueHandle<handle_traits::Hook>;
using ScopedBitmap = UniqueHandle<handle_traits::GdiObject<HBITMAP>>;
using ScopedFont = UniqueHandle<handle_traits::GdiObject<HFONT>>;
using ScopedBrush = UniqueHandle<handle_traits::GdiObject<HBRUSH>>;
using ScopedPen = UniqueHandle<handle_traits::GdiObject<HPEN>>;
using ScopedRegion = UniqueHandle<handle_traits::GdiObject<HRGN>>;
using ScopedMemoryDc = UniqueHandle<handle_traits::MemoryDc>;
using ScopedIcon = UniqueHandle<handle_traits::Icon>;  // icons not loaded as shared
using ScopedMenu = UniqueHandle<handle_traits::Menu>;

// A window's device context from GetDC, released again.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDc() {
        if (m_dc != nullptr) {
            ReleaseDC(m_window, m_dc);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return m_dc; }

  private:
    HWND m_window;
    HDC m_dc;
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : m_window(window) { m_dc = BeginPaint(window, &m_paint); }
    ~PaintScope() { EndPaint(m_window, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return m_dc; }
    const PAINTSTRUCT& Paint() const { return m_paint; }

  private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc = nullptr;
};

// Selects an object into a device context and selects the previous one back.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() {
        if (m_previous != nullptr) {
            SelectObject(m_dc, m_previous);
        }
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

  private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Saves the whole state of a device context (colours, modes, font, clipping) and restores it.
class DcStateGuard {
  public:
    explicit DcStateGuard(HDC dc) : m_dc(dc), m_saved(SaveDC(dc)) {}
    ~DcStateGuard() {
        if (m_saved != 0) {
            RestoreDC(m_dc, m_saved);
        }
    }
    DcStateGuard(const DcStateGuard&) = delete;
    DcStateGuard& operator=(const DcStateGuard&) = delete;

  private:
    HDC m_dc;
    int m_saved;
};

}  // namespace ventrio
