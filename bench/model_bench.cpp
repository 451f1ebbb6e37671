// The planning mode's cost: one model year, and one whole equilibrium run after a parameter change.
#include <benchmark/benchmark.h>

#include "app/scheduler.h"
#include "app/startup.h"
#include "app/vildo.h"
#include "bench_platform.h"
#include "model/parameters.h"
#include "model/population.h"

namespace {

using vildo::bench::benchPlatform;

void BM_ModelYear(benchmark::State& state) {
    vildo::SilentPrompts prompts;
    vildo::Vildo app(prompts, benchPlatform());
    vildo::startUp(app);
    vildo::Scheduler(app).runUntil([&] { return !app.timers[1].enabled; });
    // The year as an equilibrium run steps it, on the classes the run keeps for its years.
    vildo::PairedClasses classes(app);
    for (auto _ : state) {
        app.ModelDensity = app.Winter.WinterStock / app.AreaKha;
        vildo::Processpop(app, classes);
        benchmark::DoNotOptimize(app.Winter.WinterStock);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ModelYear);

// A parameter change: four ticks of 1000 years through the scheduler, as the window runs them.
void BM_EquilibriumRun(benchmark::State& state) {
    vildo::SilentPrompts prompts;
    vildo::Vildo app(prompts, benchPlatform());
    vildo::startUp(app);
    vildo::Scheduler scheduler(app);
    scheduler.runUntil([&] { return !app.timers[1].enabled; });
    int density = 80;
    for (auto _ : state) {
        density = density == 80 ? 81 : 80;
        vildo::setPosition(app, vildo::C::Trk_density, density);
        scheduler.runUntil([&] { return !app.timers[1].enabled; });
        benchmark::DoNotOptimize(app.Winter.WinterDensity);
    }
    state.SetItemsProcessed(state.iterations() * 4000);
}
BENCHMARK(BM_EquilibriumRun)->Unit(benchmark::kMicrosecond);

}  // namespace
