// Skin images: PNG files under the program folder, decoded with their alpha channel, kept as
// device bitmaps or drawn blended over a window's picture.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/win/handles.h"

namespace ventrio {

// A decoded image: a 32-bit top-down device-independent bitmap in blue, green, red, alpha order.
struct SkinImage {
    ScopedBitmap bitmap;
    uint8_t* pixels = nullptr;  // the bitmap's own bits, width * height * 4 bytes
    int width = 0;
    int height = 0;
    bool hasAlpha = false;  // the file carries an alpha channel; otherwise alpha is 255
};

// Where a relative image name points: the program folder followed by the name, read with the
// rules of a Windows path.
std::filesystem::path SkinImagePath(std::string_view name);

// Decodes the image; nullopt when the file is missing or is not an image.
std::optional<SkinImage> LoadSkinImage(std::string_view name);

// The image as a bitmap owned by the caller (a panel's base bitmap); empty when it cannot load.
ScopedBitmap MakeBaseBitmap(std::string_view name);

// Decodes the file anew, premultiplies it and draws it at its natural size with its top-left
// corner at (x, y): blended per pixel when it has alpha, copied otherwise. False, with nothing
// drawn, when there is no target or the file cannot be decoded.
bool DrawSkinImage(HDC target, std::string_view name, int x, int y);

// The size of a bitmap in pixels.
SIZE BitmapSize(HBITMAP bitmap);

// A new bitmap holding the rectangle (left, top)-(right, bottom) of `source`; empty without a
// source.
ScopedBitmap CopyBitmapRect(HBITMAP source, int left, int top, int right, int bottom);

}  // namespace ventrio
