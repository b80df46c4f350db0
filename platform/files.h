// File services: the program folder, existence and size, whole-file reads and atomic replacement.
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace ventrio {

// The folder of the running executable, computed once.
std::filesystem::path ExecutableFolder();

// The program's strings are UTF-8; std::filesystem would read a narrow string in the ANSI code
// page on Windows, so every conversion goes through these two.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

bool FileExists(const std::filesystem::path& path);
std::optional<uint64_t> FileSize(const std::filesystem::path& path);

// Reads at most `limit` bytes from the start of the file; nullopt when it cannot be opened.
std::optional<std::vector<uint8_t>> ReadFileBytes(
    const std::filesystem::path& path, size_t limit = std::numeric_limits<size_t>::max());

// Replaces the file's contents through a temporary file beside it and a rename over it, so that a
// failure at any point leaves either the old contents or the new ones, never a mixture.
std::error_code WriteFileAtomic(const std::filesystem::path& path,
                                std::span<const uint8_t> contents);

}  // namespace ventrio
