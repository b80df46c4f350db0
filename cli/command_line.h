// Option parsing shared by the ventrioctl commands.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ventrio::cli {

struct ParsedArguments {
    std::set<std::string> flags;                // given switches, e.g. "--json"
    std::map<std::string, std::string> values;  // options with a value, e.g. "--dir"
    std::vector<std::string> positionals;
    std::string error;  // empty when the arguments are well formed
};

ParsedArguments ParseArguments(const std::vector<std::string>& args,
                               const std::set<std::string>& knownFlags,
                               const std::set<std::string>& knownValues);

// Prints "ventrioctl: <message>" on standard error; returns the exit code for usage errors.
int UsageError(const std::string& message);

// The folder of the --dir option, by default the folder of ventrioctl itself; nullopt (after the
// usage error is printed) when it is not a folder.
std::optional<std::filesystem::path> DataFolder(const ParsedArguments& parsed);

// With --trace, the program's debug lines go verbatim to standard error.
void TraceToStandardErrorIfAsked(const ParsedArguments& parsed);

}  // namespace ventrio::cli
