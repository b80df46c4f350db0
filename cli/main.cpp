// ventrioctl: the command-line companion of the mouse utility, on the same core as the program.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>& args);
    const char* usage;
};

const Command kCommands[] = {
    {"show", ventrio::cli::RunShow,
     "show [--dir DIR] [--json] [--trace]   the configuration start-up would load from DIR"},
};

int PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: ventrioctl COMMAND [OPTIONS]\n\ncommands:\n");
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %s\n", command.usage);
    }
    return out == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return PrintUsage(stderr);
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        return PrintUsage(stdout);
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& command : kCommands) {
        if (name == command.name) {
            return command.run(args);
        }
    }
    std::fprintf(stderr, "ventrioctl: unknown command %s\n", name.c_str());
    return PrintUsage(stderr);
}
