#include "macro/macro_model.h"

#include <algorithm>

#include "platform/ini_file.h"
#include "platform/text_encoding.h"

namespace ventrio {
namespace {

void RemoveAll(std::string& text, std::string_view part) {
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at)) {
        text.erase(at, part.size());
    }
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

MacroLine PressLine(std::string_view keyName) {
    return std::string(keyName) + std::string(kPressMarker);
}

MacroLine ReleaseLine(std::string_view keyName) {
    return std::string(keyName) + std::string(kReleaseMarker);
}

MacroLine DelayLine(long milliseconds) {
    return std::to_string(milliseconds) + " ms";
}

MacroLineKind KindOfLine(std::string_view line) {
    if (line.find(kPressMarker) != std::string_view::npos) {
        return MacroLineKind::Press;
    }
    if (line.find(kReleaseMarker) != std::string_view::npos) {
        return MacroLineKind::Release;
    }
    return MacroLineKind::Other;
}

std::string KeyNameOfLine(std::string_view line) {
    std::string name(line);
    switch (KindOfLine(line)) {
        case MacroLineKind::Press:
            RemoveAll(name, kPressMarker);
            break;
        case MacroLineKind::Release:
            RemoveAll(name, kReleaseMarker);
            break;
        case MacroLineKind::Other:
            break;
    }
    return name;
}

bool IsDelayLine(std::string_view line) {
    return line.find("ms") != std::string_view::npos;
}

bool IsEditableDelayLine(std::string_view line) {
    return line.find(" ms") != std::string_view::npos;
}

bool RecordDelayFlagOnOpen(std::string_view text) {
    return DecimalToLong(text) == 1;
}

bool RecordDelayFlagOnSelect(std::string_view text, bool current) {
    switch (DecimalToLong(text)) {
        case 0:
            return false;
        case 1:
            return true;
        default:
            return current;
    }
}

std::optional<uint16_t> LoopCountInRange(std::string_view text) {
    const long value = DecimalToLong(text);
    if (value < 1 || value > 65535) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(value);
}

uint16_t LoopCountFromText(std::string_view text) {
    return LoopCountInRange(text).value_or(1);
}

bool LoopBoxTicked(std::string_view loopText) {
    return LoopCountFromText(loopText) > 1;
}

std::string StoredMacroName(std::string_view name) {
    std::string clean = IsValidUtf8(name) ? std::string(name) : Utf16ToUtf8(Utf8ToUtf16(name));
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; },
        ' ');
    return std::string(Utf16Prefix(clean, IniDocument::kMaxValueLength));
}

bool SameMacroSection(std::string_view a, std::string_view b) {
    return EqualsIgnoreCase(TrimBlanks(StoredMacroName(a)), TrimBlanks(StoredMacroName(b)));
}

bool IsReservedMacroName(std::string_view name) {
    return SameMacroSection(name, kMacroNamesSection);
}

std::optional<std::string> NextMacroName(const std::vector<std::string>& names,
                                         std::string_view baseWord) {
    if (names.size() >= kMaxMacros) {
        return std::nullopt;
    }
    long long number = static_cast<long long>(names.size()) + 1;
    if (!names.empty()) {
        const std::string& last = names.back();
        if (const size_t underscore = last.find('_'); underscore != std::string::npos) {
            number = static_cast<long long>(DecimalToLong(last.substr(underscore + 1))) + 1;
        }
    }
    const auto nameOf = [&](long long n) {
        return std::string(baseWord) + "_" + std::to_string(n);
    };
    // At most twelve names stand in the way, so this ends within thirteen tries.
    while (std::any_of(names.begin(), names.end(), [&](const std::string& taken) {
        return SameMacroSection(taken, nameOf(number));
    })) {
        ++number;
    }
    return nameOf(number);
}

MacroNameProblem CheckMacroName(std::string_view name, const std::vector<std::string>& otherNames) {
    if (TrimBlanks(StoredMacroName(name)).empty()) {
        return MacroNameProblem::Blank;
    }
    const bool taken =
        IsReservedMacroName(name) ||
        std::any_of(otherNames.begin(), otherNames.end(),
                    [&](const std::string& other) { return SameMacroSection(name, other); });
    return taken ? MacroNameProblem::AlreadyExists : MacroNameProblem::None;
}

}  // namespace ventrio
