#include "hunt/goals.h"

#include <algorithm>
#include <cstdint>

#include "hunt/season_state.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/parse.h"
#include "util/round.h"

namespace vildo {

std::string percentText(double share) { return fix(share * 100, 4, 0) + " %"; }

int targetColumn(const SeasonState& app) { return std::min(app.YearNo + 1, 7); }

void Adjusttarget(SeasonState& app) {
    TGoals& g = app.Goals;
    THarvestTotals& h = app.HarvestTot;
    h.HarvestPerArea = g.HarvestRate;
    h.TotalShot = app.AreaKha * static_cast<double>(g.HarvestRate);  // carries the target total
    double adults = (1 - app.CalfPercent * 0.01) * h.TotalShot;
    g.BullQuota = static_cast<float>(adults * g.BullShareTarget);
    g.CowQuota = static_cast<float>(adults - g.BullQuota);
    g.CalfQuota = static_cast<float>(h.TotalShot - g.BullQuota - g.CowQuota);
    Grid& t = app.StringGrid2;
    int c = targetColumn(app);
    t.cell(c, 1) = fix(g.BullQuota, 6, 0);
    t.cell(c, 2) = fix(g.CowQuota, 6, 0);
    t.cell(c, 3) = fix(g.CalfQuota, 6, 0);
    t.cell(c, 4) = fix(app.AreaKha * static_cast<double>(g.HarvestRate), 6, 0);
    t.cell(c, 5) = fix(g.HarvestRate, 4, 1);
    app.ctl(C::LSpinn_Avskjutning).caption = fix(g.HarvestRate, 4, 1);
}

void Nyamal(SeasonState& app) {
    Grid& t = app.StringGrid2;
    int c = targetColumn(app);
    double total = static_cast<double>(strToInt(t.cell(c, 1)) + strToInt(t.cell(c, 2)) + strToInt(t.cell(c, 3)));
    int64_t calves = Round(app.CalfPercent * 0.01 * total);
    int64_t bulls = Round((total - calves) * app.Goals.BullShareTarget);
    int64_t cows = Round(total - calves - bulls);
    t.cell(c, 1) = fix(bulls, 6, 0);
    t.cell(c, 2) = fix(cows, 6, 0);
    t.cell(c, 3) = fix(calves, 6, 0);
    long long written = strToInt(t.cell(c, 1)) + strToInt(t.cell(c, 2)) + strToInt(t.cell(c, 3));
    t.cell(c, 4) = intStr(written);
    t.cell(c, 5) = fix(checkedDiv(static_cast<double>(written), app.AreaKha), 6, 1);
    app.ctl(C::LSpinn_Kalvandel).caption = intStr(app.CalfPercent) + " %";
    app.ctl(C::LSpinn_Tjurandel).caption = percentText(app.Goals.BullShareTarget);
}

void refillGoalColumn(SeasonState& app) {
    const TGoals& g = app.Goals;
    Grid& grid = app.Stringgrid5;
    grid.cell(1, 1) = fix(g.GoalCalvesPerCow, 4, 2);
    grid.cell(1, 2) = fix(g.GoalBullShare, 4, 0);
    grid.cell(1, 3) = fix(g.GoalPrimeBulls, 4, 0);
    grid.cell(1, 4) = fix(g.GoalCalfShare, 4, 0);
    grid.cell(1, 5) = fix(g.GoalMeanAgeCows, 4, 1);
    grid.cell(1, 6) = fix(g.GoalQuotaUse, 4, 0);
    grid.cell(1, 7) = fix(g.GoalBrowsing, 4, 0);
}

void Rensatabell(SeasonState& app) {
    for (int c = 1; c <= 7; ++c)
        for (int r = 0; r < app.StringGrid2.rowCount; ++r) app.StringGrid2.cell(c, r).clear();
    Grid& e = app.Tabell_utv;
    for (int c = 1; c <= 4; ++c)
        for (int r = 0; r < e.rowCount; ++r) e.cell(c, r).clear();
    e.cell(1, 0) = "Tjur";
    e.cell(2, 0) = "Ko/Kviga";
    e.cell(3, 0) = "Kalv";
    e.cell(4, 0) = "Totalt";
}

}  // namespace vildo
