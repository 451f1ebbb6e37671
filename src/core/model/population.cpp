#include "model/population.h"

#include <algorithm>
#include <cmath>

#include "model/controller.h"
#include "model/parameters.h"
#include "util/errors.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr double kThird = 1.0 / 3.0;
constexpr double kTwoThirds = 2.0 / 3.0;

void predationOfYear(ModelState& app) {
    try {
        TRov& r = app.Rov;
        if (!r.Vargrevir.empty()) r.Vargdodade = static_cast<int32_t>(Round(r.Vargmortalitet * r.Vargrevir[0]));
        if (!r.Bjornpop.empty()) r.Bjorndodade = static_cast<int32_t>(Round(r.Bjornmortalitet * 0.5 * r.Bjornpop[0]));
    } catch (const std::exception& e) {
        throw PredationError(e.what());
    }
}

// Cows and bulls side by side: each lane does what the scalar formula does for its sex, in the same order, so
// the arithmetic is the formulas' to the bit, at half the instructions.
using Pair = double __attribute__((vector_size(16)));
Pair pairAt(const double* female, const double* male, int a) { return Pair{female[a], male[a]}; }
void storeAt(Pair v, double* female, double* male, int a) {
    female[a] = v[0];
    male[a] = v[1];
}
Pair minOf(Pair a, Pair b) { return b < a ? b : a; }  // std::min in each lane
Pair maxOf(Pair a, Pair b) { return a < b ? b : a; }  // std::max in each lane
Pair splat(double v) { return Pair{v, v}; }

// A season's sums over ages 1..20, each in its own order of additions.
struct SeasonSums {
    Pair alive{}, dead{};  // cows and bulls, the dead of each
    double shot = 0;
    void add(Pair aliveOfClass, Pair deadOfClass, double shotOfClass) {
        alive += aliveOfClass;
        dead += deadOfClass;
        shot += shotOfClass;
    }
};

// A class's deaths in a season: the natural ones (rate k times the age's weight, at most the class), and all of
// them, with the wolves' kill shared out by each sex's stock where that sex has animals.
struct ClassDeaths {
    Pair natural, all;
};
ClassDeaths classDeaths(Pair x, Pair k, Pair weight, Pair wolvesBy, Pair stock) {
    const Pair natural = minOf(x, k * weight * x);
    return {natural, stock > 0 ? natural + wolvesBy * x / stock : natural};
}

}  // namespace

void scaleStockToArea(ModelState& app, int32_t oldKha, int32_t newKha) {
    if (oldKha <= 0 || newKha <= 0 || oldKha == newKha) return;
    const double f = static_cast<double>(newKha) / oldKha;
    TPopulation& p = app.Pop;
    for (double* a : {p.FemWinter, p.FemSummer, p.MaleWinter, p.MaleSummer})
        for (int i = 0; i < kAges; ++i) a[i] *= f;
    TWinterTotals& w = app.Winter;
    for (double* x : {&w.WinterBulls, &w.WinterCows, &w.WinterCalves, &w.WinterAdults, &w.WinterStock}) *x *= f;
    TSummerTotals& s = app.Summer;
    for (double* x : {&s.SummerBulls, &s.SummerCows, &s.CalvesBorn, &s.SummerAdults, &s.SummerStock}) *x *= f;
}

void Processpop(ModelState& app) {
    TPopulation& p = app.Pop;
    THarvestByAge& h = app.Harvest;
    THarvestTotals& ht = app.HarvestTot;
    TSummerTotals& su = app.Summer;
    TWinterTotals& wi = app.Winter;
    const double sr = app.FemaleCalfShare;

    // Step 0: start of year.
    ++app.ModelYears;
    app.PotentialBirths = 0;
    ht.PrimeBullsShot = 0;
    app.ShotWeights = TShotWeights{};
    su.NatDeadCowsSummer = su.NatDeadBullsSummer = 0;
    wi.NatDeadCowsWinter = wi.NatDeadBullsWinter = 0;
    double ageShotF = 0, ageShotM = 0, ageWinterF = 0, ageWinterM = 0;
    predationOfYear(app);
    const double wolves = app.Rov.Vargdodade;
    const double bears = app.Rov.Bjorndodade;

    // Sums build up in locals and invariants are read once: stores into the records could otherwise alias
    // them, and every pass would go through memory. The arithmetic and its order are those of the formulas.

    // Step 1: aging and the summer mortality factors.
    Pair total{};
    for (int a = 0; a <= 20; ++a) total += pairAt(p.FemWinter, p.MaleWinter, a);
    su.SummerCows = total[0] - p.FemWinter[19];
    su.SummerBulls = total[1] - p.MaleWinter[19];
    Pair sum{};
    for (int a = 18; a >= 0; --a) {
        const Pair x = pairAt(p.FemWinter, p.MaleWinter, a);
        storeAt(x, p.FemSummer, p.MaleSummer, a + 1);
        sum += minOf(x, kThird * pairAt(app.FemMortWeight, app.MaleMortWeight, a + 1) * x);
    }
    double kF = 1, kM = 1, sF = sum[0], sM = sum[1];
    if (sF > 0) kF = kThird * (app.NatMortPctF / 100.0) * su.SummerCows / sF;
    if (sM > 0) kM = kThird * (app.NatMortPctM / 100.0) * su.SummerBulls / sM;
    // Density and carrying capacity stay through the year: the four limits share one floor.
    const double kFloor = MFactorfloor(app.ModelDensity, app.Land.CarryingCapacity);
    kF = std::max(kFloor, kF);
    kM = std::max(kFloor, kM);

    // Step 2: births, summer deaths and the female harvest.
    const double ff = app.Fec.FecundityFactor;
    double fH = 0;
    SeasonSums summer;
    {
        const double summerCows = su.SummerCows, summerBulls = su.SummerBulls;
        const double adults = summerCows + summerBulls;
        const double s = adults > 0 ? summerCows / adults : 0.5;
        const Pair wolvesBy = Pair{wolves * (1.0 / 30) * s, wolves * (1.0 / 30) * (1 - s)};
        const Pair stock = Pair{summerCows, summerBulls};
        const Pair k = Pair{kThird * kF, kThird * kM};
        const double pressure = app.HarvestPressure, protection = 1 + app.CalfProtection;
        // The classes are walked up, so the season's sums (in their order, 1..20) start with the first class; the
        // births and the natural deaths are added up after, walking down as the formulas do.
        auto femaleHarvest = [&](int a) {
            return std::max(0.0, (1 - p.Fecundity[a] * 0.5 * ff) * pressure * protection);
        };
        Pair natural[20];
        SeasonSums sums;
        for (int a = 1; a <= 19; ++a) {
            const Pair x = pairAt(p.FemSummer, p.MaleSummer, a);
            const ClassDeaths d = classDeaths(x, k, pairAt(app.FemMortWeight, app.MaleMortWeight, a), wolvesBy, stock);
            natural[a] = d.natural;
            storeAt(d.all, p.FemDeadSummer, p.MaleDeadSummer, a);
            const Pair left = x - d.all;
            storeAt(left, p.FemSummer, p.MaleSummer, a);
            h.FemShot[a] = femaleHarvest(a) * left[0];
            sums.add(left, d.all, h.FemShot[a]);
        }
        sums.add(pairAt(p.FemSummer, p.MaleSummer, 20), pairAt(p.FemDeadSummer, p.MaleDeadSummer, 20), h.FemShot[20]);
        fH = femaleHarvest(1);  // where the walk down leaves it
        double births = app.PotentialBirths;
        Pair dead = Pair{su.NatDeadCowsSummer, su.NatDeadBullsSummer};
        for (int a = 19; a >= 1; --a) {
            births += std::max(0.0, p.Fecundity[a] * ff * p.FemWinter[a]);
            dead += natural[a];
        }
        app.PotentialBirths = births;
        su.NatDeadCowsSummer = dead[0];
        su.NatDeadBullsSummer = dead[1];
        summer = sums;
    }
    if (su.SummerCows > 0) su.NatRateCowsSummer = su.NatDeadCowsSummer / su.SummerCows;
    if (su.SummerBulls > 0) su.NatRateBullsSummer = su.NatDeadBullsSummer / su.SummerBulls;

    // Step 3: the hunt.
    su.SummerCows = summer.alive[0];
    su.SummerBulls = summer.alive[1];
    su.SummerDeadBulls = summer.dead[1];
    su.SummerDeadCows = summer.dead[0];
    ht.CowsShot = summer.shot + h.FemShot[21];
    su.SummerDeaths = su.SummerDeadBulls + su.SummerDeadCows;
    wi.WinterCows = su.SummerCows - ht.CowsShot;
    wi.WinterStock = checkedDiv(wi.WinterCows, 1 - (app.TargetBullShare + app.BullShareAdjust));
    wi.WinterBulls = wi.WinterStock - wi.WinterCows;  // the wanted bulls after the hunt, until step 4 ends
    const double hm = std::max(0.0, su.SummerBulls - wi.WinterBulls);
    {
        const double summerBulls = su.SummerBulls;
        double prime = ht.PrimeBullsShot;
        sum = Pair{};
        for (int a = 19; a >= 1; --a) {
            const double shot = summerBulls > 0 && fH > 0
                                    ? std::min(summerBulls, std::max(0.0, p.MaleSummer[a] / summerBulls * hm))
                                    : 0;
            h.MaleShot[a] = shot;
            if (a >= 6 && a <= 12) prime += shot;
            const Pair left = maxOf(splat(0.0), pairAt(p.FemSummer, p.MaleSummer, a) - Pair{h.FemShot[a], shot});
            storeAt(left, p.FemWinter, p.MaleWinter, a);
            sum += minOf(left, kTwoThirds * pairAt(app.FemMortWeight, app.MaleMortWeight, a) * left);
        }
        ht.PrimeBullsShot = prime;
    }
    sF = sum[0];
    sM = sum[1];
    if (sF > 0) kF = kTwoThirds * (app.NatMortPctF / 100.0) * wi.WinterCows / sF;
    if (sM > 0) kM = kTwoThirds * (app.NatMortPctM / 100.0) * wi.WinterBulls / sM;
    kF = std::max(kFloor, kF);
    kM = std::max(kFloor, kM);

    // Step 4: winter of the adults.
    SeasonSums winter;
    {
        const double winterCows = wi.WinterCows, winterBulls = wi.WinterBulls;
        const double adults = winterCows + winterBulls;
        const double s = adults > 0 ? winterCows / adults : 0.5;
        const Pair wolvesBy = Pair{wolves * 0.2 * s, wolves * 0.2 * (1 - s)};
        const Pair stock = Pair{winterCows, winterBulls};
        const Pair k = Pair{kTwoThirds * kF, kTwoThirds * kM};
        const Pair weightFactor = Pair{app.Fec.FemWeightFactor, app.Fec.MaleWeightFactor};
        // Walked up for the season's sums, then down for the rest, as in the summer.
        Pair natural[20];
        SeasonSums sums;
        for (int a = 1; a <= 19; ++a) {
            const Pair x = pairAt(p.FemWinter, p.MaleWinter, a);
            const ClassDeaths d = classDeaths(x, k, pairAt(app.FemMortWeight, app.MaleMortWeight, a), wolvesBy, stock);
            natural[a] = d.natural;
            storeAt(d.all, p.FemDeadWinter, p.MaleDeadWinter, a);
            const Pair left = maxOf(splat(0.0), x - d.all);
            storeAt(left, p.FemWinter, p.MaleWinter, a);
            sums.add(left, d.all, h.MaleShot[a]);
        }
        sums.add(pairAt(p.FemWinter, p.MaleWinter, 20), pairAt(p.FemDeadWinter, p.MaleDeadWinter, 20), h.MaleShot[20]);
        Pair dead = Pair{wi.NatDeadCowsWinter, wi.NatDeadBullsWinter};
        Pair weight = Pair{app.ShotWeights.FemWeightShot, app.ShotWeights.MaleWeightShot};
        Pair ageShot{}, ageWinter{};
        for (int a = 19; a >= 1; --a) {
            const Pair shot = pairAt(h.FemShot, h.MaleShot, a);
            ageShot += a * shot;
            dead += natural[a];
            ageWinter += a * pairAt(p.FemWinter, p.MaleWinter, a);
            weight += weightFactor * pairAt(h.FemWeight, h.MaleWeight, a) * shot;
        }
        ageShotF = ageShot[0];
        ageShotM = ageShot[1];
        ageWinterF = ageWinter[0];
        ageWinterM = ageWinter[1];
        wi.NatDeadCowsWinter = dead[0];
        wi.NatDeadBullsWinter = dead[1];
        app.ShotWeights.FemWeightShot = weight[0];
        app.ShotWeights.MaleWeightShot = weight[1];
        winter = sums;
    }
    if (wi.WinterCows > 0) wi.NatRateCowsWinter = wi.NatDeadCowsWinter / wi.WinterCows;
    if (wi.WinterBulls > 0) wi.NatRateBullsWinter = wi.NatDeadBullsWinter / wi.WinterBulls;
    wi.WinterCows = winter.alive[0];
    wi.WinterBulls = winter.alive[1];
    wi.WinterDeadBulls = winter.dead[1];
    wi.WinterDeadCows = winter.dead[0];
    ht.BullsShot = winter.shot + h.MaleShot[21];
    wi.WinterDeaths = wi.WinterDeadBulls + wi.WinterDeadCows;
    wi.WinterAdults = wi.WinterCows + wi.WinterBulls;
    ht.AdultsShot = ht.CowsShot + ht.BullsShot;

    // Step 5: the calves of the year.
    p.FemDeadSummer[0] = app.PotentialBirths * sr * app.CalfSummerMortality + wolves * sr * 0.9 * kThird + bears * sr;
    p.MaleDeadSummer[0] =
        app.PotentialBirths * (1 - sr) * app.CalfSummerMortality + wolves * (1 - sr) * 0.9 * kThird + bears * (1 - sr);
    su.SummerDeaths = su.SummerDeadBulls + su.SummerDeadCows + p.FemDeadSummer[0] + p.MaleDeadSummer[0];
    p.FemSummer[0] = std::max(0.0, app.PotentialBirths * sr - p.FemDeadSummer[0]);
    p.MaleSummer[0] = std::max(0.0, app.PotentialBirths * (1 - sr) - p.MaleDeadSummer[0]);
    su.CalvesBorn = p.FemSummer[0] + p.MaleSummer[0];
    su.SummerAdults = su.SummerBulls + su.SummerCows;
    if (su.SummerAdults > 0) su.MaleShareSummer = su.SummerBulls / su.SummerAdults;
    if (app.TargetBullShare >= su.MaleShareSummer)
        app.BullShareAdjust += 0.0001;
    else
        app.BullShareAdjust -= 0.0001;
    su.SummerStock = std::max(0.0, su.CalvesBorn + su.SummerAdults);
    if (su.SummerCows > 0) app.CalvesPerCow = std::max(0.0, su.CalvesBorn / su.SummerCows);
    su.SummerDensity = checkedDiv(su.SummerStock, app.AreaKha);
    double hc = checkedDiv(ht.AdultsShot, 1 - 0.01 * app.CalfPercent) - ht.AdultsShot;
    h.FemShot[0] = std::max(0.0, hc * sr);
    h.MaleShot[0] = std::max(0.0, hc * (1 - sr));
    ht.CalvesShot = h.FemShot[0] + h.MaleShot[0];
    if (ff > 0)
        app.ShotWeights.CalfWeightShot = app.Fec.FemWeightFactor * h.FemWeight[0] * h.FemShot[0] +
                                         app.Fec.MaleWeightFactor * h.MaleWeight[0] * h.MaleShot[0];
    if (ht.BullsShot > 0) ht.MeanAgeShotBulls = ageShotM / ht.BullsShot;
    if (ht.CowsShot > 0) ht.MeanAgeShotCows = ageShotF / ht.CowsShot;
    p.FemWinter[0] = std::max(0.0, p.FemSummer[0] - h.FemShot[0]);
    p.MaleWinter[0] = std::max(0.0, p.MaleSummer[0] - h.MaleShot[0]);
    wi.WinterCalves = p.FemWinter[0] + p.MaleWinter[0];
    wi.WinterStock = wi.WinterAdults + wi.WinterCalves;
    wi.WinterDensity = checkedDiv(wi.WinterStock, app.AreaKha);
    ht.TotalShot = ht.AdultsShot + ht.CalvesShot;
    ht.HarvestPerArea = checkedDiv(ht.TotalShot, app.AreaKha);
    if (wi.WinterCows > 0) wi.MeanAgeWinterCows = ageWinterF / wi.WinterCows;
    if (wi.WinterBulls > 0) wi.MeanAgeWinterBulls = ageWinterM / wi.WinterBulls;
    p.FemDeadWinter[0] = kTwoThirds * 0.7 * wolves * sr + p.FemWinter[0] * app.CalfWinterMortality;
    p.MaleDeadWinter[0] = kTwoThirds * 0.7 * wolves * (1 - sr) + p.MaleWinter[0] * app.CalfWinterMortality;
    p.FemWinter[0] = std::max(0.0, p.FemWinter[0] - p.FemDeadWinter[0]);
    p.MaleWinter[0] = std::max(0.0, p.MaleWinter[0] - p.MaleDeadWinter[0]);
    wi.WinterDeaths += p.FemDeadWinter[0] + p.MaleDeadWinter[0];

    // Step 6: end of year.
    app.PrevWinterStock = wi.WinterStock;
    app.Fec.FecundityFactor = Multifecund(app);
    // An overflow or invalid operation anywhere above surfaces in these totals.
    checkedValue(wi.WinterStock);
    checkedValue(su.SummerStock);
    checkedValue(app.Fec.FecundityFactor);
}

}  // namespace vildo
