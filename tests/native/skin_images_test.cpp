// The rendered skin against the layouts that use it. Windows take their size from their
// background, markers cut fixed rectangles out of their track images, and click rings and button
// marks assume images of one exact size: an image of the wrong size or under the wrong name
// breaks a window silently, so every name a window loads is listed here with the size its
// layout needs.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct SkinImage {
    std::string_view name;  // under Skins/, in the letter case the build renders
    std::uint32_t width;
    std::uint32_t height;
};

// clang-format off
constexpr SkinImage kSkinImages[] = {
    // Main window. The background sets the window: the container ends at x = 995, the bottom
    // buttons at y = 634.
    {"main.png", 1000, 645},
    {"Logo.png", 242, 70},
    {"MLogo.png", 200, 60},
    {"BK_MainMid.png", 472, 515},          // picture area (262, 35)-(734, 550)
    {"BK_MainLeft.png", 242, 400},         // left column (20, 107)-(262, 507)
    {"BK_MainRight.png", 260, 563},        // container width, smallest scroll height
    {"ItemBK.png", 242, 20},               // section headers, cut (0, 0, 242, 20)
    {"MacroManagementBK.png", 242, 38},
    {"ButtonAssignment/BK_ButtonAssignment.png", 242, 170},  // H: seven rows from 154, to 297
    {"ButtonAssignment/DropdownBox-normal.png", 130, 16},
    {"ButtonAssignment/DropdownBox-over.png", 130, 16},
    {"XYSensitivity/BK_XYSensSetting.png", 242, 135},
    {"StageSlider/1.png", 209, 11},        // lighting cut (1, 0, 128, 11); axis 208 x 9
    {"StageSlider/10.png", 209, 11},
    {"button-cancel-normal.png", 57, 30},  // Apply, Cancel, Reset
    {"button-cancel-over.png", 57, 30},
    {"button-cancel-leave.png", 57, 30},
    {"button-save-leave.png", 57, 30},
    {"button-config-normal.png", 72, 30},
    {"button-config-over.png", 72, 30},
    {"button-config-leave.png", 72, 30},
    {"button-help-normal.png", 15, 15},
    {"button-help-over.png", 15, 15},
    {"button-min-normal.png", 15, 15},
    {"button-min-over.png", 15, 15},
    {"button-close-normal.png", 15, 15},
    {"button-close-over.png", 15, 15},
    {"button-mouse-normal.png", 62, 29},
    {"button-mouse-over.png", 62, 29},
    {"button-mouse-leave.png", 62, 29},

    // Mouse views and their button marks (a mark is a 24-pixel pin over its button).
    {"Mouse/Front/MouseFront.png", 300, 500},
    {"Mouse/Side/MouseSide.png", 300, 490},
    {"Mouse/Back/MouseBack.png", 230, 440},
    {"Mouse/Front/F-1-normal.png", 24, 24}, {"Mouse/Front/F-1-over.png", 24, 24},
    {"Mouse/Front/F-2-normal.png", 24, 24}, {"Mouse/Front/F-2-over.png", 24, 24},
    {"Mouse/Front/F-3-normal.png", 24, 24}, {"Mouse/Front/F-3-over.png", 24, 24},
    {"Mouse/Front/F-4-normal.png", 24, 24}, {"Mouse/Front/F-4-over.png", 24, 24},
    {"Mouse/Front/F-5-normal.png", 24, 24}, {"Mouse/Front/F-5-over.png", 24, 24},
    {"Mouse/Front/F-6-normal.png", 24, 24}, {"Mouse/Front/F-6-over.png", 24, 24},
    {"Mouse/Front/F-7-normal.png", 24, 24}, {"Mouse/Front/F-7-over.png", 24, 24},
    {"Mouse/Side/S-1-normal.png", 24, 24},  {"Mouse/Side/S-1-over.png", 24, 24},
    {"Mouse/Side/S-2-normal.png", 24, 24},  {"Mouse/Side/S-2-over.png", 24, 24},
    {"Mouse/Side/S-3-normal.png", 24, 24},  {"Mouse/Side/S-3-over.png", 24, 24},
    {"Mouse/Side/S-4-normal.png", 24, 24},  {"Mouse/Side/S-4-over.png", 24, 24},
    {"Mouse/Side/S-5-normal.png", 24, 24},  {"Mouse/Side/S-5-over.png", 24, 24},
    {"Mouse/Side/S-6-normal.png", 24, 24},  {"Mouse/Side/S-6-over.png", 24, 24},
    {"Mouse/Side/S-7-normal.png", 24, 24},  {"Mouse/Side/S-7-over.png", 24, 24},
    {"Mouse/Back/B-4-normal.png", 24, 24},  {"Mouse/Back/B-4-over.png", 24, 24},
    {"Mouse/Back/B-5-normal.png", 24, 24},  {"Mouse/Back/B-5-over.png", 24, 24},

    // Settings container panels: 242 wide like the headers, tall enough for what they place.
    {"DPISetting/BK_DPISetting.png", 242, 235},
    {"DPISetting/BK-DPIValue.png", 25, 11},
    {"DPISetting/DPIStage/0.png", 7, 169},  // cut (0, 0, 7, 169)
    {"DPISetting/DPIStage/82.png", 7, 169},
    {"Lighting/BK_Lighting.png", 242, 115},
    {"USBReportRate/BK_USBReportRate.png", 242, 133},
    {"USBReportRate/1000HZ.png", 128, 123},  // dial rectangle (57, 5)-(185, 128)
    {"USBReportRate/500HZ.png", 128, 123},
    {"USBReportRate/250HZ.png", 128, 123},
    {"USBReportRate/125HZ.png", 128, 123},
    {"MouseAttribute/BK_MouseAttribute.png", 242, 115},  // also the lighting panel's base
    {"MouseAttribute/BK_ScrollSpeed.png", 242, 76},
    {"MouseAttribute/Speed/1.png", 142, 83},  // dial rectangle (50, 20)-(192, 103)
    {"MouseAttribute/Speed/2.png", 142, 83},
    {"MouseAttribute/Speed/3.png", 142, 83},
    {"MouseAttribute/Speed/4.png", 142, 83},
    {"MouseAttribute/Speed/5.png", 142, 83},
    {"MouseAttribute/Speed/6.png", 142, 83},
    {"MouseAttribute/Speed/7.png", 142, 83},
    {"MouseAttribute/Speed/8.png", 142, 83},
    {"MouseAttribute/Speed/9.png", 142, 83},
    {"MouseAttribute/Speed/10.png", 142, 83},
    {"MouseAttribute/Speed/11.png", 142, 83},
    {"MouseAttribute/ScrollSpeed/Enable.png", 11, 12},
    {"MouseAttribute/ScrollSpeed/Disable.png", 11, 12},
    {"MouseAttribute/ScrollSpeed/ScrollLines.png", 36, 14},
    {"AngleSnap/BK_AngleSnap.png", 242, 70},
    {"Enable.png", 10, 10},  // toggles 10 x 9, radios 10 x 10
    {"Disable.png", 10, 10},

    // Macro manager, macro assignment and key capture dialogs.
    {"MacroManagement/MacroManagement.png", 495, 437},
    {"MacroManagement/button-cancel-normal.png", 54, 25},  // areas 54 x 28 and 64 x 25
    {"MacroManagement/button-cancel-over.png", 54, 25},
    {"MacroManagement/button-new-normal.png", 58, 25},
    {"MacroManagement/button-new-over.png", 58, 25},
    {"MacroManagement/Pane.png", 14, 14},
    {"MacroManagement/PaneMakingTick.png", 14, 14},
    {"MacroManagement/Record-normal.png", 122, 24},
    {"MacroManagement/Record-over.png", 122, 24},
    {"macro-button-close-normal.png", 51, 24},
    {"macro-button-close-over.png", 51, 24},
    {"macro-key.png", 400, 290},
    {"Pane.png", 16, 16},
    {"PaneMakingTick.png", 16, 16},
    {"single-key.png", 400, 290},

    // Profile page and splash.
    {"Config/Config.png", 263, 598},
    {"Config/New-Config.png", 12, 12},
    {"Config/Del-Config.png", 12, 12},
    {"splash.png", 543, 425},
};
// clang-format on

const fs::path kSkinDir = fs::path(VENTRIO_OUTPUT_DIR) / "Skins";

std::vector<unsigned char> ReadHead(const fs::path& path, std::size_t count) {
    std::vector<unsigned char> bytes(count);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::uint32_t BigEndian32(const std::vector<unsigned char>& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 |
           std::uint32_t{b[at + 2]} << 8 | std::uint32_t{b[at + 3]};
}

std::uint32_t LittleEndian(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = value << 8 | b[at + static_cast<std::size_t>(i)];
    }
    return value;
}

struct Size {
    std::uint32_t width;
    std::uint32_t height;
    bool operator==(const Size&) const = default;
};

void PrintTo(const Size& size, std::ostream* os) {
    *os << size.width << " x " << size.height;
}

// Width and height from the IHDR chunk, which a valid PNG must carry first.
std::optional<Size> ReadPngSize(const fs::path& path) {
    const auto head = ReadHead(path, 24);
    static constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (head.size() < 24 ||
        !std::equal(std::begin(kSignature), std::end(kSignature), head.begin()) ||
        std::memcmp(head.data() + 12, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    return Size{BigEndian32(head, 16), BigEndian32(head, 20)};
}

TEST(SkinImages, EveryImageTheWindowsLoadHasItsLayoutSize) {
    for (const auto& image : kSkinImages) {
        SCOPED_TRACE(std::string(image.name));
        const auto size = ReadPngSize(kSkinDir / image.name);
        if (!size) {
            ADD_FAILURE() << "missing or not a PNG";
            continue;
        }
        EXPECT_EQ(*size, (Size{image.width, image.height}));
    }
}

// An image under a name no window asks for is a misspelt one: the window that wanted it shows
// a hole.
TEST(SkinImages, SkinFolderHoldsOnlyImagesTheWindowsLoad) {
    std::set<std::string> known;
    for (const auto& image : kSkinImages) {
        known.emplace(image.name);
    }
    ASSERT_TRUE(fs::is_directory(kSkinDir));
    for (const auto& entry : fs::recursive_directory_iterator(kSkinDir)) {
        if (entry.is_regular_file()) {
            const auto name = entry.path().lexically_relative(kSkinDir).generic_string();
            EXPECT_TRUE(known.contains(name)) << name;
        }
    }
}

// LoadBitmap takes the scroll-bar skin as a plain BMP; the bar divides it into 9 x 3 cells of
// 13 x 16.
TEST(SkinResources, ScrollBarBitmapIsA24BitGridOf13By16Cells) {
    const auto head = ReadHead(VENTRIO_SCROLLBAR_BMP, 54);
    ASSERT_EQ(head.size(), 54u);
    EXPECT_EQ(head[0], 'B');
    EXPECT_EQ(head[1], 'M');
    EXPECT_GE(LittleEndian(head, 14, 4), 40u) << "needs a BITMAPINFOHEADER";
    EXPECT_EQ(LittleEndian(head, 18, 4), 117u);
    EXPECT_EQ(LittleEndian(head, 22, 4), 48u) << "bottom-up, as LoadBitmap expects";
    EXPECT_EQ(LittleEndian(head, 28, 2), 24u) << "bits per pixel";
    EXPECT_EQ(LittleEndian(head, 30, 4), 0u) << "uncompressed";
}

// The window and the notification area ask for 16 and 32 pixels, larger screens for more; every
// size is drawn, not scaled by the system.
TEST(SkinResources, IconHoldsEverySizeFrom16To256) {
    const auto head = ReadHead(VENTRIO_ICON_FILE, 6 + 16 * 16);
    ASSERT_GE(head.size(), 6u);
    EXPECT_EQ(LittleEndian(head, 0, 2), 0u);
    EXPECT_EQ(LittleEndian(head, 2, 2), 1u) << "an icon, not a cursor";
    const auto count = LittleEndian(head, 4, 2);
    ASSERT_GE(head.size(), 6 + 16 * std::size_t{count});
    std::set<std::uint32_t> sizes;
    for (std::size_t i = 0; i < count; ++i) {
        const auto width = head[6 + 16 * i] == 0 ? 256u : std::uint32_t{head[6 + 16 * i]};
        const auto height = head[7 + 16 * i] == 0 ? 256u : std::uint32_t{head[7 + 16 * i]};
        EXPECT_EQ(width, height);
        sizes.insert(width);
    }
    EXPECT_EQ(sizes, (std::set<std::uint32_t>{16, 24, 32, 48, 64, 128, 256}));
}

}  // namespace
