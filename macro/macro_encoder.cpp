#include "macro/macro_encoder.h"

#include <algorithm>

#include "assign/key_tables.h"
#include "platform/ini_file.h"
#include "platform/trace.h"

namespace ventrio {
namespace {

struct EventRecord {
    std::array<uint8_t, kLongEventRecordSize> bytes{};
    size_t size = 0;
};

// The wait after event j: the line right after it when that is a delay line, else 50 ms. A
// negative text would spill into the press/release bit and a longer one than the long record
// carries would wrap, so both are held to what the record can say.
long DelayAfter(std::span<const MacroLine> lines, size_t j) {
    if (j + 1 >= lines.size() || !IsDelayLine(lines[j + 1])) {
        return kDefaultEventDelayMs;
    }
    std::string text = lines[j + 1];
    for (size_t at = text.find(" ms"); at != std::string::npos; at = text.find(" ms", at)) {
        text.erase(at, 3);
    }
    return std::clamp(DecimalToLong(text), 0L, kLongRecordMaxDelayMs);
}

EventRecord MakeRecord(bool release, long delay, uint8_t key) {
    const int direction = release ? 0x80 : 0x00;
    EventRecord record;
    if (delay <= kShortRecordMaxDelayMs) {
        record.bytes = {static_cast<uint8_t>(direction | (delay / 10)), key};
        record.size = kShortEventRecordSize;
    } else {
        const long steps = delay / 100;
        record.bytes = {static_cast<uint8_t>(direction | (delay % 100)),
                        key,
                        0x00,
                        0x03,
                        static_cast<uint8_t>(steps >> 8),
                        static_cast<uint8_t>(steps & 0xFF)};
        record.size = kLongEventRecordSize;
    }
    return record;
}

uint8_t NoKey(std::string_view) {
    return 0;
}

MacroEncoding EncodeStored(std::string_view name, const StoredMacro& stored, MacroSlot slot,
                           KeyNameTable table) {
    const MacroEncoding encoding = EncodeMacroLines(stored.loopTimes, stored.lines, slot, table);
    if (encoding.Cut()) {
        TraceF("Macro \"%s\" needs %d bytes but a macro slot holds %d: cut after %d of %d events\n",
               std::string(name).c_str(), static_cast<int>(encoding.bytesNeeded),
               static_cast<int>(kMacroSlotSize), static_cast<int>(encoding.eventsWritten),
               static_cast<int>(encoding.events));
    }
    return encoding;
}

// Encodes the listed macros in order, macro n into slotOf(n); only the first twelve have a slot.
// The load-time encoding also traces each name it reads.
template <typename SlotOf>
std::vector<MacroEncodingReport> EncodeListed(const MacroStore& store, KeyNameTable table,
                                              SlotOf slotOf, bool traceNames) {
    std::vector<MacroEncodingReport> reports;
    const std::vector<std::string> names = store.ReadMacroNames();
    for (size_t n = 0; n < names.size(); ++n) {
        if (traceNames) {
            Trace(names[n] + "\n");
        }
        MacroEncodingReport report;
        report.name = names[n];
        if (n < kMacroBlockCount) {
            const StoredMacro stored = store.ReadMacro(names[n]);
            report.lineCount = stored.lines.size();
            report.encoded = true;
            report.encoding = EncodeStored(names[n], stored, slotOf(n), table);
        } else {
            TraceF("Macro \"%s\" is number %d; only %d macros have a slot in the mouse\n",
                   names[n].c_str(), static_cast<int>(n + 1), static_cast<int>(kMacroBlockCount));
        }
        reports.push_back(std::move(report));
    }
    return reports;
}

}  // namespace

MacroEncoding EncodeMacroLines(std::string_view loopText, std::span<const MacroLine> lines,
                               MacroSlot slot, KeyNameTable table) {
    std::fill(slot.begin(), slot.end(), uint8_t{0});
    MacroEncoding encoding;
    if (lines.empty()) {
        return encoding;
    }
    const uint16_t loopCount = LoopCountFromText(loopText);
    slot[0] = static_cast<uint8_t>(loopCount >> 8);
    slot[1] = static_cast<uint8_t>(loopCount & 0xFF);
    size_t position = 2;
    encoding.bytesNeeded = 2;
    bool full = false;
    for (size_t j = 0; j < lines.size(); ++j) {
        const MacroLineKind kind = KindOfLine(lines[j]);
        if (kind == MacroLineKind::Other) {
            continue;  // a delay line only counts as the wait of the event before it
        }
        ++encoding.events;
        const EventRecord record = MakeRecord(kind == MacroLineKind::Release, DelayAfter(lines, j),
                                              table(KeyNameOfLine(lines[j])));
        encoding.bytesNeeded += record.size;
        // Once one record does not fit, none after it is written: a later short one squeezed in
        // would play events out of order.
        full = full || position + record.size > slot.size();
        if (!full) {
            std::copy_n(record.bytes.begin(), record.size, slot.begin() + position);
            position += record.size;
            ++encoding.eventsWritten;
        }
    }
    encoding.bytesWritten = position;
    return encoding;
}

MacroEncoding MeasureMacro(std::span<const MacroLine> lines) {
    std::array<uint8_t, kMacroSlotSize> scratch{};
    return EncodeMacroLines({}, lines, scratch, NoKey);
}

MacroEncoding EncodeMacro(const MacroStore& store, std::string_view name, MacroSlot slot,
                          KeyNameTable table) {
    return EncodeStored(name, store.ReadMacro(name), slot, table);
}

std::vector<MacroEncodingReport> EncodeMacroStore(ConfigRecord& record, const MacroStore& store) {
    if (!store.Exists()) {
        return {};
    }
    return EncodeListed(
        store, KeyNameToCode,
        [&](size_t n) { return record.MacroBlock(n).first<kMacroSlotSize>(); }, true);
}

void RebuildMacroAreaFromStore(ConfigRecord& record, const std::filesystem::path& macroStore) {
    EncodeMacroStore(record, MacroStore(macroStore));
}

std::vector<MacroEncodingReport> MacroManagerBlocks::EncodeMacroStore(
    const MacroStore& store, const std::vector<std::string>& managerNames) {
    if (!store.Exists() || managerNames.empty()) {
        return {};
    }
    for (Block& block : m_blocks) {
        block.fill(0);
    }
    return EncodeListed(
        store, MacroKeyNameToCode,
        [&](size_t n) { return MacroSlot(m_blocks[n].data(), kMacroSlotSize); }, false);
}

void MacroManagerBlocks::SetLoopCount(size_t position, uint16_t loopCount) {
    if (position < kMacroBlockCount) {
        m_blocks[position][0] = static_cast<uint8_t>(loopCount >> 8);
        m_blocks[position][1] = static_cast<uint8_t>(loopCount & 0xFF);
    }
}

void MacroManagerBlocks::ClearMacro(size_t position) {
    if (position < kMacroBlockCount) {
        std::fill_n(m_blocks[position].begin(), kMacroSlotSize, uint8_t{0});
    }
}

void MacroManagerBlocks::CopyInto(ConfigRecord& record) const {
    for (size_t n = 0; n < kMacroBlockCount; ++n) {
        std::copy(m_blocks[n].begin(), m_blocks[n].end(), record.MacroBlock(n).begin());
    }
}

}  // namespace ventrio
