#include "config/config_files.h"

#include <vector>

#include "macro/macro_encoder.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/trace.h"

namespace ventrio {
namespace {

constexpr const char* kMissingTrace = "Config file is not exist.\n";
constexpr const char* kProfileSection = "Profile";
constexpr int kMaxProfiles = 6;

std::string ItemKey(int number) {
    return "Item" + std::to_string(number);
}

}  // namespace

std::string ProfileConfigName(int index) {
    return "config" + std::to_string(index) + ".bin";
}
std::string ProfileLabelName(int index) {
    return "str" + std::to_string(index) + ".ini";
}

ConfigFiles::ConfigFiles(ConfigState& state, std::filesystem::path folder)
    : m_state(state), m_folder(std::move(folder)), m_rebuilder(RebuildMacroAreaFromStore) {}

std::filesystem::path ConfigFiles::InFolder(const std::string& name) const {
    return m_folder / PathFromUtf8(name);
}

void ConfigFiles::FormStorePaths() {
    m_state.macroStore = InFolder(kMacroStoreName);
    m_state.profileList = InFolder(kBaseLabelName);
}

void ConfigFiles::LoadConfiguration() {
    FormStorePaths();
    if (m_state.ReloadFlag == 1) {
        m_state.configFile = InFolder(kFactoryConfigName);
        m_state.labelFile = InFolder(kBaseLabelName);
    } else {
        const IniFile profiles(m_state.profileList);
        const std::string current = profiles.GetString(kProfileSection, "CurProfileName");
        const long count = DecimalToLong(profiles.GetString(kProfileSection, "ItemCount"));
        // A count outside 1 to 6 means the list is unusable: keep everything as it is.
        if (count < 1 || count > kMaxProfiles) {
            return;
        }
        for (int i = 0; i < count; ++i) {
            // Exact comparison; with equal names the last one wins.
            if (profiles.GetString(kProfileSection, ItemKey(i)) == current) {
                m_state.ProfileIndex = static_cast<uint8_t>(i);
            }
        }
        m_state.configFile = InFolder(ProfileConfigName(m_state.ProfileIndex));
        m_state.labelFile = InFolder(ProfileLabelName(m_state.ProfileIndex));
    }
    ReadConfigurationFile(m_state.configFile, kMissingTrace);
    if (m_rebuilder) {
        m_rebuilder(m_state.working, m_state.macroStore);
    }
}

void ConfigFiles::ReadConfigurationFile(const std::filesystem::path& file,
                                        const char* missingTrace) {
    if (!FileExists(file)) {
        Trace(missingTrace);
        return;
    }
    const auto bytes = ReadFileBytes(file, kConfigFileSize);
    if (!bytes) {
        return;  // exists but cannot be opened: nothing changes
    }
    size_t recordBytes = 0;
    if (!bytes->empty()) {
        m_state.FirstRunFlag = (*bytes)[0];
        recordBytes = bytes->size() - 1;
        std::copy(bytes->begin() + 1, bytes->end(), m_state.working.bytes.begin());
    }
    TraceF("Program First Run Flag:%d\nRead Size is: %d", m_state.FirstRunFlag,
           static_cast<int>(recordBytes));
}

bool ConfigFiles::WriteConfigurationFile(const std::filesystem::path& file) {
    std::vector<uint8_t> contents;
    contents.reserve(kConfigFileSize);
    contents.push_back(1);
    contents.insert(contents.end(), m_state.working.bytes.begin(), m_state.working.bytes.end());
    if (const std::error_code error = WriteFileAtomic(file, contents)) {
        TraceF("Error Code is: %d \n", error.value());
        return false;
    }
    TraceF("Data num:%d BYTE -%d BYTE\n Struct size:%d BYTE", 1,
           static_cast<int>(kConfigRecordSize), static_cast<int>(kConfigRecordSize));
    return true;
}

void ConfigFiles::SaveConfiguration() {
    m_state.configFile = InFolder(ProfileConfigName(m_state.ProfileIndex));
    m_state.labelFile = InFolder(ProfileLabelName(m_state.ProfileIndex));
    // The six profile files are installed with the program; a missing one is never created.
    if (!FileExists(m_state.configFile)) {
        Trace(kMissingTrace);
        return;
    }
    WriteConfigurationFile(m_state.configFile);
}

void ConfigFiles::ReadLabels() {
    if (m_state.labelFile.empty()) {
        m_state.labels.fill(std::string());
        return;
    }
    ReadLabels(m_state.labelFile);
}

void ConfigFiles::ReadLabels(const std::filesystem::path& file) {
    const IniFile labels(file);
    for (size_t i = 0; i < kButtonCount; ++i) {
        m_state.labels[i] =
            labels.GetString(m_state.labelSection, ItemKey(static_cast<int>(i) + 1));
    }
}

void ConfigFiles::WriteLabels() {
    if (!m_state.labelFile.empty()) {
        WriteLabels(m_state.labelFile);
    }
}

void ConfigFiles::WriteLabels(const std::filesystem::path& file) {
    IniFile(file).Edit([this](IniDocument& doc) {
        for (size_t i = 0; i < kButtonCount; ++i) {
            doc.Write(m_state.labelSection, ItemKey(static_cast<int>(i) + 1), m_state.labels[i]);
        }
        return true;
    });
}

void ConfigFiles::LoadProfileByIndex(int index) {
    FormStorePaths();
    m_state.configFile = InFolder(ProfileConfigName(index));
    m_state.labelFile = InFolder(ProfileLabelName(index));
    ReadConfigurationFile(m_state.configFile, "Config file is not exist.");
}

}  // namespace ventrio
