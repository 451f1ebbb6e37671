#include "hunt/hunt.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <limits>

#include "hunt/exports.h"
#include "hunt/goal_tables.h"
#include "hunt/season_phases.h"
#include "hunt/season_state.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/round.h"

namespace vildo {

namespace {

// What the biodata row says about the animal of an encounter: category count, category, age, last field.
struct RowText {
    double count = 0;  // animals of the category shot so far
    const char* category = "";
    int age = 0;
    int last = 0;  // antler points, 0 for a cow, or the calves with the mother
};

// Meeting a female: she, or one of her calves, may be shot.
bool femaleMet(SeasonState& app, SeasonPlan& plan, int age, int week, RowText& row) {
    TPopulation& p = app.Pop;
    THarvestTotals& ht = app.HarvestTot;
    TEncounters& en = app.Enc;
    row = {ht.CowsShot, "Ko", age, 0};
    ++en.SeenCows;
    const bool open = (plan.cowsLeft > 0 || !plan.quota) && !plan.adultTargetReached;
    if (open) ++en.SeenCowsOpen;
    int calves = Calveswithcow(app, age);
    if (calves == 0) {
        if (!open) return false;
        // Without the sex quota the cow-risk setting spares some of the cows that may be shot.
        double risk = plan.quota ? 1.0 : app.rng.U();
        if (Ruleactive(app, week, RuleCow) || en.CowRisk > risk) return false;
        p.FemSummer[age] = std::max(0.0, p.FemSummer[age] - 1);
        p.CowsNoCalf[age] = std::max(0, p.CowsNoCalf[age] - 1);
        app.Summer.SummerCows = std::max(0.0, app.Summer.SummerCows - 1);
        app.Harvest.FemShot[age] += 1;
        plan.cowsLeft -= 1;
        ht.CowsShot += 1;
        plan.shotCowAgeSum += age;
        row.count = ht.CowsShot;
        return true;
    }
    // A female with calves is never shot herself; only a calf, against the calf target.
    row = {ht.CalvesShot, "Kalv", age, calves};
    ++en.SeenCowsWithCalf;
    if (plan.calvesLeft <= 0) return false;
    ++en.SeenCalvesOpen;
    if (calves == 1 && !Ruleactive(app, week, RuleSingleCalf)) {
        p.CowsOneCalf[age] = std::max(0, p.CowsOneCalf[age] - 1);
        p.CowsNoCalf[age] += 1;
    } else if (calves == 2 && !Ruleactive(app, week, RuleTwinCalf)) {
        p.CowsTwins[age] = std::max(0, p.CowsTwins[age] - 1);
        p.CowsOneCalf[age] += 1;
    } else {
        return false;
    }
    plan.calvesLeft -= 1;
    ht.CalvesShot += 1;
    row.count = ht.CalvesShot;
    return true;
}

// Meeting a bull: shot unless the target is closed or the antler rule protects him outside the
// historic record.
bool maleMet(SeasonState& app, SeasonPlan& plan, int age, RowText& row) {
    THarvestTotals& ht = app.HarvestTot;
    TEncounters& en = app.Enc;
    int points = 0;
    bool isProtected = Antlerpoints(app, age, points);
    row = {ht.BullsShot, "Tjur", age, points};
    ++en.SeenBulls;
    const bool open = (plan.bullsLeft > 0 || !plan.quota) && !plan.adultTargetReached;
    if (open) ++en.SeenBullsOpen;
    if (!open) return false;
    bool historicYear = app.checked(C::chk_stats) && app.DataYears > app.YearNo + app.StartIndex - 1;
    if (isProtected && !historicYear) return false;
    plan.bullsLeft -= 1;
    if (age > 5 && age < 13) ht.PrimeBullsShot += 1;
    app.Pop.MaleSummer[age] = std::max(0.0, app.Pop.MaleSummer[age] - 1);
    app.Summer.SummerBulls = std::max(0.0, app.Summer.SummerBulls - 1);
    app.Harvest.MaleShot[age] += 1;
    ht.BullsShot += 1;
    plan.shotBullAgeSum += age;
    row.count = ht.BullsShot;
    return true;
}

// The most encounters a season may use: ten per animal, and a few even for a tiny stock. A stock that is not a
// number gets the floor.
double encounterCeiling(double summerStock) {
    constexpr double kFloor = 100;
    const double c = std::floor(10 * summerStock);
    return c > kFloor ? std::min(c, static_cast<double>(std::numeric_limits<int32_t>::max())) : kFloor;
}

}  // namespace

SeasonPlan seasonTargets(SeasonState& app) {
    if (app.display && app.display->clearPyramids) app.display->clearPyramids(app);
    SeasonPlan plan;
    plan.quota = app.checked(C::chk_kvotering);
    app.Enc.CowRisk = app.pos(C::trk_korisk) * 0.01;

    if (app.HeldPlan) holdHarvestPlan(app, *app.HeldPlan);
    TGoals& g = app.Goals;
    const double total = app.AreaKha * static_cast<double>(g.HarvestRate);
    const double adults = (1 - app.CalfPercent * 0.01) * total;
    g.BullQuota = static_cast<float>(adults * g.BullShareTarget);
    g.CowQuota = static_cast<float>(Round(adults - g.BullQuota));
    g.CalfQuota = static_cast<float>(Round(total - g.BullQuota - g.CowQuota));

    THarvestTotals& ht = app.HarvestTot;
    ht.CalvesShot = ht.AdultsShot = ht.BullsShot = ht.CowsShot = ht.PrimeBullsShot = 0;
    // A season without a hunt has shot nothing of its target, in week 1 or at all.
    ht.Week1BullsShot = ht.Week1CowsShot = ht.Week1CalvesShot = 0;
    app.QuotaProgress = 0;
    app.PotentialBirths = 0;
    app.Summer.CalvesBorn = 0;
    TPopulation& p = app.Pop;
    p.MaleDeadWinter[0] = p.FemDeadWinter[0] = p.MaleDeadSummer[0] = p.FemDeadSummer[0] = 0;
    TEncounters& en = app.Enc;
    en.SeenBullsOpen = en.SeenCowsOpen = en.SeenCalvesOpen = en.SeenBulls = en.SeenCows = en.SeenCowsWithCalf = 0;
    app.Winter.WinterDeaths = app.Winter.WinterDeadCalves = 0;
    TSummerTotals& su = app.Summer;
    su.SummerDeaths = su.SummerDeadCows = su.SummerDeadBulls = su.SummerDeadCalves = 0;

    app.Biodata.clear();

    plan.bullsLeft = static_cast<double>(Round(g.BullQuota));
    plan.cowsLeft = static_cast<double>(Round(g.CowQuota));
    plan.calvesLeft = static_cast<int32_t>(Round(g.CalfQuota));
    plan.total = plan.bullsLeft + plan.cowsLeft + plan.calvesLeft;
    plan.adults = plan.bullsLeft + plan.cowsLeft;
    return plan;
}

AdultMet Selectadult(SeasonState& app) {
    const double cows = app.Summer.SummerCows, bulls = app.Summer.SummerBulls;
    const Sex sex = app.rng.U() <= cows / (cows + bulls) ? Female : Male;
    const double* n = sex == Female ? app.Pop.FemSummer : app.Pop.MaleSummer;
    const double t = std::max(1.0, app.rng.U() * (sex == Female ? cows : bulls));
    double sum = 0;
    for (int a = 1; a <= 19; ++a) {
        sum += n[a];
        if (sum >= t) return {a, sex};
    }
    // Less than one animal of that sex left: the oldest class that still holds any, never the empty
    // storage class beyond it.
    for (int a = 19; a >= 1; --a)
        if (n[a] > 0) return {a, sex};
    return {19, sex};
}

int Calveswithcow(SeasonState& app, int age) {
    const TPopulation& p = app.Pop;
    int64_t n = Round(p.FemSummer[age]);
    if (n < 0 || n > std::numeric_limits<uint32_t>::max() - 2) throw VildoError("Range check error");
    int64_t r = static_cast<int64_t>(app.rng.R(static_cast<uint32_t>(n + 2))) - 1;
    if (r <= p.CowsNoCalf[age]) return 0;
    if (r <= static_cast<int64_t>(p.CowsNoCalf[age]) + p.CowsOneCalf[age]) return 1;
    return 2;
}

namespace {

double meanAntlerPoints(int age) { return 1.8490104 * std::pow(age, 1.4410198) * std::pow(0.84431833, age); }

// The mean depends on the age alone; worked out once per age by the same expression, so to the bit.
double tabledAntlerPoints(int age) {
    static const auto table = [] {
        std::array<double, kAges> t{};
        for (int a = 0; a < kAges; ++a) t[a] = meanAntlerPoints(a);
        return t;
    }();
    return age >= 0 && age < kAges ? table[age] : meanAntlerPoints(age);
}

}  // namespace

bool Antlerpoints(SeasonState& app, int age, int& points) {
    double mean = tabledAntlerPoints(age);
    double sd = 0.43 * age;
    points = static_cast<int>(std::max<int64_t>(0, Round(app.rng.G(mean, sd))));
    const TRule& r = app.Rules[RuleBull];
    return r.enabled == 1 && r.intervalSet == 1 && r.from <= points && points <= r.to;
}

bool Ruleactive(const SeasonState& app, int week, int row) {
    bool beyondRecord = app.DataYears < app.YearNo + app.StartIndex - 1;
    const TRule& r = app.Rules[row];
    return (beyondRecord || app.RulesAlways) && r.enabled == 1 && r.intervalSet == 1 && r.from <= week && week <= r.to;
}

HuntDate huntCalendar(int huntTry, int maxTries) {
    double x = checkedDiv(huntTry, maxTries);
    double f = checkedDiv(0.3 * x, 1.3 - x);
    return {static_cast<int>(Trunc(20 * f)) + 1, static_cast<int>(Trunc(147 * f)) + 1};
}

void hunt(SeasonState& app, SeasonPlan& plan) {
    TSummerTotals& su = app.Summer;
    THarvestTotals& ht = app.HarvestTot;
    TEncounters& en = app.Enc;
    app.HuntTry = 0;
    HuntDate date{1, 1};
    if (su.SummerCows + su.SummerBulls <= 0 || su.SummerStock < plan.total + su.SummerDeaths) return;
    // A budget far beyond the stock only comes from a damaged state; it must not run the season away.
    app.MaxTries = static_cast<int32_t>(std::min<double>(app.MaxTries, encounterCeiling(su.SummerStock)));
    do {
        // Rules see the week as it stood when the encounter began.
        RowText row;
        AdultMet met = Selectadult(app);
        bool shot =
            met.sex == Female ? femaleMet(app, plan, met.age, date.week, row) : maleMet(app, plan, met.age, row);

        ht.TotalShot = ht.BullsShot + ht.CowsShot + ht.CalvesShot;
        if (ht.BullsShot + ht.CowsShot == plan.adults) plan.adultTargetReached = true;
        ++app.HuntTry;
        date = huntCalendar(app.HuntTry, app.MaxTries);
        app.QuotaProgress = plan.total > 0 ? static_cast<int32_t>(Round(100 * ht.TotalShot / plan.total)) : 0;
        if (date.week == 1) {
            ht.Week1BullsShot = ht.BullsShot;
            ht.Week1CowsShot = ht.CowsShot;
            ht.Week1CalvesShot = ht.CalvesShot;
            if (en.SeenBulls + en.SeenCows > 0)
                ht.ObsBullShare = static_cast<double>(en.SeenBulls) / (en.SeenBulls + en.SeenCows);
        }
        if (app.checked(C::chk_biodata))
            app.Biodata.push_back({app.HuntTry, app.MaxTries, date.week, date.day, Round(ht.TotalShot), shot,
                                   Round(row.count), row.category, row.age, row.last});
        // The season flag is always set during a season; a hunt run without it must still end.
    } while (!(plan.calvesLeft + plan.cowsLeft + plan.bullsLeft == 0 || su.SummerCows + su.SummerBulls <= 0 ||
               date.week > 19));
}

void Planering(SeasonState& app) {
    SeasonPlan plan = seasonTargets(app);
    summerPhase(app);
    birthPhase(app);
    try {
        hunt(app, plan);
        // Written after the hunt; the rows stay in the list until the next season starts one.
        saveBiodata(app);
        winterPhase(app, plan.shotBullAgeSum, plan.shotCowAgeSum);
    } catch (const std::exception&) {
        app.prompts->message("Ett fel uppstod under jakten. Avbryter.");
    }
}

}  // namespace vildo
