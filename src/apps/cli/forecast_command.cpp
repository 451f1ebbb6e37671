// vildo-cli forecast: replicate futures from where the forward button stands, summarised year by year.
#include <iostream>
#include <optional>

#include "app/dispatch.h"
#include "app/forecast.h"
#include "app/season_driver.h"
#include "cli_common.h"
#include "commands.h"
#include "forecast_cli.h"
#include "service_connection.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/json_writer.h"
#include "util/parse.h"

namespace vildo::cli {

namespace {

void spreadJson(JsonWriter& j, const char* name, const Spread& s) {
    j.key(name).beginObject();
    j.key("p10").value(s.p10).key("p50").value(s.p50).key("p90").value(s.p90);
    j.endObject();
}

void printJson(const Forecast& f, uint32_t seed) {
    JsonWriter j;
    j.beginObject();
    j.key("replicates").value(f.replicates);
    j.key("seed").value(static_cast<int64_t>(seed));
    j.key("wantedDensity").value(f.wantedDensity);
    j.key("years").beginArray();
    for (const ForecastYear& y : f.years) {
        j.beginObject();
        j.key("season").value(y.season);
        j.key("year").value(y.year);
        spreadJson(j, "winterDensity", y.winterDensity);
        spreadJson(j, "summerDensity", y.summerDensity);
        spreadJson(j, "harvest", y.harvest);
        spreadJson(j, "bullShare", y.bullShare);
        spreadJson(j, "calvesPerCow", y.calvesPerCow);
        j.key("quotaFilled").value(y.quotaFilled);
        j.key("nearWanted").value(y.nearWanted);
        j.key("extinct").value(y.extinct);
        j.endObject();
    }
    j.endArray();
    j.endObject();
    std::cout << j.str() << '\n';
}

std::string spreadText(const Spread& s, int decimals) {
    return right(fix(s.p10, 15, decimals), 7) + right(fix(s.p50, 15, decimals), 7) + right(fix(s.p90, 15, decimals), 7);
}

std::string percentText(double share) { return right(fix(100 * share, 15, 0) + " %", 10); }

void printText(const Forecast& f, uint32_t seed) {
    std::cout << "Prognos: " << f.replicates << " framtider om " << f.years.size() << " säsonger, frö " << seed
              << ", mål " << fix(f.wantedDensity, 15, 1) << " per 1000 ha vinterstam\n"
              << "Täthet per 1000 ha; percentilerna 10, 50 och 90 över framtiderna.\n"
              << right("", 11) << right("Vinterstam", 21) << right("Sommarstam", 21) << right("Avskjutning", 21)
              << right("Tjurandel %", 21) << right("Kalvar per ko", 21) << '\n'
              << right("År", 5) << right("Säsong", 7);
    for (int c = 0; c < 5; ++c) std::cout << right("p10", 7) << right("p50", 7) << right("p90", 7);
    std::cout << right("P(kvot)", 10) << right("P(±10 %)", 10) << right("P(utdöd)", 10) << '\n';
    for (const ForecastYear& y : f.years) {
        std::cout << right(y.year > 0 ? intStr(y.year) : "-", 5) << right(intStr(y.season), 7)
                  << spreadText(y.winterDensity, 2) << spreadText(y.summerDensity, 2) << spreadText(y.harvest, 0)
                  << spreadText(y.bullShare, 1) << spreadText(y.calvesPerCow, 2) << percentText(y.quotaFilled)
                  << percentText(y.nearWanted) << percentText(y.extinct) << '\n';
    }
}

// Several plans side by side on the same futures, after the goal table as it stands.
int comparePlansCommand(const Vildo& app, const ForecastOptions& o, uint32_t seed) {
    std::vector<std::optional<HarvestPlan>> plans{std::nullopt};
    for (const std::string& text : o.plans) plans.push_back(parsePlan(app, o, text));
    const PlanRequest r = resolvedPlanRequest(app, planRequest(o, seed));
    const std::vector<PlanOutcome> outcomes = comparePlans(app, r, plans);
    std::vector<NamedOutcome> rows{{"Som nu", &outcomes[0]}};
    for (size_t k = 1; k < outcomes.size(); ++k) rows.push_back({"Plan " + std::to_string(k), &outcomes[k]});
    if (o.json) {
        JsonWriter j;
        j.beginObject();
        j.key("replicates").value(r.replicates).key("seed").value(static_cast<int64_t>(seed));
        j.key("years").value(r.years).key("goal").value(*r.goal).key("floor").value(*r.floor);
        j.key("plans").beginArray();
        for (const NamedOutcome& row : rows) planJson(j, row);
        j.endArray();
        j.endObject();
        std::cout << j.str() << '\n';
    } else {
        printPlanTable(rows, r);
    }
    return 0;
}

}  // namespace

int forecastCommand(const std::vector<std::string>& args) {
    const ForecastOptions o = parseForecastOptions(args, false);
    Session s;
    Vildo& app = *s.app;
    std::unique_ptr<ServiceConnection> service;
    const std::optional<uint32_t> started = startForecast(s, o, service);
    if (!started) return 1;
    const uint32_t seed = *started;
    if (!o.plans.empty()) return comparePlansCommand(app, o, seed);
    std::optional<HarvestPlan> plan;
    if (o.quota) plan = planOf(app, o, *o.quota);
    const Forecast f = runForecast(app, {.years = o.years,
                                         .replicates = o.replicates,
                                         .seed = seed,
                                         .threads = o.threads,
                                         .goal = o.goal,
                                         .plan = plan});
    o.json ? printJson(f, seed) : printText(f, seed);
    if (o.csvFile && !writeFileAtomic(*o.csvFile, forecastCsv(f))) {
        std::cerr << "Kan inte skriva till fil: " << *o.csvFile << '\n';
        return 1;
    }
    return 0;
}

}  // namespace vildo::cli
