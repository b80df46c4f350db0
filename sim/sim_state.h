// The simulated mouse's memory, as it is kept between runs in a JSON state file:
//   {"bank": n, "firmwareVersion": [b1, b2],
//    "banks": [six {"pollingDivisor": n, "settingsPage": "<256 hex>", "buttonTable": "<256 hex>"}],
//    "macroSlots": ["<256 hex>" twelve], "replyLength": null or n}
// "replyLength", when set, is the length the mouse announces (and sends) for a settings page read.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ventrio {

inline constexpr size_t kSimBankCount = 6;
inline constexpr size_t kSimMacroSlotCount = 12;
inline constexpr size_t kSimAreaSize = 128;

using SimArea = std::array<uint8_t, kSimAreaSize>;

struct SimBank {
    uint8_t pollingDivisor = 1;
    SimArea settingsPage{};
    SimArea buttonTable{};

    bool operator==(const SimBank&) const = default;
};

struct SimState {
    uint8_t bank = 0;
    std::array<uint8_t, 2> firmwareVersion{};
    std::array<SimBank, kSimBankCount> banks{};
    std::array<SimArea, kSimMacroSlotCount> macroSlots{};
    std::optional<uint8_t> replyLength;

    bool operator==(const SimState&) const = default;
};

// What a new mouse holds: a settings page of its own in every bank, the standard buttons, no
// macros.
SimState FactorySimState();

std::string SimStateToJson(const SimState& state);
// Keys that are missing keep their factory values and unknown keys are ignored; a value of the
// wrong kind or size is an error, described in `error`.
std::optional<SimState> SimStateFromJson(std::string_view json, std::string& error);

// A state file; the factory state when the file does not exist (nothing is created).
std::optional<SimState> LoadSimStateFile(const std::filesystem::path& file, std::string& error);
// Replaces the file atomically; false with `error` set on failure.
bool SaveSimStateFile(const std::filesystem::path& file, const SimState& state, std::string& error);

}  // namespace ventrio
