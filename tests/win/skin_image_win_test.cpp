// Decoding and drawing skin images: alpha blending of premultiplied pixels, opaque copies, and
// names resolved the Windows way.
#include <gtest/gtest.h>

#include <vector>

#include "platform/files.h"
#include "platform/win/gdiplus_session.h"
#include "platform/win/handles.h"
#include "skin/win/skin_image.h"

namespace ventrio {
namespace {

// Writes a 2 x 1 PNG into the program folder's test-skins folder; with alpha the pixels are
// white at half opacity and fully transparent red, without alpha opaque blue and green.
void WriteTestPng(const wchar_t* name, bool alpha) {
    ASSERT_TRUE(EnsureGdiplus());
    const std::filesystem::path folder = ExecutableFolder() / L"test-skins";
    std::filesystem::create_directories(folder);
    Gdiplus::Bitmap bitmap(2, 1, alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB);
    bitmap.SetPixel(0, 0, alpha ? Gdiplus::Color(128, 255, 255, 255) : Gdiplus::Color(0, 0, 255));
    bitmap.SetPixel(1, 0, alpha ? Gdiplus::Color(0, 255, 0, 0) : Gdiplus::Color(0, 255, 0));
    UINT count = 0;
    UINT bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<unsigned char> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, bytes, encoders);
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(encoders[i].MimeType, L"image/png") == 0) {
            ASSERT_EQ(bitmap.Save((folder / name).c_str(), &encoders[i].Clsid, nullptr),
                      Gdiplus::Ok);
            return;
        }
    }
    FAIL() << "no PNG encoder";
}

// A 2 x 1 surface filled with one colour, drawn on, and read back.
struct Surface {
    explicit Surface(COLORREF colour) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = 2;
        info.bmiHeader.biHeight = -1;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        dc.Reset(CreateCompatibleDC(nullptr));
        SelectObject(dc.Get(), bitmap.Get());
        SetPixel(dc.Get(), 0, 0, colour);
        SetPixel(dc.Get(), 1, 0, colour);
    }
    COLORREF At(int x) const { return GetPixel(dc.Get(), x, 0); }

    ScopedBitmap bitmap;
    ScopedMemoryDc dc;
};

TEST(SkinImageWin, AlphaImagesBlendPremultipliedAndOpaqueOnesAreCopied) {
    WriteTestPng(L"Alpha.png", true);
    WriteTestPng(L"Opaque.png", false);

    const std::optional<SkinImage> alpha = LoadSkinImage("test-skins/Alpha.png");
    ASSERT_TRUE(alpha);
    EXPECT_TRUE(alpha->hasAlpha);
    EXPECT_EQ(alpha->width, 2);
    const std::optional<SkinImage> opaque = LoadSkinImage("test-skins/Opaque.png");
    ASSERT_TRUE(opaque);
    EXPECT_FALSE(opaque->hasAlpha);
    EXPECT_EQ(opaque->pixels[3], 255) << "an image without alpha must count as opaque";

    Surface onBlack(RGB(0, 0, 0));
    ASSERT_TRUE(DrawSkinImage(onBlack.dc.Get(), "TEST-SKINS\\\\alpha.PNG", 0, 0));
    EXPECT_EQ(onBlack.At(0), RGB(128, 128, 128));  // 255 at alpha 128 stored as 128
    EXPECT_EQ(onBlack.At(1), RGB(0, 0, 0));        // fully transparent: unchanged

    Surface onGrey(RGB(90, 90, 90));
    ASSERT_TRUE(DrawSkinImage(onGrey.dc.Get(), "\\test-skins/Opaque.png", 0, 0));
    EXPECT_EQ(onGrey.At(0), RGB(0, 0, 255));
    EXPECT_EQ(onGrey.At(1), RGB(0, 255, 0));

    Surface untouched(RGB(90, 90, 90));
    EXPECT_FALSE(DrawSkinImage(untouched.dc.Get(), "test-skins/Missing.png", 0, 0));
    EXPECT_FALSE(DrawSkinImage(nullptr, "test-skins/Opaque.png", 0, 0));
    EXPECT_EQ(untouched.At(0), RGB(90, 90, 90));
    EXPECT_FALSE(MakeBaseBitmap("test-skins/Missing.png"));
}

}  // namespace
}  // namespace ventrio
