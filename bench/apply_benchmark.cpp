// The wall time of the upload and of Apply against the simulated mouse with the real clock,
// next to the floor of the pauses the mouse is owed. Each repetition is one whole upload.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "app/profile_loading.h"
#include "device/upload.h"
#include "platform/clock.h"
#include "sim/sim_hid_backend.h"
#include "tools/factory/factory_dataset.h"

namespace {

using namespace ventrio;

class Bench {
  public:
    Bench()
        : m_folder(std::filesystem::temp_directory_path() /
                   ("ventrio-bench-" +
                    std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))),
          m_files(m_state, m_folder) {
        WriteFactoryDataSet(m_folder);
        LoadProfileAtStartup(m_files, m_state, m_localisation);
        m_link = std::make_unique<DeviceLink>(m_backend, m_clock);
        FindDeviceAtStartup(*m_link, m_state.working);
    }
    ~Bench() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    // The pauses an upload owes the mouse, summed by a clock that only counts them.
    uint64_t FloorMs() {
        FakeClock counting;
        DeviceLink link(m_backend, counting);
        FindDeviceAtStartup(link, m_state.working);
        counting.ClearSleeps();
        UploadConfiguration(link, m_state, m_files);
        return counting.TotalSleptMs();
    }

    DeviceLink& Link() { return *m_link; }
    ConfigState& State() { return m_state; }
    ConfigFiles& Files() { return m_files; }
    RecordingPointerSettings& Pointer() { return m_pointer; }

  private:
    std::filesystem::path m_folder;
    ConfigState m_state;
    ConfigFiles m_files;
    Localisation m_localisation;
    SimHidBackend m_backend{std::make_shared<SimulatedMouse>()};
    SystemClock m_clock;
    std::unique_ptr<DeviceLink> m_link;
    RecordingPointerSettings m_pointer;
};

template <typename Run>
void Measure(benchmark::State& state, Run run) {
    Bench bench;
    const double floor = static_cast<double>(bench.FloorMs());
    double wall = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        run(bench);
        wall = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                   .count();
    }
    state.counters["floor_ms"] = floor;
    state.counters["above_floor_%"] = 100.0 * (wall - floor) / floor;
}

void BM_Upload(benchmark::State& state) {
    Measure(state, [](Bench& b) { UploadConfiguration(b.Link(), b.State(), b.Files()); });
}

void BM_Apply(benchmark::State& state) {
    Measure(state, [](Bench& b) { Apply(b.Link(), b.State(), b.Files(), b.Pointer()); });
}

BENCHMARK(BM_Upload)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Apply)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
