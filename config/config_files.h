// Loading and saving the configuration and label files of the current profile.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "config/config_state.h"

namespace ventrio {

inline constexpr size_t kConfigFileSize = 1 + kConfigRecordSize;

// Rebuilds the record's macro area from the macro store after a profile has been loaded.
using MacroAreaRebuilder =
    std::function<void(ConfigRecord& record, const std::filesystem::path& macroStore)>;

class ConfigFiles {
  public:
    // `folder` is the executable's folder: every data file is named relative to it.
    ConfigFiles(ConfigState& state, std::filesystem::path folder);

    // Rebuilding the macro area belongs to every load, so the macro store's encoder is in place
    // from the start; tests put their own in.
    void SetMacroAreaRebuilder(MacroAreaRebuilder rebuilder) { m_rebuilder = std::move(rebuilder); }

    void LoadConfiguration();
    void SaveConfiguration();
    void ReadLabels();
    void ReadLabels(const std::filesystem::path& file);
    void WriteLabels();
    void WriteLabels(const std::filesystem::path& file);
    void LoadProfileByIndex(int index);

    // Writes flag byte 1 and the working record to `file`, replacing it atomically; the caller
    // decides whether the file must exist beforehand. Returns false after tracing the error.
    bool WriteConfigurationFile(const std::filesystem::path& file);

    const std::filesystem::path& Folder() const { return m_folder; }
    std::filesystem::path InFolder(const std::string& name) const;

  private:
    // Reads the flag byte and up to 1773 record bytes; `missingTrace` is written when the file
    // does not exist.
    void ReadConfigurationFile(const std::filesystem::path& file, const char* missingTrace);
    void FormStorePaths();

    ConfigState& m_state;
    std::filesystem::path m_folder;
    MacroAreaRebuilder m_rebuilder;
};

// The names of the files in the program folder.
std::string ProfileConfigName(int index);  // "config%d.bin"
std::string ProfileLabelName(int index);   // "str%d.ini"
inline constexpr const char* kFactoryConfigName = "config.bin";
inline constexpr const char* kBaseLabelName = "str.ini";
inline constexpr const char* kMacroStoreName = "record.ini";

}  // namespace ventrio
