#include "forecast_cli.h"

#include <cmath>
#include <iostream>

#include "app/dispatch.h"
#include "app/season_driver.h"
#include "service_connection.h"
#include "util/format.h"
#include "util/parse.h"

namespace vildo::cli {

namespace {

int intOption(const std::vector<std::string>& args, size_t& i, int min, int max) {
    const std::string name = args[i];
    std::string v = optionValue(args, i);
    auto n = parseInt(v);
    if (!n || *n < min || *n > max)
        throw UsageError(name + " ska vara ett heltal " + std::to_string(min) + ".." + std::to_string(max) +
                         ", fick: " + v);
    return static_cast<int>(*n);
}

double realOption(const std::vector<std::string>& args, size_t& i, double min, double max, const std::string& what) {
    const std::string name = args[i];
    const std::string v = optionValue(args, i);
    const auto d = parseReal(v);
    if (!d || !(*d >= min && *d <= max)) throw UsageError(name + " ska vara " + what + ", fick: " + v);
    return *d;
}

}  // namespace

ForecastOptions parseForecastOptions(const std::vector<std::string>& args, bool plan) {
    ForecastOptions o;
    o.intervalMembers = 40;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--years") {
            o.years = intOption(args, i, 1, 20);
        } else if (a == "--replicates") {
            o.replicates = intOption(args, i, 1, 1000000);
        } else if (a == "--threads") {
            o.threads = intOption(args, i, 1, 1024);
        } else if (a == "--presses") {
            o.presses = intOption(args, i, 0, 10000);
        } else if (a == "--county-item") {
            o.countyItem = intOption(args, i, 0, 1000);
        } else if (a == "--area-item") {
            o.areaItem = intOption(args, i, 0, 1000);
        } else if (a == "--no-estimate") {
            o.estimate = false;
        } else if (a == "--service") {
            o.service = optionValue(args, i);
        } else if (a == "--db") {
            o.db = optionValue(args, i);
        } else if (a == "--seed") {
            o.seed = seedOption(args, i);
        } else if (a == "--set") {
            o.settings.push_back(parseSetting(optionValue(args, i)));
        } else if (a == "--csv" && !plan) {
            o.csvFile = optionValue(args, i);
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--members") {
            o.intervalMembers = intOption(args, i, 2, 10000);
        } else if (a == "--goal") {
            // A density of 0 has no "near"; the stock itself stays below a few hundred per 1000 ha.
            const double d = realOption(args, i, 0, 1000, "en täthet över 0 och högst 1000");
            if (!(d > 0)) throw UsageError("--goal ska vara en täthet över 0, fick: " + args[i]);
            o.goal = d;
        } else if (a == "--quota" && !plan) {
            o.quota = realOption(args, i, 0, 1e7, "ett antal djur om året, 0 eller fler");
        } else if (a == "--plan" && !plan) {
            o.plans.push_back(optionValue(args, i));
        } else if (a == "--calves") {
            o.calvesPercent = intOption(args, i, 0, 100);
        } else if (a == "--cows") {
            o.cowsPercent = intOption(args, i, 0, 100);
        } else if (a == "--floor" && plan) {
            o.floor = realOption(args, i, 0, 1000, "en täthet 0..1000");
        } else if (a == "--risk" && plan) {
            o.risk = realOption(args, i, 0, 100, "en andel i procent 0..100") / 100;
        } else {
            throw UsageError("Okänt argument: " + a);
        }
    }
    if (o.years == 0) throw UsageError("--years saknas");
    if (plan && !o.goal) throw UsageError("--goal saknas");
    if (o.countyItem.has_value() != o.areaItem.has_value()) throw UsageError("--county-item och --area-item hör ihop");
    if (!o.countyItem && !o.estimate) throw UsageError("--no-estimate hör till --county-item och --area-item");
    if (o.quota && !o.plans.empty()) throw UsageError("--quota och --plan går inte att kombinera");
    if (!plan && (o.calvesPercent || o.cowsPercent) && !o.quota && o.plans.empty())
        throw UsageError("--calves och --cows hör till --quota eller --plan");
    if (o.calvesPercent.value_or(0) + o.cowsPercent.value_or(0) > 100)
        throw UsageError("--calves och --cows får tillsammans vara högst 100 %");
    if (o.plans.size() > 4) throw UsageError("Högst fyra --plan");
    return o;
}

std::optional<uint32_t> startForecast(Session& s, const ForecastOptions& o,
                                      std::unique_ptr<ServiceConnection>& service) {
    Vildo& app = *s.app;
    if (!startSeasons(s, o, service)) return std::nullopt;
    const int presses = o.presses.value_or(o.countyItem ? 1 : 0);
    for (int k = 1; k <= presses && !app.terminated; ++k) dispatch(app, [&] { SpeedButton1Click(app); });
    if (app.terminated) return std::nullopt;
    // Without --seed the clock chooses, as for the presses.
    return o.seed ? *o.seed : app.platform.clockSeed();
}

HarvestPlan planOf(const Vildo& app, const ForecastOptions& o, double quota) {
    HarvestPlan p = currentPlan(app);
    p.quota = quota;
    // A part given alone keeps the other as the goal table has it, as far as the whole allows.
    if (o.calvesPercent) p.calvesPercent = *o.calvesPercent;
    if (o.cowsPercent) p.cowsPercent = *o.cowsPercent;
    if (o.calvesPercent && !o.cowsPercent) p.cowsPercent = std::min(p.cowsPercent, 100 - p.calvesPercent);
    if (o.cowsPercent && !o.calvesPercent) p.calvesPercent = std::min(p.calvesPercent, 100 - p.cowsPercent);
    if (const auto e = harvestPlanError(p)) throw UsageError(*e);
    return p;
}

HarvestPlan parsePlan(const Vildo& app, const ForecastOptions& o, const std::string& text) {
    std::vector<std::string> parts{""};
    for (char c : text) {
        if (c == ':') parts.emplace_back();
        else parts.back().push_back(c);
    }
    const auto quota = parts.empty() ? std::nullopt : parseReal(parts[0]);
    const bool shape = parts.size() == 1 || parts.size() == 3;
    if (!shape || !quota) throw UsageError("--plan ska vara KVOT eller KVOT:KALVAR:KOR, fick: " + text);
    HarvestPlan p = planOf(app, o, *quota);
    if (parts.size() == 3) {
        const auto calves = parseInt(parts[1]), cows = parseInt(parts[2]);
        if (!calves || !cows) throw UsageError("--plan ska vara KVOT eller KVOT:KALVAR:KOR, fick: " + text);
        p.calvesPercent = static_cast<int>(*calves);
        p.cowsPercent = static_cast<int>(*cows);
    }
    if (const auto e = harvestPlanError(p)) throw UsageError(*e + " (" + text + ")");
    return p;
}

PlanRequest planRequest(const ForecastOptions& o, uint32_t seed) {
    return {.years = o.years,
            .replicates = o.replicates,
            .seed = seed,
            .threads = o.threads,
            .goal = o.goal,
            .floor = o.floor,
            .risk = o.risk};
}

std::string right(const std::string& text, size_t width) {
    size_t chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    return std::string(width > chars ? width - chars : 0, ' ') + text;
}

void printPlanTable(const std::vector<NamedOutcome>& rows, const PlanRequest& r) {
    auto percent = [](double share, size_t w) { return right(fix(100 * share, 15, 0) + " %", w); };
    std::cout << "Planer på samma " << r.replicates << " framtider, år " << r.years << ", mål "
              << fix(*r.goal, 15, 1) << " och golv " << fix(*r.floor, 15, 1) << " per 1000 ha vinterstam\n"
              << right("Plan", 14) << right("Kvot", 8) << right("Kalv %", 8) << right("Ko %", 6) << right("Tjur %", 8)
              << right("Median", 9) << right("P(±10 %)", 10) << right("P(golv)", 9) << right("Skjutna", 9)
              << right("P(kvot)", 9) << '\n';
    for (const NamedOutcome& row : rows) {
        const PlanOutcome& o = *row.outcome;
        std::cout << right(row.name, 14);
        if (o.plan)
            std::cout << right(fix(o.plan->quota, 15, 0), 8) << right(intStr(o.plan->calvesPercent), 8)
                      << right(intStr(o.plan->cowsPercent), 6) << right(intStr(o.plan->bullsPercent()), 8);
        else
            std::cout << right("tabell", 8) << right("-", 8) << right("-", 6) << right("-", 8);
        std::cout << right(fix(o.medianWinter, 15, 2), 9) << percent(o.nearGoal, 10) << percent(o.belowFloor, 9)
                  << right(fix(o.meanHarvest, 15, 0), 9) << percent(o.quotaFilled, 9) << '\n';
    }
}

void planJson(JsonWriter& j, const NamedOutcome& row) {
    const PlanOutcome& o = *row.outcome;
    j.beginObject();
    j.key("name").value(row.name);
    if (o.plan) {
        j.key("quota").value(o.plan->quota);
        j.key("calvesPercent").value(o.plan->calvesPercent);
        j.key("cowsPercent").value(o.plan->cowsPercent);
        j.key("bullsPercent").value(o.plan->bullsPercent());
    }
    j.key("medianWinterDensity").value(o.medianWinter);
    j.key("pNearGoal").value(o.nearGoal);
    j.key("pBelowFloor").value(o.belowFloor);
    j.key("meanHarvest").value(o.meanHarvest);
    j.key("pQuotaFilled").value(o.quotaFilled);
    j.endObject();
}

}  // namespace vildo::cli
