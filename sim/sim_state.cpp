#include "sim/sim_state.h"

#include <nlohmann/json.hpp>

#include "platform/files.h"
#include "platform/hex.h"

namespace ventrio {
namespace {

using Json = nlohmann::ordered_json;

SimArea FactorySettingsPage(size_t bank) {
    // The firmware's own layout is its business; a pattern that differs per bank and per byte
    // shows which bytes the program takes over unchanged.
    SimArea page{};
    for (size_t i = 0; i < page.size(); ++i) {
        page[i] = static_cast<uint8_t>(0x21 + 3 * i + 0x10 * bank);
    }
    return page;
}

SimArea FactoryButtonTable() {
    const uint8_t words[][4] = {
        {0x01, 0x00, 0xF0, 0x00}, {0x01, 0x00, 0xF1, 0x00}, {0x01, 0x00, 0xF2, 0x00},
        {0x01, 0x00, 0xF3, 0x00}, {0x01, 0x00, 0xF4, 0x00}, {0x07, 0x00, 0x01, 0x00},
        {0x07, 0x00, 0x02, 0x00},
    };
    SimArea table{};
    for (size_t slot = 0; slot < std::size(words); ++slot) {
        std::copy(std::begin(words[slot]), std::end(words[slot]), table.begin() + 4 * slot);
    }
    const uint8_t slot14[] = {0x01, 0x00, 0xF7, 0x00};
    const uint8_t slot15[] = {0x01, 0x00, 0xF8, 0x00};
    std::copy(std::begin(slot14), std::end(slot14), table.begin() + 4 * 14);
    std::copy(std::begin(slot15), std::end(slot15), table.begin() + 4 * 15);
    return table;
}

class Reader {
  public:
    explicit Reader(std::string& error) : m_error(error) {}

    bool Fail(const std::string& what) {
        if (m_error.empty()) {
            m_error = what;
        }
        return false;
    }

    bool Byte(const Json& value, const std::string& name, uint8_t& out) {
        if (!value.is_number_integer() || value.get<int64_t>() < 0 || value.get<int64_t>() > 255) {
            return Fail(name + " must be an integer from 0 to 255");
        }
        out = static_cast<uint8_t>(value.get<int64_t>());
        return true;
    }

    bool Area(const Json& value, const std::string& name, SimArea& out) {
        if (value.is_string()) {
            const auto bytes = ParseHex(value.get<std::string>());
            if (bytes && bytes->size() == out.size()) {
                std::copy(bytes->begin(), bytes->end(), out.begin());
                return true;
            }
        }
        return Fail(name + " must be 256 hexadecimal digits");
    }

  private:
    std::string& m_error;
};

}  // namespace

SimState FactorySimState() {
    SimState state;
    state.firmwareVersion = {0x01, 0x07};
    for (size_t bank = 0; bank < kSimBankCount; ++bank) {
        state.banks[bank].pollingDivisor = 1;
        state.banks[bank].settingsPage = FactorySettingsPage(bank);
        state.banks[bank].buttonTable = FactoryButtonTable();
    }
    return state;
}

std::string SimStateToJson(const SimState& state) {
    Json out = Json::object();
    out["bank"] = state.bank;
    out["firmwareVersion"] = {state.firmwareVersion[0], state.firmwareVersion[1]};
    Json banks = Json::array();
    for (const SimBank& bank : state.banks) {
        banks.push_back({{"pollingDivisor", bank.pollingDivisor},
                         {"settingsPage", HexString(bank.settingsPage)},
                         {"buttonTable", HexString(bank.buttonTable)}});
    }
    out["banks"] = banks;
    Json slots = Json::array();
    for (const SimArea& slot : state.macroSlots) {
        slots.push_back(HexString(slot));
    }
    out["macroSlots"] = slots;
    out["replyLength"] = state.replyLength ? Json(*state.replyLength) : Json(nullptr);
    return out.dump(2);
}

std::optional<SimState> SimStateFromJson(std::string_view json, std::string& error) {
    error.clear();
    const Json root = Json::parse(json, nullptr, /*allow_exceptions=*/false);
    Reader read(error);
    if (root.is_discarded()) {
        read.Fail("not valid JSON");
        return std::nullopt;
    }
    if (!root.is_object()) {
        read.Fail("the state must be a JSON object");
        return std::nullopt;
    }
    SimState state = FactorySimState();
    bool ok = true;
    if (const auto it = root.find("bank"); it != root.end()) {
        ok = read.Byte(*it, "bank", state.bank) && ok;
        if (ok && state.bank >= kSimBankCount) {
            ok = read.Fail("bank must be from 0 to 5");
        }
    }
    if (const auto it = root.find("firmwareVersion"); it != root.end()) {
        if (!it->is_array() || it->size() != 2) {
            ok = read.Fail("firmwareVersion must be an array of two bytes");
        } else {
            ok = read.Byte((*it)[0], "firmwareVersion", state.firmwareVersion[0]) && ok;
            ok = read.Byte((*it)[1], "firmwareVersion", state.firmwareVersion[1]) && ok;
        }
    }
    if (const auto it = root.find("banks"); it != root.end()) {
        if (!it->is_array() || it->size() != kSimBankCount) {
            ok = read.Fail("banks must be an array of six objects");
        } else {
            for (size_t b = 0; b < kSimBankCount; ++b) {
                const Json& bank = (*it)[b];
                const std::string name = "banks[" + std::to_string(b) + "]";
                if (!bank.is_object()) {
                    ok = read.Fail(name + " must be an object");
                    continue;
                }
                SimBank& target = state.banks[b];
                if (const auto v = bank.find("pollingDivisor"); v != bank.end()) {
                    ok = read.Byte(*v, name + ".pollingDivisor", target.pollingDivisor) && ok;
                }
                if (const auto v = bank.find("settingsPage"); v != bank.end()) {
                    ok = read.Area(*v, name + ".settingsPage", target.settingsPage) && ok;
                }
                if (const auto v = bank.find("buttonTable"); v != bank.end()) {
                    ok = read.Area(*v, name + ".buttonTable", target.buttonTable) && ok;
                }
            }
        }
    }
    if (const auto it = root.find("macroSlots"); it != root.end()) {
        if (!it->is_array() || it->size() != kSimMacroSlotCount) {
            ok = read.Fail("macroSlots must be an array of twelve strings");
        } else {
            for (size_t slot = 0; slot < kSimMacroSlotCount; ++slot) {
                ok = read.Area((*it)[slot], "macroSlots[" + std::to_string(slot) + "]",
                               state.macroSlots[slot]) &&
                     ok;
            }
        }
    }
    if (const auto it = root.find("replyLength"); it != root.end()) {
        if (it->is_null()) {
            state.replyLength.reset();
        } else {
            uint8_t length = 0;
            if (read.Byte(*it, "replyLength", length)) {
                state.replyLength = length;
            } else {
                ok = false;
            }
        }
    }
    if (!ok) {
        return std::nullopt;
    }
    return state;
}

std::optional<SimState> LoadSimStateFile(const std::filesystem::path& file, std::string& error) {
    if (!FileExists(file)) {
        error.clear();
        return FactorySimState();
    }
    const auto bytes = ReadFileBytes(file);
    if (!bytes) {
        error = "cannot read " + PathToUtf8(file);
        return std::nullopt;
    }
    auto state = SimStateFromJson(
        std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), error);
    if (!state) {
        error = PathToUtf8(file) + ": " + error;
    }
    return state;
}

bool SaveSimStateFile(const std::filesystem::path& file, const SimState& state,
                      std::string& error) {
    const std::string json = SimStateToJson(state) + "\n";
    const std::error_code written = WriteFileAtomic(
        file, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(json.data()), json.size()));
    if (written) {
        error = PathToUtf8(file) + ": " + written.message();
        return false;
    }
    return true;
}

}  // namespace ventrio
