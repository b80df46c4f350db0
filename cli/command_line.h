// Option parsing shared by the ventrioctl commands.
#pragma once

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

}  // namespace ventrio::cli
