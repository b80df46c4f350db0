// ventrioctl encode-macros: the twelve macro blocks the macro manager makes from a macro store
// when it closes with OK.
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "config/config_files.h"
#include "macro/macro_encoder.h"
#include "platform/files.h"
#include "platform/hex.h"

namespace ventrio::cli {
namespace {

constexpr size_t kBytesPerRow = 16;

std::span<const uint8_t> SentPart(const MacroManagerBlocks::Block& block) {
    return std::span(block).first(kMacroSlotSize);
}

void PrintText(const MacroStore& store, const std::vector<MacroEncodingReport>& reports,
               const MacroManagerBlocks& blocks) {
    if (!store.Exists()) {
        std::printf("No macro store (%s)\n", PathToUtf8(store.Path()).c_str());
    } else {
        std::printf("%zu macro%s in %s\n", reports.size(), reports.size() == 1 ? "" : "s",
                    PathToUtf8(store.Path()).c_str());
    }
    for (size_t n = 0; n < reports.size(); ++n) {
        const MacroEncodingReport& report = reports[n];
        std::printf("  %2zu  \"%s\"  %zu lines", n + 1, report.name.c_str(), report.lineCount);
        if (!report.encoded) {
            std::printf(", no slot: only %zu macros are sent\n", kMacroBlockCount);
        } else if (report.encoding.Cut()) {
            std::printf(", %zu bytes, cut after %zu of %zu events (needs %zu)\n",
                        report.encoding.bytesWritten, report.encoding.eventsWritten,
                        report.encoding.events, report.encoding.bytesNeeded);
        } else {
            std::printf(", %zu bytes\n", report.encoding.bytesWritten);
        }
    }
    for (size_t n = 0; n < kMacroBlockCount; ++n) {
        std::printf("Slot %zu:\n", n + 1);
        const auto sent = SentPart(blocks.Blocks()[n]);
        for (size_t row = 0; row < sent.size(); row += kBytesPerRow) {
            std::printf("  %03zu: %s\n", row,
                        HexString(sent.subspan(row, kBytesPerRow), " ").c_str());
        }
    }
}

}  // namespace

int RunEncodeMacros(const std::vector<std::string>& args) {
    const ParsedArguments parsed = ParseArguments(args, {"--json"}, {"--dir"});
    if (!parsed.error.empty()) {
        return UsageError(parsed.error);
    }
    if (!parsed.positionals.empty()) {
        return UsageError("encode-macros takes no argument " + parsed.positionals.front());
    }
    const auto dataFolder = DataFolder(parsed);
    if (!dataFolder) {
        return 2;
    }
    const std::filesystem::path& folder = *dataFolder;

    // As when the manager closes with OK on a fresh start: its blocks are zero, and its names
    // list is what the store lists.
    const MacroStore store(folder / PathFromUtf8(kMacroStoreName));
    const std::vector<std::string> names = store.ReadMacroNames();
    MacroManagerBlocks blocks;
    const auto reports = blocks.EncodeMacroStore(store, names);

    if (parsed.flags.contains("--json")) {
        nlohmann::ordered_json out;
        out["names"] = names;
        out["blocks"] = nlohmann::ordered_json::array();
        for (const auto& block : blocks.Blocks()) {
            out["blocks"].push_back(HexString(SentPart(block)));
        }
        std::printf("%s\n",
                    out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
    } else {
        PrintText(store, reports, blocks);
    }
    return 0;
}

}  // namespace ventrio::cli
