// vildo-cli plan: the yearly quota that takes the stock nearest the goal in year N, and the largest that keeps
// the risk of falling below the floor within bounds.
#include <iostream>

#include "app/harvest_plans.h"
#include "commands.h"
#include "forecast_cli.h"
#include "service_connection.h"
#include "util/format.h"
#include "util/json_writer.h"

namespace vildo::cli {

int planCommand(const std::vector<std::string>& args) {
    const ForecastOptions o = parseForecastOptions(args, true);
    Session s;
    Vildo& app = *s.app;
    std::unique_ptr<ServiceConnection> service;
    const std::optional<uint32_t> started = startForecast(s, o, service);
    if (!started) return 1;
    const uint32_t seed = *started;
    const HarvestPlan split = planOf(app, o, 0);
    const PlanRequest r = resolvedPlanRequest(app, planRequest(o, seed));
    const QuotaSearch q = searchQuota(app, r, split.calvesPercent, split.cowsPercent);
    const std::vector<NamedOutcome> rows{{"Nära målet", &q.nearest}, {"Säker", &q.safe}};
    if (o.json) {
        JsonWriter j;
        j.beginObject();
        j.key("quota").value(q.nearest.plan->quota);
        j.key("safeQuota").value(q.safe.plan->quota);
        j.key("pNearGoal").value(q.nearest.nearGoal);
        j.key("pBelowFloor").value(q.nearest.belowFloor);
        j.key("medianWinterDensity").value(q.nearest.medianWinter);
        j.key("goal").value(*r.goal).key("floor").value(*r.floor).key("risk").value(r.risk);
        j.key("years").value(r.years).key("replicates").value(r.replicates);
        j.key("seed").value(static_cast<int64_t>(seed));
        j.key("calvesPercent").value(split.calvesPercent).key("cowsPercent").value(split.cowsPercent);
        j.key("quotaNote").value(q.nearestNote).key("safeQuotaNote").value(q.safeNote);
        j.key("forecasts").value(q.forecasts);
        j.key("plans").beginArray();
        for (const NamedOutcome& row : rows) planJson(j, row);
        j.endArray();
        j.endObject();
        std::cout << j.str() << '\n';
        return 0;
    }
    std::cout << "Avskjutning närmast målet år " << r.years << ": " << fix(q.nearest.plan->quota, 15, 0)
              << " djur om året (kalvar " << split.calvesPercent << " %, kor " << split.cowsPercent << " %, tjurar "
              << split.bullsPercent() << " %)\n";
    if (!q.nearestNote.empty()) std::cout << q.nearestNote << '\n';
    std::cout << "Största avskjutning med högst " << fix(100 * r.risk, 15, 0) << " % risk under golvet: "
              << fix(q.safe.plan->quota, 15, 0) << " djur om året\n";
    if (!q.safeNote.empty()) std::cout << q.safeNote << '\n';
    printPlanTable(rows, r);
    return 0;
}

}  // namespace vildo::cli
