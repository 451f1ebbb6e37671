#include "calibration/estimate_interval.h"

#include <algorithm>
#include <cmath>

#include "hunt/forecast.h"
#include "util/format.h"
#include "util/random.h"

namespace vildo {

namespace {

// The spread of a member's start around the best setting, as log-normal factors: wide enough that members
// leave the best run's valley of the fit, narrow enough that their refits stay within a calibration's reach.
constexpr double kDensitySpread = 0.25;
constexpr double kForageSpread = 0.05;
constexpr double kSlopeSpread = 0.4;
// An interval wider than this share of the estimate on either side says little.
constexpr double kWideShare = 0.5;

double at(const std::vector<double>& v, size_t i) { return i < v.size() ? v[i] : 0; }

size_t replayYears(const CalibrationState& c) {
    const int64_t n = std::min<int64_t>(c.YearNo, static_cast<int64_t>(c.Statistics.size()) - c.StartIndex);
    return c.StartIndex < 0 || n < 0 ? 0 : static_cast<size_t>(n);
}

const TStatistics& record(const CalibrationState& c, size_t i) {
    return c.Statistics[static_cast<size_t>(c.StartIndex) + i];
}

std::optional<double> drawn(const std::vector<std::optional<double>>& r, size_t from) {
    return from < r.size() ? r[from] : std::nullopt;
}

}  // namespace

Residuals replayResiduals(const CalibrationState& best) {
    const size_t n = replayYears(best);
    const ReplaySeries& s = best.Replay;
    Residuals r;
    r.obs.resize(n);
    r.calves.resize(n);
    r.bulls.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const TStatistics& rec = record(best, i);
        const double stock = at(s.summerDensity, i);
        if (rec.obs > 0 && best.ObsScale > 0 && stock > 0) r.obs[i] = std::log(best.ObsScale * rec.obs / stock);
        if (rec.reprod > 0) r.calves[i] = rec.reprod - at(s.calvesPerCow, i);
        if (rec.tjurobs > 0) r.bulls[i] = rec.tjurobs - at(s.bullShare, i);
    }
    return r;
}

int bootstrapBlockLength(size_t years) { return years >= 9 ? 3 : 2; }

void applyPseudoHistory(CalibrationState& member, const CalibrationState& best, uint32_t seed) {
    const size_t n = replayYears(best);
    if (n == 0) return;
    const Residuals r = replayResiduals(best);
    const ReplaySeries& s = best.Replay;
    Lcg rng{seed};
    // The years whose residuals year i of the pseudo-history takes: consecutive runs of a block's length.
    const size_t block = std::min(static_cast<size_t>(bootstrapBlockLength(n)), n);
    std::vector<size_t> from;
    while (from.size() < n) {
        const size_t start = rng.R(static_cast<uint32_t>(n - block + 1));
        for (size_t k = 0; k < block && from.size() < n; ++k) from.push_back(start + k);
    }
    for (size_t i = 0; i < n; ++i) {
        TStatistics& rec = member.Statistics[static_cast<size_t>(best.StartIndex) + i];
        // A drawn year without an observation adds no misfit: the pseudo-value is the simulated one.
        if (rec.obs > 0 && best.ObsScale > 0)
            rec.obs = at(s.summerDensity, i) * std::exp(drawn(r.obs, from[i]).value_or(0)) / best.ObsScale;
        if (rec.reprod > 0) rec.reprod = std::max(0.0, at(s.calvesPerCow, i) + drawn(r.calves, from[i]).value_or(0));
        if (rec.tjurobs > 0)
            rec.tjurobs = std::clamp(at(s.bullShare, i) + drawn(r.bulls, from[i]).value_or(0), 0.0, 1.0);
    }
}

CalibrationSetting perturbedStart(const CalibrationSetting& best, uint32_t seed) {
    Lcg rng{seed};
    CalibrationSetting s;
    s.density = std::clamp(std::round(best.density * std::exp(rng.G(0, kDensitySpread))), 1.0, 300.0);
    s.forage = std::clamp(std::round(best.forage * std::exp(rng.G(0, kForageSpread))), 1.0, 1000.0);
    s.ccSlope = std::clamp(best.ccSlope + rng.G(0, kSlopeSpread), -15.0, 15.0);
    return s;
}

EstimateInterval summariseMembers(const std::vector<MemberEstimate>& members) {
    EstimateInterval e;
    e.members = static_cast<int>(members.size());
    std::vector<double> winter, summer;
    for (const MemberEstimate& m : members) {
        winter.push_back(m.winterDensity);
        summer.push_back(m.summerDensity);
    }
    const Spread w = spreadOf(winter), s = spreadOf(summer);
    e.membersLow = w.p10;
    e.membersHigh = w.p90;
    e.winterLow = widenedDensity(w.p10, w.p50);
    e.winterHigh = widenedDensity(w.p90, w.p50);
    e.median = w.p50;
    e.summerLow = widenedDensity(s.p10, s.p50);
    e.summerHigh = widenedDensity(s.p90, s.p50);
    e.summerMedian = s.p50;
    return e;
}

double widenedDensity(double density, double median) {
    if (!(median > 0) || !(density > 0)) return density;
    return median * std::pow(density / median, kIntervalWidening);
}

MemberStock widenedStock(const MemberStock& stock, double median) {
    MemberStock s = stock;
    const double d = stock.Winter.WinterDensity;
    if (stock.shotOut || !(d > 0)) return s;
    const double f = widenedDensity(d, median) / d;
    for (int a = 0; a < kAges; ++a) {
        s.Pop.FemWinter[a] *= f;
        s.Pop.MaleWinter[a] *= f;
    }
    TWinterTotals& w = s.Winter;
    for (double* v : {&w.WinterBulls, &w.WinterCows, &w.WinterCalves, &w.WinterAdults, &w.WinterStock, &w.WinterDensity})
        *v *= f;
    return s;
}

std::string intervalLine(const EstimateInterval& interval) {
    return "Med " + fix(interval.level * 100, 15, 0) + " % sannolikhet mellan " + fix(interval.winterLow, 15, 1) +
           " och " + fix(interval.winterHigh, 15, 1) + " per 1000 hektar efter jakt.";
}

std::string uncertaintyNote(const EstimateInterval& interval, double estimate) {
    if (interval.members == 0) return "";
    if (estimate < interval.membersLow || estimate > interval.membersHigh)
        return "Skattningen är osäker: den bäst passande körningen ligger utanför de mittersta 80 % av omräkningarna, så observationerna "
               "kan förklaras av en annan stam än den som visas.";
    if (interval.winterHigh - interval.winterLow > 2 * kWideShare * estimate)
        return "Skattningen är osäker: intervallet är bredare än ±50 % av skattningen, eftersom observationerna "
               "inte räcker för att bestämma stammens storlek.";
    return "";
}

MemberStock takeStock(const ModelState& m, bool shotOut) {
    MemberStock s;
    s.shotOut = shotOut;
    s.Pop = m.Pop;
    s.Fec = m.Fec;
    s.Summer = m.Summer;
    s.Winter = m.Winter;
    s.HarvestTot = m.HarvestTot;
    s.ForageFactor = m.Land.ForageFactor;
    s.CarryingCapacity = m.Land.CarryingCapacity;
    s.CalvesPerCow = m.CalvesPerCow;
    s.EncounterRate = m.EncounterRate;
    s.HuntTry = m.HuntTry;
    return s;
}

void putStock(ModelState& m, const MemberStock& s) {
    m.Pop = s.Pop;
    m.Fec = s.Fec;
    m.Summer = s.Summer;
    m.Winter = s.Winter;
    m.HarvestTot = s.HarvestTot;
    m.Land.ForageFactor = s.ForageFactor;
    m.Land.CarryingCapacity = s.CarryingCapacity;
    m.CalvesPerCow = s.CalvesPerCow;
    m.EncounterRate = s.EncounterRate;
    m.HuntTry = s.HuntTry;
}

}  // namespace vildo
