// The hunting season's part of the state: the yearly statistics the historic targets come from, the rule
// table and its dialog exchange, the season's own results and biodata rows, and the hunting page's tables.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "hunt/biodata.h"
#include "hunt/goal_tables.h"
#include "hunt/harvest_plan.h"
#include "model/model_state.h"
#include "util/grid.h"

namespace vildo {

struct SeasonState;

// What a season asks of the display while it runs: the pyramids are emptied as the season starts and drawn
// again at its end. Filled in by the window's layer; without it nothing is drawn.
struct SeasonDisplay {
    void (*clearPyramids)(SeasonState&) = nullptr;
    void (*redrawPyramids)(SeasonState&, double largestShot) = nullptr;
};

struct SeasonState : ModelState {
    std::vector<TStatistics> Statistics;

    TRule Rules[5] = {{1, 0, 0, 0}};  // every rule off; record 0 belongs to the header row
    int32_t RuleDialogRow = 0, RuleDialogFrom = 0, RuleDialogTo = 0;
    int32_t QuotaProgress = 0;        // percent of the season's target shot so far
    std::vector<BiodataRow> Biodata;  // one row per encounter, while "Spara biodata" is on
    Grid StringGrid2 = designStringGrid2();
    Grid Stringgrid5 = designStringgrid5();
    Grid StringGrid3 = designStringGrid3();
    Grid Tabell_utv = designTabell_utv();
    // A forecast's plan: when set, every season's targets come from it instead of the goal table.
    std::optional<HarvestPlan> HeldPlan;

    const SeasonDisplay* display = nullptr;
};

}  // namespace vildo
