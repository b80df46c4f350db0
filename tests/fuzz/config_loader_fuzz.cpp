// Start-up's file steps against arbitrary profile lists, configuration files and label files:
// no crash, no access outside the record, whatever the files hold.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/profile_loading.h"

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("ventrio-fuzz-config-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// A plain write: the fuzzer needs speed, not the durability of the program's own writes.
void Write(const std::string& name, const uint8_t* data, size_t size) {
    std::ofstream(Folder() / name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The input is cut into the profile list, a label file and a configuration file; the last
    // byte picks the profile they belong to, so a list naming another profile meets missing files.
    const size_t third = size / 3;
    const int profile = size > 0 ? data[size - 1] % 6 : 0;
    std::filesystem::remove_all(Folder());
    std::filesystem::create_directories(Folder());
    Write("str.ini", data, third);
    Write("str" + std::to_string(profile) + ".ini", data + third, third);
    Write("config" + std::to_string(profile) + ".bin", data + 2 * third, size - 2 * third);

    ventrio::ConfigState state;
    ventrio::ConfigFiles files(state, Folder());
    ventrio::Localisation localisation;
    ventrio::LoadProfileAtStartup(files, state, localisation);
    if (state.ProfileIndex > 5) {
        __builtin_trap();
    }
    return 0;
}
