#include "tests/native/test_support.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/text_encoding.h"

namespace ventrio::test {

TempDir::TempDir() {
    std::random_device random;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info != nullptr ? std::string(info->name()) : "test";
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    m_path = std::filesystem::temp_directory_path() /
             ("ventrio-" + name + "-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::filesystem::path& path, std::string_view text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>());
}

std::string ReadText(const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<uint8_t> Utf16File(std::string_view utf8) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (const char16_t unit : Utf8ToUtf16(utf8)) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

std::string ReadUtf16File(const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = ReadBytes(path);
    EXPECT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    std::u16string units;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    }
    return Utf16ToUtf8(units);
}

CommandResult RunCommand(const std::string& commandLine) {
    TempDir scratch;
    const auto errFile = scratch / "stderr";
    CommandResult result;
    std::FILE* pipe = popen((commandLine + " 2>'" + errFile.string() + "'").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadText(errFile);
    return result;
}

std::string OutputProgram(std::string_view name) {
    return "'" + (std::filesystem::path(VENTRIO_OUTPUT_DIR) / name).string() + "'";
}

void ExpectVentrioctlFailures(std::initializer_list<std::pair<std::string, std::string>> cases) {
    for (const auto& [args, message] : cases) {
        const CommandResult result = RunCommand(OutputProgram("ventrioctl") + " " + args);
        EXPECT_NE(result.exitCode, 0) << args;
        EXPECT_NE(result.err.find(message), std::string::npos) << args << ": " << result.err;
        EXPECT_EQ(result.out, "") << args;
    }
}

void CopyFactoryDataSet(const std::filesystem::path& folder) {
    const std::filesystem::path source = VENTRIO_OUTPUT_DIR;
    for (const auto& entry : std::filesystem::directory_iterator(source)) {
        const std::string name = entry.path().filename().string();
        const bool data = (name.starts_with("config") && name.ends_with(".bin")) ||
                          (name.starts_with("str") && name.ends_with(".ini")) ||
                          name == "record.ini";
        if (data) {
            std::filesystem::copy_file(entry.path(), folder / name,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
}

}  // namespace ventrio::test
