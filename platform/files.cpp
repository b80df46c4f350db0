#include "platform/files.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace ventrio {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return FilePtr(_wfopen(path.c_str(), wideMode.c_str()));
#else
    return FilePtr(std::fopen(path.c_str(), mode));
#endif
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) {
        return false;
    }
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    std::filesystem::path temp = path;
    temp += PathFromUtf8(".~" + std::to_string(seed) + "-" + std::to_string(++counter) + ".tmp");
    return temp;
}

}  // namespace

#ifndef _WIN32
std::filesystem::path ExecutableFolder() {
    static const std::filesystem::path folder = [] {
        std::error_code error;
        const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
        return error ? std::filesystem::current_path() : self.parent_path();
    }();
    return folder;
}
#endif

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::optional<uint64_t> FileSize(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        return std::nullopt;
    }
    return size;
}

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& path, size_t limit) {
    FilePtr file = OpenFile(path, "rb");
    if (!file) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[8192];
    while (bytes.size() < limit) {
        const size_t want = std::min(sizeof chunk, limit - bytes.size());
        const size_t got = std::fread(chunk, 1, want, file.get());
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < want) {
            break;
        }
    }
    return bytes;
}

std::error_code WriteFileAtomic(const std::filesystem::path& path,
                                std::span<const uint8_t> contents) {
    const std::filesystem::path temp = TemporaryBeside(path);
    {
        FilePtr file = OpenFile(temp, "wb");
        if (!file) {
            return std::error_code(errno, std::generic_category());
        }
        const bool written =
            std::fwrite(contents.data(), 1, contents.size(), file.get()) == contents.size();
        if (!written || !FlushToDisk(file.get())) {
            const std::error_code error(errno != 0 ? errno : EIO, std::generic_category());
            file.reset();
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return error;
        }
    }
    std::error_code error;
    std::filesystem::rename(temp, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
    }
    return error;
}

}  // namespace ventrio
