// A window wrapped in the skinned scroll frame: the skinned bar's requests reach the window, and
// the bar follows the window's scroll state.
#include <gtest/gtest.h>

#include <vector>

#include "platform/trace.h"
#include "resources/resource_ids.h"
#include "skin/win/skin_image.h"
#include "skin/win/skin_scroll_wnd.h"
#include "tests/win/win_test_support.h"

namespace ventrio {
namespace {

using test::PumpMessages;
using test::SendMouse;

// A panel that scrolls 1000 pixels of stripes a page at a time, like the settings container.
class ScrollingPanel : public Window {
  public:
    static constexpr int kContent = 1000;
    static constexpr int kLine = 60;

    struct Request {
        int code;
        int position;
        LPARAM bar;
    };

    explicit ScrollingPanel(HWND parent) {
        RegisterWindowClass(L"VentrioTestScrollingPanel");
        CreateOfClass(L"VentrioTestScrollingPanel", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0,
                      RECT{20, 20, 280, 320}, parent, 42);
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = kContent - 1;
        info.nPage = 300;
        SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
    }
    ~ScrollingPanel() override { Destroy(); }

    int Position() const { return GetScrollPos(Handle(), SB_VERT); }
    std::vector<Request> requests;

  protected:
    MessageResult HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_VSCROLL) {
            requests.push_back({LOWORD(wParam), HIWORD(wParam), lParam});
            Scroll(LOWORD(wParam), HIWORD(wParam));
            return 0;
        }
        if (message == WM_ERASEBKGND) {
            return 1;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }
    bool OnPaint() override {
        PaintScope paint(Handle());
        RECT client{};
        GetClientRect(Handle(), &client);
        const int offset = Position();
        for (int y = -(offset % 40); y < client.bottom; y += 20) {
            const bool dark = ((y + offset) / 20) % 2 == 0;
            RECT stripe{0, y, client.right, y + 20};
            ScopedBrush brush(CreateSolidBrush(dark ? RGB(30, 30, 36) : RGB(60, 24, 24)));
            FillRect(paint.Dc(), &stripe, brush.Get());
        }
        return true;
    }

  private:
    void Scroll(int code, int position) {
        int target = Position();
        switch (code) {
            case SB_LINEUP:
                target -= kLine;
                break;
            case SB_LINEDOWN:
                target += kLine;
                break;
            case SB_PAGEUP:
                target -= 300;
                break;
            case SB_PAGEDOWN:
                target += 300;
                break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION:
                target = position;
                break;
            default:
                return;
        }
        SetScrollPos(Handle(), SB_VERT, target, TRUE);
        InvalidateRect(Handle(), nullptr, FALSE);
    }
};

std::vector<int> Codes(const ScrollingPanel& panel) {
    std::vector<int> codes;
    for (const auto& request : panel.requests) {
        codes.push_back(request.code);
    }
    return codes;
}

TEST(SkinScrollWin, TheSkinnedBarsRequestsReachTheWrappedWindow) {
    test::HostWindow host(SIZE{320, 360});
    ScopedBitmap skin(static_cast<HBITMAP>(
        LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(IDB_SCROLL_SKIN), IMAGE_BITMAP, 0, 0, 0)));
    ASSERT_TRUE(skin);
    ASSERT_EQ(BitmapSize(skin.Get()).cx, 117);
    ScrollingPanel panel(host.Handle());
    CSkinScrollWnd frame;
    ASSERT_TRUE(frame.AttachSkinScroll(panel.Handle(), skin.Get()));
    PumpMessages(100);

    // The panel sits in the limiter, which hides its own bar; the skinned bar stands beside it.
    ASSERT_EQ(GetParent(panel.Handle()), frame.LimiterWindow());
    HWND bar = frame.VerticalBar().Handle();
    ASSERT_TRUE(IsWindowVisible(bar));
    EXPECT_FALSE(IsWindowVisible(frame.HorizontalBar().Handle()));
    RECT barRect{};
    GetClientRect(bar, &barRect);
    EXPECT_EQ(barRect.right, 13);
    EXPECT_EQ(barRect.bottom, 300);
    RECT limiter{};
    GetClientRect(frame.LimiterWindow(), &limiter);
    RECT panelClient{};
    GetClientRect(panel.Handle(), &panelClient);
    EXPECT_EQ(limiter.right, 260 - 13);
    EXPECT_EQ(panelClient.right, limiter.right) << "the panel's own bar is not outside the limiter";
    EXPECT_EQ(frame.VerticalBar().State().maximum, 999);
    EXPECT_EQ(frame.VerticalBar().State().page, 300);

    // The down arrow asks once at once, then repeats after half a second until released.
    const int length = barRect.bottom;
    SendMouse(bar, WM_LBUTTONDOWN, 6, length - 5, MK_LBUTTON);
    ASSERT_EQ(Codes(panel), std::vector<int>{SB_LINEDOWN});
    EXPECT_EQ(panel.requests[0].bar, 0) << "the panel must see its own bar's request";
    EXPECT_EQ(panel.Position(), 60);
    EXPECT_EQ(frame.VerticalBar().State().position, 60);
    test::SaveScreenshot(host.Handle(), "scroll-bar-arrow-pressed");
    PumpMessages(380);
    EXPECT_EQ(panel.requests.size(), 1u) << "repeating began before 500 ms";
    PumpMessages(400);
    const size_t repeated = panel.requests.size();
    EXPECT_GE(repeated, 3u);
    EXPECT_LE(repeated, 6u);
    SendMouse(bar, WM_LBUTTONUP, 6, length - 5);
    PumpMessages(300);
    EXPECT_EQ(panel.requests.size(), repeated) << "the bar kept scrolling after the release";

    // Dragging the thumb tracks and ends with one position request at the end of the range.
    panel.requests.clear();
    const ScrollBarLayout layout = LayoutScrollBar(length, 13, frame.VerticalBar().State());
    const int thumb = layout.arrow + layout.thumbOffset + layout.thumbLength / 2;
    SendMouse(bar, WM_LBUTTONDOWN, 6, thumb, MK_LBUTTON);
    SendMouse(bar, WM_MOUSEMOVE, 6, thumb + 40, MK_LBUTTON);
    SendMouse(bar, WM_MOUSEMOVE, 6, thumb + 2000, MK_LBUTTON);
    ASSERT_GE(panel.requests.size(), 2u);
    for (const auto& request : panel.requests) {
        EXPECT_EQ(request.code, SB_THUMBTRACK);
    }
    EXPECT_EQ(panel.requests.back().position, 999 - 300 + 1);
    test::SaveScreenshot(host.Handle(), "scroll-bar-thumb-dragged");
    SendMouse(bar, WM_LBUTTONUP, 6, thumb + 2000);
    ASSERT_EQ(panel.requests.back().code, SB_THUMBPOSITION);
    EXPECT_EQ(panel.requests.back().position, 700);
    EXPECT_EQ(frame.VerticalBar().State().trackPosition, -1);
    EXPECT_EQ(frame.VerticalBar().State().position, panel.Position());

    // Pointing at the thumb shows its hover look.
    const ScrollBarLayout end = LayoutScrollBar(length, 13, frame.VerticalBar().State());
    SendMouse(bar, WM_MOUSEMOVE, 6, end.arrow + end.thumbOffset + end.thumbLength / 2);
    test::SaveScreenshot(host.Handle(), "scroll-bar-thumb-hover");

    // The bar follows a change the panel makes by itself.
    SetScrollPos(panel.Handle(), SB_VERT, 120, TRUE);
    EXPECT_TRUE(test::PumpUntil([&] { return frame.VerticalBar().State().position == 120; }));
    TraceCapture trace;
    EXPECT_FALSE(test::SaveScreenshot(host.Handle(), "scroll-bar").empty());
    EXPECT_NE(trace.Text().find("CSkinScrollBar Onpaint:memdc!=Null\n"), std::string::npos);
}

}  // namespace
}  // namespace ventrio
