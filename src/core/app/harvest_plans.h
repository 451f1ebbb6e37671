// Harvest plans compared on the same futures, and the yearly quota that takes the stock to the goal.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/forecast.h"
#include "hunt/harvest_plan.h"

namespace vildo {

struct Vildo;

struct PlanRequest {
    int years = 10;  // the year N the plans are judged in, 1..20
    int replicates = 500;
    uint32_t seed = 0;  // every plan meets the same futures: the same members and random numbers
    int threads = 0;
    std::optional<double> goal;   // winter density per 1000 ha; the forecast's default without one
    std::optional<double> floor;  // half the goal without one
    double risk = 0.10;           // the largest share of futures the safe quota may let fall below the floor
};

// Called from worker threads with the share of the work done (0..1); returning false cancels.
using PlanProgress = std::function<bool(double done)>;

// The goal table's plan as it stands: this season's total target and its split, to whole percent.
HarvestPlan currentPlan(const Vildo& app);

// The goal and floor a request stands for once its defaults are filled in. Throws std::invalid_argument for a
// goal that is not positive, years outside 1..20, no replicates, a negative floor or a risk outside 0..1.
PlanRequest resolvedPlanRequest(const Vildo& app, const PlanRequest& request);

// Each plan's forecast on the same futures, in the plans' order. A cancelled run returns what it finished.
std::vector<PlanOutcome> comparePlans(const Vildo& app, const PlanRequest& request,
                                      const std::vector<std::optional<HarvestPlan>>& plans,
                                      const PlanProgress& progress = {});

struct QuotaSearch {
    PlanOutcome nearest;      // the constant quota whose median in year N comes nearest the goal
    std::string nearestNote;  // why the goal could not be reached, or empty
    PlanOutcome safe;         // the largest quota that keeps the share below the floor within the risk
    std::string safeNote;     // why no quota keeps the risk, or empty
    int forecasts = 0;        // forecasts the search ran
    bool cancelled = false;
};

// Searches whole quotas in the given split. Under common random numbers the median falls and the share below the
// floor rises with the quota, so each search closes a bracket of adjacent quotas, by interpolation guarded with
// bisection. Throws std::invalid_argument as resolvedPlanRequest does, and for a split that cannot be hunted.
QuotaSearch searchQuota(const Vildo& app, const PlanRequest& request, int calvesPercent, int cowsPercent,
                        const PlanProgress& progress = {});

}  // namespace vildo
