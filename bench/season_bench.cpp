// The season mode's cost: one season-year (Planering) of about 10 000 encounters, with and without
// the biodata rows, and the writing of those rows alone.
#include <benchmark/benchmark.h>

#include "app/scheduler.h"
#include "app/season_driver.h"
#include "app/startup.h"
#include "app/vildo.h"
#include "bench_platform.h"
#include "hunt/exports.h"
#include "hunt/goal_tables.h"
#include "hunt/hunt.h"
#include "hunt/season.h"

namespace {

using vildo::bench::benchPlatform;

// What one season changes, so that every iteration runs the same season.
struct SeasonState {
    vildo::TPopulation pop;
    vildo::THarvestByAge harvest;
    vildo::THarvestTotals totals;
    vildo::TSummerTotals summer;
    vildo::TWinterTotals winter;
    vildo::TFecundityState fec;
    vildo::TGoals goals;
    double calvesPerCow;
    uint32_t seed;

    explicit SeasonState(const vildo::Vildo& a)
        : pop(a.Pop),
          harvest(a.Harvest),
          totals(a.HarvestTot),
          summer(a.Summer),
          winter(a.Winter),
          fec(a.Fec),
          goals(a.Goals),
          calvesPerCow(a.CalvesPerCow),
          seed(a.rng.seed) {}
    void restore(vildo::Vildo& a) const {
        a.Pop = pop;
        a.Harvest = harvest;
        a.HarvestTot = totals;
        a.Summer = summer;
        a.Winter = winter;
        a.Fec = fec;
        a.Goals = goals;
        a.CalvesPerCow = calvesPerCow;
        a.rng.seed = seed;
    }
};

// A started program at the start of a full season: the cows are spared in every week, so the cow target is never
// met and the hunt runs until week 19 has passed, after about 0.988 of the budget.
void readyForSeason(vildo::Vildo& app, bool biodata) {
    vildo::startUp(app);
    vildo::Scheduler(app).runUntil([&] { return !app.timers[1].enabled; });
    app.SeasonStarted = true;
    app.RulesAlways = true;
    vildo::Initierajakt(app);
    app.Rules[vildo::RuleCow] = {1, 1, 1, 21};
    app.MaxTries = 10120;
    app.ctl(vildo::C::chk_biodata).position = biodata ? 1 : 0;
}

void BM_Season(benchmark::State& state) {
    vildo::SilentPrompts prompts;
    vildo::Vildo app(prompts, benchPlatform());
    readyForSeason(app, state.range(0) != 0);
    const SeasonState start(app);
    int64_t encounters = 0;
    for (auto _ : state) {
        state.PauseTiming();
        start.restore(app);
        state.ResumeTiming();
        vildo::Planering(app);
        encounters += app.HuntTry;
        benchmark::DoNotOptimize(app.Winter.WinterStock);
    }
    state.counters["encounters"] = benchmark::Counter(static_cast<double>(encounters) / state.iterations());
    state.SetItemsProcessed(encounters);
}
BENCHMARK(BM_Season)->Arg(0)->Arg(1)->ArgName("biodata")->Unit(benchmark::kMicrosecond);

// The biodata part of a season on its own: a season's rows turned into text and Biodata.csv rewritten.
void BM_SaveBiodata(benchmark::State& state) {
    vildo::SilentPrompts prompts;
    vildo::Vildo app(prompts, benchPlatform());
    readyForSeason(app, true);
    vildo::Planering(app);
    for (auto _ : state) vildo::saveBiodata(app);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * app.Biodata.size()));
}
BENCHMARK(BM_SaveBiodata)->Unit(benchmark::kMicrosecond);

}  // namespace
