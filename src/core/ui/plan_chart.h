// Plans side by side as the window shows them: each plan's median and 80 % band in its own colour, and a row
// per plan of the figures they are compared on.
#pragma once
#include <string>
#include <vector>

#include "hunt/harvest_plan.h"
#include "ui/charts.h"
#include "util/grid.h"

namespace vildo {

struct NamedPlan {
    std::string name;
    const PlanOutcome* outcome;
};

// The colour of the k-th plan, its band and its median.
uint32_t planColour(size_t k);

// The main chart's history as the forecast's fan chart has it, then for each plan its 80 % band and median.
Chart plansChart(const Chart& main, const std::vector<NamedPlan>& plans);

// A heading row, then a row a plan: Plan, Kvot, Kalv/ko/tjur %, Median år N, Inom ±10 % av målet år N,
// Under golvet något år, Avskjutning per år, Kvoten nås.
Grid plansTable(const std::vector<NamedPlan>& plans, int years);

}  // namespace vildo
