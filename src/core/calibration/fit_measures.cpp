#include "calibration/fit_measures.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "calibration/fit_upload.h"
#include "calibration/regression.h"
#include "util/format.h"

namespace vildo {

namespace {

// Value i of a series; a season the run did not reach counts as 0.
double at(const std::vector<double>& v, size_t i) { return i < v.size() ? v[i] : 0; }

// A record of the run's years; years beyond the statistics read as empty.
const TStatistics& yearRecord(const CalibrationState& c, int64_t p) {
    static const TStatistics kEmpty{};
    if (p < 0 || p >= static_cast<int64_t>(c.Statistics.size())) return kEmpty;
    return c.Statistics[static_cast<size_t>(p)];
}

void put(std::vector<double>& v, size_t i, double value) {
    v.resize(i + 1);
    v[i] = value;
}

}  // namespace

void recordReplayYear(CalibrationState& c) {
    // The same index the yearly charts give the season: from the start year with the history, else from 0.
    const size_t i = static_cast<size_t>(c.checked(C::chk_stats) ? std::max(c.YearNo - 1, 0) : c.YearNo);
    ReplaySeries& r = c.Replay;
    put(r.summerDensity, i, c.Summer.SummerDensity);
    put(r.winterDensity, i, c.Winter.WinterDensity);
    put(r.calvesPerCow, i, c.CalvesPerCow);
    put(r.bullShare, i, c.Summer.SummerAdults > 0 ? c.Summer.SummerBulls / c.Summer.SummerAdults : 0);
}

void FitMeasures(CalibrationState& c) {
    const size_t n = static_cast<size_t>(std::max(c.YearNo, 0));
    const ReplaySeries& r = c.Replay;
    std::vector<double> years(n), stock(n), obs(n), simCalves(n), obsCalves(n), simBulls(n), obsBulls(n);
    for (size_t i = 0; i < n; ++i) {
        const TStatistics& rec = yearRecord(c, c.StartIndex + static_cast<int64_t>(i));
        years[i] = static_cast<double>(i);
        stock[i] = at(r.summerDensity, i);
        obs[i] = rec.obs;
        simCalves[i] = at(r.calvesPerCow, i);
        obsCalves[i] = rec.reprod;
        simBulls[i] = at(r.bullShare, i);
        obsBulls[i] = rec.tjurobs;
    }

    // 1-4. Observations per man-hour, scaled to the simulated stock.
    c.ObsScale = 0;
    const double sObs = std::accumulate(obs.begin(), obs.end(), 0.0);
    if (sObs > 0) c.ObsScale = std::accumulate(stock.begin(), stock.end(), 0.0) / sObs;
    std::vector<double>& scaled = c.Replay.scaledObs;
    scaled.assign(n, 0);
    for (size_t i = 0; i < n; ++i) scaled[i] = c.ObsScale * obs[i];
    c.ObsFit = squaredFit(FitR2(stock, scaled));
    c.ObsSlope = Regress(years, scaled) - 1;
    c.ModelSlope = Regress(years, stock) - 1;
    c.SlopeDiff = c.ModelSlope - c.ObsSlope;

    // 5, 6. Calves per cow: a sum of differences of 1 or more is no fit however alike the shapes are.
    c.ReprodSum = 0;
    for (size_t i = 0; i < n; ++i) c.ReprodSum += simCalves[i] - obsCalves[i];
    const double rf = std::clamp(FitR2(simCalves, obsCalves), 0.0, 1.0);
    c.ReprodFit = std::fabs(c.ReprodSum) < 1 ? rf * rf : 0;
    c.ReprodSlope = Regress(years, simCalves);
    c.ReprodDiff = c.ReprodSlope - Regress(years, obsCalves);

    // 7, 8. Bull share.
    c.BullShareSum = 0;
    for (size_t i = 0; i < n; ++i) c.BullShareSum += simBulls[i] - obsBulls[i];
    c.BullShareFit = squaredFit(FitR2(simBulls, obsBulls));
    c.BullShareSlope = Regress(years, simBulls);
    c.BullShareDiff = c.BullShareSlope - Regress(years, obsBulls);

    // 10, 11.
    c.ModelFit = combinedFit(c.ObsFit, c.ReprodFit, c.ReprodDiff, c.BullShareFit);
    Control& fitLabel = c.ctl(C::LSqrroot);
    fitLabel.visible = false;
    fitLabel.caption = "R2: " + fix(c.ModelFit, 15, 4);
    ++c.HistoricRuns;

    // 12. The upload stores the fit in the slot, so a later run uploads only when it is better again.
    if (cachedFit(c) < c.ModelFit && c.timers[9].enabled)
        uploadCalibration(c, fix(c.ModelFit, 15, 4), lastRunSetting(c));
}

void DensityBands(CalibrationState& c) {
    const int n = std::min<int>(c.DataYears, static_cast<int>(c.Statistics.size()) - 1);
    if (n < 1) return;
    double sObs = 0, sDens = 0;
    for (int p = 1; p <= n; ++p) {
        sObs += c.Statistics[static_cast<size_t>(p)].obs;
        sDens += c.Statistics[static_cast<size_t>(p)].Vildodens;
    }
    const double b = sObs > 0 ? sDens / sObs : 0;
    auto v = [&](int q) { return b * c.Statistics[static_cast<size_t>(q)].obs; };
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
        c.Statistics[static_cast<size_t>(p)].Stddens = (p == 1 || p == n) ? 3 * s : s;
    }
}

}  // namespace vildo
