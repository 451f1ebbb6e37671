// The forecast of a seed area after its estimate and historic replay: 500 futures of 5 seasons, on one
// thread and on two, timed on the wall clock; and the search for the quota that reaches a goal in 10 years on
// 500 futures. Their results do not depend on the thread count.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "app/forecast.h"
#include "app/harvest_plans.h"
#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/season_driver.h"
#include "app/start_year.h"
#include "app/startup.h"
#include "app/vildo.h"
#include "bench_platform.h"
#include "model/controls.h"
#include "seed_area.h"

namespace {

namespace fs = std::filesystem;

// The state the forward button stands at once the seed area's history has been replayed, built once.
const vildo::Vildo& replayedSeedArea() {
    static vildo::SilentPrompts prompts;
    static vildo::bench::SeedService service(vildo::bench::statisticsAnswer(vildo::bench::kSeedArea.string()));
    static const std::unique_ptr<vildo::Vildo> app = [] {
        const fs::path dir = fs::temp_directory_path() / "vildo-forecast-bench";
        fs::create_directories(dir / "program");
        vildo::Platform p = vildo::bench::benchPlatform();
        p.exeDir = dir / "program";
        p.documentsDir = dir;
        p.appDataDir = dir / "appdata";
        auto a = std::make_unique<vildo::Vildo>(prompts, p);
        vildo::Vildo& v = *a;
        v.dataService = &service;
        vildo::startUp(v);
        vildo::Scheduler(v).runUntil(
            [&] { return !v.timers[7].enabled && !v.timers[13].enabled && !v.timers[1].enabled; });
        v.InfoFlags[2] = 1;  // the search goes on to the full calibration without its message
        vildo::areaItemClick(v, 1, 0);
        vildo::Scheduler(v).runUntil([&] { return !vildo::calibrationRunning(v); });
        vildo::btn_rensaClick(v);
        if (vildo::chk_statsMouseDown(v)) vildo::setChecked(v, vildo::C::chk_stats, true);
        vildo::Scheduler(v).runUntil([&] { return !v.timers[1].enabled && !v.timers[3].enabled; });
        vildo::SpeedButton1Click(v);
        return a;
    }();
    return *app;
}

void BM_ForecastSeedArea(benchmark::State& state) {
    const vildo::Vildo& app = replayedSeedArea();
    const vildo::ForecastRequest request{
        .years = 5, .replicates = 500, .seed = 20260202u, .threads = static_cast<int>(state.range(0))};
    double median = 0;
    for (auto _ : state) median = vildo::runForecast(app, request).years.back().winterDensity.p50;
    state.counters["seasons_replayed"] = app.YearNo;
    state.counters["winter_density_p50"] = median;
}
BENCHMARK(BM_ForecastSeedArea)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// A goal a tenth below today's winter stock: the search brackets it a few steps above today's quota.
void BM_PlanSeedArea(benchmark::State& state) {
    const vildo::Vildo& app = replayedSeedArea();
    const vildo::PlanRequest request{.years = 10,
                                     .replicates = 500,
                                     .seed = 20260202u,
                                     .threads = static_cast<int>(state.range(0)),
                                     .goal = 0.9 * app.Winter.WinterDensity};
    const vildo::HarvestPlan split = vildo::currentPlan(app);
    vildo::QuotaSearch found;
    for (auto _ : state) found = vildo::searchQuota(app, request, split.calvesPercent, split.cowsPercent);
    state.counters["quota"] = found.nearest.plan ? found.nearest.plan->quota : -1;
    state.counters["safe_quota"] = found.safe.plan ? found.safe.plan->quota : -1;
    state.counters["forecasts"] = found.forecasts;
}
BENCHMARK(BM_PlanSeedArea)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
