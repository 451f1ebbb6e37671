#include "app/fit_measures.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "app/vildo.h"
#include "calibration/fit_upload.h"
#include "calibration/regression.h"
#include "ui/area_display.h"
#include "util/format.h"

namespace vildo {

namespace {

// The y of point i of a series; a point the run did not draw counts as 0.
double pointY(const Chart& chart, size_t series, size_t i) {
    if (series >= chart.series.size() || i >= chart.series[series].points.size()) return 0;
    return chart.series[series].points[i].y;
}

// A record of the run's years; years beyond the statistics read as empty.
const TStatistics& yearRecord(const Vildo& app, int64_t p) {
    static const TStatistics kEmpty{};
    if (p < 0 || p >= static_cast<int64_t>(app.Statistics.size())) return kEmpty;
    return app.Statistics[static_cast<size_t>(p)];
}

}  // namespace

void FitMeasures(Vildo& app) {
    const size_t n = static_cast<size_t>(std::max(app.YearNo, 0));
    Chart& main = app.charts[5];
    const Chart& second = app.charts[8];
    std::vector<double> years(n), stock(n), obs(n), simCalves(n), obsCalves(n), simBulls(n), obsBulls(n);
    for (size_t i = 0; i < n; ++i) {
        const TStatistics& rec = yearRecord(app, app.StartIndex + static_cast<int64_t>(i));
        years[i] = static_cast<double>(i);
        stock[i] = pointY(main, 0, i);
        obs[i] = rec.obs;
        simCalves[i] = pointY(second, 0, i);
        obsCalves[i] = pointY(second, 1, i);
        simBulls[i] = pointY(second, 2, i);
        obsBulls[i] = pointY(second, 3, i);
    }

    // 1-4. Observations per man-hour, scaled to the simulated stock.
    app.ObsScale = 0;
    const double sObs = std::accumulate(obs.begin(), obs.end(), 0.0);
    if (sObs > 0) app.ObsScale = std::accumulate(stock.begin(), stock.end(), 0.0) / sObs;
    Series& scaledSeries = seriesAt(main, 3);
    scaledSeries.points.clear();
    std::vector<double> scaled(n);
    for (size_t i = 0; i < n; ++i) {
        scaled[i] = app.ObsScale * obs[i];
        const double year = yearRecord(app, app.StartIndex + static_cast<int64_t>(i)).year;
        scaledSeries.points.push_back({year, scaled[i], {}, 0});
    }
    app.ObsFit = squaredFit(FitR2(stock, scaled));
    app.ObsSlope = Regress(years, scaled) - 1;
    app.ModelSlope = Regress(years, stock) - 1;
    app.SlopeDiff = app.ModelSlope - app.ObsSlope;

    // 5, 6. Calves per cow: a sum of differences of 1 or more is no fit however alike the shapes are.
    app.ReprodSum = 0;
    for (size_t i = 0; i < n; ++i) app.ReprodSum += simCalves[i] - obsCalves[i];
    const double rf = std::clamp(FitR2(simCalves, obsCalves), 0.0, 1.0);
    app.ReprodFit = std::fabs(app.ReprodSum) < 1 ? rf * rf : 0;
    app.ReprodSlope = Regress(years, simCalves);
    app.ReprodDiff = app.ReprodSlope - Regress(years, obsCalves);

    // 7, 8. Bull share.
    app.BullShareSum = 0;
    for (size_t i = 0; i < n; ++i) app.BullShareSum += simBulls[i] - obsBulls[i];
    app.BullShareFit = squaredFit(FitR2(simBulls, obsBulls));
    app.BullShareSlope = Regress(years, simBulls);
    app.BullShareDiff = app.BullShareSlope - Regress(years, obsBulls);

    // 9-11.
    scaledSeries.active = true;
    app.ModelFit = combinedFit(app.ObsFit, app.ReprodFit, app.ReprodDiff, app.BullShareFit);
    Control& fitLabel = app.ctl(C::LSqrroot);
    fitLabel.visible = false;
    fitLabel.caption = "R2: " + fix(app.ModelFit, 15, 4);
    ++app.HistoricRuns;

    // 12. The upload stores the fit in the slot, so a later run uploads only when it is better again.
    if (cachedFit(app) < app.ModelFit && app.timers[9].enabled)
        uploadCalibration(app, fix(app.ModelFit, 15, 4), lastRunSetting(app));
}

void DensityBands(Vildo& app) {
    const int n = std::min<int>(app.DataYears, static_cast<int>(app.Statistics.size()) - 1);
    if (n < 1) return;
    double sObs = 0, sDens = 0;
    for (int p = 1; p <= n; ++p) {
        sObs += app.Statistics[static_cast<size_t>(p)].obs;
        sDens += app.Statistics[static_cast<size_t>(p)].Vildodens;
    }
    const double b = sObs > 0 ? sDens / sObs : 0;
    auto v = [&](int q) { return b * app.Statistics[static_cast<size_t>(q)].obs; };
    for (int p = 1; p <= n; ++p) {
        std::vector<int> around;
        if (p == 1)
            around = {1, 2};
        else if (p == n)
            around = {n, n - 1};
        else
            around = {p - 1, p, p + 1};
        // A single year has no neighbour to spread against.
        around.erase(std::remove_if(around.begin(), around.end(), [&](int q) { return q < 1 || q > n; }), around.end());
        double s = 0;
        const double k = static_cast<double>(around.size());
        if (around.size() >= 2) {
            double sv = 0, svv = 0;
            for (int q : around) {
                sv += v(q);
                svv += v(q) * v(q);
            }
            s = std::sqrt(std::max(0.0, (k * svv - sv * sv) / (k * (k - 1))));
        }
        app.Statistics[static_cast<size_t>(p)].Stddens = (p == 1 || p == n) ? 3 * s : s;
    }
    if (sDens <= 0) return;
    Series& batch = seriesAt(app.charts[5], 4);
    for (int i = 0; i < app.YearNo; ++i) {
        const TStatistics& rec = yearRecord(app, app.StartIndex + i);
        batch.points.push_back({static_cast<double>(rec.year), rec.Vildodens, {}, 0});
    }
}

std::vector<double> errorBarShares(const Vildo& app) {
    std::vector<double> shares;
    const Chart& main = app.charts[5];
    if (main.series.size() <= 4) return shares;
    double rel = 0;
    for (size_t i = 0; i < main.series[4].points.size(); ++i) {
        const TStatistics& rec = yearRecord(app, app.StartIndex + static_cast<int64_t>(i));
        if (rec.Vildodens > 0) rel = rec.Stddens / rec.Vildodens;
        shares.push_back(rel);
    }
    return shares;
}

}  // namespace vildo
