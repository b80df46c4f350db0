// ventrioctl button-table: the device button table that Apply would send for a configuration file.
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "assign/button_catalogue.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "config/config_files.h"
#include "platform/files.h"
#include "platform/hex.h"

namespace ventrio::cli {

int RunButtonTable(const std::vector<std::string>& args) {
    const ParsedArguments parsed = ParseArguments(args, {"--json"}, {});
    if (!parsed.error.empty()) {
        return UsageError(parsed.error);
    }
    if (parsed.positionals.size() != 1) {
        return UsageError("button-table takes one configuration file");
    }
    const std::filesystem::path file = PathFromUtf8(parsed.positionals.front());
    std::error_code error;
    const auto bytes = std::filesystem::is_regular_file(file, error)
                           ? ReadFileBytes(file, kConfigFileSize)
                           : std::nullopt;
    if (!bytes) {
        std::fprintf(stderr, "ventrioctl: cannot read %s\n", parsed.positionals.front().c_str());
        return 1;
    }
    // As the program reads it: the flag byte, then as much of the record as the file holds.
    ConfigRecord record;
    if (!bytes->empty()) {
        std::copy(bytes->begin() + 1, bytes->end(), record.bytes.begin());
    }
    const DeviceButtonTable table = BuildDeviceButtonTable(record);

    if (parsed.flags.contains("--json")) {
        const nlohmann::json out = {{"buttonTable", HexString(table)}};
        std::printf("%s\n", out.dump(2).c_str());
        return 0;
    }
    for (size_t slot = 0; slot < kDeviceButtonTableSize / 4; ++slot) {
        std::printf("%02zu: %s\n", slot,
                    HexString(std::span(table).subspan(4 * slot, 4), " ").c_str());
    }
    return 0;
}

}  // namespace ventrio::cli
