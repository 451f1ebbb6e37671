// An area loaded by hand for the historic replay, without the data service.
#pragma once
#include <vector>

#include "app/vildo.h"

namespace vildo::test {

struct Harvest {
    int bulls, cows, calves;
};

// Records 1..n hold the harvest years from 2015 on and record n + 1 the year under way, without harvest.
// The start year is record 2, so one forward press replays n − 1 seasons. "Historiska data" is on.
inline void loadHandMadeArea(Vildo& app, const std::vector<Harvest>& years) {
    const int n = static_cast<int>(years.size());
    app.Statistics.assign(static_cast<size_t>(n) + 2, TStatistics{});
    for (int p = 1; p <= n + 1; ++p) {
        TStatistics& y = app.Statistics[static_cast<size_t>(p)];
        y.year = 2014 + p;
        y.obs = 0.5;
        if (p > n) continue;
        const Harvest& h = years[static_cast<size_t>(p) - 1];
        y.tjur = h.bulls;
        y.ko = h.cows;
        y.kalv = h.calves;
        y.totalt = h.bulls + h.cows + h.calves;
    }
    app.DataYears = n;
    app.StartIndex = 2;
    app.Rov.Vargrevir.assign(static_cast<size_t>(n), 0.0);
    app.Rov.Bjornpop.assign(static_cast<size_t>(n), 0.0);
    app.AreaLoaded = true;
    app.ctl(C::chk_stats).position = 1;
    app.ctl(C::LOmrade).caption = "Område: Provområde, Uppsala län";
}

}  // namespace vildo::test
