#include "cli/command_line.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/trace.h"

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

std::optional<std::filesystem::path> DataFolder(const ParsedArguments& parsed) {
    std::filesystem::path folder = ExecutableFolder();
    if (const auto dir = parsed.values.find("--dir"); dir != parsed.values.end()) {
        folder = PathFromUtf8(dir->second);
    }
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        UsageError("no such folder: " + PathToUtf8(folder));
        return std::nullopt;
    }
    return folder;
}

void TraceToStandardErrorIfAsked(const ParsedArguments& parsed) {
    if (parsed.flags.contains("--trace")) {
        SetTraceSink(
            [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); });
    }
}

}  // namespace ventrio::cli
