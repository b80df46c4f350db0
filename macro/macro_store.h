// The macro store, record.ini: the one place macros live. Section "MacroName" lists the names
// ("MacroCount", then "0", "1", ...); each macro has a section of its own name holding
// "DelayTimeSelStatus", "MacroLoopTimes", "ItemCount" and "Item0", "Item1", ... in that order.
//
// Every operation reads the file anew and each change replaces it atomically, so the store needs
// no window and keeps no state; the macro manager drives it one operation at a time.
//
// Names are never checked here, but a name can damage no other macro and not the names section:
//   - a name is kept as StoredMacroName makes it (line breaks as blanks, cut at 1023 characters),
//     in the names section and as its section's name alike, so the two always meet again;
//   - names that compare equal as section names (case, surrounding blanks) share one section, as
//     the file format makes them; the manager refuses such names (CheckMacroName);
//   - a name that is the names section's own ("MacroName" in any case) is never written, removed
//     or read as a macro, since writing it would wipe out the list;
//   - a section that stands in the file twice is removed entirely before it is written, so what is
//     written is what is read back.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_model.h"
#include "platform/clock.h"

namespace ventrio {

// One macro's section as the texts it holds; the manager applies its own rules to them.
struct StoredMacro {
    std::string delayFlag;  // "DelayTimeSelStatus"
    std::string loopTimes;  // "MacroLoopTimes"
    std::vector<MacroLine> lines;

    bool operator==(const StoredMacro&) const = default;
};

// What a save from the manager did, so that the manager can clear the device block of a macro
// whose section it removed.
enum class MacroSaveOutcome { NotSaved, NamesOnly, MacroWritten, SectionRemoved };

class MacroStore {
  public:
    // A hand-edited "MacroCount" or "ItemCount" of two billion would have the readers allocate
    // without end; no store the program writes comes near these.
    static constexpr long kMaxNames = 1024;
    static constexpr long kMaxLines = 1024;
    // The pause after a macro is saved from the manager.
    static constexpr uint32_t kSavePauseMs = 100;

    explicit MacroStore(std::filesystem::path path) : m_path(std::move(path)) {}

    const std::filesystem::path& Path() const { return m_path; }
    bool Exists() const;

    // The names of keys "0" to "MacroCount" - 1 in order (a missing key gives an empty name);
    // nothing when the file is missing or "MacroCount" reads as 0 or less.
    std::vector<std::string> ReadMacroNames() const;
    // The section of that name; empty texts and no lines when there is none.
    StoredMacro ReadMacro(std::string_view name) const;

    // Replaces the names section; an empty list is written as "MacroCount" = "0" and "0" = "".
    void WriteMacroNames(const std::vector<std::string>& names);
    // Replaces the macro's section with its flag, loop count, line count and lines.
    void WriteMacro(const Macro& macro);
    // Writes "MacroLoopTimes" alone; creates the file and the section when they are missing.
    void WriteLoopCount(std::string_view name, long loopCount);
    void RemoveMacroSection(std::string_view name);

    // The store's part of the manager's save: only when the file exists and `names` is not empty,
    // the names section, then the selected macro (nullptr: none) written when it has lines, its
    // section removed when it has none. After a macro is written the manager pauses 100 ms.
    MacroSaveOutcome WriteMacroToIni(const std::vector<std::string>& names, const Macro* selected,
                                     Clock& clock);

  private:
    std::filesystem::path m_path;
};

}  // namespace ventrio
