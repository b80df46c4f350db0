#include "config/profile_operations.h"

#include <algorithm>
#include <array>

#include "device/upload.h"
#include "platform/files.h"
#include "platform/trace.h"

namespace ventrio {
namespace {

constexpr int kMaxProfileIndex = 5;

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string FileName(const std::filesystem::path& path) {
    return PathToUtf8(path.filename());
}

bool HasProfileExtension(const std::string& name) {
    return name.find(".bin") != std::string::npos;
}

}  // namespace

std::filesystem::path LabelFileBeside(const std::filesystem::path& profileFile) {
    // Only the name changes: a folder whose name holds ".bin" is still the folder chosen.
    return profileFile.parent_path() /
           PathFromUtf8(ReplaceAll(FileName(profileFile), ".bin", ".ini"));
}

ProfileOperations::ProfileOperations(ConfigState& state, ConfigFiles& files, DeviceLink& link,
                                     SystemPointerSettings& pointerSettings,
                                     ProfileFileDialogs& dialogs, ProfileWindow& window)
    : m_state(state),
      m_files(files),
      m_link(link),
      m_pointerSettings(pointerSettings),
      m_dialogs(dialogs),
      m_window(window) {}

void ProfileOperations::RestoreFactoryDefaults() {
    ConfigRecord& record = m_state.working;
    const uint8_t bank = record[rec::kBank];
    std::array<uint8_t, rec::kMacroAreaSize> macros;
    std::copy(record.MacroArea().begin(), record.MacroArea().end(), macros.begin());

    m_state.ReloadFlag = 1;
    m_files.LoadConfiguration();
    m_files.ReadLabels();
    // A factory reset keeps the user's macros.
    record[rec::kBank] = bank;
    std::copy(macros.begin(), macros.end(), record.MacroArea().begin());

    if (m_link.DevicePresent() == 1) {
        UploadConfiguration(m_link, m_state, m_files);
        m_files.SaveConfiguration();
        m_files.WriteLabels();
        m_state.CopyWorkingToBackup();
        ApplyPointerSettings(record, m_pointerSettings);
    }
    m_state.ReloadFlag = 0;
}

void ProfileOperations::ImportProfile() {
    const std::optional<std::filesystem::path> chosen =
        m_dialogs.ChooseImportFile(m_state.configFile);
    if (!chosen) {
        return;
    }
    const std::string name = FileName(*chosen);
    if (!HasProfileExtension(name)) {
        return;
    }
    // Only the proposal of the next file dialog: saving forms its own path.
    m_state.configFile = m_files.InFolder(name);
    if (!FileExists(*chosen)) {
        Trace("Config file is not exist.\n");
        return;
    }
    if (FileSize(*chosen) == kConfigFileSize) {
        const auto bytes = ReadFileBytes(*chosen, kConfigFileSize);
        if (bytes && bytes->size() == kConfigFileSize) {
            m_state.FirstRunFlag = (*bytes)[0];
            std::copy(bytes->begin() + 1, bytes->end(), m_state.working.bytes.begin());
        }
    }
    m_state.labelFile = m_files.InFolder(ReplaceAll(name, ".bin", ".ini"));
    m_files.ReadLabels(LabelFileBeside(*chosen));
}

void ProfileOperations::ExportProfile() {
    const std::optional<std::filesystem::path> chosen =
        m_dialogs.ChooseExportFile(m_state.configFile);
    if (!chosen) {
        return;
    }
    std::filesystem::path file = *chosen;
    const std::string name = FileName(file);
    if (!HasProfileExtension(name)) {
        file = file.parent_path() / PathFromUtf8(name + ".bin");
    }
    m_files.WriteLabels(LabelFileBeside(file));
    m_files.WriteConfigurationFile(file);
    // Unapplied edits leave the working record here; they live on in the exported file.
    m_files.LoadConfiguration();
}

void ProfileOperations::OnProfileCommand(uint64_t wParam, int64_t lParam) {
    switch (wParam) {
        case kProfileImport:
            m_importPending = 1;
            ImportProfile();
            m_window.RefreshAllFromRecord();
            break;
        case kProfileExport:
            ExportProfile();
            break;
        case kProfileSwitch:
            SwitchProfile(lParam);
            break;
        default:
            break;
    }
}

void ProfileOperations::SwitchProfile(int64_t index) {
    if (m_importPending == 1) {
        m_importPending = 0;
        m_window.CloseProfileManager();
        return;
    }
    // The manager only ever asks for one of its six profiles; anything else only closes it.
    if (index < 0 || index > kMaxProfileIndex || index == m_lastSwitchedProfile) {
        m_window.CloseProfileManager();
        return;
    }
    const auto profile = static_cast<uint8_t>(index);
    m_lastSwitchedProfile = profile;
    m_state.working[rec::kBank] = profile;
    m_link.SelectBank(m_link.Image()[img::kBank]);
    m_files.LoadProfileByIndex(profile);
    m_files.ReadLabels();
    m_window.RefreshMarkersAndLabels();
    m_window.CloseProfileManager();
}

}  // namespace ventrio
