#include "skin/win/skin_image.h"

#include <span>

#include "platform/files.h"
#include "platform/win/gdiplus_session.h"
#include "skin/premultiply.h"
#include "skin/skin_path.h"

namespace ventrio {

std::filesystem::path SkinImagePath(std::string_view name) {
    return ResolveSkinPath(ExecutableFolder(), name);
}

std::optional<SkinImage> LoadSkinImage(std::string_view name) {
    if (!EnsureGdiplus()) {
        return std::nullopt;
    }
    const std::filesystem::path path = SkinImagePath(name);
    Gdiplus::Bitmap source(path.c_str(), FALSE);
    if (source.GetLastStatus() != Gdiplus::Ok) {
        return std::nullopt;
    }
    SkinImage image;
    image.width = static_cast<int>(source.GetWidth());
    image.height = static_cast<int>(source.GetHeight());
    image.hasAlpha = Gdiplus::IsAlphaPixelFormat(source.GetPixelFormat()) != FALSE;
    if (image.width <= 0 || image.height <= 0) {
        return std::nullopt;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down, as GDI+ hands the rows over
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    image.bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image.bitmap || bits == nullptr) {
        return std::nullopt;
    }
    image.pixels = static_cast<uint8_t*>(bits);

    // GDI+ converts straight into the bitmap's own memory.
    Gdiplus::BitmapData data{};
    data.Width = static_cast<UINT>(image.width);
    data.Height = static_cast<UINT>(image.height);
    data.Stride = image.width * 4;
    data.PixelFormat = image.hasAlpha ? PixelFormat32bppARGB : PixelFormat32bppRGB;
    data.Scan0 = bits;
    Gdiplus::Rect rect(0, 0, image.width, image.height);
    if (source.LockBits(&rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                        data.PixelFormat, &data) != Gdiplus::Ok) {
        return std::nullopt;
    }
    source.UnlockBits(&data);
    const size_t bytes = static_cast<size_t>(image.width) * image.height * 4;
    if (!image.hasAlpha) {
        // The fourth byte of a pixel without alpha is undefined; opaque keeps premultiplying
        // from darkening it.
        for (size_t i = 3; i < bytes; i += 4) {
            image.pixels[i] = 255;
        }
    }
    return image;
}

ScopedBitmap MakeBaseBitmap(std::string_view name) {
    std::optional<SkinImage> image = LoadSkinImage(name);
    return image ? std::move(image->bitmap) : ScopedBitmap();
}

bool DrawSkinImage(HDC target, std::string_view name, int x, int y) {
    if (target == nullptr) {
        return false;
    }
    std::optional<SkinImage> image = LoadSkinImage(name);
    if (!image) {
        return false;
    }
    PremultiplyBgra(
        std::span<uint8_t>(image->pixels, static_cast<size_t>(image->width) * image->height * 4));
    ScopedMemoryDc source(CreateCompatibleDC(target));
    if (!source) {
        return false;
    }
    SelectGuard select(source.Get(), image->bitmap.Get());
    if (image->hasAlpha) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(target, x, y, image->width, image->height, source.Get(), 0, 0, image->width,
                   image->height, blend);
    } else {
        BitBlt(target, x, y, image->width, image->height, source.Get(), 0, 0, SRCCOPY);
    }
    return true;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0) {
        return SIZE{0, 0};
    }
    return SIZE{info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

ScopedBitmap CopyBitmapRect(HBITMAP source, int left, int top, int right, int bottom) {
    const int width = right - left;
    const int height = bottom - top;
    if (source == nullptr || width <= 0 || height <= 0) {
        return {};
    }
    WindowDc screen(nullptr);
    ScopedBitmap copy(CreateCompatibleBitmap(screen.Get(), width, height));
    ScopedMemoryDc from(CreateCompatibleDC(screen.Get()));
    ScopedMemoryDc to(CreateCompatibleDC(screen.Get()));
    if (!copy || !from || !to) {
        return {};
    }
    SelectGuard selectFrom(from.Get(), source);
    SelectGuard selectTo(to.Get(), copy.Get());
    BitBlt(to.Get(), 0, 0, width, height, from.Get(), left, top, SRCCOPY);
    return copy;
}

}  // namespace ventrio
