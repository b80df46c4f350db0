// ventrioctl: the command-line companion of the mouse utility, on the same core as the program.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef _WIN32
#include "platform/win/wide_text.h"
#endif

namespace {

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>& args);
    const char* usage;
};

const Command kCommands[] = {
    {"show", ventrio::cli::RunShow,
     "show [--dir DIR] [--json] [--trace]   the configuration start-up would load from DIR"},
    {"button-table", ventrio::cli::RunButtonTable,
     "button-table FILE [--json]            the device button table of a configuration file"},
    {"encode-macros", ventrio::cli::RunEncodeMacros,
     "encode-macros [--dir DIR] [--json]    the macro manager's blocks for DIR's macro store"},
    {"apply", ventrio::cli::RunApply,
     "apply [--dir DIR] --sim STATE|--device [--json] [--trace] [--real-time]\n"
     "        applies the configuration of DIR to the simulated mouse kept in STATE (created\n"
     "        from the factory state when missing, written back afterwards) or to the mouse"},
    {"sim-dump", ventrio::cli::RunSimDump,
     "sim-dump STATE   the simulated mouse's memory as JSON (the factory state when STATE\n"
     "        does not exist)"},
};

int PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: ventrioctl COMMAND [OPTIONS]\n\ncommands:\n");
    for (const Command& command : kCommands) {
        std::fprintf(out, "  %s\n", command.usage);
    }
    return out == stdout ? 0 : 2;
}

int Run(const std::vector<std::string>& argv) {
    if (argv.size() < 2) {
        return PrintUsage(stderr);
    }
    const std::string& name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        return PrintUsage(stdout);
    }
    const std::vector<std::string> args(argv.begin() + 2, argv.end());
    for (const Command& command : kCommands) {
        if (name == command.name) {
            return command.run(args);
        }
    }
    std::fprintf(stderr, "ventrioctl: unknown command %s\n", name.c_str());
    return PrintUsage(stderr);
}

}  // namespace

#ifdef _WIN32
// The wide entry point: narrow arguments would pass through the ANSI code page and lose text.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        args.push_back(ventrio::Narrow(argv[i]));
    }
    return Run(args);
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv, argv + argc));
}
#endif
