#include "device/upload.h"

#include <algorithm>

#include "assign/button_catalogue.h"

namespace ventrio {
namespace {

void PatchLighting(std::span<uint8_t, kSettingsPageSize> settingsPage, const ConfigRecord& record) {
    uint8_t* lighting = settingsPage.data() + page::kLighting;
    const uint8_t mode = record[rec::kLightingMode];
    const uint8_t modeOneLevel = record[rec::kLightingLevel];
    switch (mode) {
        case 0:
            lighting[0] = 0;
            lighting[1] = 0;
            break;
        case 1:
            if (modeOneLevel == 1) {
                lighting[0] = 0;
            } else {
                lighting[0] = 1;
                lighting[1] = static_cast<uint8_t>(modeOneLevel * 2);
                lighting[2] = 3;
            }
            break;
        case 2:
            lighting[0] = 2;
            lighting[1] = record[rec::kLightingLevel + 1];
            lighting[2] = 3;
            break;
        case 3:
            lighting[0] = 3;
            lighting[1] = static_cast<uint8_t>(record[rec::kLightingLevel + 2] * 3);
            break;
        default:
            lighting[0] = mode;
            break;
    }
}

}  // namespace

uint8_t StageMask(const ConfigRecord& record) {
    unsigned mask = record[rec::StageEnabled(kStageCount)];
    for (size_t stage = kStageCount - 1; stage >= 1; --stage) {
        mask = (mask * 2) | record[rec::StageEnabled(stage)];
    }
    return static_cast<uint8_t>(mask);
}

void PatchSettingsPage(std::span<uint8_t, kSettingsPageSize> settingsPage,
                       const ConfigRecord& record) {
    settingsPage[page::kFixed2] = 1;
    settingsPage[page::kFixed48] = 0x1E;
    settingsPage[page::kAngleSnap] = record[rec::kAngleSnap] != 0 ? 0x84 : 0x04;
    settingsPage[page::kFixed64] = 0x0F;
    settingsPage[page::kFixed70] = 7;
    PatchLighting(settingsPage, record);
    settingsPage[page::kXSensitivity] = static_cast<uint8_t>(record[rec::kXSensitivity] * 20);
    settingsPage[page::kYSensitivity] = static_cast<uint8_t>(record[rec::kYSensitivity] * 20);
    for (size_t stage = 1; stage <= kStageCount; ++stage) {
        settingsPage[page::kStageResolution + stage - 1] =
            static_cast<uint8_t>(record[rec::StageResolution(stage)] >> 1);
    }
    std::fill_n(settingsPage.begin() + page::kFixedOnes, page::kFixedOnesCount, 1);
    settingsPage[page::kStageMask] = StageMask(record);
    std::fill(settingsPage.begin() + page::kStageColours, settingsPage.end(), 0);
    std::copy_n(record.bytes.begin() + rec::kStageColour, 3 * kStageCount,
                settingsPage.begin() + page::kStageColours);
}

void UploadConfiguration(DeviceLink& link, ConfigState& state, ConfigFiles& files) {
    DeviceImage& image = link.Image();
    ConfigRecord& record = state.working;

    std::fill(image.SettingsPages().begin(), image.SettingsPages().end(), 0);
    link.SetFunctionOption();
    record[rec::kBank] = 0;
    image[img::kBank] = 0;
    link.SelectBank(0);
    link.SetPollingRate(record[rec::kPollingDivisor]);

    link.ReadSettingsPage();
    PatchSettingsPage(image.SettingsPage(), record);
    link.WriteSettingsPage();

    const DeviceButtonTable table = BuildDeviceButtonTable(record);
    std::copy(table.begin(), table.end(), image.ButtonTable().begin());
    link.WriteButtonTable();

    const auto macroArea = record.MacroArea();
    std::copy(macroArea.begin(), macroArea.end(), image.MacroArea().begin());
    link.WriteMacroSlots();

    files.SaveConfiguration();
    files.WriteLabels();
}

bool Apply(DeviceLink& link, ConfigState& state, ConfigFiles& files,
           SystemPointerSettings& pointerSettings) {
    if (link.DevicePresent() != 1) {
        return false;
    }
    UploadConfiguration(link, state, files);
    files.SaveConfiguration();
    files.WriteLabels();
    state.CopyWorkingToBackup();
    ApplyPointerSettings(state.working, pointerSettings);
    return true;
}

}  // namespace ventrio
