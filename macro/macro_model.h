// A macro as the user edits it: a name, a loop count, the record-delay flag and the key sequence,
// whose lines are plain texts ("A   Dn", "A   Up", "120 ms") exactly as the manager lists them.
// Also the rules that turn the store's texts into these values and that make and check names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ventrio {

using MacroLine = std::string;

struct Macro {
    std::string name;        // also the name of its section in the store
    uint16_t loopCount = 1;  // 1 to 65535; 1 plays the sequence once
    bool recordDelay =
        false;  // whether the recorder writes measured delays; the mouse never sees it
    std::vector<MacroLine> lines;

    bool operator==(const Macro&) const = default;
};

inline constexpr size_t kMaxMacros = 12;
inline constexpr std::string_view kPressMarker = "   Dn";
inline constexpr std::string_view kReleaseMarker = "   Up";

MacroLine PressLine(std::string_view keyName);
MacroLine ReleaseLine(std::string_view keyName);
MacroLine DelayLine(long milliseconds);  // "%d ms"

// Lines are told apart by substring, press first: a line holding both markers is a press.
enum class MacroLineKind { Press, Release, Other };
MacroLineKind KindOfLine(std::string_view line);
// The key name of a press or release: the line with every occurrence of its marker removed.
std::string KeyNameOfLine(std::string_view line);
// What the encoder and the delay insert take for a delay line: any line holding "ms".
bool IsDelayLine(std::string_view line);
// The delay edit is stricter and wants " ms".
bool IsEditableDelayLine(std::string_view line);

// The record-delay flag ("DelayTimeSelStatus") is read by two different rules. When the manager
// opens and reads every macro, the flag is set exactly when the text reads as 1.
bool RecordDelayFlagOnOpen(std::string_view text);
// When the user selects a macro, 1 sets it, 0 (a missing key included) clears it, and any other
// number leaves `current` as it was.
bool RecordDelayFlagOnSelect(std::string_view text, bool current);

// The loop field's rule: the decimal value of the text when it lies in 1 to 65535; nullopt when it
// does not, and the field then shows "1".
std::optional<uint16_t> LoopCountInRange(std::string_view text);
// The loop count a text stands for: anything outside 1 to 65535 counts as 1.
uint16_t LoopCountFromText(std::string_view text);
// "Number of Loops" is ticked when the macro repeats.
bool LoopBoxTicked(std::string_view loopText);

// A name as the store keeps it, both in the names section and as a section name: line breaks as
// blanks, ill-formed UTF-8 as U+FFFD, cut at the 1023 characters a reader gets back. Cutting both
// alike keeps a long name and its section together.
std::string StoredMacroName(std::string_view name);

// Section names compare the way the store's INI engine compares them: line breaks read as blanks,
// surrounding blanks do not count, case does not count, and only the first 1023 characters are
// kept. Two names for which this is true share one section.
bool SameMacroSection(std::string_view a, std::string_view b);

// The name of the store's names section; no macro may share it.
inline constexpr std::string_view kMacroNamesSection = "MacroName";
bool IsReservedMacroName(std::string_view name);

// The name for a new macro: the base word and "_%d" of the number that follows the number of the
// last name (only the last name counts). nullopt when the list is full (12 names).
//
// A number whose name a macro already has is skipped: two macros sharing a section would read and
// write each other's lines, and the new macro's first loop-count write would overwrite the other's.
std::optional<std::string> NextMacroName(const std::vector<std::string>& names,
                                         std::string_view baseWord);

// Why a name the user typed cannot be used. The manager refuses such names with the texts "Macro
// name is blank" and "Macro name already exists"; a name that would share a section with another
// macro or with the names section counts as existing, since the store could not keep them apart.
enum class MacroNameProblem { None, Blank, AlreadyExists };
MacroNameProblem CheckMacroName(std::string_view name, const std::vector<std::string>& otherNames);

}  // namespace ventrio
