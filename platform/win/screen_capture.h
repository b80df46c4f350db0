// Pictures of windows and of the screen, and PNG files of them: for the screenshot tool and for
// the tests that show what a window draws.
#pragma once

#include <windows.h>

#include <filesystem>

#include "platform/win/handles.h"

namespace ventrio {

// A copy of a rectangle of the screen as it is shown now.
ScopedBitmap CaptureScreenRect(const RECT& rect);
// The whole window, taken from the screen when it is visible and asked to print itself
// otherwise (so hidden windows can be looked at too).
ScopedBitmap CaptureWindow(HWND window);
// The window asked to print itself into a bitmap of its size, whether visible or not.
ScopedBitmap PrintWindowToBitmap(HWND window);

// Writes the bitmap as a PNG file; false when it cannot.
bool SaveBitmapAsPng(HBITMAP bitmap, const std::filesystem::path& file);

}  // namespace ventrio
