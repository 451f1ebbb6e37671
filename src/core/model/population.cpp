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

// A season's sums over ages 1..20, side by side, each in its own order of additions: one pass instead of five
// chains.
struct SeasonSums {
    double cows = 0, bulls = 0, deadBulls = 0, deadCows = 0, shot = 0;
};
SeasonSums seasonSums(const double* cows, const double* bulls, const double* deadBulls, const double* deadCows,
                      const double* shot) {
    SeasonSums s;
    for (int i = 1; i <= 20; ++i) {
        s.cows += cows[i];
        s.bulls += bulls[i];
        s.deadBulls += deadBulls[i];
        s.deadCows += deadCows[i];
        s.shot += shot[i];
    }
    return s;
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
    double cows = 0, bulls = 0;
    for (int a = 0; a <= 20; ++a) {
        cows += p.FemWinter[a];
        bulls += p.MaleWinter[a];
    }
    su.SummerCows = cows - p.FemWinter[19];
    su.SummerBulls = bulls - p.MaleWinter[19];
    double kF = 1, kM = 1, sF = 0, sM = 0;
    for (int a = 18; a >= 0; --a) {
        p.FemSummer[a + 1] = p.FemWinter[a];
        p.MaleSummer[a + 1] = p.MaleWinter[a];
        sF += std::min(p.FemSummer[a + 1], kThird * app.FemMortWeight[a + 1] * p.FemSummer[a + 1]);
        sM += std::min(p.MaleSummer[a + 1], kThird * app.MaleMortWeight[a + 1] * p.MaleSummer[a + 1]);
    }
    if (sF > 0) kF = kThird * (app.NatMortPctF / 100.0) * su.SummerCows / sF;
    if (sM > 0) kM = kThird * (app.NatMortPctM / 100.0) * su.SummerBulls / sM;
    // Density and carrying capacity stay through the year: the four limits share one floor.
    const double kFloor = MFactorfloor(app.ModelDensity, app.Land.CarryingCapacity);
    kF = std::max(kFloor, kF);
    kM = std::max(kFloor, kM);

    // Step 2: births, summer deaths and the female harvest.
    const double ff = app.Fec.FecundityFactor;
    double fH = 0;
    {
        const double summerCows = su.SummerCows, summerBulls = su.SummerBulls;
        const double adults = summerCows + summerBulls;
        const double s = adults > 0 ? summerCows / adults : 0.5;
        const double wolvesF = wolves * (1.0 / 30) * s, wolvesM = wolves * (1.0 / 30) * (1 - s);
        const double kFs = kThird * kF, kMs = kThird * kM;
        const double pressure = app.HarvestPressure, protection = 1 + app.CalfProtection;
        double births = app.PotentialBirths, deadCows = su.NatDeadCowsSummer, deadBulls = su.NatDeadBullsSummer;
        for (int a = 19; a >= 1; --a) {
            births += std::max(0.0, p.Fecundity[a] * ff * p.FemWinter[a]);
            double deadF = std::min(p.FemSummer[a], kFs * app.FemMortWeight[a] * p.FemSummer[a]);
            double deadM = std::min(p.MaleSummer[a], kMs * app.MaleMortWeight[a] * p.MaleSummer[a]);
            deadCows += deadF;
            deadBulls += deadM;
            if (summerCows > 0) deadF += wolvesF * p.FemSummer[a] / summerCows;
            if (summerBulls > 0) deadM += wolvesM * p.MaleSummer[a] / summerBulls;
            p.FemDeadSummer[a] = deadF;
            p.MaleDeadSummer[a] = deadM;
            p.FemSummer[a] -= deadF;
            p.MaleSummer[a] -= deadM;
            fH = std::max(0.0, (1 - p.Fecundity[a] * 0.5 * ff) * pressure * protection);
            h.FemShot[a] = fH * p.FemSummer[a];
        }
        app.PotentialBirths = births;
        su.NatDeadCowsSummer = deadCows;
        su.NatDeadBullsSummer = deadBulls;
    }
    if (su.SummerCows > 0) su.NatRateCowsSummer = su.NatDeadCowsSummer / su.SummerCows;
    if (su.SummerBulls > 0) su.NatRateBullsSummer = su.NatDeadBullsSummer / su.SummerBulls;

    // Step 3: the hunt.
    {
        const SeasonSums sums = seasonSums(p.FemSummer, p.MaleSummer, p.MaleDeadSummer, p.FemDeadSummer, h.FemShot);
        su.SummerCows = sums.cows;
        su.SummerBulls = sums.bulls;
        su.SummerDeadBulls = sums.deadBulls;
        su.SummerDeadCows = sums.deadCows;
        ht.CowsShot = sums.shot + h.FemShot[21];
    }
    su.SummerDeaths = su.SummerDeadBulls + su.SummerDeadCows;
    wi.WinterCows = su.SummerCows - ht.CowsShot;
    wi.WinterStock = checkedDiv(wi.WinterCows, 1 - (app.TargetBullShare + app.BullShareAdjust));
    wi.WinterBulls = wi.WinterStock - wi.WinterCows;  // the wanted bulls after the hunt, until step 4 ends
    const double hm = std::max(0.0, su.SummerBulls - wi.WinterBulls);
    sF = sM = 0;
    {
        const double summerBulls = su.SummerBulls;
        double prime = ht.PrimeBullsShot;
        for (int a = 19; a >= 1; --a) {
            const double shot = summerBulls > 0 && fH > 0
                                    ? std::min(summerBulls, std::max(0.0, p.MaleSummer[a] / summerBulls * hm))
                                    : 0;
            h.MaleShot[a] = shot;
            if (a >= 6 && a <= 12) prime += shot;
            const double femWinter = std::max(0.0, p.FemSummer[a] - h.FemShot[a]);
            const double maleWinter = std::max(0.0, p.MaleSummer[a] - shot);
            p.FemWinter[a] = femWinter;
            p.MaleWinter[a] = maleWinter;
            sF += std::min(femWinter, kTwoThirds * app.FemMortWeight[a] * femWinter);
            sM += std::min(maleWinter, kTwoThirds * app.MaleMortWeight[a] * maleWinter);
        }
        ht.PrimeBullsShot = prime;
    }
    if (sF > 0) kF = kTwoThirds * (app.NatMortPctF / 100.0) * wi.WinterCows / sF;
    if (sM > 0) kM = kTwoThirds * (app.NatMortPctM / 100.0) * wi.WinterBulls / sM;
    kF = std::max(kFloor, kF);
    kM = std::max(kFloor, kM);

    // Step 4: winter of the adults.
    {
        const double winterCows = wi.WinterCows, winterBulls = wi.WinterBulls;
        const double adults = winterCows + winterBulls;
        const double s = adults > 0 ? winterCows / adults : 0.5;
        const double wolvesF = wolves * 0.2 * s, wolvesM = wolves * 0.2 * (1 - s);
        const double kFw = kTwoThirds * kF, kMw = kTwoThirds * kM;
        const double femFactor = app.Fec.FemWeightFactor, maleFactor = app.Fec.MaleWeightFactor;
        double deadCows = wi.NatDeadCowsWinter, deadBulls = wi.NatDeadBullsWinter;
        double femWeight = app.ShotWeights.FemWeightShot, maleWeight = app.ShotWeights.MaleWeightShot;
        for (int a = 19; a >= 1; --a) {
            ageShotF += a * h.FemShot[a];
            ageShotM += a * h.MaleShot[a];
            const double femWinter = p.FemWinter[a], maleWinter = p.MaleWinter[a];
            double deadF = std::min(femWinter, kFw * app.FemMortWeight[a] * femWinter);
            double deadM = std::min(maleWinter, kMw * app.MaleMortWeight[a] * maleWinter);
            deadCows += deadF;
            deadBulls += deadM;
            if (winterCows > 0) deadF += wolvesF * femWinter / winterCows;
            if (winterBulls > 0) deadM += wolvesM * maleWinter / winterBulls;
            p.FemDeadWinter[a] = deadF;
            p.MaleDeadWinter[a] = deadM;
            const double femLeft = std::max(0.0, femWinter - deadF), maleLeft = std::max(0.0, maleWinter - deadM);
            p.FemWinter[a] = femLeft;
            p.MaleWinter[a] = maleLeft;
            ageWinterF += a * femLeft;
            ageWinterM += a * maleLeft;
            femWeight += femFactor * h.FemWeight[a] * h.FemShot[a];
            maleWeight += maleFactor * h.MaleWeight[a] * h.MaleShot[a];
        }
        wi.NatDeadCowsWinter = deadCows;
        wi.NatDeadBullsWinter = deadBulls;
        app.ShotWeights.FemWeightShot = femWeight;
        app.ShotWeights.MaleWeightShot = maleWeight;
    }
    if (wi.WinterCows > 0) wi.NatRateCowsWinter = wi.NatDeadCowsWinter / wi.WinterCows;
    if (wi.WinterBulls > 0) wi.NatRateBullsWinter = wi.NatDeadBullsWinter / wi.WinterBulls;
    {
        const SeasonSums sums = seasonSums(p.FemWinter, p.MaleWinter, p.MaleDeadWinter, p.FemDeadWinter, h.MaleShot);
        wi.WinterCows = sums.cows;
        wi.WinterBulls = sums.bulls;
        wi.WinterDeadBulls = sums.deadBulls;
        wi.WinterDeadCows = sums.deadCows;
        ht.BullsShot = sums.shot + h.MaleShot[21];
    }
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
