// The window framework: one base for every window, subclassed control and dialog of the program.
// A static procedure finds the object behind the window and hands it each message; the default
// HandleMessage decodes the common messages into On... handlers, each of which returns whether it
// handled the message (false lets the default processing run).
#pragma once

#include <windows.h>

#include <optional>

namespace ventrio {

// The result of a handled message; nullopt sends it on to the default processing.
using MessageResult = std::optional<LRESULT>;

// The module whose resources and window classes the program uses.
HINSTANCE ProgramInstance();

class Window {
  public:
    Window() = default;
    // Destroys the window if it still exists. A class that owns child windows as members calls
    // Destroy() in its own destructor, so no message reaches it half-destroyed.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return m_hwnd; }

    // Registers a window class of ours once per process; later calls with the same name do
    // nothing. Returns false when the class cannot be registered.
    static bool RegisterWindowClass(const wchar_t* name, UINT style = CS_DBLCLKS,
                                    HBRUSH background = nullptr);

    // The object behind a window of ours; nullptr for any other window.
    static Window* FromHandle(HWND window);

    // Destroys the window; the object stays and can be created again.
    void Destroy();

    // Offers a message retrieved by a message loop before it is dispatched; true swallows it.
    // Loops ask every window of ours from the message's target up to its top-level window.
    virtual bool PreTranslateMessage(MSG& message);

  protected:
    // Creates a window of a class registered with RegisterWindowClass.
    bool CreateOfClass(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                       const RECT& rect, HWND parent, UINT_PTR idOrMenu);
    // Takes over an existing window of any class (a system control): its messages come here
    // first and go on to its own procedure when not handled.
    bool Subclass(HWND window);

    // Every message of the window.
    virtual MessageResult HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The default processing of the message being handled, run at once for windows and
    // subclassed controls. A dialog's default processing cannot run inside its procedure, so for
    // dialogs the call only asks for it to run after the handler returns.
    LRESULT Default();

    virtual bool OnCreate(const CREATESTRUCTW&) { return false; }
    virtual bool OnDestroy() { return false; }
    virtual bool OnPaint() { return false; }
    virtual bool OnPrintClient(HDC) { return false; }
    virtual bool OnEraseBackground(HDC) { return false; }  // handled = erased
    virtual bool OnNcPaint(HRGN) { return false; }
    virtual bool OnTimer(UINT_PTR) { return false; }
    virtual bool OnMouseMove(UINT, POINT) { return false; }
    virtual bool OnLButtonDown(UINT, POINT) { return false; }
    virtual bool OnLButtonUp(UINT, POINT) { return false; }
    virtual bool OnMouseLeave() { return false; }
    virtual bool OnCaptureChanged(HWND) { return false; }
    virtual bool OnKillFocus(HWND) { return false; }
    virtual bool OnSize(UINT, int, int) { return false; }
    virtual bool OnCommand(int, int, HWND) { return false; }
    virtual bool OnVScroll(int, int, HWND) { return false; }
    virtual bool OnHScroll(int, int, HWND) { return false; }
    // Owner-drawn menu items and controls that are not ours; our controls draw themselves.
    virtual bool OnDrawItem(DRAWITEMSTRUCT&) { return false; }
    virtual bool OnMeasureItem(MEASUREITEMSTRUCT&) { return false; }

    // A control of ours draws itself when its parent is asked to draw it.
    virtual bool DrawItem(DRAWITEMSTRUCT&) { return false; }

  private:
    friend class Dialog;
    enum class Kind { None, Window, Subclass, Dialog };
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool defaultDone = false;
        bool defaultDeferred = false;  // a dialog's default processing runs after the handler
        LRESULT defaultResult = 0;
    };

    static LRESULT CALLBACK WindowProcedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK SubclassProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    void Attach(HWND window, Kind kind);
    void Detach();
    // Runs HandleMessage with the message recorded for Default(); `handled` tells whether the
    // result stands or the default processing still has to run.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT RunDefault(const CurrentMessage& current);

    HWND m_hwnd = nullptr;
    Kind m_kind = Kind::None;
    CurrentMessage* m_current = nullptr;
};

// Dialogs come from templates that hold no controls; the program creates its controls at run
// time. Modal dialogs run their own message loop so that every window of ours sees the
// messages before they are dispatched (PreTranslateMessage).
class Dialog : public Window {
  public:
    explicit Dialog(int templateId) : m_templateId(templateId) {}

    // Runs the dialog modally with `owner` disabled meanwhile. Returns the value given to
    // EndDialog, or -1 when the dialog could not be created.
    INT_PTR DoModal(HWND owner);
    // Creates the dialog modeless; it shows when its template is visible or when shown.
    bool Create(HWND parent);
    // Ends a modal run with `result`.
    void EndDialog(INT_PTR result);
    bool IsModalRunning() const { return m_running; }

  protected:
    MessageResult HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Returns whether the system should give the focus to the first control.
    virtual bool OnInitDialog() { return true; }
    // OK and Cancel end a modal run.
    bool OnCommand(int id, int code, HWND control) override;

  private:
    static INT_PTR CALLBACK DialogProcedure(HWND, UINT, WPARAM, LPARAM);

    int m_templateId;
    bool m_running = false;
    bool m_ended = false;
    INT_PTR m_result = -1;
};

// Puts a window in the middle of its owner when that is visible, else of the work area of its
// monitor.
void CenterWindow(HWND window);

// Offers a message to every window of ours from its target up to the top-level window.
bool PreTranslateThroughParents(MSG& message);

}  // namespace ventrio
