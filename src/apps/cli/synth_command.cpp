// vildo-cli synth: the seed data set of the stand-in data service. Each management area is simulated
// with the program's own season model from known parameters (start density, forage setting and its
// yearly change, mortality); the statistics carry observation noise, and the true yearly densities are
// written to a truth file beside them. Counties and regions are the sums of their areas.
#include <unistd.h>

#include <cmath>
#include <iostream>
#include <map>
#include <random>

#include "app/parameter_handlers.h"
#include "app/scheduler.h"
#include "app/season_driver.h"
#include "app/startup.h"
#include "area/county_table.h"
#include "cli_common.h"
#include "commands.h"
#include "hunt/season.h"
#include "model/parameters.h"
#include "service/area_data.h"
#include "synth_areas.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/parse.h"
#include "util/round.h"

namespace vildo::cli {

namespace {

using service::AreaData;
using service::Field;

constexpr int kFirstYear = 2011;
constexpr int kSeasons = 15;                         // 2011..2025, the last complete season
constexpr int kCurrentYear = kFirstYear + kSeasons;  // 2026: statistics without harvest yet

// What an area is made of; the truth file keeps all of it.
struct AreaParams {
    int county = 0, afonr = 0;
    std::string name, countyName;
    Region region = Region::South;
    double lat = 0, lon = 0;
    int jaktarea = 0, landarea = 0, otherA = 0, otherB = 0, impediment = 0, water = 0;
    double youngPct = 0;  // young forest, % of the land
    double startDensity = 0;
    int forage = 0;
    double forageSlope = 0;  // forage setting steps per year
    int natMortF = 2, natMortM = 2, calfSummer = 3, calfWinter = 3;
    int bullWeight = 0, cowWeight = 0, bullCalfWeight = 0, heiferCalfWeight = 0;
    // The managers aim at a summer stock of goalLevel times the first one, a goal that moves by goalTrend
    // over the history; the target is the first season's share of last summer's stock, raised or lowered
    // by how far that stock lay from the goal.
    double goalLevel = 0, goalTrend = 0;
    double calfPercent = 0, bullShare = 0;
    double obsScale = 0;     // moose seen per man-hour per moose per 1000 ha
    double trafficRate = 0;  // traffic kills per animal of the summer stock
    double unknownTraffic = 0;
    double wolfTerritories = 0;  // expected, per area
    bool bears = false;
    uint32_t seed = 0;
};

// One season as it really was.
struct Truth {
    int year = 0;
    double winterDensity = 0, summerDensity = 0, winterStock = 0, summerStock = 0;
    double forage = 0, carryingCapacity = 0, calvesPerCow = 0, bullShare = 0, shot = 0;
};

struct SimulatedArea {
    AreaParams params;
    AreaData data;
    double startDensityReached = 0;
    std::vector<Truth> truth;
};

double uniform(std::mt19937& g, double a, double b) { return std::uniform_real_distribution<double>(a, b)(g); }
double normal(std::mt19937& g, double sd) { return std::normal_distribution<double>(0, sd)(g); }
int poisson(std::mt19937& g, double mean) { return mean > 0 ? std::poisson_distribution<int>(mean)(g) : 0; }

const std::map<int, std::pair<double, double>> kCentroids = {
    {1, {59.4, 18.3}},  {3, {60.0, 17.6}},  {4, {59.1, 16.8}},  {5, {58.3, 15.6}},  {6, {57.5, 14.4}},
    {7, {56.8, 14.6}},  {8, {57.1, 16.2}},  {10, {56.3, 15.2}}, {12, {55.9, 13.6}}, {13, {56.9, 12.7}},
    {14, {58.2, 12.6}}, {17, {59.8, 13.2}}, {18, {59.4, 15.0}}, {19, {59.8, 16.2}}, {20, {61.0, 14.6}},
    {21, {61.5, 16.3}}, {22, {63.0, 17.3}}, {23, {63.2, 14.3}}, {24, {64.7, 18.5}}, {25, {66.8, 20.5}}};

AreaParams drawParams(const SynthCounty& c, int afonr, const char* name, uint32_t baseSeed) {
    AreaParams p;
    p.county = c.code;
    p.afonr = afonr;
    p.name = name;
    p.countyName = c.name;
    p.region = c.region;
    p.seed = baseSeed + static_cast<uint32_t>(c.code * 100 + afonr);
    std::mt19937 g(p.seed);
    const auto [lat, lon] = kCentroids.at(c.code);
    p.lat = lat + uniform(g, -0.4, 0.4);
    p.lon = lon + uniform(g, -0.5, 0.5);
    const bool north = c.region == Region::North, south = c.region == Region::South;
    p.jaktarea = static_cast<int>(Round(north   ? uniform(g, 150, 420)
                                        : south ? uniform(g, 25, 120)
                                                : uniform(g, 60, 250)) *
                                  1000);
    if (p.name == "Öland" || p.name == "Mälaröarna") p.jaktarea = static_cast<int>(Round(uniform(g, 18, 30)) * 1000);
    p.landarea = static_cast<int>(Round(p.jaktarea * uniform(g, 1.04, 1.15) / 100) * 100);
    double other = north ? uniform(g, 0.04, 0.10) : south ? uniform(g, 0.22, 0.42) : uniform(g, 0.10, 0.28);
    p.otherA = static_cast<int>(Round(p.landarea * other * 0.65));
    p.otherB = static_cast<int>(Round(p.landarea * other * 0.35));
    p.impediment = static_cast<int>(Round(p.landarea * (north ? uniform(g, 0.12, 0.24) : uniform(g, 0.03, 0.10))));
    p.water = static_cast<int>(Round(p.landarea * uniform(g, 0.03, 0.10)));
    p.youngPct = north ? uniform(g, 3.5, 7.5) : uniform(g, 4.5, 9.0);
    p.startDensity = north ? uniform(g, 6.0, 10.0) : south ? uniform(g, 10.0, 15.5) : uniform(g, 8.5, 13.0);
    p.forage = static_cast<int>(Round(north   ? uniform(g, 160, 240)
                                      : south ? uniform(g, 220, 330)
                                              : uniform(g, 200, 300)));
    p.forageSlope = north ? uniform(g, -1.5, 1.0) : south ? uniform(g, -3.0, 0.5) : uniform(g, -2.5, 1.0);
    p.bullWeight = static_cast<int>(Round(north ? uniform(g, 178, 200) : uniform(g, 166, 190)));
    p.cowWeight = static_cast<int>(Round(north ? uniform(g, 156, 172) : uniform(g, 146, 164)));
    p.bullCalfWeight = static_cast<int>(Round(uniform(g, 60, 70)));
    p.heiferCalfWeight = p.bullCalfWeight - static_cast<int>(Round(uniform(g, 3, 7)));
    p.goalLevel = uniform(g, 0.85, 1.2);
    p.goalTrend = uniform(g, -0.15, 0.15);
    p.wolfTerritories = c.wolves ? p.jaktarea / 100000.0 * uniform(g, 0.05, 0.6) : 0;
    p.calfPercent = uniform(g, 28, 38);
    p.bullShare = uniform(g, 0.46, 0.56);
    p.obsScale = north ? uniform(g, 0.04, 0.052) : south ? uniform(g, 0.035, 0.048) : uniform(g, 0.038, 0.052);
    p.trafficRate = north ? uniform(g, 0.005, 0.011) : south ? uniform(g, 0.012, 0.022) : uniform(g, 0.008, 0.016);
    p.unknownTraffic = uniform(g, 0.1, 0.35);
    p.bears = c.bears;
    return p;
}

// The program, headless, in a folder of its own; a message means the season model gave up.
class RecordingPrompts : public SilentPrompts {
public:
    std::vector<std::string> messages;
    void message(const std::string& text) override { messages.push_back(text); }
};

Field number(double v) { return Field{false, v, {}}; }
Field text(const std::string& s) { return Field{false, 0, s}; }
Field none() { return Field{}; }

double rounded(double v, int decimals) {
    double f = std::pow(10.0, decimals);
    return std::round(v * f) / f;
}

SimulatedArea simulate(const AreaParams& p, const std::filesystem::path& folder) {
    SimulatedArea out;
    out.params = p;
    std::mt19937 noise(p.seed * 7919u + 17u);
    RecordingPrompts prompts;
    Platform platform;
    platform.exeDir = platform.documentsDir = platform.appDataDir = folder;
    platform.clockSeed = [s = p.seed] { return s; };
    platform.currentYear = [] { return kCurrentYear; };
    platform.wallSeconds = [] { return 0.0; };
    auto owned = std::make_unique<Vildo>(prompts, platform);
    Vildo& app = *owned;
    startUp(app);
    for (int n : {6, 7, 13}) setTimer(app, n, false);

    // Predators by season: wolf territories come and go, bears change slowly.
    std::vector<double> wolves(kSeasons + 1, 0), bears(kSeasons + 1, 0);
    // Territories are counted in halves: one shared with a neighbour counts as 0.5.
    const double wolfLimit = std::round(p.wolfTerritories * 4) / 2 + 0.5;
    double w = std::round(p.wolfTerritories * 2) / 2;
    double b = p.bears
                   ? std::round(p.jaktarea / 1000.0 *
                                (p.region == Region::North ? uniform(noise, 0.06, 0.15) : uniform(noise, 0.01, 0.06)))
                   : 0;
    for (int k = 0; k <= kSeasons; ++k) {
        if (p.wolfTerritories > 0 && k > 0 && uniform(noise, 0, 1) < 0.25)
            w = std::clamp(w + (uniform(noise, 0, 1) < 0.5 ? 0.5 : -0.5), 0.0, wolfLimit);
        if (p.bears && k > 0) b = std::max(0.0, std::round(b * uniform(noise, 0.93, 1.08)));
        wolves[k] = w;
        bears[k] = b;
    }
    // The area into the planning model, which settles at the start density.
    app.AreaLoading = true;
    app.Header.Jaktarea = p.jaktarea;
    app.Header.Landarea = p.landarea;
    app.HuntAreaHa = p.jaktarea;
    app.AreaKha = static_cast<int32_t>(Round(p.jaktarea / 1000.0));
    app.Land.OtherLandPct = static_cast<int32_t>(Round((p.otherA + p.otherB) * 100.0 / p.landarea));
    app.Land.ImpedimentPct = static_cast<int32_t>(Round(p.impediment * 100.0 / p.landarea));
    setPosition(app, C::trk_impediment, app.Land.ImpedimentPct);
    setPosition(app, C::trk_ungskog, static_cast<int>(Round(p.youngPct * 10)));
    setPosition(app, C::Trk_barkraftovrig, p.forage);
    setPosition(app, C::Trk_density, static_cast<int>(Round(p.startDensity * 10)));
    setPosition(app, C::trk_slaktvikttjur, p.bullWeight);
    setPosition(app, C::Trk_Slaktviktko, p.cowWeight);
    setPosition(app, C::Trk_Kalvskytte, static_cast<int>(Round(p.calfPercent)));
    app.BullCalfWeight = p.bullCalfWeight;
    app.HeiferCalfWeight = p.heiferCalfWeight;
    app.AreaLoading = false;
    app.Rov.Vargrevir = {wolves[0]};  // the planning model's predators: the first season's
    app.Rov.Bjornpop = {bears[0]};
    trk_ungskogChange(app);
    Scheduler(app).runUntil([&] { return !app.timers[1].enabled && !app.timers[3].enabled; });
    if (!prompts.messages.empty() || app.Winter.WinterStock <= 0)
        throw VildoError(p.name + ": jämviktskörningen misslyckades");
    out.startDensityReached = app.Winter.WinterDensity;

    Chart& predators = app.charts[10];
    predators.clearSeries(0);
    predators.clearSeries(1);
    for (int k = 0; k <= kSeasons; ++k) {
        predators.series[0].points.push_back({double(kFirstYear + k), wolves[k], {}, 0});
        predators.series[1].points.push_back({double(kFirstYear + k), bears[k], {}, 0});
    }

    // The season mode, as the forward button runs it through an area's history.
    app.AreaLoaded = true;
    std::vector<double> young(kSeasons + 1);
    for (int k = 0; k <= kSeasons; ++k)
        young[k] = p.youngPct * (1 + 0.12 * std::sin(0.35 * k + p.seed % 7)) * uniform(noise, 0.97, 1.03);
    double lastSummerStock = app.Summer.SummerStock, firstShare = 0, firstSummerStock = 0;
    struct Traffic {
        int bulls, cows, calves;
    };
    std::vector<Traffic> traffic;
    auto trafficFor = [&](double stock, double part) {
        int n = poisson(noise, p.trafficRate * stock * part);
        int bulls = static_cast<int>(std::round(n * uniform(noise, 0.25, 0.35)));
        int calves = static_cast<int>(std::round(n * uniform(noise, 0.25, 0.35)));
        return Traffic{bulls, std::max(0, n - bulls - calves), calves};
    };
    // The carrying capacity a season uses is the one computed before it, with the forage of that moment.
    auto carryingCapacity = [&](double youngForest) {
        app.Land.YoungForestPct = youngForest;
        app.Land.CarryingCapacity = CallCC(app);
        return app.Land.ForageFactor;
    };
    double ccForage = carryingCapacity(young[0]);
    for (int k = 0; k < kSeasons; ++k) {
        app.rng.seed = p.seed + static_cast<uint32_t>(k);
        traffic.push_back(trafficFor(lastSummerStock, 1.0));
        app.Traffic.TrafficBulls = static_cast<uint16_t>(traffic[k].bulls);
        app.Traffic.TrafficCows = static_cast<uint16_t>(traffic[k].cows);
        app.Traffic.TrafficCalves = static_cast<uint16_t>(traffic[k].calves);
        const double forageUsed = ccForage, ccUsed = app.Land.CarryingCapacity;
        if (k == 0) {
            app.RulesAlways = false;
            app.SeasonStarted = true;
            Initierajakt(app);
        } else {
            TGoals& goals = app.Goals;
            const double goal = firstSummerStock * p.goalLevel * (1 + p.goalTrend * (k - 7) / 7.0);
            const double pressure = std::clamp(std::pow(lastSummerStock / goal, 2.0), 0.5, 1.25);
            double share = firstShare * pressure * (1 + normal(noise, 0.05));
            goals.HarvestRate = static_cast<float>(share * lastSummerStock / app.AreaKha);
            app.CalfPercent = static_cast<int32_t>(Round(std::clamp(p.calfPercent + normal(noise, 3), 20.0, 45.0)));
            goals.BullShareTarget = static_cast<float>(std::clamp(p.bullShare + normal(noise, 0.03), 0.35, 0.65));
            setPredators(app);
            Huntayear(app);
        }
        if (!prompts.messages.empty() || app.Winter.WinterStock <= 0)
            throw VildoError(p.name + ": säsongen " + std::to_string(kFirstYear + k) + " misslyckades" +
                             (prompts.messages.empty() ? "" : " (" + prompts.messages[0] + ")"));
        Truth t;
        t.year = kFirstYear + k;
        t.winterDensity = app.Winter.WinterDensity;
        t.summerDensity = app.Summer.SummerDensity;
        t.winterStock = app.Winter.WinterStock;
        t.summerStock = app.Summer.SummerStock;
        t.forage = forageUsed;
        t.carryingCapacity = ccUsed;
        t.calvesPerCow = app.CalvesPerCow;
        const double adults = app.Summer.SummerBulls + app.Summer.SummerCows;
        t.bullShare = adults > 0 ? app.Summer.SummerBulls / adults : 0;
        t.shot = app.HarvestTot.TotalShot;
        out.truth.push_back(t);

        // What the statistics show of the season.
        std::array<Field, service::kYearColumns> row;
        const THarvestTotals& h = app.HarvestTot;
        const int bulls = static_cast<int>(Round(h.BullsShot)), cows = static_cast<int>(Round(h.CowsShot));
        const int bullCalves = static_cast<int>(Round(app.Harvest.MaleShot[0]));
        const int heiferCalves = static_cast<int>(Round(app.Harvest.FemShot[0]));
        row[0] = number(t.year);
        row[1] = number(bulls);
        row[2] = number(cows);
        row[3] = number(bullCalves);
        row[4] = number(heiferCalves);
        row[5] = number(bulls + cows + bullCalves + heiferCalves);
        row[6] = number(rounded(std::clamp(t.bullShare + normal(noise, 0.025), 0.1, 0.7), 2));
        row[7] = number(rounded(std::clamp(t.calvesPerCow + normal(noise, 0.04), 0.1, 1.5), 2));
        row[8] = number(rounded(p.obsScale * t.summerDensity * std::exp(normal(noise, 0.12)), 2));
        const bool reported = k == kSeasons - 1 || uniform(noise, 0, 1) > 0.06;
        row[9] = number(reported ? std::round(young[k] * p.landarea / 100) : -1);
        row[10] = number(std::round(p.jaktarea * uniform(noise, 0.97, 1.0) / 100) * 100);
        const TShotWeights& sw = app.ShotWeights;
        auto weight = [&](double total, int count) {
            return count > 0 ? number(std::round(total / count * (1 + normal(noise, 0.015)))) : none();
        };
        row[11] = weight(sw.MaleWeightShot, bulls);
        row[12] = weight(sw.FemWeightShot, cows);
        row[13] = weight(app.Harvest.MaleWeight[0] * bullCalves, bullCalves);
        row[14] = weight(app.Harvest.FemWeight[0] * heiferCalves, heiferCalves);
        const Traffic& tr = traffic[k];
        int unknown = 0;
        int shown[3] = {tr.bulls, tr.cows, tr.calves};
        for (int& n : shown) {
            int u = static_cast<int>(std::round(n * p.unknownTraffic * uniform(noise, 0.7, 1.3)));
            u = std::min(u, n);
            n -= u;
            unknown += u;
        }
        row[15] = number(shown[0]);
        row[16] = number(shown[1]);
        row[17] = number(shown[2]);
        row[18] = number(unknown);
        row[19] = number(wolves[k]);
        row[20] = number(bears[k]);
        out.data.years.push_back(row);

        // Between seasons, as the driver does it while history remains: the first season's own start
        // recomputes the carrying capacity, later ones take the next year's young forest first.
        lastSummerStock = app.Summer.SummerStock;
        if (k == 0) {
            firstShare = app.HarvestTot.TotalShot / app.Summer.SummerStock;
            firstSummerStock = app.Summer.SummerStock;
        }
        ccForage = k == 0 ? app.Land.ForageFactor : carryingCapacity(young[k + 1]);
        if (app.Summer.SummerStock > 0) app.EncounterRate = 1.5 * app.HuntTry / app.Summer.SummerStock;
        app.Land.ForageFactor += p.forageSlope;
    }

    // The year under way: traffic so far and the predators, nothing shot and nothing observed yet.
    std::array<Field, service::kYearColumns> current;
    Traffic tr = trafficFor(lastSummerStock, 0.6);
    current[0] = number(kCurrentYear);
    for (int i = 1; i <= 5; ++i) current[i] = number(0);
    for (int i : {6, 7, 8, 11, 12, 13, 14}) current[i] = none();
    current[9] = number(std::round(young[kSeasons] * p.landarea / 100));
    current[10] = out.data.years.back()[10];
    current[15] = number(tr.bulls);
    current[16] = number(tr.cows);
    current[17] = number(tr.calves);
    current[18] = number(0);
    current[19] = number(wolves[kSeasons]);
    current[20] = number(bears[kSeasons]);
    out.data.years.push_back(current);

    const int forest = p.landarea - p.otherA - p.otherB - p.impediment;
    const int regionalForage = p.region == Region::North ? 20 : p.region == Region::Middle ? 22 : 24;
    const double h[service::kHeaderColumns] = {double(p.jaktarea),
                                               std::max(1.0, std::round(p.jaktarea / 6000.0)),
                                               std::max(1.0, std::round(p.jaktarea / 25000.0)),
                                               double(p.landarea),
                                               double(forest),
                                               std::max(1.0, std::round(p.jaktarea / 1800.0)),
                                               double(p.otherA),
                                               double(p.otherB),
                                               double(p.impediment),
                                               double(p.water),
                                               double(p.landarea + p.water),
                                               double(regionalForage),
                                               double(p.county),
                                               0,
                                               0,
                                               double(p.afonr),
                                               0,
                                               std::round(p.lat * 1000),
                                               std::round(p.lon * 1000)};
    for (size_t i = 0; i < service::kHeaderColumns; ++i) out.data.header[i] = number(h[i]);
    out.data.header[service::HLan] = text(p.countyName);
    out.data.header[service::HAfo] = text(p.name);
    return out;
}

// A county or region as the sum of its areas: counts and areas add up, rates are weighted means.
SimulatedArea aggregate(const std::vector<const SimulatedArea*>& parts, int county, int afonr, const std::string& name,
                        const std::string& countyName) {
    SimulatedArea out;
    out.params.county = county;
    out.params.afonr = afonr;
    out.params.name = name;
    out.params.countyName = countyName;
    AreaData& d = out.data;
    d.header = parts[0]->data.header;
    for (size_t i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) {
        double sum = 0;
        for (const SimulatedArea* a : parts) sum += a->data.header[i].number;
        d.header[i] = number(sum);
    }
    double ha = d.header[0].number, forage = 0, lat = 0, lon = 0;
    for (const SimulatedArea* a : parts) {
        const double share = a->data.header[0].number / ha;
        forage += share * a->data.header[11].number;
        lat += a->data.header[17].number / parts.size();
        lon += a->data.header[18].number / parts.size();
    }
    d.header[11] = number(std::round(forage));
    d.header[12] = number(county);
    d.header[service::HLan] = text(countyName);
    d.header[service::HAfo] = text(name);
    d.header[15] = number(afonr);
    d.header[16] = number(0);
    d.header[17] = number(std::round(lat));
    d.header[18] = number(std::round(lon));

    const size_t years = parts[0]->data.years.size();
    for (size_t y = 0; y < years; ++y) {
        std::array<Field, service::kYearColumns> row;
        row[0] = parts[0]->data.years[y][0];
        auto sum = [&](size_t col) {
            double s = 0;
            for (const SimulatedArea* a : parts) s += a->data.years[y][col].number;
            return number(s);
        };
        // Weighted by `weight`, over the areas that reported the value.
        auto mean = [&](size_t col, auto weight, int decimals) {
            double s = 0, ws = 0;
            for (const SimulatedArea* a : parts) {
                const Field& f = a->data.years[y][col];
                if (f.null) continue;
                s += weight(*a) * f.number;
                ws += weight(*a);
            }
            return ws > 0 ? number(rounded(s / ws, decimals)) : none();
        };
        auto byArea = [](const SimulatedArea& a) { return a.data.header[0].number; };
        auto bySeen = [&](const SimulatedArea& a) {
            const Field& obs = a.data.years[y][8];
            return a.data.header[0].number * (obs.null ? 0 : obs.number);
        };
        auto byCount = [&](size_t countCol) {
            return [=, &y](const SimulatedArea& a) { return a.data.years[y][countCol].number; };
        };
        for (size_t c : {1, 2, 3, 4, 5, 10, 15, 16, 17, 18, 19, 20}) row[c] = sum(c);
        row[6] = mean(6, bySeen, 2);
        row[7] = mean(7, bySeen, 2);
        row[8] = mean(8, byArea, 2);
        double young = 0;
        for (const SimulatedArea* a : parts) {
            const Field& f = a->data.years[y][9];
            // An area that did not report takes its next year's young forest, as the program reads it.
            young += f.number >= 0 ? f.number : a->data.years[y + 1][9].number;
        }
        row[9] = number(young);
        for (size_t c = 11; c <= 14; ++c) {
            Field m = mean(c, byCount(c - 10), 0);
            row[c] = m;
        }
        d.years.push_back(row);
    }
    for (size_t y = 0; y < parts[0]->truth.size(); ++y) {
        Truth t;
        t.year = parts[0]->truth[y].year;
        double kha = 0;
        for (const SimulatedArea* a : parts) {
            const Truth& at = a->truth[y];
            t.winterStock += at.winterStock;
            t.summerStock += at.summerStock;
            t.shot += at.shot;
            t.calvesPerCow += at.calvesPerCow * at.summerStock;
            t.bullShare += at.bullShare * at.summerStock;
            t.forage += at.forage * a->params.jaktarea;
            t.carryingCapacity += at.carryingCapacity * a->params.jaktarea;
            kha += a->params.jaktarea / 1000.0;
        }
        t.winterDensity = t.winterStock / kha;
        t.summerDensity = t.summerStock / kha;
        t.calvesPerCow /= t.summerStock;
        t.bullShare /= t.summerStock;
        t.forage /= kha * 1000;
        t.carryingCapacity /= kha * 1000;
        out.truth.push_back(t);
    }
    out.params.jaktarea = static_cast<int>(ha);
    return out;
}

// A history the data set can use: a harvest every season and a stock that has not all but died out.
// Parameters that give anything else are drawn again.
SimulatedArea simulatePlausible(const SynthCounty& c, int afonr, uint32_t seed, const std::filesystem::path& work) {
    for (uint32_t attempt = 0; attempt < 20; ++attempt) {
        try {
            SimulatedArea a = simulate(drawParams(c, afonr, c.areas[afonr - 1], seed + attempt * 10007u), work);
            bool plausible = true;
            for (size_t y = 0; y + 1 < a.data.years.size(); ++y) plausible &= a.data.years[y][5].number > 0;
            for (const Truth& t : a.truth) plausible &= t.winterDensity >= 2.0 && t.winterDensity <= 20.0;
            if (plausible) return a;
        } catch (const VildoError&) {
            // the stock died out: draw again
        }
    }
    throw VildoError(std::string(c.areas[afonr - 1]) + ": ingen rimlig historia efter 20 försök");
}

std::string truthCsv(const SimulatedArea& a) {
    const AreaParams& p = a.params;
    std::string s = "# Sanna värden för " + p.name + ", " + p.countyName + " (länskod " + std::to_string(p.county) +
                    ", område " + std::to_string(p.afonr) + ")\n";
    if (p.seed != 0) {
        s += "# Startt\u00e4thet vinter 2010: " + fix(p.startDensity, 6, 2) + " per 1000 ha (uppnådd " +
             fix(a.startDensityReached, 6, 2) + ")\n# Foder (Trk_barkraftovrig) 2011: " + std::to_string(p.forage) +
             ", förändring per år: " + fix(p.forageSlope, 6, 3) + "\n# Dödlighet: ko " + std::to_string(p.natMortF) +
             " %, tjur " + std::to_string(p.natMortM) + " %, kalv sommar " + std::to_string(p.calfSummer) +
             " %, kalv vinter " + std::to_string(p.calfWinter) + " %\n# Älgobs per mantimme: " + fix(p.obsScale, 6, 4) +
             " × sommartäthet, brus 12 %\n# Ungskog " + fix(p.youngPct, 6, 2) + " % av landarealen; slaktvikt tjur " +
             std::to_string(p.bullWeight) + ", ko " + std::to_string(p.cowWeight) + "; frö " + std::to_string(p.seed) +
             "\n";
    } else {
        s += "# Summan av områdena; tätheter per 1000 ha jaktareal, övrigt viktat.\n";
    }
    s += "ar;vintertathet;sommartathet;vinterstam;sommarstam;foder;barkraft;kalv_per_hondjur;tjurandel;fallda\n";
    for (const Truth& t : a.truth)
        s += std::to_string(t.year) + ";" + fix(t.winterDensity, 8, 3) + ";" + fix(t.summerDensity, 8, 3) + ";" +
             fix(t.winterStock, 10, 1) + ";" + fix(t.summerStock, 10, 1) + ";" + fix(t.forage, 8, 2) + ";" +
             fix(t.carryingCapacity, 8, 3) + ";" + fix(t.calvesPerCow, 6, 3) + ";" + fix(t.bullShare, 6, 3) + ";" +
             fix(t.shot, 8, 0) + "\n";
    return s;
}

std::string fileName(int county, int afonr) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d_%02d.csv", county, afonr);
    return buf;
}

void write(const std::filesystem::path& file, const std::string& text) {
    if (!writeFileAtomic(file, text)) throw VildoError("Kan inte skriva " + file.string());
}

}  // namespace

int synthCommand(const std::vector<std::string>& args) {
    std::filesystem::path out;
    uint32_t seed = 20260101;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out") {
            out = optionValue(args, i);
        } else if (args[i] == "--seed") {
            std::string v = optionValue(args, i);
            auto n = parseInt(v);
            if (!n || *n < 0 || *n > 4000000000LL) throw UsageError("--seed ska vara ett heltal, fick: " + v);
            seed = static_cast<uint32_t>(*n);
        } else {
            throw UsageError("Okänt argument: " + args[i]);
        }
    }
    if (out.empty()) throw UsageError("synth väntar --out KATALOG");
    const std::filesystem::path areasDir = out / "areas", truthDir = out / "truth";
    for (const auto& dir : {areasDir, truthDir}) {
        std::filesystem::create_directories(dir);
        for (const auto& e : std::filesystem::directory_iterator(dir))
            if (e.path().extension() == ".csv") std::filesystem::remove(e.path());
    }
    const std::filesystem::path work =
        std::filesystem::temp_directory_path() / ("vildo-synth-" + std::to_string(::getpid()));
    std::filesystem::create_directories(work);

    std::vector<SimulatedArea> areas;
    std::vector<SimulatedArea> counties;
    std::map<Region, std::vector<const SimulatedArea*>> regions;
    areas.reserve(200);
    for (const SynthCounty& c : synthCounties()) {
        size_t first = areas.size();
        for (size_t k = 0; k < c.areas.size(); ++k)
            areas.push_back(simulatePlausible(c, static_cast<int>(k + 1), seed, work));
        std::vector<const SimulatedArea*> parts;
        for (size_t k = first; k < areas.size(); ++k) parts.push_back(&areas[k]);
        counties.push_back(aggregate(parts, c.code, 0, "Län", c.name));
        for (const SimulatedArea* a : parts) regions[c.region].push_back(a);
    }
    std::filesystem::remove_all(work);
    std::vector<SimulatedArea> national;
    std::vector<const SimulatedArea*> all;
    for (const SimulatedArea& a : areas) all.push_back(&a);
    national.push_back(aggregate(all, kNationalCode, 0, "Län", "Nationellt"));
    const Region order[3] = {Region::North, Region::Middle, Region::South};
    for (int r = 0; r < 3; ++r)
        national.push_back(aggregate(regions[order[r]], kNationalCode, r + 1, kRegionNames[r], "Nationellt"));

    size_t files = 0;
    for (const auto* group : {&areas, &counties, &national}) {
        for (const SimulatedArea& a : *group) {
            const std::string name = fileName(a.params.county, a.params.afonr);
            write(areasDir / name, "# Syntetisk statistik för " + a.params.name + ", " + a.params.countyName +
                                       "; sanna värden i ../truth/" + name + "\n" + service::formatAreaCsv(a.data));
            write(truthDir / name, truthCsv(a));
            ++files;
            const Truth& last = a.truth.back();
            const auto& y = a.data.years[a.data.years.size() - 2];
            std::cout << name << "  " << a.params.name << " (" << a.params.countyName
                      << "): " << grouped(a.params.jaktarea, 0) << " ha, vinter 2025 " << fix(last.winterDensity, 4, 1)
                      << "/1000 ha, fällda " << fix(y[5].number * 1000 / a.params.jaktarea, 4, 1)
                      << "/1000 ha, kalv/ko " << fix(last.calvesPerCow, 3, 2) << ", obs "
                      << (y[8].null ? std::string("-") : fix(y[8].number, 3, 2)) << "\n";
        }
    }
    std::cout << files << " områden skrivna till " << areasDir.string() << " och " << truthDir.string() << "\n";
    return 0;
}

}  // namespace vildo::cli
