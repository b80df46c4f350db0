// The ventrioctl commands; each takes the arguments after its name and returns the exit code.
#pragma once

#include <string>
#include <vector>

namespace ventrio::cli {

int RunShow(const std::vector<std::string>& args);
int RunButtonTable(const std::vector<std::string>& args);
int RunEncodeMacros(const std::vector<std::string>& args);
int RunApply(const std::vector<std::string>& args);
int RunSimDump(const std::vector<std::string>& args);

}  // namespace ventrio::cli
