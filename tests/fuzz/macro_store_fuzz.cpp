// The macro store and the load-time and manager encodings against arbitrary record.ini files and
// macro names. No crash; nothing written outside the macro area or into the two unsent bytes of a
// block; and writing a macro under any name leaves the names section and every other macro as they
// were, while the macro reads back as written.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "macro/macro_encoder.h"
#include "macro/macro_store.h"

namespace {

constexpr uint8_t kGuard = 0xA5;

const std::filesystem::path& StorePath() {
    static const std::filesystem::path path = [] {
        auto folder = std::filesystem::temp_directory_path() /
                      ("ventrio-fuzz-macro-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        return folder / "record.ini";
    }();
    return path;
}

void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

struct GuardedRecord {
    std::array<uint8_t, 32> before;
    ventrio::ConfigRecord record;
    std::array<uint8_t, 32> after;
};

void CheckLoadTimeEncoding(const ventrio::MacroStore& store) {
    GuardedRecord guarded;
    guarded.before.fill(kGuard);
    guarded.after.fill(kGuard);
    guarded.record.bytes.fill(kGuard);
    ventrio::EncodeMacroStore(guarded.record, store);
    for (size_t i = 0; i < guarded.before.size(); ++i) {
        Check(guarded.before[i] == kGuard && guarded.after[i] == kGuard);
    }
    for (size_t i = 0; i < ventrio::rec::kMacroArea; ++i) {
        Check(guarded.record[i] == kGuard);
    }
    for (size_t n = 0; n < ventrio::kMacroBlockCount; ++n) {
        const auto block = guarded.record.MacroBlock(n);
        Check(block[128] == kGuard && block[129] == kGuard);
    }

    ventrio::MacroManagerBlocks blocks;
    blocks.EncodeMacroStore(store, {"x"});
    for (const auto& block : blocks.Blocks()) {
        Check(block[128] == 0 && block[129] == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte is the length of a macro name that follows; the rest is the store's file.
    const size_t nameLength = size > 0 ? std::min<size_t>(data[0], size - 1) : 0;
    const std::string name(reinterpret_cast<const char*>(data + 1), nameLength);
    const size_t fileStart = size > 0 ? 1 + nameLength : 0;
    std::ofstream(StorePath(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data + fileStart),
               static_cast<std::streamsize>(size - fileStart));

    ventrio::MacroStore store(StorePath());
    CheckLoadTimeEncoding(store);

    // Each read goes through the file; the first names are enough to see damage.
    const std::vector<std::string> names = store.ReadMacroNames();
    const size_t checked = std::min<size_t>(names.size(), 16);
    std::vector<ventrio::StoredMacro> before;
    for (size_t i = 0; i < checked; ++i) {
        before.push_back(store.ReadMacro(names[i]));
    }

    const ventrio::Macro macro = {name, 5, true, {"A   Dn", name}};
    store.WriteMacro(macro);

    Check(store.ReadMacroNames() == names);
    for (size_t i = 0; i < checked; ++i) {
        if (!ventrio::SameMacroSection(names[i], name)) {
            Check(store.ReadMacro(names[i]) == before[i]);
        }
    }
    if (!ventrio::IsReservedMacroName(name)) {
        const std::string stored = ventrio::StoredMacroName(name);
        const ventrio::StoredMacro expected = {"1", "5", {"A   Dn", stored}};
        Check(store.ReadMacro(name) == expected);
        Check(store.ReadMacro(stored) == expected);
    }
    return 0;
}
