#include "macro/macro_store.h"

#include <optional>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/trace.h"

namespace ventrio {
namespace {

constexpr std::string_view kCountKey = "MacroCount";
constexpr std::string_view kFlagKey = "DelayTimeSelStatus";
constexpr std::string_view kLoopKey = "MacroLoopTimes";
constexpr std::string_view kItemCountKey = "ItemCount";

std::string ItemKey(size_t index) {
    return "Item" + std::to_string(index);
}

std::string Get(const IniDocument& doc, std::string_view section, std::string_view key) {
    return doc.Find(section, key).value_or(std::string());
}

// A count read by the decimal rule, limited to what a reader may sensibly allocate.
size_t ReadCount(const IniDocument& doc, std::string_view section, std::string_view key,
                 long limit) {
    const long count = DecimalToLong(Get(doc, section, key));
    if (count <= 0) {
        return 0;
    }
    if (count > limit) {
        TraceF("%s of [%s] is %ld; only the first %ld are read\n", std::string(key).c_str(),
               std::string(section).c_str(), count, limit);
        return static_cast<size_t>(limit);
    }
    return static_cast<size_t>(count);
}

// Every copy of the section goes: with one left behind, a reader would find it instead of what
// is written next.
void RemoveSectionEverywhere(IniDocument& doc, std::string_view section) {
    while (doc.DeleteSection(section)) {
    }
}

bool Refused(std::string_view name, const char* operation) {
    if (!IsReservedMacroName(name)) {
        return false;
    }
    TraceF("Macro name \"%s\" is the names section; %s refused\n", std::string(name).c_str(),
           operation);
    return true;
}

void PutNames(IniDocument& doc, const std::vector<std::string>& names) {
    RemoveSectionEverywhere(doc, kMacroNamesSection);
    if (names.empty()) {
        doc.Write(kMacroNamesSection, kCountKey, "0");
        doc.Write(kMacroNamesSection, "0", "");
        return;
    }
    doc.Write(kMacroNamesSection, kCountKey, std::to_string(names.size()));
    for (size_t i = 0; i < names.size(); ++i) {
        doc.Write(kMacroNamesSection, std::to_string(i), StoredMacroName(names[i]));
    }
}

void PutMacro(IniDocument& doc, const Macro& macro) {
    const std::string section = StoredMacroName(macro.name);
    RemoveSectionEverywhere(doc, section);
    doc.Write(section, kFlagKey, macro.recordDelay ? "1" : "0");
    doc.Write(section, kLoopKey, std::to_string(macro.loopCount));
    doc.Write(section, kItemCountKey, std::to_string(macro.lines.size()));
    for (size_t i = 0; i < macro.lines.size(); ++i) {
        doc.Write(section, ItemKey(i), macro.lines[i]);
    }
}

}  // namespace

bool MacroStore::Exists() const {
    return FileExists(m_path);
}

std::vector<std::string> MacroStore::ReadMacroNames() const {
    const auto doc = IniFile(m_path).Load();
    if (!doc) {
        return {};
    }
    const size_t count = ReadCount(*doc, kMacroNamesSection, kCountKey, kMaxNames);
    std::vector<std::string> names;
    names.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        names.push_back(Get(*doc, kMacroNamesSection, std::to_string(i)));
    }
    return names;
}

StoredMacro MacroStore::ReadMacro(std::string_view name) const {
    const auto doc = IniFile(m_path).Load();
    if (!doc || IsReservedMacroName(name)) {
        return {};
    }
    const std::string section = StoredMacroName(name);
    StoredMacro macro;
    macro.delayFlag = Get(*doc, section, kFlagKey);
    macro.loopTimes = Get(*doc, section, kLoopKey);
    const size_t count = ReadCount(*doc, section, kItemCountKey, kMaxLines);
    macro.lines.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        macro.lines.push_back(Get(*doc, section, ItemKey(i)));
    }
    return macro;
}

void MacroStore::WriteMacroNames(const std::vector<std::string>& names) {
    IniFile(m_path).Edit([&](IniDocument& doc) {
        PutNames(doc, names);
        return true;
    });
}

void MacroStore::WriteMacro(const Macro& macro) {
    if (Refused(macro.name, "write")) {
        return;
    }
    IniFile(m_path).Edit([&](IniDocument& doc) {
        PutMacro(doc, macro);
        return true;
    });
}

void MacroStore::WriteLoopCount(std::string_view name, long loopCount) {
    if (Refused(name, "loop count write")) {
        return;
    }
    IniFile(m_path).WriteString(StoredMacroName(name), kLoopKey, std::to_string(loopCount));
}

void MacroStore::RemoveMacroSection(std::string_view name) {
    if (Refused(name, "removal")) {
        return;
    }
    if (!Exists()) {
        return;  // nothing to remove, and removing creates no file
    }
    IniFile(m_path).Edit([&](IniDocument& doc) {
        bool removed = false;
        while (doc.DeleteSection(StoredMacroName(name))) {
            removed = true;
        }
        return removed;
    });
}

MacroSaveOutcome MacroStore::WriteMacroToIni(const std::vector<std::string>& names,
                                             const Macro* selected, Clock& clock) {
    if (!Exists() || names.empty()) {
        return MacroSaveOutcome::NotSaved;
    }
    MacroSaveOutcome outcome = MacroSaveOutcome::NamesOnly;
    if (selected != nullptr && Refused(selected->name, "save")) {
        selected = nullptr;
    }
    // The names and the macro land together: a crash between them cannot leave a list that names
    // a macro whose lines are gone.
    IniFile(m_path).Edit([&](IniDocument& doc) {
        PutNames(doc, names);
        if (selected == nullptr) {
            return true;
        }
        if (selected->lines.empty()) {
            RemoveSectionEverywhere(doc, StoredMacroName(selected->name));
            outcome = MacroSaveOutcome::SectionRemoved;
        } else {
            PutMacro(doc, *selected);
            outcome = MacroSaveOutcome::MacroWritten;
        }
        return true;
    });
    if (outcome == MacroSaveOutcome::MacroWritten) {
        clock.Sleep(kSavePauseMs);
    }
    return outcome;
}

}  // namespace ventrio
