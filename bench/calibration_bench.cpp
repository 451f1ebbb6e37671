// One headless calibration of a seed area, from the area item's click to the verdict: the search, the
// full calibration with its replays, and the replay of the best setting, on the virtual clock. The data
// service answers in-process from the seed file, so only the program's own computation is timed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/start_year.h"
#include "app/startup.h"
#include "app/vildo.h"
#include "seed_area.h"

namespace {

namespace fs = std::filesystem;

void BM_CalibrateSeedArea(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "vildo-calibration-bench";
    fs::create_directories(dir / "program");
    vildo::bench::SeedService service(vildo::bench::statisticsAnswer(vildo::bench::kSeedArea.string()));
    vildo::SilentPrompts prompts;
    int64_t replays = 0;
    double density = 0;
    for (auto _ : state) {
        state.PauseTiming();
        vildo::Platform p;
        p.exeDir = dir / "program";
        p.documentsDir = dir;
        p.appDataDir = dir / "appdata";
        p.clockSeed = [] { return 20260202u; };
        p.currentYear = [] { return 2026; };
        p.wallSeconds = [] { return 0.0; };
        auto app = std::make_unique<vildo::Vildo>(prompts, p);
        app->dataService = &service;
        vildo::startUp(*app);
        vildo::Scheduler(*app).runUntil([&] { return !app->timers[13].enabled && !app->timers[1].enabled; });
        state.ResumeTiming();

        vildo::areaItemClick(*app, 1, 0);
        vildo::Scheduler(*app).runUntil([&] { return !vildo::calibrationRunning(*app); });

        state.PauseTiming();
        replays = app->HistoricRuns;
        density = app->Winter.WinterDensity;
        app.reset();
        state.ResumeTiming();
    }
    state.counters["replays"] = static_cast<double>(replays);
    state.counters["winter_density"] = density;
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_CalibrateSeedArea)->Unit(benchmark::kMillisecond);

}  // namespace
