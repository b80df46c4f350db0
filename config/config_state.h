// The process-wide configuration state: the working and backup records, the current profile and
// the files in use. One instance lives for the whole process; everything that edits the record
// reaches it through its owner.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "config/config_record.h"

namespace ventrio {

using LabelList = std::array<std::string, kButtonCount>;

struct ConfigState {
    ConfigRecord working;  // edited in place by every panel, menu and dialog
    ConfigRecord backup;   // the state last loaded or applied; Cancel returns to it

    uint8_t ProfileIndex = 0;
    uint8_t ReloadFlag = 0;  // 1 only while a factory reset loads the factory files
    uint8_t FirstRunFlag = 0;

    // Full paths; an empty path is "not chosen yet".
    std::filesystem::path configFile;
    std::filesystem::path labelFile;
    std::filesystem::path macroStore;
    std::filesystem::path profileList;

    // The section of a label file that holds this language's button labels ("Setting-EN", ...).
    std::string labelSection;
    LabelList labels;

    void CopyWorkingToBackup() { backup = working; }
    void CopyBackupToWorking() { working = backup; }
};

}  // namespace ventrio
