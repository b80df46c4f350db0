// ventrioctl sim-dump: the simulated mouse's memory as JSON.
#include <cstdio>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "platform/files.h"
#include "sim/sim_state.h"

namespace ventrio::cli {

int RunSimDump(const std::vector<std::string>& args) {
    const ParsedArguments parsed = ParseArguments(args, {}, {});
    if (!parsed.error.empty()) {
        return UsageError(parsed.error);
    }
    if (parsed.positionals.size() != 1) {
        return UsageError("sim-dump needs one STATE file");
    }
    std::string error;
    const std::optional<SimState> state =
        LoadSimStateFile(PathFromUtf8(parsed.positionals.front()), error);
    if (!state) {
        std::fprintf(stderr, "ventrioctl: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", SimStateToJson(*state).c_str());
    return 0;
}

}  // namespace ventrio::cli
