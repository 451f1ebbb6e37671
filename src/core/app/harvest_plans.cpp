#include "app/harvest_plans.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "app/vildo.h"
#include "util/format.h"

namespace vildo {

namespace {

ForecastRequest forecastRequest(const PlanRequest& r, const std::optional<HarvestPlan>& plan) {
    return {.years = r.years,
            .replicates = r.replicates,
            .seed = r.seed,
            .threads = r.threads,
            .goal = r.goal,
            .plan = plan,
            .floor = r.floor.value_or(0)};
}

// The adjacent whole numbers lo, lo + 1 between which h changes sign, given h(lo) >= 0 > h(hi). The next quota
// tried interpolates h linearly; a step that leaves more than half the bracket on one side is followed by a halving,
// so a flat or jumping h costs no more than bisection does.
template <class H>
std::pair<int64_t, int64_t> closeBracket(int64_t lo, double hLo, int64_t hi, double hHi, H h) {
    bool halve = false;
    while (hi - lo > 1) {
        int64_t mid = lo + (hi - lo) / 2;
        if (!halve && hLo > hHi) {
            const double t = hLo / (hLo - hHi);
            mid = std::clamp<int64_t>(lo + static_cast<int64_t>(std::llround(t * static_cast<double>(hi - lo))),
                                      lo + 1, hi - 1);
        }
        const int64_t before = hi - lo;
        const std::optional<double> v = h(mid);
        if (!v) return {lo, hi};  // cancelled
        if (*v >= 0) {
            lo = mid;
            hLo = *v;
        } else {
            hi = mid;
            hHi = *v;
        }
        halve = !halve && 2 * (hi - lo) > before;
    }
    return {lo, hi};
}

// Where h, non-negative at quota 0, first turns negative: steps of a quarter up from `start` bracket it, then the
// bracket is closed. Small steps up from a quota near today's keep the search below the quotas so large that a
// season is not hunted at all, where the stock grows again and h loses its order. Nothing when cancelled; a crossing not
// reached when h stays non-negative up to `limit`.
struct Crossing {
    int64_t lo = 0, hi = 0;
    bool reached = false;
};

template <class H>
std::optional<Crossing> findCrossing(double h0, int64_t start, int64_t limit, H h) {
    int64_t lo = 0;
    double hLo = h0;
    for (int64_t hi = std::min(start, limit);; hi = std::min(std::max(hi + 1, hi * 5 / 4), limit)) {
        const std::optional<double> v = h(hi);
        if (!v) return std::nullopt;
        if (*v < 0) {
            const auto [a, b] = closeBracket(lo, hLo, hi, *v, h);
            return Crossing{a, b, true};
        }
        lo = hi;
        hLo = *v;
        if (hi >= limit) return Crossing{hi, hi, false};
    }
}

std::string densityText(double d) { return fix(d, 15, 1); }

}  // namespace

HarvestPlan currentPlan(const Vildo& app) {
    HarvestPlan p;
    p.quota = std::max(0.0, std::round(app.AreaKha * static_cast<double>(app.Goals.HarvestRate)));
    p.calvesPercent = std::clamp(app.CalfPercent, 0, 100);
    const double bulls = std::clamp(static_cast<double>(app.Goals.BullShareTarget), 0.0, 1.0);
    p.cowsPercent = static_cast<int>(std::lround((100 - p.calvesPercent) * (1 - bulls)));
    return p;
}

PlanRequest resolvedPlanRequest(const Vildo& app, const PlanRequest& request) {
    PlanRequest r = request;
    if (r.years < 1 || r.years > 20) throw std::invalid_argument("plan: years outside 1..20");
    if (r.replicates < 1) throw std::invalid_argument("plan: no replicates");
    if (r.goal && !(*r.goal > 0)) throw std::invalid_argument("plan: a goal must be positive");
    r.goal = r.goal.value_or(defaultForecastGoal(app));
    r.floor = r.floor.value_or(0.5 * *r.goal);
    if (!(*r.floor >= 0)) throw std::invalid_argument("plan: a floor must not be negative");
    if (!(r.risk >= 0 && r.risk <= 1)) throw std::invalid_argument("plan: a risk outside 0..1");
    return r;
}

std::vector<PlanOutcome> comparePlans(const Vildo& app, const PlanRequest& request,
                                      const std::vector<std::optional<HarvestPlan>>& plans,
                                      const PlanProgress& progress) {
    const PlanRequest r = resolvedPlanRequest(app, request);
    for (const std::optional<HarvestPlan>& p : plans)
        if (p && harvestPlanError(*p)) throw std::invalid_argument("plan: a plan cannot be hunted");
    std::vector<PlanOutcome> rows;
    const double total = static_cast<double>(plans.size()) * r.replicates;
    for (size_t k = 0; k < plans.size(); ++k) {
        const double before = static_cast<double>(k) * r.replicates;
        Forecast f = runForecast(app, forecastRequest(r, plans[k]), [&](int done) {
            return !progress || progress((before + done) / total);
        });
        const bool cancelled = f.cancelled;
        rows.push_back(planOutcome(plans[k], std::move(f)));
        if (cancelled) break;
    }
    return rows;
}

QuotaSearch searchQuota(const Vildo& app, const PlanRequest& request, int calvesPercent, int cowsPercent,
                        const PlanProgress& progress) {
    const PlanRequest r = resolvedPlanRequest(app, request);
    const HarvestPlan split{0, calvesPercent, cowsPercent};
    if (harvestPlanError(split)) throw std::invalid_argument("plan: a split that cannot be hunted");
    const double goal = *r.goal;

    // A quota beyond the summer stock is not hunted at all; the search starts near today's quota.
    const int64_t limit = std::max<int64_t>(1, static_cast<int64_t>(std::floor(app.Summer.SummerStock)));
    const int64_t start = std::clamp<int64_t>(static_cast<int64_t>(currentPlan(app).quota), 1, limit);
    // What the two searches usually take, for the progress; it never passes 99 % before the end.
    constexpr double expected = 18;

    QuotaSearch s;
    std::map<int64_t, PlanOutcome> seen;
    auto outcome = [&](int64_t quota) -> const PlanOutcome* {
        if (auto it = seen.find(quota); it != seen.end()) return &it->second;
        if (s.cancelled) return nullptr;
        HarvestPlan plan = split;
        plan.quota = static_cast<double>(quota);
        const double before = s.forecasts;
        Forecast f = runForecast(app, forecastRequest(r, plan), [&](int done) {
            return !progress || progress(std::min(0.99, (before + double(done) / r.replicates) / expected));
        });
        ++s.forecasts;
        if (f.cancelled) {
            s.cancelled = true;
            return nullptr;
        }
        return &seen.emplace(quota, planOutcome(plan, std::move(f))).first->second;
    };
    auto measured = [&](auto measure) {
        return [&, measure](int64_t quota) -> std::optional<double> {
            const PlanOutcome* o = outcome(quota);
            return o ? std::optional<double>(measure(*o)) : std::nullopt;
        };
    };
    const PlanOutcome* none = outcome(0);
    if (!none) return s;
    const std::string year = "år " + intStr(r.years);
    const std::string bound = intStr(limit) + " djur om året, hela sommarstammen och sökningens övre gräns.";

    // The quota nearest the goal: the median falls through it between lo and lo + 1.
    auto aboveGoal = [goal](const PlanOutcome& o) { return o.medianWinter - goal; };
    if (none->medianWinter < goal) {
        s.nearest = *none;
        s.nearestNote = "Målet nås inte ens utan jakt: medianen " + year + " blir " + densityText(none->medianWinter) +
                        " per 1000 ha.";
    } else if (const auto c = findCrossing(aboveGoal(*none), start, limit, measured(aboveGoal))) {
        const PlanOutcome* a = outcome(c->lo);
        const PlanOutcome* b = outcome(c->hi);
        if (a && b) s.nearest = std::abs(aboveGoal(*a)) <= std::abs(aboveGoal(*b)) ? *a : *b;
        if (!c->reached) s.nearestNote = "Medianen " + year + " ligger över målet ända upp till " + bound;
    }
    // The largest quota within the risk.
    auto withinRisk = [risk = r.risk](const PlanOutcome& o) { return risk - o.belowFloor; };
    if (s.cancelled) return s;
    if (none->belowFloor > r.risk) {
        s.safe = *none;
        s.safeNote = "Risken att hamna under golvet är större än " + fix(100 * r.risk, 15, 0) + " % även utan jakt.";
    } else if (const auto c = findCrossing(withinRisk(*none), start, limit, measured(withinRisk))) {
        if (const PlanOutcome* a = outcome(c->lo)) s.safe = *a;
        if (!c->reached) s.safeNote = "Risken hålls ända upp till " + bound;
    }
    if (progress && !s.cancelled) progress(1.0);
    return s;
}

}  // namespace vildo
