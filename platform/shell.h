// What the program asks of the desktop shell: opening a document or web address, starting a
// program, and the processor architecture of the machine (not of the process).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ventrio {

// The values of the system's processor architecture codes the program tells apart.
inline constexpr uint16_t kArchitectureX86 = 0;
inline constexpr uint16_t kArchitectureItanium = 6;
inline constexpr uint16_t kArchitectureX64 = 9;

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens a document or web address with the "open" verb; false when the shell refuses.
    virtual bool Open(const std::string& target) = 0;
    // Starts a program with the default verb, no parameters and a normal window, without
    // waiting for it; false when it cannot be started.
    virtual bool Launch(const std::filesystem::path& program) = 0;
    virtual uint16_t NativeArchitecture() = 0;
};

// Remembers every request instead of acting on it.
class RecordingShell final : public Shell {
  public:
    bool Open(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
    bool Launch(const std::filesystem::path& program) override {
        launched.push_back(program);
        return true;
    }
    uint16_t NativeArchitecture() override { return architecture; }

    std::vector<std::string> opened;
    std::vector<std::filesystem::path> launched;
    uint16_t architecture = kArchitectureX64;
};

}  // namespace ventrio
