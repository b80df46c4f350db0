// The factory data set: what a new mouse comes with, declared once and written into every build
// output folder that holds a program.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "config/config_record.h"

namespace ventrio {

struct FactoryField {
    size_t offset;
    std::vector<uint8_t> bytes;
    const char* meaning;
};

// Every record field the factory sets; all other bytes are zero.
const std::vector<FactoryField>& FactoryFields();
ConfigRecord FactoryRecord();

// Writes config.bin, config0.bin to config5.bin, str.ini, str0.ini to str5.ini and record.ini
// into `folder`, replacing what is there. Returns an error text, empty on success.
std::string WriteFactoryDataSet(const std::filesystem::path& folder);

}  // namespace ventrio
