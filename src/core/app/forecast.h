// Prognos: replicate futures from the state the forward button stands at, on every core.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "hunt/forecast.h"
#include "hunt/harvest_plan.h"

namespace vildo {

struct Vildo;

struct ForecastRequest {
    int years = 5;  // seasons per future, 1..20
    int replicates = 500;
    uint32_t seed = 0;                          // replicate r is seeded from this and r
    int threads = 0;                            // 0: every core; results never depend on it
    std::optional<double> goal = std::nullopt;  // the winter density "near the goal" is measured against; default below
    std::optional<HarvestPlan> plan = std::nullopt;  // held for every season; without one, the goal table as it stands
    double floor = 0;                                // the winter density a future must not fall below
};

// The goal a forecast measures against unless told: the wanted density set before the area was loaded (the
// density control then holds the area's estimate), the wanted density itself without an area.
double defaultForecastGoal(const Vildo& app);
// The calendar year of the season after the state's last one: the history's years with an area's history on,
// the grid's year count from this year otherwise.
int firstForecastYear(const Vildo& app);

// True when the futures start from the members of the state's estimate ensemble: the state stands where the
// ensemble's stocks stand, at the end of the history it was fitted to.
bool forecastFromEnsemble(const Vildo& app);

// Called from worker threads with the number of replicates done; returning false cancels the run.
using ForecastProgress = std::function<bool(int done)>;

// Runs the replicates on copies of the state, exactly as that many presses of the forward button would, and
// summarises them. After an estimate, replicate r starts from the stock of ensemble member r mod B, so the
// estimate's uncertainty is in the first year's band. The given state is left as it was; no file is written and no
// dialog is shown. Season k of replicate r draws from the seed mixSeed(mixSeed(seed, r), k). Throws
// std::invalid_argument for years outside 1..20, no replicates, a goal that is not positive, a negative floor or a plan that
// cannot be hunted; an error inside a season propagates. The futures' random numbers do not depend on the plan, so
// plans run with the same seed meet the same chances. The state must not change while this runs.
Forecast runForecast(const Vildo& app, const ForecastRequest& request, const ForecastProgress& progress = {});

}  // namespace vildo
