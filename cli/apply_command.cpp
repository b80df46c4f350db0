// ventrioctl apply: start-up's device steps and Apply, against the simulated mouse or the real one.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <vector>

#include "app/localisation.h"
#include "app/profile_loading.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "config/config_files.h"
#include "device/device_link.h"
#include "device/upload.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/hex.h"
#include "platform/pointer_settings.h"
#include "platform/trace.h"
#include "sim/sim_hid_backend.h"
#include "sim/sim_state.h"

#ifdef _WIN32
#include "platform/win/hid_backend_win.h"
#include "platform/win/pointer_settings_win.h"
#endif

namespace ventrio::cli {
namespace {

// The real passage of time, with the pauses added up.
class CountingSystemClock final : public Clock {
  public:
    void Sleep(uint32_t milliseconds) override {
        m_total += milliseconds;
        m_system.Sleep(milliseconds);
    }
    uint32_t TickCount() override { return m_system.TickCount(); }
    uint64_t TotalSleptMs() const { return m_total; }

  private:
    SystemClock m_system;
    uint64_t m_total = 0;
};

struct LoggedReport {
    const char* op;
    std::vector<uint8_t> data;
};

// Notes every report that crosses the real mouse's command interface.
class LoggingCommandInterface final : public HidCommandInterface {
  public:
    LoggingCommandInterface(std::unique_ptr<HidCommandInterface> inner,
                            std::vector<LoggedReport>& log)
        : m_inner(std::move(inner)), m_log(log) {}

    bool SetFeature(std::span<const uint8_t> report) override {
        return Note(m_inner->SetFeature(report), "set-feature", report);
    }
    bool GetFeature(std::span<uint8_t> report) override {
        return Note(m_inner->GetFeature(report), "get-feature", report);
    }
    bool WriteOutput(std::span<const uint8_t> report) override {
        return Note(m_inner->WriteOutput(report), "write", report);
    }
    std::optional<size_t> ReadInput(std::span<uint8_t> report) override {
        const std::optional<size_t> read = m_inner->ReadInput(report);
        if (read) {
            m_log.push_back(
                {"read", {report.begin(), report.begin() + static_cast<ptrdiff_t>(*read)}});
        }
        return read;
    }

  private:
    bool Note(bool ok, const char* op, std::span<const uint8_t> report) {
        if (ok) {
            m_log.push_back({op, {report.begin(), report.end()}});
        }
        return ok;
    }

    std::unique_ptr<HidCommandInterface> m_inner;
    std::vector<LoggedReport>& m_log;
};

class LoggingHidBackend final : public HidBackend {
  public:
    explicit LoggingHidBackend(std::unique_ptr<HidBackend> inner) : m_inner(std::move(inner)) {}

    const std::vector<LoggedReport>& Log() const { return m_log; }

    std::unique_ptr<HidInterfaceList> ListInterfaces() override {
        return m_inner->ListInterfaces();
    }
    std::unique_ptr<HidProbe> OpenProbe(const std::string& path) override {
        return m_inner->OpenProbe(path);
    }
    std::shared_ptr<HidInputInterface> OpenInputInterface(const std::string& path) override {
        return m_inner->OpenInputInterface(path);
    }
    std::unique_ptr<HidCommandInterface> OpenCommandInterface(const std::string& path) override {
        std::unique_ptr<HidCommandInterface> opened = m_inner->OpenCommandInterface(path);
        if (!opened) {
            return nullptr;
        }
        return std::make_unique<LoggingCommandInterface>(std::move(opened), m_log);
    }
    std::shared_ptr<HidEvent> CreateReaderEvent() override { return m_inner->CreateReaderEvent(); }

  private:
    std::unique_ptr<HidBackend> m_inner;
    std::vector<LoggedReport> m_log;
};

nlohmann::ordered_json PointerJson(const PointerSettings& settings) {
    return {{"mouse", settings.mouse},
            {"speed", settings.speed},
            {"wheelScrollLines", settings.wheelScrollLines},
            {"doubleClickTime", settings.doubleClickTime}};
}

void PrintSummary(const ConfigState& state, const char* target, size_t reports, uint64_t pausesMs,
                  const PointerSettings& pointer) {
    std::printf("Applied profile %d (%s) to %s: %zu reports, %llu ms of pauses.\n",
                state.ProfileIndex,
                state.configFile.empty() ? "no configuration file"
                                         : PathToUtf8(state.configFile.filename()).c_str(),
                target, reports, static_cast<unsigned long long>(pausesMs));
    std::printf("Windows pointer settings: acceleration %d %d %d, speed %u, ", pointer.mouse[0],
                pointer.mouse[1], pointer.mouse[2], pointer.speed);
    if (pointer.wheelScrollLines == kWheelPageScroll) {
        std::printf("wheel one screen, ");
    } else {
        std::printf("wheel %u lines, ", pointer.wheelScrollLines);
    }
    std::printf("double-click %u ms.\n", pointer.doubleClickTime);
}

}  // namespace

int RunApply(const std::vector<std::string>& args) {
    const ParsedArguments parsed =
        ParseArguments(args, {"--json", "--trace", "--device", "--real-time"}, {"--dir", "--sim"});
    if (!parsed.error.empty()) {
        return UsageError(parsed.error);
    }
    if (!parsed.positionals.empty()) {
        return UsageError("apply takes no argument " + parsed.positionals.front());
    }
    const auto simOption = parsed.values.find("--sim");
    const bool useDevice = parsed.flags.contains("--device");
    if ((simOption != parsed.values.end()) == useDevice) {
        return UsageError("apply needs either --sim STATE or --device");
    }
    const auto dataFolder = DataFolder(parsed);
    if (!dataFolder) {
        return 2;
    }
    const std::filesystem::path& folder = *dataFolder;

    std::unique_ptr<SimHidBackend> simBackend;
    std::unique_ptr<LoggingHidBackend> deviceBackend;
    std::unique_ptr<SystemPointerSettings> systemPointer;
    RecordingPointerSettings recordingPointer;
    std::filesystem::path stateFile;
    if (useDevice) {
#ifdef _WIN32
        deviceBackend = std::make_unique<LoggingHidBackend>(CreateSystemHidBackend());
        systemPointer = CreateSystemPointerSettings();
#else
        std::fprintf(stderr,
                     "ventrioctl: apply --device: there is no HID backend for this platform yet; "
                     "use --sim STATE\n");
        return 1;
#endif
    } else {
        stateFile = PathFromUtf8(simOption->second);
        std::string error;
        const std::optional<SimState> simState = LoadSimStateFile(stateFile, error);
        if (!simState) {
            std::fprintf(stderr, "ventrioctl: %s\n", error.c_str());
            return 1;
        }
        simBackend = std::make_unique<SimHidBackend>(std::make_shared<SimulatedMouse>(*simState));
    }
    HidBackend& backend = simBackend ? static_cast<HidBackend&>(*simBackend)
                                     : static_cast<HidBackend&>(*deviceBackend);
    SystemPointerSettings& pointerSettings =
        systemPointer ? *systemPointer : static_cast<SystemPointerSettings&>(recordingPointer);

    TraceToStandardErrorIfAsked(parsed);

    ConfigState state;
    ConfigFiles files(state, folder);
    Localisation localisation;
    LoadProfileAtStartup(files, state, localisation);

    // The simulated mouse needs no time to take its data unless the run is to be timed.
    FakeClock instantClock;
    CountingSystemClock realClock;
    const bool realTime = useDevice || parsed.flags.contains("--real-time");
    Clock& clock = realTime ? static_cast<Clock&>(realClock) : static_cast<Clock&>(instantClock);

    DeviceLink link(backend, clock);
    if (!FindDeviceAtStartup(link, state.working)) {
        std::fprintf(stderr, "ventrioctl: no mouse found; nothing was sent or saved\n");
        return 1;
    }
    Apply(link, state, files, pointerSettings);
    link.CloseHandles();

    const uint64_t pausesMs = realTime ? realClock.TotalSleptMs() : instantClock.TotalSleptMs();
    const PointerSettings pointer =
        systemPointer ? PointerSettingsFromRecord(state.working) : recordingPointer.Settings();
    std::vector<LoggedReport> reports;
    if (simBackend) {
        for (const SimReport& report : simBackend->Mouse().ReportLog()) {
            reports.push_back({SimReportOpName(report.op), report.data});
        }
        std::string error;
        if (!SaveSimStateFile(stateFile, simBackend->Mouse().State(), error)) {
            std::fprintf(stderr, "ventrioctl: %s\n", error.c_str());
            return 1;
        }
    } else if (deviceBackend) {
        reports = deviceBackend->Log();
    }

    if (parsed.flags.contains("--json")) {
        nlohmann::ordered_json out;
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const LoggedReport& report : reports) {
            list.push_back({{"op", report.op}, {"data", HexString(report.data)}});
        }
        out["reports"] = list;
        out["pausesMs"] = pausesMs;
        out["pointer"] = PointerJson(pointer);
        std::printf("%s\n", out.dump(2).c_str());
    } else {
        PrintSummary(state, simBackend ? "the simulated mouse" : "the mouse", reports.size(),
                     pausesMs, pointer);
    }
    return 0;
}

}  // namespace ventrio::cli
