#include "platform/win/screen_capture.h"

#include <vector>

#include "platform/win/gdiplus_session.h"

namespace ventrio {
namespace {

bool FindPngEncoder(CLSID& clsid) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) {
        return false;
    }
    std::vector<unsigned char> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) {
        return false;
    }
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(encoders[i].MimeType, L"image/png") == 0) {
            clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

ScopedBitmap CompatibleBitmap(int width, int height) {
    WindowDc screen(nullptr);
    return ScopedBitmap(CreateCompatibleBitmap(screen.Get(), width, height));
}

}  // namespace

ScopedBitmap CaptureScreenRect(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return {};
    }
    ScopedBitmap bitmap = CompatibleBitmap(width, height);
    WindowDc screen(nullptr);
    ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !memory) {
        return {};
    }
    SelectGuard select(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top,
           SRCCOPY | CAPTUREBLT);
    return bitmap;
}

ScopedBitmap PrintWindowToBitmap(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
        return {};
    }
    ScopedBitmap bitmap = CompatibleBitmap(rect.right - rect.left, rect.bottom - rect.top);
    WindowDc screen(nullptr);
    ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !memory) {
        return {};
    }
    SelectGuard select(memory.Get(), bitmap.Get());
    PrintWindow(window, memory.Get(), 0);
    return bitmap;
}

ScopedBitmap CaptureWindow(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return {};
    }
    if (IsWindowVisible(window) && !IsIconic(window)) {
        return CaptureScreenRect(rect);
    }
    return PrintWindowToBitmap(window);
}

bool SaveBitmapAsPng(HBITMAP bitmap, const std::filesystem::path& file) {
    if (bitmap == nullptr || !EnsureGdiplus()) {
        return false;
    }
    CLSID png{};
    if (!FindPngEncoder(png)) {
        return false;
    }
    Gdiplus::Bitmap image(bitmap, nullptr);
    if (image.GetLastStatus() != Gdiplus::Ok) {
        return false;
    }
    return image.Save(file.c_str(), &png, nullptr) == Gdiplus::Ok;
}

}  // namespace ventrio
