// Small helpers shared by the native tests: a private folder per test and raw file access.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ventrio::test {

// A fresh empty folder, removed with everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::filesystem::path& path, std::string_view text);  // raw bytes
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);

// The bytes of `utf8` as a UTF-16LE file with a byte-order mark, the way the program writes INI
// files.
std::vector<uint8_t> Utf16File(std::string_view utf8);
// The text of a UTF-16LE file with a byte-order mark, as UTF-8.
std::string ReadUtf16File(const std::filesystem::path& path);

// Runs a shell command line; standard error is kept apart from standard output.
struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
CommandResult RunCommand(const std::string& commandLine);
// The path of a program in the build output folder, quoted for the shell.
std::string OutputProgram(std::string_view name);

// Runs ventrioctl with each case's arguments and expects a failure: a non-zero exit, the case's
// message on standard error and nothing on standard output.
void ExpectVentrioctlFailures(std::initializer_list<std::pair<std::string, std::string>> cases);

// Copies the generated factory data set (configuration, label and macro files) into `folder`.
void CopyFactoryDataSet(const std::filesystem::path& folder);

}  // namespace ventrio::test
