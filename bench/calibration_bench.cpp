// One headless calibration of a seed area, from the area item's click to the verdict: the search, the
// full calibration with its replays, and the replay of the best setting, on the virtual clock; and the
// estimate's interval after it, on one thread and on every core. The data service answers in-process from the
// seed file, so only the program's own computation is timed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/estimate_ensemble.h"
#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/start_year.h"
#include "app/startup.h"
#include "app/vildo.h"
#include "seed_area.h"

namespace {

namespace fs = std::filesystem;

// A started program with the seed area on its in-process service.
std::unique_ptr<vildo::Vildo> startedApp(const fs::path& dir, vildo::Prompts& prompts, vildo::DataService& service) {
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
    return app;
}

void BM_CalibrateSeedArea(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "vildo-calibration-bench";
    fs::create_directories(dir / "program");
    vildo::bench::SeedService service(vildo::bench::statisticsAnswer(vildo::bench::kSeedArea.string()));
    vildo::SilentPrompts prompts;
    int64_t replays = 0;
    double density = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto app = startedApp(dir, prompts, service);
        app->IntervalMembers = 0;  // the calibration alone; the interval has a benchmark of its own
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

// The verdict's interval of the seed area: 40 members refitted after its calibration, on 1 and 2 threads.
void BM_EstimateInterval(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "vildo-interval-bench";
    fs::create_directories(dir / "program");
    vildo::bench::SeedService service(vildo::bench::statisticsAnswer(vildo::bench::kSeedArea.string()));
    vildo::SilentPrompts prompts;
    auto app = startedApp(dir, prompts, service);
    app->IntervalMembers = 0;
    vildo::areaItemClick(*app, 1, 0);
    vildo::Scheduler(*app).runUntil([&] { return !vildo::calibrationRunning(*app); });
    const auto base = vildo::ensembleBase(*app);
    double width = 0;
    for (auto _ : state) {
        const auto e = vildo::runEstimateEnsemble(
            *base, {.members = 40, .seed = 7, .threads = static_cast<int>(state.range(0))});
        width = e ? e->interval.winterHigh - e->interval.winterLow : 0;
    }
    state.counters["width"] = width;
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_EstimateInterval)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
