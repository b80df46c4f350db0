#include "platform/win/window.h"

#include <commctrl.h>

#include <utility>

namespace ventrio {
namespace {

constexpr wchar_t kObjectProperty[] = L"VentrioWindowObject";
constexpr UINT_PTR kSubclassId = 0x56454E54;

POINT PointFromLParam(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

HINSTANCE ProgramInstance() {
    return GetModuleHandleW(nullptr);
}

bool Window::RegisterWindowClass(const wchar_t* name, UINT style, HBRUSH background) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(ProgramInstance(), name, &existing)) {
        return true;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = &Window::WindowProcedure;
    wc.hInstance = ProgramInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

Window::~Window() {
    if (m_hwnd != nullptr) {
        HWND window = m_hwnd;
        Detach();
        DestroyWindow(window);
    }
}

Window* Window::FromHandle(HWND window) {
    return window != nullptr ? static_cast<Window*>(GetPropW(window, kObjectProperty)) : nullptr;
}

void Window::Destroy() {
    if (m_hwnd != nullptr) {
        DestroyWindow(m_hwnd);
    }
}

bool Window::PreTranslateMessage(MSG&) {
    return false;
}

bool Window::CreateOfClass(const wchar_t* className, const wchar_t* title, DWORD style,
                           DWORD exStyle, const RECT& rect, HWND parent, UINT_PTR idOrMenu) {
    if (m_hwnd != nullptr) {
        return false;
    }
    CreateWindowExW(exStyle, className, title, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(idOrMenu),
                    ProgramInstance(), this);
    return m_hwnd != nullptr;
}

bool Window::Subclass(HWND window) {
    if (m_hwnd != nullptr || window == nullptr) {
        return false;
    }
    Attach(window, Kind::Subclass);
    return m_hwnd != nullptr;
}

void Window::Attach(HWND window, Kind kind) {
    if (kind == Kind::Subclass &&
        !SetWindowSubclass(window, &Window::SubclassProcedure, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        return;
    }
    m_hwnd = window;
    m_kind = kind;
    SetPropW(window, kObjectProperty, this);
    if (kind == Kind::Window) {
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    } else if (kind == Kind::Dialog) {
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
    }
}

void Window::Detach() {
    if (m_hwnd == nullptr) {
        return;
    }
    RemovePropW(m_hwnd, kObjectProperty);
    switch (m_kind) {
        case Kind::Window:
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
            break;
        case Kind::Dialog:
            SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
            break;
        case Kind::Subclass:
            RemoveWindowSubclass(m_hwnd, &Window::SubclassProcedure, kSubclassId);
            break;
        case Kind::None:
            break;
    }
    m_hwnd = nullptr;
    m_kind = Kind::None;
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    CurrentMessage current{message, wParam, lParam};
    CurrentMessage* previous = std::exchange(m_current, &current);
    const MessageResult result = HandleMessage(message, wParam, lParam);
    m_current = previous;
    if (current.defaultDeferred) {
        handled = false;
        return 0;
    }
    if (result) {
        handled = true;
        return *result;
    }
    handled = current.defaultDone;
    return current.defaultResult;
}

LRESULT Window::RunDefault(const CurrentMessage& current) {
    switch (m_kind) {
        case Kind::Window:
            return DefWindowProcW(m_hwnd, current.message, current.wParam, current.lParam);
        case Kind::Subclass:
            return DefSubclassProc(m_hwnd, current.message, current.wParam, current.lParam);
        case Kind::Dialog:
        case Kind::None:
            break;
    }
    return 0;
}

LRESULT Window::Default() {
    if (m_current == nullptr) {
        return 0;
    }
    if (!m_current->defaultDone) {
        m_current->defaultDone = true;
        if (m_kind == Kind::Dialog) {
            m_current->defaultDeferred = true;
        } else {
            m_current->defaultResult = RunDefault(*m_current);
        }
    }
    return m_current->defaultResult;
}

MessageResult Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam))) {
                return 0;
            }
            break;
        case WM_DESTROY:
            if (OnDestroy()) {
                return 0;
            }
            break;
        case WM_PAINT:
            if (OnPaint()) {
                return 0;
            }
            break;
        case WM_PRINTCLIENT:
            if (OnPrintClient(reinterpret_cast<HDC>(wParam))) {
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            if (OnEraseBackground(reinterpret_cast<HDC>(wParam))) {
                return 1;
            }
            break;
        case WM_NCPAINT:
            if (OnNcPaint(reinterpret_cast<HRGN>(wParam))) {
                return 0;
            }
            break;
        case WM_TIMER:
            if (OnTimer(wParam)) {
                return 0;
            }
            break;
        case WM_MOUSEMOVE:
            if (OnMouseMove(static_cast<UINT>(wParam), PointFromLParam(lParam))) {
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            if (OnLButtonDown(static_cast<UINT>(wParam), PointFromLParam(lParam))) {
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (OnLButtonUp(static_cast<UINT>(wParam), PointFromLParam(lParam))) {
                return 0;
            }
            break;
        case WM_MOUSELEAVE:
            if (OnMouseLeave()) {
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (OnCaptureChanged(reinterpret_cast<HWND>(lParam))) {
                return 0;
            }
            break;
        case WM_KILLFOCUS:
            if (OnKillFocus(reinterpret_cast<HWND>(wParam))) {
                return 0;
            }
            break;
        case WM_SIZE:
            if (OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam))) {
                return 0;
            }
            break;
        case WM_COMMAND:
            if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
                return 0;
            }
            break;
        case WM_VSCROLL:
            if (OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
                return 0;
            }
            break;
        case WM_HSCROLL:
            if (OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) {
                return 0;
            }
            break;
        case WM_DRAWITEM: {
            auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_MENU) {
                if (Window* control = FromHandle(item.hwndItem);
                    control != nullptr && control->DrawItem(item)) {
                    return TRUE;
                }
            }
            if (OnDrawItem(item)) {
                return TRUE;
            }
            break;
        }
        case WM_MEASUREITEM:
            if (OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) {
                return TRUE;
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}

LRESULT CALLBACK Window::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self != nullptr) {
            self->Attach(window, Kind::Window);
        }
    }
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    bool handled = false;
    LRESULT result = self->Dispatch(message, wParam, lParam, handled);
    if (!handled) {
        result = DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->Detach();
    }
    return result;
}

LRESULT CALLBACK Window::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Window*>(data);
    bool handled = false;
    LRESULT result = self->Dispatch(message, wParam, lParam, handled);
    if (!handled) {
        result = DefSubclassProc(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->Detach();
    }
    return result;
}

INT_PTR Dialog::DoModal(HWND owner) {
    if (m_hwnd != nullptr) {
        return -1;
    }
    m_running = true;
    m_ended = false;
    m_result = -1;
    CreateDialogParamW(ProgramInstance(), MAKEINTRESOURCEW(m_templateId), owner,
                       &Dialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
    if (m_hwnd == nullptr) {
        m_running = false;
        return -1;
    }
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disableOwner) {
        EnableWindow(owner, FALSE);
    }
    if (!m_ended) {
        ShowWindow(m_hwnd, SW_SHOWNORMAL);
    }
    MSG message{};
    while (!m_ended && m_hwnd != nullptr) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            }
            break;
        }
        if (PreTranslateThroughParents(message) || IsDialogMessageW(m_hwnd, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    // The owner is enabled before the dialog goes, so that it gets the activation back.
    if (disableOwner) {
        EnableWindow(owner, TRUE);
    }
    Destroy();
    m_running = false;
    return m_result;
}

bool Dialog::Create(HWND parent) {
    if (m_hwnd != nullptr) {
        return false;
    }
    CreateDialogParamW(ProgramInstance(), MAKEINTRESOURCEW(m_templateId), parent,
                       &Dialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
    return m_hwnd != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    m_result = result;
    m_ended = true;
    if (m_hwnd != nullptr) {
        PostMessageW(m_hwnd, WM_NULL, 0, 0);  // wakes the modal loop
    }
}

bool Dialog::OnCommand(int id, int, HWND) {
    if (m_running && (id == IDOK || id == IDCANCEL)) {
        EndDialog(id);
        return true;
    }
    return false;
}

MessageResult Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog() ? TRUE : FALSE;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

INT_PTR CALLBACK Dialog::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->Attach(window, Kind::Dialog);
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    bool handled = false;
    const LRESULT result = self->Dispatch(message, wParam, lParam, handled);
    if (message == WM_NCDESTROY) {
        self->Detach();
    }
    if (!handled) {
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
    switch (message) {
        // These answer through the procedure's own result.
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

void CenterWindow(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    RECT area{};
    HWND owner = GetWindow(window, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int x = area.left + ((area.right - area.left) - width) / 2;
    const int y = area.top + ((area.bottom - area.top) - height) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PreTranslateThroughParents(MSG& message) {
    for (HWND window = message.hwnd; window != nullptr; window = GetParent(window)) {
        if (Window* object = Window::FromHandle(window);
            object != nullptr && object->PreTranslateMessage(message)) {
            return true;
        }
        if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) {
            break;
        }
    }
    return false;
}

}  // namespace ventrio
