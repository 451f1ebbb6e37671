// A harvest plan held for every season: a yearly quota of animals and its split into calves, cows and bulls.
#pragma once
#include <optional>
#include <string>

#include "hunt/forecast.h"

namespace vildo {

struct SeasonState;

struct HarvestPlan {
    double quota = 0;       // animals shot per season
    int calvesPercent = 0;  // of the quota
    int cowsPercent = 0;    // of the quota; the bulls take the rest
    int bullsPercent() const { return 100 - calvesPercent - cowsPercent; }
};

bool operator==(const HarvestPlan& a, const HarvestPlan& b);

// One plan's forecast and the figures plans are compared on.
struct PlanOutcome {
    std::optional<HarvestPlan> plan;  // none: the goal table as it stands
    Forecast forecast;
    double medianWinter = 0;  // median winter density in the forecast's last year
    double nearGoal = 0;      // share within ±10 % of the goal in that year
    double belowFloor = 0;    // share below the floor in any year
    double meanHarvest = 0;   // moose shot per year
    double quotaFilled = 0;   // share reaching the quota, averaged over the years
};

PlanOutcome planOutcome(const std::optional<HarvestPlan>& plan, Forecast forecast);

// Why the plan cannot be hunted, in Swedish, or nothing: a quota that is negative or not a number, or a split
// whose parts are not 0..100 % summing to 100 %.
std::optional<std::string> harvestPlanError(const HarvestPlan& plan);

// Sets the season's targets to the plan: the harvest per 1000 ha, the calves' share and the bulls' share of the
// adults, which the season's targets are computed from.
void holdHarvestPlan(SeasonState& app, const HarvestPlan& plan);

}  // namespace vildo
