#include "skin/win/skin_paint.h"

#include "platform/trace.h"
#include "platform/win/handles.h"

namespace ventrio {

void PaintDoubleBuffered(HDC target, SIZE size, HBITMAP base, HFONT font, const char* traceName,
                         const std::function<void(HDC)>& drawOverlays) {
    ScopedMemoryDc memory(target != nullptr ? CreateCompatibleDC(target) : nullptr);
    if (!memory) {
        if (traceName != nullptr) {
            TraceF("%s Onpaint:memdc==Null\n", traceName);
        }
        return;
    }
    if (traceName != nullptr) {
        TraceF("%s Onpaint:memdc!=Null\n", traceName);
    }
    ScopedBitmap scratch;
    if (base == nullptr) {
        scratch.Reset(CreateCompatibleBitmap(target, size.cx, size.cy));
        base = scratch.Get();
    }
    SelectGuard surface(memory.Get(), base);
    SelectGuard selectFont(memory.Get(), font);
    SetBkMode(memory.Get(), TRANSPARENT);
    SetTextColor(memory.Get(), RGB(255, 255, 255));
    if (drawOverlays) {
        drawOverlays(memory.Get());
    }
    BitBlt(target, 0, 0, size.cx, size.cy, memory.Get(), 0, 0, SRCCOPY);
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace ventrio
