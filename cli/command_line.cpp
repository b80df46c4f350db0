#include "cli/command_line.h"

#include <cstdio>

namespace ventrio::cli {

ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               const std::set<std::string>& knownFlags,
                               const std::set<std::string>& knownValues) {
    ParsedArguments parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (knownFlags.contains(arg)) {
            parsed.flags.insert(arg);
        } else if (knownValues.contains(arg)) {
            if (i + 1 >= args.size()) {
                parsed.error = "option " + arg + " needs a value";
                return parsed;
            }
            parsed.values[arg] = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option " + arg;
            return parsed;
        } else {
            parsed.positionals.push_back(arg);
        }
    }
    return parsed;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "ventrioctl: %s\n", message.c_str());
    return 2;
}

}  // namespace ventrio::cli
