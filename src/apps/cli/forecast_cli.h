// What the forecast and plan commands share: their options, and the table of plans side by side.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/harvest_plans.h"
#include "cli_common.h"
#include "util/json_writer.h"

namespace vildo::cli {

struct ForecastOptions : SeasonStart {
    int years = 0;
    int replicates = 500;
    std::optional<int> presses;
    std::optional<std::string> csvFile;
    int threads = 0;
    bool json = false;
    std::optional<double> goal;
    // A plan held for every season: --quota with --calves and --cows, or several --plan for the side-by-side table.
    std::optional<double> quota;
    std::optional<int> calvesPercent, cowsPercent;
    std::vector<std::string> plans;  // "Q[:calves:cows]" as given
    std::optional<double> floor;
    double risk = 0.10;
};

// Parses the options of `forecast` (plan false) or `plan`; throws UsageError for one that is wrong or out of place.
ForecastOptions parseForecastOptions(const std::vector<std::string>& args, bool plan);

// Starts the session and runs the presses the forecast starts after: with an area, one press replays its history.
// Gives the futures' seed, or nothing when any of it failed; its message has been shown.
std::optional<uint32_t> startForecast(Session& s, const ForecastOptions& o,
                                      std::unique_ptr<ServiceConnection>& service);

// The plan with the given quota in the split the options name, each part the goal table's when not given.
HarvestPlan planOf(const Vildo& app, const ForecastOptions& o, double quota);
// "Q[:calves:cows]" in the options' split; throws UsageError for one that does not parse or cannot be hunted.
HarvestPlan parsePlan(const Vildo& app, const ForecastOptions& o, const std::string& text);

PlanRequest planRequest(const ForecastOptions& o, uint32_t seed);

struct NamedOutcome {
    std::string name;
    const PlanOutcome* outcome;
};

// One row per plan: quota, split, the median in year N, the shares near the goal and below the floor, the mean
// harvest and the share reaching the quota.
// Right-aligned in a field of `width` characters; the texts are UTF-8, so width counts characters, not bytes.
std::string right(const std::string& text, size_t width);

void printPlanTable(const std::vector<NamedOutcome>& rows, const PlanRequest& r);
void planJson(JsonWriter& j, const NamedOutcome& row);

}  // namespace vildo::cli
