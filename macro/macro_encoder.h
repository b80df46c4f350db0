// The device encoding of macros: each stored macro becomes the 128 bytes of one macro slot (a
// big-endian loop count, then one event record per press or release), and the twelve slots form
// the record's macro area. The area is rebuilt from the store when a profile is loaded (with
// KeyNameToCode) and when the macro manager closes with OK (with MacroKeyNameToCode, into the
// manager's own twelve blocks, which the main window then copies into the record).
//
// Capacity: the records of a macro that does not fit its 126 bytes are cut after the last whole
// record that fits, and a trace line names the macro and what was cut. Nothing is ever written
// outside the slot, and only the first twelve stored macros have slots.
//
// The manager warns: when OK encodes a macro that was cut it tells the user which one (the report
// below says so), and while the user edits it can show MeasureMacro's byte count against the 128
// a slot holds. A cut macro is still sent: the part that fits is what the user recorded first.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/config_record.h"
#include "macro/macro_model.h"
#include "macro/macro_store.h"

namespace ventrio {

// A key name to its device key code: KeyNameToCode or MacroKeyNameToCode.
using KeyNameTable = uint8_t (*)(std::string_view name);

// The part of a macro block the mouse receives; the block's last two bytes are never touched.
using MacroSlot = std::span<uint8_t, kMacroSlotSize>;

inline constexpr size_t kShortEventRecordSize = 2;
inline constexpr size_t kLongEventRecordSize = 6;
// Delays up to this many milliseconds fit a short record (units of 10 ms, seven bits).
inline constexpr long kShortRecordMaxDelayMs = 1270;
// The longest delay the long record can carry: 65535 whole 100 ms steps and 99 ms.
inline constexpr long kLongRecordMaxDelayMs = 65535L * 100 + 99;
// The delay of an event that no delay line follows.
inline constexpr long kDefaultEventDelayMs = 50;

struct MacroEncoding {
    size_t bytesNeeded = 0;    // loop count and every event record; 0 for a macro without lines
    size_t bytesWritten = 0;   // loop count and the records written, at most 128
    size_t events = 0;         // press and release lines
    size_t eventsWritten = 0;  // events whose records fit

    bool Fits() const { return bytesNeeded <= kMacroSlotSize; }
    bool Cut() const { return eventsWritten < events; }
};

// Fills the slot from a macro's loop-count text and lines. Without lines the slot becomes all
// zero, the loop count included.
MacroEncoding EncodeMacroLines(std::string_view loopText, std::span<const MacroLine> lines,
                               MacroSlot slot, KeyNameTable table);
// What the lines need, without writing anything.
MacroEncoding MeasureMacro(std::span<const MacroLine> lines);

// Fills the slot from the stored macro of that name; traces a cut.
MacroEncoding EncodeMacro(const MacroStore& store, std::string_view name, MacroSlot slot,
                          KeyNameTable table);

// One stored macro as the encoding of the whole store met it.
struct MacroEncodingReport {
    std::string name;
    size_t lineCount = 0;
    bool encoded = false;  // false for the names after the twelfth, which have no slot
    MacroEncoding encoding;
};

// The load-time encoding: when the store exists, each listed macro n below 12 is encoded into
// block n of the record with KeyNameToCode and each name read is traced. Blocks from
// "MacroCount" up keep their bytes, and so do bytes 128 and 129 of every block.
std::vector<MacroEncodingReport> EncodeMacroStore(ConfigRecord& record, const MacroStore& store);

// The encoder in the shape LoadConfiguration calls.
void RebuildMacroAreaFromStore(ConfigRecord& record, const std::filesystem::path& macroStore);

// The macro manager's twelve blocks: zero at start, kept while the program runs, copied into the
// record when the manager closes with OK.
class MacroManagerBlocks {
  public:
    using Block = std::array<uint8_t, kMacroBlockSize>;

    // OnBnMacroSave: only when the store exists and the manager lists macros (`managerNames` only
    // decides whether to encode; the macros come from the store): all twelve blocks are zeroed,
    // then stored macro n is encoded into block n with MacroKeyNameToCode. Otherwise the blocks
    // keep their contents and the report is empty.
    std::vector<MacroEncodingReport> EncodeMacroStore(const MacroStore& store,
                                                      const std::vector<std::string>& managerNames);

    // A new loop count of the macro at `position` goes into its block at once.
    void SetLoopCount(size_t position, uint16_t loopCount);
    // A macro saved without lines leaves an empty slot behind.
    void ClearMacro(size_t position);
    // Positions from 12 up have no block; both calls ignore them.

    // The twelve blocks, 130 bytes each, into the record's macro area.
    void CopyInto(ConfigRecord& record) const;

    const std::array<Block, kMacroBlockCount>& Blocks() const { return m_blocks; }

  private:
    std::array<Block, kMacroBlockCount> m_blocks{};
};

}  // namespace ventrio
