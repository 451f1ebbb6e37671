#include "model/record_checks.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "model/controls.h"

namespace vildo {

namespace {

// Rounding leaves counts a hair below zero; anything more negative is damage.
constexpr double kSlack = 1e-6;
constexpr double kMaxMagnitude = 1e9;  // fields that are neither counts nor shares
constexpr double kMaxKg = 1e4;         // carcass weight of one animal
constexpr double kMaxForage = 1e5;     // forage setting; its control reaches 1000
constexpr double kMaxSlope = 1000;     // yearly change of the forage setting
constexpr int32_t kMaxYear = 9999;
constexpr double kMaxCarcassKg = 1000;  // mean carcass weight of a year's moose; real ones lie near 60-220
constexpr double kMaxObsPerHour = 100;  // moose seen per man-hour; real ones lie near 1

bool within(double v, double lo, double hi) { return std::isfinite(v) && v >= lo && v <= hi; }

template <size_t N>
bool allWithin(const double (&a)[N], double lo, double hi) {
    return std::all_of(a, a + N, [&](double v) { return within(v, lo, hi); });
}

bool allWithin(std::initializer_list<double> values, double lo, double hi) {
    return std::all_of(values.begin(), values.end(), [&](double v) { return within(v, lo, hi); });
}

template <size_t N>
bool counts(const double (&a)[N]) {
    return allWithin(a, -kSlack, kMaxAnimals);
}

template <size_t N>
bool intCounts(const int32_t (&a)[N]) {
    return std::all_of(a, a + N, [](int32_t v) { return v >= 0 && v <= kMaxAnimals; });
}

// A mean age: over a handful of animals it can lie beyond the last class.
bool meanAge(double v) { return within(v, 0, kMaxMagnitude); }
// A natural death rate divides by what is left of a class: near extinction it runs far past 1.
bool rate(double v) { return std::isfinite(v) && v >= -kSlack; }
bool share(double v) { return within(v, 0, 1); }
bool percent(int32_t v) { return v >= 0 && v <= 100; }

template <int N>
bool fits(const ShortString<N>& s) {
    return s.length <= N;
}

}  // namespace

std::string damagedFileText(const std::string& file) { return "Filen " + file + " är skadad eller har fel format."; }

bool plausible(const TPopulation& p) {
    return counts(p.FemWinter) && counts(p.FemSummer) && counts(p.MaleWinter) && counts(p.MaleSummer) &&
           counts(p.FemHuntStart) && counts(p.MaleHuntStart) && counts(p.MaleDeadWinter) && counts(p.FemDeadWinter) &&
           counts(p.MaleDeadSummer) && counts(p.FemDeadSummer) && allWithin(p.Fecundity, 0, 10) &&
           intCounts(p.CowsNoCalf) && intCounts(p.CowsOneCalf) && intCounts(p.CowsTwins);
}

bool plausible(const THarvestByAge& h) {
    return counts(h.MaleShot) && counts(h.FemShot) && allWithin(h.MaleWeight, 0, kMaxKg) &&
           allWithin(h.FemWeight, 0, kMaxKg);
}

bool plausible(const TGoals& g) {
    return allWithin({g.GoalCalvesPerCow, g.GoalBullShare, g.BullShareTarget, g.GoalPrimeBulls, g.GoalCalfShare,
                      g.GoalMeanAgeCows, g.GoalQuotaUse, g.GoalBrowsing, g.HarvestRate},
                     -kMaxAnimals, kMaxAnimals) &&
           allWithin({g.BullQuota, g.CowQuota, g.CalfQuota}, -kSlack, kMaxAnimals);
}

bool plausible(const TFecundityState& f) {
    return allWithin({f.FecundityFactor, f.MaleWeightFactor, f.FemWeightFactor}, 0, 1000) &&
           allWithin(f.FactorHistory, 0, 1000);
}

bool plausible(const TSummerTotals& s) {
    return allWithin({s.SummerBulls, s.SummerCows, s.CalvesBorn, s.SummerAdults, s.SummerStock, s.SummerDensity,
                      s.SummerDeaths, s.SummerDeadCows, s.SummerDeadBulls, s.SummerDeadCalves, s.NatDeadCowsSummer,
                      s.NatDeadBullsSummer},
                     -kSlack, kMaxAnimals) &&
           rate(s.NatRateCowsSummer) && rate(s.NatRateBullsSummer) && within(s.MaleShareSummer, -kSlack, 1 + kSlack);
}

bool plausible(const TWinterTotals& w) {
    return allWithin({w.WinterBulls, w.WinterCows, w.WinterCalves, w.WinterAdults, w.WinterStock, w.WinterDensity,
                      w.WinterDeaths, w.WinterDeadBulls, w.WinterDeadCows, w.NatDeadCowsWinter, w.NatDeadBullsWinter,
                      w.WinterDeadCalves},
                     -kSlack, kMaxAnimals) &&
           meanAge(w.MeanAgeWinterBulls) && meanAge(w.MeanAgeWinterCows) && rate(w.NatRateCowsWinter) &&
           rate(w.NatRateBullsWinter);
}

bool plausible(const THarvestTotals& h) {
    return allWithin({h.BullsShot, h.CowsShot, h.CalvesShot, h.AdultsShot, h.TotalShot, h.HarvestPerArea,
                      h.Week1BullsShot, h.Week1CowsShot, h.Week1CalvesShot, h.PrimeBullsShot},
                     -kSlack, kMaxAnimals) &&
           meanAge(h.MeanAgeShotBulls) && meanAge(h.MeanAgeShotCows) && share(h.ObsBullShare);
}

bool plausible(const TEncounters& e) {
    return intCounts({e.SeenBullsOpen, e.SeenCowsOpen, e.SeenCalvesOpen}) &&
           intCounts({e.SeenBulls, e.SeenCows, e.SeenCowsWithCalf}) && within(e.CowRisk, 0, kMaxMagnitude);
}

bool plausible(const TLandUse& l) {
    return percent(l.ImpedimentPct) && percent(l.OtherLandPct) && l.ForestPct >= -200 && l.ForestPct <= 100 &&
           l.Algbonitet >= 0 && l.Algbonitet <= 1000000 && l.YoungForestWeight >= 0 && l.YoungForestWeight <= 1000 &&
           allWithin({l.CarryingCapacity, l.CarryingCapacityAtStart}, -1000, kMaxAnimals) &&
           within(l.YoungForestPct, 0, 100) && allWithin({l.ForageFactor, l.ForageFactorAtStart}, 0, kMaxForage);
}

double maxMooseIn(double hectares) { return std::max(hectares, 1000.0) / 1000 * kMaxMoosePerKha; }
double maxPredatorsIn(double hectares) { return std::max(hectares, 1000.0) / 1000 * kMaxPredatorsPerKha; }
double boundingHectares(const TAreaHeader& h) {
    return std::max({static_cast<double>(h.Jaktarea), static_cast<double>(h.Landarea), 0.0});
}

bool plausible(const TAreaHeader& h) {
    auto hectares = [](int32_t v) { return v >= 0 && v <= kMaxHectares; };
    // The land classes are parts of the land area; shares of it past 100 % are damage.
    const bool landParts =
        h.Landarea == 0 || (int64_t{h.OtherLandHaA} + h.OtherLandHaB <= h.Landarea && h.ImpedimentHa <= h.Landarea);
    return hectares(h.Jaktarea) && hectares(h.Landarea) && hectares(h.HeaderInt1) && hectares(h.HeaderInt2) &&
           hectares(h.HeaderInt4) && hectares(h.HeaderInt5) && hectares(h.OtherLandHaA) && hectares(h.OtherLandHaB) &&
           hectares(h.ImpedimentHa) && landParts && h.AreaForage >= 0 && h.AreaForage <= kMaxForage &&
           h.DataYears >= 0 && h.DataYears <= kMaxYear && fits(h.Lan) && fits(h.AFO) &&
           within(h.AreaCCSlope, -kMaxSlope, kMaxSlope) &&
           allWithin({h.HeaderReal17, h.HeaderReal18}, -kMaxMagnitude, kMaxMagnitude);
}

bool plausible(const TShotWeights& w) {
    return allWithin({w.MaleWeightShot, w.FemWeightShot, w.CalfWeightShot}, -kSlack, kMaxAnimals * kMaxKg);
}

bool plausible(const TSliderValues& s) {
    static const Controls design = controlRanges();
    static constexpr C slots[SlotCount] = {C::Trk_density,
                                           C::trk_ungskog,
                                           C::trk_impediment,
                                           C::Trk_Kalvskytte,
                                           C::Trk_tjurandel,
                                           C::trk_slaktvikttjur,
                                           C::trk_tjurdodlighet,
                                           C::Trk_kalvdodlighetsommar,
                                           C::Trk_Kalvdodlighetvinter,
                                           C::trk_kododlighet,
                                           C::Trk_Slaktviktko,
                                           C::trk_taggar,
                                           C::trk_kviga,
                                           C::trk_sexratio,
                                           C::Trk_barkraftovrig,
                                           C::Trk_ungskogskonstant,
                                           C::trk_korisk,
                                           C::trk_harvest,
                                           C::trk_reprod,
                                           C::Combo_Startyear,
                                           C::Trk_vargmortalitet,
                                           C::Trk_bjornmortalitet};
    for (int i = 0; i < SlotCount; ++i) {
        const int32_t v = s.Slots[i];
        if (slots[i] == C::Combo_Startyear) {
            // A list index into the area's years.
            if (v < -1 || v > kMaxYear) return false;
            continue;
        }
        // Zero is the record of a state whose controls were never stored.
        const Control& c = design[static_cast<int>(slots[i])];
        if (v != 0 && (v < c.min || v > c.max)) return false;
    }
    return true;
}

bool plausible(const TGrid2Cells& g) {
    for (const auto& column : g.Cells)
        for (const auto& cell : column)
            if (!fits(cell)) return false;
    return true;
}

bool plausible(const TStatistics& s, double hectares) {
    const double moose = maxMooseIn(hectares);
    auto count = [&](int32_t v) { return v >= 0 && v <= moose; };
    const bool counts = count(s.tjur) && count(s.ko) && count(s.vuxna) && count(s.tjurkalv) && count(s.kvigkalv) &&
                        count(s.kalv) && count(s.totalt) && count(s.kalvmort) && count(s.tjurmort) && count(s.komort) &&
                        count(s.TrafikTjur) && count(s.TrafikHondjur) && count(s.TrafikKalv) && count(s.TrafikOkand);
    return s.year >= 0 && s.year <= kMaxYear && counts && s.ungskog >= 0 && s.ungskog <= std::max(hectares, 1000.0) &&
           s.CC >= 0 && s.CC <= kMaxForage && within(s.obs, 0, kMaxObsPerHour) &&
           allWithin({s.tjurobs, s.kalvandel, s.sexratio}, 0, 1) && within(s.reprod, 0, 10) &&
           allWithin({s.tjurvikt, s.kovikt, s.tjurkalvvikt, s.kvigkalvvikt}, 0, kMaxCarcassKg) &&
           plausiblePredators(s.varg, hectares) && plausiblePredators(s.bjorn, hectares) &&
           within(s.StartDens, 0, kMaxMagnitude) &&
           allWithin({s.R2, s.Vildodens, s.Stddens, s.CCSlope, s.Error}, -kMaxMagnitude, kMaxMagnitude);
}

bool plausibleShares(int32_t calfPercent, double femaleCalfShare, double calfSummerMortality,
                     double calfWinterMortality, double calvesPerCow) {
    return percent(calfPercent) && share(femaleCalfShare) && share(calfSummerMortality) && share(calfWinterMortality) &&
           within(calvesPerCow, 0, 10);
}

bool plausibleHuntBudget(int32_t huntTry, int32_t maxTries, double encounterRate) {
    return huntTry >= 0 && maxTries >= 0 && within(encounterRate, 0, kMaxMagnitude);
}

bool plausiblePredators(double count, double hectares) { return within(count, 0, maxPredatorsIn(hectares)); }

}  // namespace vildo
