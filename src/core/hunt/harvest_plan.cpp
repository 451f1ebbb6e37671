#include "hunt/harvest_plan.h"

#include <cmath>
#include <utility>

#include "hunt/season_state.h"
#include "util/errors.h"

namespace vildo {

bool operator==(const HarvestPlan& a, const HarvestPlan& b) {
    return a.quota == b.quota && a.calvesPercent == b.calvesPercent && a.cowsPercent == b.cowsPercent;
}

PlanOutcome planOutcome(const std::optional<HarvestPlan>& plan, Forecast f) {
    PlanOutcome o;
    o.plan = plan;
    if (!f.years.empty()) {
        o.medianWinter = f.years.back().winterDensity.p50;
        o.nearGoal = f.years.back().nearWanted;
        double filled = 0;
        for (const ForecastYear& y : f.years) filled += y.quotaFilled;
        o.quotaFilled = filled / static_cast<double>(f.years.size());
    }
    o.belowFloor = f.belowFloor;
    o.meanHarvest = f.meanHarvest;
    o.forecast = std::move(f);
    return o;
}

std::optional<std::string> harvestPlanError(const HarvestPlan& plan) {
    if (!std::isfinite(plan.quota) || plan.quota < 0) return "Avskjutningen ska vara ett antal djur, 0 eller fler.";
    const int parts[] = {plan.calvesPercent, plan.cowsPercent, plan.bullsPercent()};
    for (int p : parts)
        if (p < 0 || p > 100) return "Kalvar, kor och tjurar ska vara 0–100 % och tillsammans 100 %.";
    return std::nullopt;
}

void holdHarvestPlan(SeasonState& app, const HarvestPlan& plan) {
    TGoals& g = app.Goals;
    g.HarvestRate = static_cast<float>(checkedDiv(plan.quota, app.AreaKha));
    app.CalfPercent = plan.calvesPercent;
    const int adults = plan.cowsPercent + plan.bullsPercent();
    g.BullShareTarget = adults > 0 ? static_cast<float>(plan.bullsPercent()) / static_cast<float>(adults) : 0.0f;
}

}  // namespace vildo
