#include "ui/area_display.h"

#include <algorithm>

#include "ui/chart_colours.h"
#include "ui/window_state.h"

namespace vildo {

namespace {

// A record of the run's years; years beyond the statistics read as empty.
const TStatistics& yearRecord(const WindowState& app, int64_t p) {
    static const TStatistics kEmpty{};
    if (p < 0 || p >= static_cast<int64_t>(app.Statistics.size())) return kEmpty;
    return app.Statistics[static_cast<size_t>(p)];
}

}  // namespace

Series& seriesAt(Chart& chart, size_t index) {
    if (chart.series.size() <= index) chart.series.resize(index + 1);
    return chart.series[index];
}

void showObservedSeries(WindowState& app) {
    seriesAt(app.charts[8], 1).active = true;
    seriesAt(app.charts[8], 3).active = true;
    app.ctl(C::Foderochlgbonitet1).enabled = true;
}

void showScaledObservations(WindowState& app) {
    Series& scaled = seriesAt(app.charts[5], 3);
    scaled.points.clear();
    const std::vector<double>& v = app.Replay.scaledObs;
    for (size_t i = 0; i < v.size(); ++i)
        scaled.points.push_back(
            {static_cast<double>(yearRecord(app, app.StartIndex + static_cast<int64_t>(i)).year), v[i], {}, 0});
    scaled.active = true;
}

void showBatchDensities(WindowState& app) {
    const int n = std::min<int>(app.DataYears, static_cast<int>(app.Statistics.size()) - 1);
    double sDens = 0;
    for (int p = 1; p <= n; ++p) sDens += app.Statistics[static_cast<size_t>(p)].Vildodens;
    if (sDens <= 0) return;
    Series& batch = seriesAt(app.charts[5], 4);
    for (int i = 0; i < app.YearNo; ++i) {
        const TStatistics& rec = yearRecord(app, app.StartIndex + i);
        batch.points.push_back({static_cast<double>(rec.year), rec.Vildodens, {}, 0});
    }
}

std::vector<double> errorBarShares(const WindowState& app) {
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

void showEstimateInterval(WindowState& app) {
    Chart& main = app.charts[5];
    if (!app.Ensemble) {
        if (main.series.size() > kEstimateIntervalSeries) main.clearSeries(kEstimateIntervalSeries);
        return;
    }
    const EstimateInterval& e = app.Ensemble->interval;
    Series& band = seriesAt(main, kEstimateIntervalSeries);
    band.title = "80 %-intervall efter jakt";
    band.kind = SeriesKind::Band;
    band.colour = kLightBlue;
    band.points.clear();
    band.lows.clear();
    // A box a little narrower than a year, centred on the last year of the history.
    const double year = yearRecord(app, app.StartIndex + app.YearNo - 1).year;
    for (double dx : {-0.3, 0.3}) {
        band.points.push_back({year + dx, e.winterHigh, {}, 0});
        band.lows.push_back(e.winterLow);
    }
    band.active = app.checked(C::lgtthetochAvskjutning1);
}

}  // namespace vildo
