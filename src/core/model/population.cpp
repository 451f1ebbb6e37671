#include "model/population.h"

#include <algorithm>
#include <array>
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

// Each lane of a Pair does what the scalar formula does for its sex, in the same order, so the arithmetic is the
// formulas' to the bit, at half the instructions.
void gather(Pair* to, const double* female, const double* male, int n) {
    for (int a = 0; a < n; ++a) to[a] = Pair{female[a], male[a]};
}
void scatter(const Pair* from, double* female, double* male, int n) {
    for (int a = 0; a < n; ++a) {
        female[a] = from[a][0];
        male[a] = from[a][1];
    }
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
// Without wolves (both lanes of wolvesBy zero) the share needs no division: a signed zero or NaN divided by a
// positive stock is itself, bit for bit.
ClassDeaths classDeaths(Pair x, Pair k, Pair weight, Pair wolvesBy, Pair stock, bool noWolves) {
    const Pair natural = minOf(x, k * weight * x);
    const Pair byWolves = noWolves ? wolvesBy * x : wolvesBy * x / stock;
    return {natural, stock > 0 ? natural + byWolves : natural};
}
bool zeroLanes(Pair v) { return v[0] == 0 && v[1] == 0; }

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

PairedClasses::PairedClasses(ModelState& app) : app_(app) { load(); }

PairedClasses::~PairedClasses() {
    if (held_) store();
}

// The classes a year writes, with the records they pair: read back in by `load`, written out by `store`.
std::array<PairedClasses::Pairing, 5> PairedClasses::written() {
    TPopulation& p = app_.Pop;
    THarvestByAge& h = app_.Harvest;
    return {{{winter, p.FemWinter, p.MaleWinter, kAges},
             {summer, p.FemSummer, p.MaleSummer, kAges},
             {deadSummer, p.FemDeadSummer, p.MaleDeadSummer, kAges},
             {deadWinter, p.FemDeadWinter, p.MaleDeadWinter, kAges},
             {shot, h.FemShot, h.MaleShot, kHarvestAges}}};
}

void PairedClasses::load() {
    for (const Pairing& x : written()) gather(x.classes, x.female, x.male, x.n);
    gather(mortWeight, app_.FemMortWeight, app_.MaleMortWeight, kAges);
    gather(weight, app_.Harvest.FemWeight, app_.Harvest.MaleWeight, kHarvestAges);
    held_ = true;
}

void PairedClasses::store() {
    for (const Pairing& x : written()) scatter(x.classes, x.female, x.male, x.n);
    held_ = false;
}

void Processpop(ModelState& app) {
    PairedClasses c(app);
    Processpop(app, c);
}

void Processpop(ModelState& app, PairedClasses& c) {
    const double* fecundity = app.Pop.Fecundity;
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
    for (int a = 0; a <= 20; ++a) total += c.winter[a];
    su.SummerCows = total[0] - c.winter[19][0];
    su.SummerBulls = total[1] - c.winter[19][1];
    Pair sum{};
    for (int a = 18; a >= 0; --a) {
        const Pair x = c.winter[a];
        c.summer[a + 1] = x;
        sum += minOf(x, kThird * c.mortWeight[a + 1] * x);
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
        const bool noWolves = zeroLanes(wolvesBy);
        const double pressure = app.HarvestPressure, protection = 1 + app.CalfProtection;
        // The classes are walked up, so the season's sums (in their order, 1..20) start with the first class; the
        // births and the natural deaths are added up after, walking down as the formulas do.
        auto femaleHarvest = [&](int a) {
            return std::max(0.0, (1 - fecundity[a] * 0.5 * ff) * pressure * protection);
        };
        Pair natural[20];
        SeasonSums sums;
        for (int a = 1; a <= 19; ++a) {
            const Pair x = c.summer[a];
            const ClassDeaths d = classDeaths(x, k, c.mortWeight[a], wolvesBy, stock, noWolves);
            natural[a] = d.natural;
            c.deadSummer[a] = d.all;
            const Pair left = x - d.all;
            c.summer[a] = left;
            const double femShot = femaleHarvest(a) * left[0];
            c.shot[a][0] = femShot;
            sums.add(left, d.all, femShot);
        }
        sums.add(c.summer[20], c.deadSummer[20], c.shot[20][0]);
        fH = femaleHarvest(1);  // where the walk down leaves it
        double births = app.PotentialBirths;
        Pair dead = Pair{su.NatDeadCowsSummer, su.NatDeadBullsSummer};
        for (int a = 19; a >= 1; --a) {
            births += std::max(0.0, fecundity[a] * ff * c.winter[a][0]);
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
    ht.CowsShot = summer.shot + c.shot[21][0];
    su.SummerDeaths = su.SummerDeadBulls + su.SummerDeadCows;
    wi.WinterCows = su.SummerCows - ht.CowsShot;
    wi.WinterStock = checkedDiv(wi.WinterCows, 1 - (app.TargetBullShare + app.BullShareAdjust));
    wi.WinterBulls = wi.WinterStock - wi.WinterCows;  // the wanted bulls after the hunt, until step 4 ends
    const double hm = std::max(0.0, su.SummerBulls - wi.WinterBulls);
    {
        const double summerBulls = summer.alive[1];
        const bool bullsShot = summerBulls > 0 && fH > 0;
        // Each class's share of the bulls, two classes to a division.
        double share[21];
        if (bullsShot)
            for (int a = 1; a <= 19; a += 2) {
                const Pair q = Pair{c.summer[a][1], c.summer[a + 1][1]} / splat(summerBulls);
                share[a] = q[0];
                share[a + 1] = q[1];
            }
        double prime = ht.PrimeBullsShot;
        sum = Pair{};
        for (int a = 19; a >= 1; --a) {
            const Pair x = c.summer[a];
            const double shot = bullsShot ? std::min(summerBulls, std::max(0.0, share[a] * hm)) : 0;
            c.shot[a][1] = shot;
            if (a >= 6 && a <= 12) prime += shot;
            const Pair left = maxOf(splat(0.0), x - Pair{c.shot[a][0], shot});
            c.winter[a] = left;
            sum += minOf(left, kTwoThirds * c.mortWeight[a] * left);
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
        const bool noWolves = zeroLanes(wolvesBy);
        const Pair weightFactor = Pair{app.Fec.FemWeightFactor, app.Fec.MaleWeightFactor};
        // Walked up for the season's sums, then down for the rest, as in the summer.
        Pair natural[20];
        SeasonSums sums;
        for (int a = 1; a <= 19; ++a) {
            const Pair x = c.winter[a];
            const ClassDeaths d = classDeaths(x, k, c.mortWeight[a], wolvesBy, stock, noWolves);
            natural[a] = d.natural;
            c.deadWinter[a] = d.all;
            const Pair left = maxOf(splat(0.0), x - d.all);
            c.winter[a] = left;
            sums.add(left, d.all, c.shot[a][1]);
        }
        sums.add(c.winter[20], c.deadWinter[20], c.shot[20][1]);
        Pair dead = Pair{wi.NatDeadCowsWinter, wi.NatDeadBullsWinter};
        Pair weight = Pair{app.ShotWeights.FemWeightShot, app.ShotWeights.MaleWeightShot};
        Pair ageShot{}, ageWinter{};
        for (int a = 19; a >= 1; --a) {
            const Pair shot = c.shot[a];
            ageShot += a * shot;
            dead += natural[a];
            ageWinter += a * c.winter[a];
            weight += weightFactor * c.weight[a] * shot;
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
    ht.BullsShot = winter.shot + c.shot[21][1];
    wi.WinterDeaths = wi.WinterDeadBulls + wi.WinterDeadCows;
    wi.WinterAdults = wi.WinterCows + wi.WinterBulls;
    ht.AdultsShot = ht.CowsShot + ht.BullsShot;

    // Step 5: the calves of the year.
    const double births = app.PotentialBirths;
    const Pair calfDeadSummer = Pair{births * sr * app.CalfSummerMortality + wolves * sr * 0.9 * kThird + bears * sr,
                                     births * (1 - sr) * app.CalfSummerMortality + wolves * (1 - sr) * 0.9 * kThird +
                                         bears * (1 - sr)};
    c.deadSummer[0] = calfDeadSummer;
    su.SummerDeaths = su.SummerDeadBulls + su.SummerDeadCows + calfDeadSummer[0] + calfDeadSummer[1];
    const Pair calvesSummer = Pair{std::max(0.0, births * sr - calfDeadSummer[0]),
                                   std::max(0.0, births * (1 - sr) - calfDeadSummer[1])};
    c.summer[0] = calvesSummer;
    su.CalvesBorn = calvesSummer[0] + calvesSummer[1];
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
    const Pair calvesShot = Pair{std::max(0.0, hc * sr), std::max(0.0, hc * (1 - sr))};
    c.shot[0] = calvesShot;
    ht.CalvesShot = calvesShot[0] + calvesShot[1];
    if (ff > 0)
        app.ShotWeights.CalfWeightShot = app.Fec.FemWeightFactor * c.weight[0][0] * calvesShot[0] +
                                         app.Fec.MaleWeightFactor * c.weight[0][1] * calvesShot[1];
    if (ht.BullsShot > 0) ht.MeanAgeShotBulls = ageShotM / ht.BullsShot;
    if (ht.CowsShot > 0) ht.MeanAgeShotCows = ageShotF / ht.CowsShot;
    const Pair calvesWinter = maxOf(splat(0.0), calvesSummer - calvesShot);
    c.winter[0] = calvesWinter;  // what a failing division below leaves
    wi.WinterCalves = calvesWinter[0] + calvesWinter[1];
    wi.WinterStock = wi.WinterAdults + wi.WinterCalves;
    wi.WinterDensity = checkedDiv(wi.WinterStock, app.AreaKha);
    ht.TotalShot = ht.AdultsShot + ht.CalvesShot;
    ht.HarvestPerArea = checkedDiv(ht.TotalShot, app.AreaKha);
    if (wi.WinterCows > 0) wi.MeanAgeWinterCows = ageWinterF / wi.WinterCows;
    if (wi.WinterBulls > 0) wi.MeanAgeWinterBulls = ageWinterM / wi.WinterBulls;
    const Pair calfDeadWinter = Pair{kTwoThirds * 0.7 * wolves * sr + calvesWinter[0] * app.CalfWinterMortality,
                                     kTwoThirds * 0.7 * wolves * (1 - sr) + calvesWinter[1] * app.CalfWinterMortality};
    c.deadWinter[0] = calfDeadWinter;
    c.winter[0] = maxOf(splat(0.0), calvesWinter - calfDeadWinter);
    wi.WinterDeaths += calfDeadWinter[0] + calfDeadWinter[1];

    // Step 6: end of year.
    app.PrevWinterStock = wi.WinterStock;
    app.Fec.FecundityFactor = Multifecund(app);
    // An overflow or invalid operation anywhere above surfaces in these totals.
    checkedValue(wi.WinterStock);
    checkedValue(su.SummerStock);
    checkedValue(app.Fec.FecundityFactor);
}

}  // namespace vildo
