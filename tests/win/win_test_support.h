// Helpers shared by the Windows tests: message pumping, a recording top-level host window, and
// screenshots written into the build folder.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/win/window.h"

namespace ventrio::test {

// Dispatches the thread's messages for `milliseconds`.
void PumpMessages(DWORD milliseconds);
// Dispatches messages until `done` holds or `timeout` milliseconds have passed; returns `done`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout = 5000);

// A plain top-level window that records the messages its children send it.
class HostWindow : public Window {
  public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit HostWindow(SIZE size = SIZE{400, 300}, COLORREF background = RGB(40, 40, 48));
    ~HostWindow() override;

    std::vector<Received> Messages(UINT message) const;
    void Clear() { m_received.clear(); }

  protected:
    MessageResult HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
    bool OnDrawItem(DRAWITEMSTRUCT& item) override;

  private:
    HBRUSH m_background;
    std::vector<Received> m_received;
};

// The folder the tests write their pictures into: screenshots/ in the build folder.
std::filesystem::path ScreenshotFolder();
// Repaints the window and writes what the screen shows of it to ScreenshotFolder()/<name>.png;
// returns the file (empty when the picture could not be taken).
std::filesystem::path SaveScreenshot(HWND window, const std::string& name);

// Sends a mouse message with a client position to a window, as the system would.
LRESULT SendMouse(HWND window, UINT message, int x, int y, WPARAM keys = 0);

// The colour of one pixel of the screen.
COLORREF ScreenPixel(int x, int y);

}  // namespace ventrio::test
