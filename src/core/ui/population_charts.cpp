// The population charts: pyramids by age, mean ages and harvest, the land-use pie, and the yearly curves
// of the hunt with the predator years that carry on into the next one.
#include <algorithm>
#include <exception>

#include "ui/chart_colours.h"
#include "ui/chart_ops.h"
#include "ui/labels.h"
#include "util/errors.h"
#include "util/round.h"

namespace vildo {

namespace {

double oneDecimal(double v) { return static_cast<double>(Round(v * 10)) / 10; }

// A year's point; a second update of the same year (a view change, F9) replaces it rather than adding
// another point that a step back would leave behind.
void addYearPoint(Series& s, double x, double y) {
    if (!s.points.empty() && s.points.back().x == x)
        s.points.back().y = y;
    else
        s.points.push_back({x, y, {}, 0});
}

// The first year of the yearly charts: the first simulated historic year, else last year.
double firstYear(const WindowState& app, bool historic) {
    if (historic) return statisticsRecord(app, app.StartIndex).year;
    return app.platform.currentYear() - 1;
}

// The mortality view's range: the largest yearly value up to the next ten above it.
double mortalityAxisMax(const Chart& main) {
    int64_t m = Round(std::max(main.series.at(7).largestY(), main.series.at(8).largestY()));
    m = Round(std::max(static_cast<double>(m), main.series.at(9).largestY()));
    m = Round(std::max(static_cast<double>(m), main.series.at(10).largestY()));
    return static_cast<double>(std::max<int64_t>(10 * (m / 10) + 10, 10));
}

void mainLeftAxis(WindowState& app, Chart& main) {
    Axis& left = main.left;
    if (app.checked(C::Foderochlgbonitet1)) {
        left.setRange(-100, 100);
        left.increment = 10;
    } else if (app.checked(C::Ddlighet1)) {
        left.setRange(0, mortalityAxisMax(main));
        left.increment = 10;
    } else {
        left.setRange(0, std::max(6.0, 1.2 * app.MaxSummerDensity));
        left.increment = 1;
    }
}

void mainChartYear(WindowState& app, double x) {
    Chart& main = app.charts[5];
    const TTraffic& t = app.Traffic;
    const TRov& r = app.Rov;
    const double traffic = static_cast<double>(t.TrafficBulls) + t.TrafficCows + t.TrafficCalves;
    addYearPoint(main.series.at(0), x, app.Summer.SummerDensity);
    addYearPoint(main.series.at(1), x, app.Winter.WinterDensity);
    addYearPoint(main.series.at(2), x, app.HarvestTot.HarvestPerArea);
    if (app.BaseForageFactor > 0)
        addYearPoint(main.series.at(5), x, (app.Land.ForageFactor / app.BaseForageFactor - 1) * 100);
    if (app.BaseYoungForestPct > 0)
        addYearPoint(main.series.at(6), x, (app.Land.YoungForestPct / app.BaseYoungForestPct - 1) * 100);
    const double deaths = app.Winter.WinterDeaths + app.Summer.SummerDeaths;
    addYearPoint(main.series.at(7), x, deaths - (traffic + r.Vargdodade + r.Bjorndodade));
    addYearPoint(main.series.at(8), x, traffic);
    addYearPoint(main.series.at(9), x, r.Vargdodade);
    addYearPoint(main.series.at(10), x, r.Bjorndodade);
}

// The predator numbers of the last year shown carry on into the next one, in the chart and the arrays.
void continuePredators(WindowState& app, int n, double y0, double x) {
    Chart& pred = app.charts[10];
    Series& wolves = pred.series.at(0);
    Series& bears = pred.series.at(1);
    const size_t next = static_cast<size_t>(n) + 1;
    if (wolves.points.size() != next || bears.points.size() < next) return;
    std::vector<double>& w = app.Rov.Vargrevir;
    std::vector<double>& b = app.Rov.Bjornpop;
    // Arrays shorter than the chart (no area loaded) take the chart's years first, so that the new
    // element lands after them instead of outside the arrays.
    const size_t old = w.size();
    const size_t length = std::max(old + 1, next + 1);
    w.resize(length);
    b.resize(length);
    for (size_t i = old; i < next; ++i) {
        w[i] = wolves.points[i].y;
        b[i] = bears.points[i].y;
    }
    pred.bottom.setRange(pred.bottom.min, y0 + static_cast<double>(length) + 2);
    const double wolf = wolves.points[next - 1].y, bear = bears.points[next - 1].y;
    wolves.points.push_back({x + 1, wolf, {}, 0});
    bears.points.push_back({x + 1, bear, {}, 0});
    w[next] = wolf;
    b[next] = bear;
}

void reproductionChartYear(WindowState& app, int n, double y0, double x, bool historic) {
    Chart& c = app.charts[8];
    c.left.setRange(c.left.min, 1);
    c.bottom.setRange(y0, std::max(x + 2, y0 + 10));
    addYearPoint(c.series.at(0), x, app.CalvesPerCow);
    if (app.Summer.SummerAdults > 0) addYearPoint(c.series.at(2), x, app.Summer.SummerBulls / app.Summer.SummerAdults);
    if (historic && statisticsRecord(app, app.DataYears).year >= x) {
        const TStatistics& s = statisticsRecord(app, app.StartIndex + n);
        addYearPoint(c.series.at(1), x, s.reprod);
        addYearPoint(c.series.at(3), x, s.tjurobs);
    }
}

}  // namespace

void Graph(WindowState& app, int j) {
    if (j < 0 || j > 19) throw VildoError("Range check error");
    const TPopulation& p = app.Pop;
    const THarvestByAge& h = app.Harvest;
    const double position = j + 1;
    Chart& winter = app.charts[1];
    Chart& shot = app.charts[2];
    winter.series.at(0).points.push_back({oneDecimal(p.MaleWinter[j]), position, {}, 0});
    winter.series.at(1).points.push_back({oneDecimal(-p.FemWinter[j]), position, {}, 0});
    shot.series.at(0).points.push_back({oneDecimal(h.MaleShot[j]), position, {}, 0});
    shot.series.at(1).points.push_back({oneDecimal(-h.FemShot[j]), position, {}, 0});
    if (j != 1) return;
    Chart& ages = app.charts[9];
    for (size_t i = 0; i < 6; ++i) ages.clearSeries(i);
    const THarvestTotals& ht = app.HarvestTot;
    const TWinterTotals& w = app.Winter;
    ages.series[0].points = {{0.5, w.MeanAgeWinterCows, "Vinterstam", 0}, {1.5, ht.MeanAgeShotCows, "Avskjutning", 0}};
    ages.series[1].points = {{0.5, w.MeanAgeWinterBulls, {}, 0}, {1.5, ht.MeanAgeShotBulls, {}, 0}};
    ages.series[2].points = {{-10, ht.TotalShot, "Total avskjutning", 0}};
    ages.series[3].points = {{-5, ht.BullsShot, "Tjur", 0}};
    ages.series[4].points = {{5, ht.CowsShot, "Hondjur", 0}};
    ages.series[5].points = {{10, ht.CalvesShot, "Kalv", 0}};
    landUsePie(app);
}

void landUsePie(WindowState& app) {
    Chart& c = app.charts[3];
    c.clearSeries(0);
    const TLandUse& l = app.Land;
    c.series[0].points = {{0, static_cast<double>(l.ImpedimentPct), "Tätort", kGrey128},
                          {1, static_cast<double>(l.OtherLandPct), "Övrig öppen", kYellow},
                          {2, l.YoungForestPct, "Ungskog", kYellowGreen},
                          {3, static_cast<double>(l.ForestPct), "Skogsmark", kDarkGreen}};
}

void clearPyramids(WindowState& app) {
    for (int c : {1, 2}) {
        app.charts[c].clearSeries(0);
        app.charts[c].clearSeries(1);
    }
}

void scalePyramids(WindowState& app, double largestShot) {
    const double m = largestShot + 5;
    app.charts[2].bottom.setRange(std::min(-m, -5.0), std::max(m, 5.0));
    const double c = 0.6 * app.Winter.WinterCalves;
    app.charts[1].bottom.setRange(std::min(-c, -5.0), std::max(c, 5.0));
}

void redrawPyramids(WindowState& app, double largestShot) {
    clearPyramids(app);
    scalePyramids(app, largestShot);
    for (int j = 0; j <= 19; ++j) Graph(app, j);
}

void PopGraph(WindowState& app, int n) {
    app.MaxSummerDensity =
        static_cast<int32_t>(std::max<int64_t>(app.MaxSummerDensity, Round(app.Summer.SummerDensity)));
    const bool historicChecked = app.checked(C::chk_stats);
    if (historicChecked) n = std::max(n - 1, 0);
    const bool historic = historicChecked && areaShown(app);
    const double y0 = firstYear(app, historic);
    Chart& main = app.charts[5];
    mainLeftAxis(app, main);
    main.bottom.setRange(y0, std::max(y0 + n + 2, y0 + 10));
    const double x = y0 + n;
    mainChartYear(app, x);
    continuePredators(app, n, y0, x);
    reproductionChartYear(app, n, y0, x, historic);
    landUsePie(app);
}

void Cleargraph(WindowState& app) {
    try {
        const double y0 = firstYear(app, app.checked(C::chk_stats));
        Chart& main = app.charts[5];
        Chart& pred = app.charts[10];
        Chart& second = app.charts[8];
        const double length = static_cast<double>(app.Rov.Vargrevir.size());
        main.bottom.setRange(y0, y0 + 10);
        pred.bottom.setRange(y0, length >= 8 ? y0 + length + 2 : y0 + 10);
        second.bottom.setRange(y0, y0 + 10);
        for (Series& s : main.series) s.points.clear();
        for (Series& s : second.series) s.points.clear();
    } catch (const std::exception&) {
        app.prompts->message("Fel när diagrammet skulle rensas.");
    }
}

}  // namespace vildo
