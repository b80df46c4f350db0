// The macro encoder against arbitrary loop texts and lines, with both key-name tables: nothing is
// written outside the slot (the record's last block is encoded with guards after the record), the
// bytes after the last record are zero, and the measure agrees with the encoding.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "assign/key_tables.h"
#include "macro/macro_encoder.h"

namespace {

constexpr uint8_t kGuard = 0xA5;

struct Guarded {
    std::array<uint8_t, 32> before;
    ventrio::ConfigRecord record;
    std::array<uint8_t, 32> after;
};

bool AllGuard(const std::array<uint8_t, 32>& bytes) {
    for (const uint8_t b : bytes) {
        if (b != kGuard) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the table and the block; the rest is the loop text and the lines, one
    // per line break.
    const bool manager = (data[0] & 1) != 0;
    const size_t block = (data[0] >> 1) % ventrio::kMacroBlockCount;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const std::string loopText = lines.front();
    lines.erase(lines.begin());

    Guarded guarded;
    guarded.before.fill(kGuard);
    guarded.after.fill(kGuard);
    guarded.record.bytes.fill(kGuard);
    const ventrio::MacroEncoding encoding = ventrio::EncodeMacroLines(
        loopText, lines, guarded.record.MacroBlock(block).first<ventrio::kMacroSlotSize>(),
        manager ? ventrio::MacroKeyNameToCode : ventrio::KeyNameToCode);

    if (!AllGuard(guarded.before) || !AllGuard(guarded.after)) {
        __builtin_trap();
    }
    for (size_t i = 0; i < ventrio::kConfigRecordSize; ++i) {
        const size_t blockStart = ventrio::rec::MacroBlock(block);
        const bool inSlot = i >= blockStart && i < blockStart + ventrio::kMacroSlotSize;
        if (!inSlot && guarded.record[i] != kGuard) {
            __builtin_trap();  // outside the slot, bytes 128 and 129 of the block included
        }
        if (inSlot && i - blockStart >= encoding.bytesWritten && guarded.record[i] != 0) {
            __builtin_trap();
        }
    }
    if (encoding.bytesWritten > ventrio::kMacroSlotSize ||
        encoding.eventsWritten > encoding.events ||
        (encoding.Fits() && encoding.bytesWritten != encoding.bytesNeeded) ||
        (encoding.Fits() == encoding.Cut()) ||
        ventrio::MeasureMacro(lines).bytesNeeded != encoding.bytesNeeded) {
        __builtin_trap();
    }
    return 0;
}
