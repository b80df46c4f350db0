// ventrioctl show: the configuration that start-up would load from a folder.
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "app/localisation.h"
#include "app/profile_loading.h"
#include "assign/button_catalogue.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "config/config_files.h"
#include "macro/macro_encoder.h"
#include "platform/files.h"
#include "platform/hex.h"
#include "platform/trace.h"

namespace ventrio::cli {
namespace {

nlohmann::json FileNameOrNull(const std::filesystem::path& path) {
    if (path.empty()) {
        return nullptr;
    }
    return PathToUtf8(path.filename());
}

// What the load did to the macro area; set only when the load reached the rebuild.
struct MacroRebuild {
    bool ran = false;
    bool storeFound = false;
    std::vector<MacroEncodingReport> reports;
};

void PrintMacros(const MacroRebuild& rebuild) {
    if (!rebuild.ran) {
        std::printf("Macros: not rebuilt, no profile was loaded\n");
        return;
    }
    if (!rebuild.storeFound) {
        std::printf(
            "Macros: no macro store; the macro area is as the configuration file holds it\n");
        return;
    }
    if (rebuild.reports.empty()) {
        std::printf("Macros: the macro store lists none\n");
        return;
    }
    std::printf("Macros (%zu in the macro store):\n", rebuild.reports.size());
    for (size_t n = 0; n < rebuild.reports.size(); ++n) {
        const MacroEncodingReport& report = rebuild.reports[n];
        std::printf("  Macro %zu  %-20s %3zu lines  ", n + 1, ("\"" + report.name + "\"").c_str(),
                    report.lineCount);
        if (!report.encoded) {
            std::printf("not sent: only %zu macros have a slot\n", kMacroBlockCount);
        } else if (report.encoding.Cut()) {
            std::printf("%3zu bytes (cut: needs %zu)\n", report.encoding.bytesWritten,
                        report.encoding.bytesNeeded);
        } else {
            std::printf("%3zu bytes\n", report.encoding.bytesWritten);
        }
    }
}

void PrintSummary(const ConfigState& state, const Localisation& localisation,
                  const MacroRebuild& macros) {
    const ConfigRecord& r = state.working;
    std::printf(
        "Profile %d: %s, %s; language \"%s\"\n", state.ProfileIndex,
        state.configFile.empty() ? "no configuration file"
                                 : PathToUtf8(state.configFile.filename()).c_str(),
        state.labelFile.empty() ? "no label file" : PathToUtf8(state.labelFile.filename()).c_str(),
        localisation.code.c_str());
    std::printf("DPI stages:\n");
    for (size_t stage = 1; stage <= kStageCount; ++stage) {
        const size_t colour = rec::StageColour(stage);
        std::printf("  %zu  %5d DPI  %-8s colour #%02X%02X%02X\n", stage,
                    r[rec::StageResolution(stage)] * 50,
                    r[rec::StageEnabled(stage)] != 0 ? "enabled" : "skipped", r[colour],
                    r[colour + 1], r[colour + 2]);
    }
    const int divisor = r[rec::kPollingDivisor] == 0 ? 2 : r[rec::kPollingDivisor];
    std::printf("Polling rate: %d Hz\n", 1000 / divisor);
    std::printf("Lighting: mode %d, levels %d %d %d\n", r[rec::kLightingMode],
                r[rec::kLightingLevel], r[rec::kLightingLevel + 1], r[rec::kLightingLevel + 2]);
    std::printf("Axis sensitivity: X %d, Y %d\n", r[rec::kXSensitivity], r[rec::kYSensitivity]);
    std::printf("Angle snapping: %s\n", r[rec::kAngleSnap] != 0 ? "on" : "off");
    std::printf("Windows pointer: speed level %d, enhanced precision %s, double-click level %d, ",
                r[rec::kPointerSpeed], r[rec::kEnhancePrecision] == 1 ? "on" : "off",
                r[rec::kDoubleClickSpeed]);
    if (r[rec::kPageScroll] != 0) {
        std::printf("wheel one screen\n");
    } else {
        std::printf("wheel %d lines\n", r[rec::kScrollLines]);
    }
    std::printf("Buttons:\n");
    for (size_t i = 0; i < kButtonCount; ++i) {
        const ActionWord word = EncodeButtonAction(r, i);
        std::printf(
            "  Button %zu  %-26s %-20s %s\n", i + 1, ("\"" + state.labels[i] + "\"").c_str(),
            FunctionName(r[rec::kButtonFunction + i]).c_str(), HexString(word, " ").c_str());
    }
    PrintMacros(macros);
}

}  // namespace

int RunShow(const std::vector<std::string>& args) {
    const ParsedArguments parsed = ParseArguments(args, {"--json", "--trace"}, {"--dir"});
    if (!parsed.error.empty()) {
        return UsageError(parsed.error);
    }
    if (!parsed.positionals.empty()) {
        return UsageError("show takes no argument " + parsed.positionals.front());
    }
    const auto dataFolder = DataFolder(parsed);
    if (!dataFolder) {
        return 2;
    }
    const std::filesystem::path& folder = *dataFolder;
    TraceToStandardErrorIfAsked(parsed);

    ConfigState state;
    ConfigFiles files(state, folder);
    Localisation localisation;
    // The program's own rebuild, watched so that the summary can tell what it did.
    MacroRebuild macros;
    files.SetMacroAreaRebuilder([&macros](ConfigRecord& record, const std::filesystem::path& path) {
        const MacroStore store(path);
        macros.ran = true;
        macros.storeFound = store.Exists();
        macros.reports = EncodeMacroStore(record, store);
    });
    LoadProfileAtStartup(files, state, localisation);

    if (parsed.flags.contains("--json")) {
        nlohmann::json out;
        out["profileIndex"] = state.ProfileIndex;
        out["configFile"] = FileNameOrNull(state.configFile);
        out["labelFile"] = FileNameOrNull(state.labelFile);
        out["language"] = localisation.code;
        out["labels"] = state.labels;
        out["record"] = HexString(state.working.bytes);
        std::printf("%s\n",
                    out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace).c_str());
    } else {
        PrintSummary(state, localisation, macros);
    }
    return 0;
}

}  // namespace ventrio::cli
