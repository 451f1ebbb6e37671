#include "hunt/season_phases.h"

#include <algorithm>
#include <cmath>

#include "hunt/season_state.h"
#include "model/parameters.h"
#include "util/errors.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr double kThird = 1.0 / 3.0;
constexpr double kTwoThirds = 2.0 / 3.0;

double sum1to20(const double* a) {
    double s = 0;
    for (int i = 1; i <= 20; ++i) s += a[i];
    return s;
}

double sumAll(const double* a) {
    double s = 0;
    for (int i = 0; i < kAges; ++i) s += a[i];
    return s;
}

}  // namespace

CalfShares calfShares(double rate) {
    double x = std::max(0.0, 1 - rate / 2);
    double p0 = std::pow(x, 2.4);
    double p2 = std::min(1.0, std::pow(rate / 2, 2.4));
    double one = std::max(0.0, 1 - std::min(1.0, p0 + p2));
    double twins = std::min(2.0, rate - one) / 2;
    double none = std::max(0.0, 1 - one - twins);
    return {none, one, twins};
}

void nrofcalves(SeasonState& app, int J, double rate) {
    TPopulation& p = app.Pop;
    const double n = p.FemSummer[J];
    CalfShares s = calfShares(rate);
    auto none = static_cast<int32_t>(Round(n * s.none));
    auto one = static_cast<int32_t>(Round(n * s.one));
    auto twins = static_cast<int32_t>(std::max<int64_t>(0, Round(n * s.twins)));
    // Rounding may miss the class by one female; the one-calf group takes up the difference.
    int64_t all = Round(n);
    if (none + one + twins < all)
        ++one;
    else if (none + one + twins > all)
        --one;
    p.CowsNoCalf[J] = none;
    p.CowsOneCalf[J] = one;
    p.CowsTwins[J] = twins;
}

void summerPhase(SeasonState& app) {
    TPopulation& p = app.Pop;
    TSummerTotals& su = app.Summer;
    THarvestByAge& h = app.Harvest;
    const double trafficCows = app.Traffic.TrafficCows;
    const double trafficBulls = app.Traffic.TrafficBulls;
    const double wolves = app.Rov.Vargdodade;

    // The 19-year-olds of last winter leave the population.
    su.SummerCows = sumAll(p.FemWinter) - p.FemWinter[19];
    su.SummerBulls = sumAll(p.MaleWinter) - p.MaleWinter[19];
    p.FemSummer[0] = p.MaleSummer[0] = 0;
    su.NatDeadCowsSummer = su.NatDeadBullsSummer = 0;

    double sF = 0, sM = 0;
    for (int a = 19; a >= 1; --a) {
        p.FemSummer[a] = p.FemWinter[a - 1];
        p.MaleSummer[a] = p.MaleWinter[a - 1];
        sF += kThird * app.FemMortWeight[a] * p.FemSummer[a];
        sM += kThird * app.MaleMortWeight[a] * p.MaleSummer[a];
    }
    // The age curve scaled so that natural summer deaths are a third of the yearly percentage.
    double kF = sF > 0 ? (app.NatMortPctF / 100.0) * kThird * su.SummerCows / sF : 0;
    double kM = sM > 0 ? (app.NatMortPctM / 100.0) * kThird * su.SummerBulls / sM : 0;
    kF = MFactorlimit(kF, app.Winter.WinterDensity, app.Land.CarryingCapacity);
    kM = MFactorlimit(kM, app.Winter.WinterDensity, app.Land.CarryingCapacity);

    const double cows = su.SummerCows, bulls = su.SummerBulls;
    const double ff = app.Fec.FecundityFactor;
    for (int a = 19; a >= 1; --a) {
        p.FemDeadSummer[a] = std::min(p.FemSummer[a], kThird * kF * app.FemMortWeight[a] * p.FemSummer[a]);
        p.MaleDeadSummer[a] = std::min(p.MaleSummer[a], kThird * kM * app.MaleMortWeight[a] * p.MaleSummer[a]);
        su.NatDeadCowsSummer += p.FemDeadSummer[a];
        su.NatDeadBullsSummer += p.MaleDeadSummer[a];
        if (cows > 0) p.FemDeadSummer[a] += trafficCows * kThird * p.FemSummer[a] / cows;
        if (bulls > 0) p.MaleDeadSummer[a] += trafficBulls * kThird * p.MaleSummer[a] / bulls;
        if (cows > 0) {
            double s = cows / (cows + bulls);
            p.FemDeadSummer[a] += (1.0 / 30) * s * wolves * p.FemSummer[a] / cows;
            if (bulls > 0) p.MaleDeadSummer[a] += (1.0 / 30) * (1 - s) * wolves * p.MaleSummer[a] / bulls;
        }
        p.FemSummer[a] = std::max(0.0, p.FemSummer[a] - p.FemDeadSummer[a]);
        p.MaleSummer[a] = std::max(0.0, p.MaleSummer[a] - p.MaleDeadSummer[a]);
        // Births by the females one class older, already through their summer.
        app.PotentialBirths += std::max(0.0, p.Fecundity[a] * ff * p.FemSummer[a + 1]);
        p.FemHuntStart[a] = p.FemSummer[a];
        p.MaleHuntStart[a] = p.MaleSummer[a];
        h.FemShot[a] = h.MaleShot[a] = 0;
    }
}

void birthPhase(SeasonState& app) {
    TPopulation& p = app.Pop;
    TSummerTotals& su = app.Summer;
    const double wolves = app.Rov.Vargdodade;
    const double bears = app.Rov.Bjorndodade;
    const double trafficCalves = app.Traffic.TrafficCalves;
    const double m = app.CalfSummerMortality;

    const double predation = (0.9 * wolves + trafficCalves) * kThird + bears;
    const double survivingBirths = (1 - m) * app.PotentialBirths;
    if (su.SummerCows > 0) {
        for (int J = 19; J >= 1; --J) {
            // Without births to take the losses from, no calf survives the summer.
            double rate = 0;
            if (survivingBirths != 0)
                rate = std::max(
                    0.0, (1 - predation / survivingBirths) * p.Fecundity[J - 1] * app.Fec.FecundityFactor * (1 - m));
            nrofcalves(app, J, rate);
            su.CalvesBorn += p.CowsOneCalf[J] + 2.0 * p.CowsTwins[J];
        }
    } else {
        std::fill(std::begin(p.CowsNoCalf), std::end(p.CowsNoCalf), 0);
        std::fill(std::begin(p.CowsOneCalf), std::end(p.CowsOneCalf), 0);
        std::fill(std::begin(p.CowsTwins), std::end(p.CowsTwins), 0);
    }
    if (app.Winter.WinterBulls == 0) {
        // No bulls last winter, no calves: every female goes through the hunt without calf.
        su.CalvesBorn = 0;
        for (int J = 1; J <= 19; ++J) {
            p.CowsNoCalf[J] += p.CowsOneCalf[J] + p.CowsTwins[J];
            p.CowsOneCalf[J] = p.CowsTwins[J] = 0;
        }
    }

    su.SummerCows = sumAll(p.FemSummer);
    su.SummerBulls = sumAll(p.MaleSummer);
    if (su.SummerCows > 0) su.NatRateCowsSummer = su.NatDeadCowsSummer / (p.FemDeadSummer[0] + su.SummerCows);
    if (su.SummerBulls > 0) su.NatRateBullsSummer = su.NatDeadBullsSummer / (p.MaleDeadSummer[0] + su.SummerBulls);

    // Class 0 serves the displays and exports; the wintering calves come from CalvesBorn.
    const double c = app.FemaleCalfShare;
    p.FemSummer[0] = su.CalvesBorn * c;
    p.MaleSummer[0] = su.CalvesBorn * (1 - c);
    p.FemDeadSummer[0] = c * app.PotentialBirths * m + c * trafficCalves / 3 + c * 0.9 * wolves / 3 + c * bears;
    p.MaleDeadSummer[0] =
        (1 - c) * app.PotentialBirths * m + (1 - c) * trafficCalves / 3 + (1 - c) * 0.9 * wolves / 3 + (1 - c) * bears;
    p.FemSummer[0] = std::max(0.0, p.FemSummer[0] - p.FemDeadSummer[0]);
    p.MaleSummer[0] = std::max(0.0, p.MaleSummer[0] - p.MaleDeadSummer[0]);

    su.SummerDeadCows = sum1to20(p.FemDeadSummer);
    su.SummerDeadBulls = sum1to20(p.MaleDeadSummer);
    su.SummerDeadCalves = p.FemDeadSummer[0] + p.MaleDeadSummer[0];
    su.SummerDeaths = su.SummerDeadCows + su.SummerDeadBulls + su.SummerDeadCalves;
    su.SummerAdults = su.SummerCows + su.SummerBulls;
    su.SummerStock = su.CalvesBorn + su.SummerAdults;
    su.SummerDensity = checkedDiv(su.SummerStock, app.AreaKha);
    if (su.SummerCows > 0) app.CalvesPerCow = su.CalvesBorn / su.SummerCows;
}

void winterPhase(SeasonState& app, double shotBullAgeSum, double shotCowAgeSum) {
    TPopulation& p = app.Pop;
    THarvestByAge& h = app.Harvest;
    THarvestTotals& ht = app.HarvestTot;
    TSummerTotals& su = app.Summer;
    TWinterTotals& wi = app.Winter;
    TShotWeights& sw = app.ShotWeights;
    const TFecundityState& fec = app.Fec;
    const double wolves = app.Rov.Vargdodade;
    const double c = app.FemaleCalfShare;

    // The hunt left the post-hunt adults in the summer fields; they become the wintering adults.
    ht.AdultsShot = ht.CowsShot + ht.BullsShot;
    wi.WinterCows = su.SummerCows;
    wi.WinterBulls = su.SummerBulls;
    wi.WinterAdults = wi.WinterCows + wi.WinterBulls;
    su.SummerBulls += ht.BullsShot;
    su.SummerCows += ht.CowsShot;

    h.FemShot[0] = c * ht.CalvesShot;
    h.MaleShot[0] = (1 - c) * ht.CalvesShot;
    p.FemWinter[0] = std::max(0.0, c * su.CalvesBorn - h.FemShot[0]);
    p.MaleWinter[0] = std::max(0.0, (1 - c) * su.CalvesBorn - h.MaleShot[0]);
    wi.WinterCalves = su.CalvesBorn - ht.CalvesShot;
    wi.WinterStock = wi.WinterAdults + wi.WinterCalves;
    wi.WinterDensity = checkedDiv(wi.WinterStock, app.AreaKha);
    ht.HarvestPerArea = checkedDiv(ht.AdultsShot + ht.CalvesShot, app.AreaKha);
    ht.TotalShot = ht.AdultsShot + ht.CalvesShot;

    if (fec.FecundityFactor > 0)
        sw.CalfWeightShot = fec.FemWeightFactor * h.FemWeight[0] * h.FemShot[0] +
                            fec.MaleWeightFactor * h.MaleWeight[0] * h.MaleShot[0];
    if (ht.BullsShot > 0) ht.MeanAgeShotBulls = shotBullAgeSum / ht.BullsShot;
    if (ht.CowsShot > 0) ht.MeanAgeShotCows = shotCowAgeSum / ht.CowsShot;

    sw.MaleWeightShot = sw.FemWeightShot = 0;
    wi.WinterDeadBulls = wi.WinterDeadCows = 0;
    wi.NatDeadCowsWinter = wi.NatDeadBullsWinter = 0;
    double sF = 0, sM = 0;
    for (int a = 1; a <= 19; ++a) {
        sF += kTwoThirds * app.FemMortWeight[a] * p.FemSummer[a];
        sM += kTwoThirds * app.MaleMortWeight[a] * p.MaleSummer[a];
    }
    const double cows = wi.WinterCows, bulls = wi.WinterBulls;
    double kF = sF > 0 ? (app.NatMortPctF / 100.0) * kTwoThirds * cows / sF : 0;
    double kM = sM > 0 ? (app.NatMortPctM / 100.0) * kTwoThirds * bulls / sM : 0;
    kF = MFactorlimit(kF, wi.WinterDensity, app.Land.CarryingCapacity);
    kM = MFactorlimit(kM, wi.WinterDensity, app.Land.CarryingCapacity);

    const double trafficCows = app.Traffic.TrafficCows;
    const double trafficBulls = app.Traffic.TrafficBulls;
    double ageF = 0, ageM = 0;
    for (int a = 19; a >= 1; --a) {
        sw.FemWeightShot += fec.FemWeightFactor * h.FemWeight[a] * h.FemShot[a];
        sw.MaleWeightShot += fec.MaleWeightFactor * h.MaleWeight[a] * h.MaleShot[a];
        p.FemWinter[a] = p.FemSummer[a];
        p.MaleWinter[a] = p.MaleSummer[a];
        p.FemSummer[a] = p.FemHuntStart[a];
        p.MaleSummer[a] = p.MaleHuntStart[a];
        p.FemDeadWinter[a] = std::min(p.FemWinter[a], kTwoThirds * kF * app.FemMortWeight[a] * p.FemWinter[a]);
        p.MaleDeadWinter[a] = std::min(p.MaleWinter[a], kTwoThirds * kM * app.MaleMortWeight[a] * p.MaleWinter[a]);
        wi.NatDeadCowsWinter += p.FemDeadWinter[a];
        wi.NatDeadBullsWinter += p.MaleDeadWinter[a];
        if (cows > 0) p.FemDeadWinter[a] += trafficCows * kTwoThirds * p.FemWinter[a] / cows;
        if (bulls > 0) p.MaleDeadWinter[a] += trafficBulls * kTwoThirds * p.MaleWinter[a] / bulls;
        if (cows + bulls > 0) {
            double s = cows / (cows + bulls);
            if (cows > 0) p.FemDeadWinter[a] += 0.2 * s * wolves * p.FemWinter[a] / cows;
            if (bulls > 0) p.MaleDeadWinter[a] += 0.2 * (1 - s) * wolves * p.MaleWinter[a] / bulls;
        }
        p.FemWinter[a] = std::max(0.0, p.FemWinter[a] - p.FemDeadWinter[a]);
        p.MaleWinter[a] = std::max(0.0, p.MaleWinter[a] - p.MaleDeadWinter[a]);
        ageF += a * p.FemWinter[a];
        ageM += a * p.MaleWinter[a];
    }
    wi.MeanAgeWinterBulls = bulls > 0 ? ageM / bulls : 0;
    wi.MeanAgeWinterCows = cows > 0 ? ageF / cows : 0;
    if (cows > 0) wi.NatRateCowsWinter = wi.NatDeadCowsWinter / cows;
    if (bulls > 0) wi.NatRateBullsWinter = wi.NatDeadBullsWinter / bulls;

    const double trafficCalves = app.Traffic.TrafficCalves;
    p.FemDeadWinter[0] =
        p.FemWinter[0] * app.CalfWinterMortality + trafficCalves * c * 8 / 12 + wolves * c * 0.7 * kTwoThirds;
    p.MaleDeadWinter[0] = p.MaleWinter[0] * app.CalfWinterMortality + trafficCalves * (1 - c) * 8 / 12 +
                          wolves * (1 - c) * 0.7 * kTwoThirds;
    p.FemWinter[0] = std::max(0.0, p.FemWinter[0] - p.FemDeadWinter[0]);
    p.MaleWinter[0] = std::max(0.0, p.MaleWinter[0] - p.MaleDeadWinter[0]);

    wi.WinterDeadCalves = p.FemDeadWinter[0] + p.MaleDeadWinter[0];
    wi.WinterDeadBulls = sum1to20(p.MaleDeadWinter);
    wi.WinterDeadCows = sum1to20(p.FemDeadWinter);
    wi.WinterDeaths = wi.WinterDeadCalves + wi.WinterDeadBulls + wi.WinterDeadCows;

    app.Fec.FecundityFactor = Multifecund(app);

    double largestShot = h.MaleShot[0];
    for (int a = 0; a < kHarvestAges; ++a) largestShot = std::max({largestShot, h.MaleShot[a], h.FemShot[a]});
    if (app.display && app.display->redrawPyramids) app.display->redrawPyramids(app, largestShot);
}

}  // namespace vildo
