// The simulated mouse's state files: any text is either refused with a reason or read into a state
// that writes back to the same state.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/sim_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string error;
    const auto state = ventrio::SimStateFromJson(
        std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!state) {
        if (error.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    const auto again = ventrio::SimStateFromJson(ventrio::SimStateToJson(*state), error);
    if (!again || *again != *state) {
        __builtin_trap();
    }
    return 0;
}
