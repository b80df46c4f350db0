#include <gtest/gtest.h>

#include "skin/premultiply.h"
#include "skin/skin_path.h"
#include "tests/native/test_support.h"

namespace ventrio {
namespace {

TEST(SkinPaths, NamesSplitTheWayWindowsReadsThem) {
    using Steps = std::vector<std::string>;
    EXPECT_EQ(SkinNameSteps("Skins\\Enable.png"), (Steps{"Skins", "Enable.png"}));
    EXPECT_EQ(SkinNameSteps("/skins/BK_MainRight.png"), (Steps{"skins", "BK_MainRight.png"}));
    EXPECT_EQ(SkinNameSteps("Skins\\/Config/Config.png"), (Steps{"Skins", "Config", "Config.png"}));
    EXPECT_EQ(SkinNameSteps("\\\\skins\\.\\ItemBK.png\\"), (Steps{"skins", "ItemBK.png"}));
    EXPECT_EQ(SkinNameSteps(""), Steps{});
}

TEST(SkinPaths, AnyLetterCaseAndSeparatorFindsTheFileOnDisk) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "skins" / "USBReportRate");
    test::WriteText(dir / "skins" / "USBReportRate" / "500HZ.png", "png");
    const auto expected = dir / "skins" / "USBReportRate" / "500HZ.png";

    for (const char* name :
         {"Skins\\/USBReportRate/500HZ.png", "\\SKINS\\\\usbreportrate\\500hz.PNG",
          "skins/USBReportRate/500HZ.png"}) {
        EXPECT_EQ(ResolveSkinPath(dir.Path(), name), expected) << name;
    }
}

TEST(SkinPaths, AMissingImageResolvesToAPathThatDoesNotExist) {
    test::TempDir dir;
    std::filesystem::create_directories(dir / "Skins");
    const auto path = ResolveSkinPath(dir.Path(), "skins\\Mouse\\Front\\F-1-normal.png");
    EXPECT_EQ(path, dir / "Skins" / "Mouse" / "Front" / "F-1-normal.png");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SkinPixels, PremultiplyScalesColoursByAlphaAndTruncates) {
    std::vector<uint8_t> pixels = {
        255, 255, 255, 128,  // colour 255 at alpha 128 is stored as 128
        10,  200, 255, 0,    // fully transparent: black
        200, 100, 1,   100,  // 78.4, 39.2, 0.39
        12,  34,  56,  255,  // opaque: unchanged
        77,  88,             // a partial pixel is left alone
    };
    PremultiplyBgra(pixels);
    const std::vector<uint8_t> expected = {128, 128, 128, 128, 0,  0,  0,   0,  78,
                                           39,  0,   100, 12,  34, 56, 255, 77, 88};
    EXPECT_EQ(pixels, expected);
}

}  // namespace
}  // namespace ventrio
