// The operations that replace the working record as a whole and involve the mouse, the file
// dialogs or the profile manager: the factory reset, import and export of a profile, and the
// requests the profile manager posts to the main window (WM_PROFILE_COMMAND).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "config/config_files.h"
#include "config/config_state.h"
#include "device/device_link.h"
#include "platform/pointer_settings.h"

namespace ventrio {

inline constexpr uint32_t WM_PROFILE_COMMAND = 0xB03;
inline constexpr uint64_t kProfileImport = 0;
inline constexpr uint64_t kProfileExport = 1;
inline constexpr uint64_t kProfileSwitch = 2;

// What the system file dialogs of import and export are given: the main window as owner, these
// flags (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST) and this filter, and the
// configuration file in use as the proposed file.
inline constexpr uint32_t kProfileDialogFlags = 0x1006;
inline constexpr const char* kProfileDialogFilter = "Gaming Mouse Profile(*.bin)|*.bin||";

// The system's open-file and save-file dialogs; nullopt when the user cancels.
class ProfileFileDialogs {
  public:
    virtual ~ProfileFileDialogs() = default;
    virtual std::optional<std::filesystem::path> ChooseImportFile(
        const std::filesystem::path& proposed) = 0;
    virtual std::optional<std::filesystem::path> ChooseExportFile(
        const std::filesystem::path& proposed) = 0;
};

// What the main window does for the profile operations.
class ProfileWindow {
  public:
    virtual ~ProfileWindow() = default;
    // After an import: the axis markers, every settings panel and the button labels.
    virtual void RefreshAllFromRecord() = 0;
    // After a profile switch: the axis markers and the button labels.
    virtual void RefreshMarkersAndLabels() = 0;
    // Destroys and forgets the profile manager page and shows what it covered.
    virtual void CloseProfileManager() = 0;
};

class ProfileOperations {
  public:
    ProfileOperations(ConfigState& state, ConfigFiles& files, DeviceLink& link,
                      SystemPointerSettings& pointerSettings, ProfileFileDialogs& dialogs,
                      ProfileWindow& window);

    // Reloads the factory record, keeping the bank byte and the macro area; with the mouse
    // present also uploads, saves, updates the backup and applies the pointer settings.
    void RestoreFactoryDefaults();
    void ImportProfile();
    void ExportProfile();
    // WM_PROFILE_COMMAND: wParam 0 import, 1 export, 2 switch to the profile lParam.
    void OnProfileCommand(uint64_t wParam, int64_t lParam);

    uint8_t LastSwitchedProfile() const { return m_lastSwitchedProfile; }
    int ImportPending() const { return m_importPending; }

  private:
    void SwitchProfile(int64_t index);

    ConfigState& m_state;
    ConfigFiles& m_files;
    DeviceLink& m_link;
    SystemPointerSettings& m_pointerSettings;
    ProfileFileDialogs& m_dialogs;
    ProfileWindow& m_window;
    uint8_t m_lastSwitchedProfile = 0;
    int m_importPending = 0;
};

// The label file that belongs to a profile file: every ".bin" of its name becomes ".ini".
std::filesystem::path LabelFileBeside(const std::filesystem::path& profileFile);

}  // namespace ventrio
