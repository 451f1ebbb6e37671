// The parameter graphs: fecundity, carcass weight and mortality by age, and the area's predator history.
#include <algorithm>

#include "ui/chart_colours.h"
#include "ui/chart_ops.h"
#include "ui/labels.h"

namespace vildo {

void Fekgraph(WindowState& app) {
    Chart& c = app.charts[6];
    c.clearSeries(0);
    const bool current = app.checked(C::CheckBox1);
    for (int i = 0; i <= 20; ++i) {
        const double f = app.Pop.Fecundity[i] * (current ? app.Fec.FecundityFactor : 1.0);
        c.series[0].points.push_back({static_cast<double>(i), std::max(0.0, f), {}, kGrey128});
    }
}

void Slaktgraf(WindowState& app) {
    Chart& c = app.charts[4];
    c.clearSeries(0);
    c.clearSeries(1);
    const THarvestByAge& h = app.Harvest;
    c.series[0].points.push_back({0, h.FemWeight[0], {}, kGrey128});
    c.series[1].points.push_back({0, h.MaleWeight[0], {}, kLightBlue});
    for (int i = 1; i <= 20; ++i) {
        c.series[0].points.push_back({static_cast<double>(i), h.FemWeight[i] * app.Fec.FemWeightFactor, {}, 0});
        c.series[1].points.push_back({static_cast<double>(i), h.MaleWeight[i] * app.Fec.MaleWeightFactor, {}, 0});
    }
}

void Dodlighetgraf(WindowState& app) {
    Chart& c = app.charts[7];
    c.clearSeries(0);
    c.clearSeries(1);
    const double calves = (app.CalfSummerMortality + app.CalfWinterMortality) * 100;
    c.series[0].points.push_back({0, calves, {}, 0});
    c.series[1].points.push_back({0, calves, {}, 0});
    for (int i = 1; i <= 20; ++i) {
        c.series[0].points.push_back({static_cast<double>(i), app.FemMortWeight[i] * 100, {}, 0});
        c.series[1].points.push_back({static_cast<double>(i), app.MaleMortWeight[i] * 100, {}, 0});
    }
}

void Rovdjursgraf(WindowState& app) {
    Chart& c = app.charts[10];
    c.clearSeries(0);
    c.clearSeries(1);
    if (app.DataYears < 1) return;
    const double first = statisticsRecord(app, 1).year;
    for (int i = 1; i <= app.DataYears; ++i) {
        const TStatistics& s = statisticsRecord(app, i);
        c.series[0].points.push_back({first + i - 1, s.varg, {}, 0});
        c.series[1].points.push_back({first + i - 1, s.bjorn, {}, 0});
    }
}

}  // namespace vildo
