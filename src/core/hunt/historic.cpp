#include "hunt/historic.h"

#include <algorithm>

#include "hunt/season_state.h"
#include "util/format.h"
#include "util/parse.h"
#include "util/round.h"

namespace vildo {

void Runstats(SeasonState& app, int i) {
    if (i > app.DataYears || i < 0 || static_cast<size_t>(i) >= app.Statistics.size()) return;
    const TStatistics& st = app.Statistics[static_cast<size_t>(i)];
    Grid& g = app.StringGrid2;
    const int c = std::min(7, i - app.StartIndex + 1);
    g.cell(c, 0) = intStr(st.year);
    g.cell(c, 1) = intStr(st.tjur);
    g.cell(c, 2) = intStr(st.ko);
    g.cell(c, 3) = intStr(st.kalv);
    app.Traffic.TrafficBulls = static_cast<uint16_t>(st.TrafikTjur);
    app.Traffic.TrafficCows = static_cast<uint16_t>(st.TrafikHondjur);
    app.Traffic.TrafficCalves = static_cast<uint16_t>(st.TrafikKalv);
    if (i >= 1) {
        size_t k = static_cast<size_t>(i - 1);
        if (app.Rov.Vargrevir.size() <= k) app.Rov.Vargrevir.resize(k + 1, 0.0);
        if (app.Rov.Bjornpop.size() <= k) app.Rov.Bjornpop.resize(k + 1, 0.0);
        app.Rov.Vargrevir[k] = st.varg;
        app.Rov.Bjornpop[k] = st.bjorn;
    }

    TGoals& goals = app.Goals;
    goals.BullQuota = static_cast<float>(strToInt(g.cell(c, 1)));
    goals.CowQuota = static_cast<float>(strToInt(g.cell(c, 2)));
    goals.CalfQuota = static_cast<float>(strToInt(g.cell(c, 3)));
    const double sum = double{goals.BullQuota} + goals.CowQuota + goals.CalfQuota;
    goals.HarvestRate = static_cast<float>(checkedDiv(sum, app.AreaKha));
    if (goals.BullQuota + goals.CowQuota > 0)
        goals.BullShareTarget = static_cast<float>(goals.BullQuota / (double{goals.BullQuota} + goals.CowQuota));
    if (goals.HarvestRate > 0) app.CalfPercent = static_cast<int32_t>(Round(100.0 * goals.CalfQuota / sum));

    g.cell(c, 4) = fix(sum, 4, 0);
    g.cell(c, 5) = fix(sum / app.AreaKha, 6, 1);
    app.ctl(C::LSpinn_Avskjutning).caption = g.cell(c, 5);
    app.TargetTotal = strToFloat(g.cell(c, 4));
    app.ctl(C::LSpinn_Kalvandel).caption = intStr(app.CalfPercent) + " %";
    app.Land.YoungForestPct = checkedDiv(st.ungskog * 100.0, app.Header.Landarea);
    app.ctl(C::LSpinn_Tjurandel).caption =
        app.checked(C::chk_kvotering) ? fix(goals.BullShareTarget * 100.0, 4, 0) + " %" : "---";
}

}  // namespace vildo
