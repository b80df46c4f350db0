// The double-buffered paint every skinned window follows: draw into a memory context that holds
// the window's base bitmap, then copy the result to the window in one block.
#pragma once

#include <windows.h>

#include <functional>

namespace ventrio {

// Paints `size` pixels of `target` from (0, 0). The base bitmap is the drawing surface and keeps
// what each paint drew (a window without one paints on a fresh bitmap of that size). The memory
// context gets a transparent text background, white text and `font` before `drawOverlays`
// runs. A painter with a `traceName` reports "<name> Onpaint:memdc!=Null\n" at each paint, or
// "...==Null\n" when no memory context could be made (and then draws nothing).
void PaintDoubleBuffered(HDC target, SIZE size, HBITMAP base, HFONT font, const char* traceName,
                         const std::function<void(HDC)>& drawOverlays);

// The client size of a window.
SIZE ClientSize(HWND window);

}  // namespace ventrio
