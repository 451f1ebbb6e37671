#include "ui/forecast_chart.h"

#include <algorithm>
#include <cmath>

#include "calibration/estimate_interval.h"
#include "ui/chart_colours.h"
#include "ui/window_state.h"
#include "util/format.h"

namespace vildo {

namespace {

// The main chart's winter density and the area's estimates (Chart5's "Vinterstam" and "Vildo").
constexpr size_t kMainWinter = 1, kMainEstimates = 4;

// The points of a main-chart series before year `before`.
void copyBefore(const Chart& main, size_t index, double before, Series& to) {
    if (index >= main.series.size()) return;
    for (const ChartPoint& p : main.series[index].points)
        if (p.x < before) to.points.push_back({p.x, p.y, {}, 0});
}

std::string percent(double share) { return fix(share * 100, 4, 1) + " %"; }

}  // namespace

Chart forecastChart(const Chart& main, const Forecast& forecast) {
    Chart c;
    c.title = "Vinterstam";
    c.subTitle = "Median och 80 %-intervall av " + intStr(forecast.replicates) + " framtider";
    c.legendColumns = 4;
    c.right.visible = false;
    c.left.title = "Älgar per 1000 ha";
    c.series = {Series{"Vinterstam", SeriesKind::Line, kLightBlue}, Series{"Vildo", SeriesKind::Point, kGold},
                Series{"80 %-intervall", SeriesKind::Band, kOrange},
                Series{"Prognos (median)", SeriesKind::Line, kOrange}};

    // Without calendar years the forecast's seasons follow the last year the main chart shows.
    const std::vector<ChartPoint>* winter =
        kMainWinter < main.series.size() ? &main.series[kMainWinter].points : nullptr;
    const double last = winter && !winter->empty() ? winter->back().x : 0;
    auto yearX = [&](const ForecastYear& y) { return y.year != 0 ? static_cast<double>(y.year) : last + y.season; };
    const double first = forecast.years.empty() ? last + 1 : yearX(forecast.years.front());

    Series& history = c.series[kForecastHistory];
    copyBefore(main, kMainWinter, first, history);
    history.active = !history.points.empty();
    Series& estimates = c.series[kForecastEstimates];
    if (kMainEstimates < main.series.size() && main.series[kMainEstimates].active)
        copyBefore(main, kMainEstimates, first, estimates);
    estimates.active = !estimates.points.empty();

    Series& band = c.series[kForecastBand];
    Series& median = c.series[kForecastMedian];
    if (!history.points.empty() && history.points.back().x == first - 1 && !forecast.years.empty()) {
        const ChartPoint& now = history.points.back();
        band.points.push_back({now.x, now.y, {}, 0});
        band.lows.push_back(now.y);
        median.points.push_back({now.x, now.y, {}, 0});
    }
    for (const ForecastYear& y : forecast.years) {
        const double x = yearX(y);
        band.points.push_back({x, y.winterDensity.p90, {}, 0});
        band.lows.push_back(y.winterDensity.p10);
        median.points.push_back({x, y.winterDensity.p50, {}, 0});
    }

    double lo = first, hi = first, top = 0;
    for (const Series& s : c.series)
        for (const ChartPoint& p : s.points) {
            lo = std::min(lo, p.x);
            hi = std::max(hi, p.x);
            top = std::max(top, p.y);
        }
    c.bottom.setRange(lo, hi + 1);
    c.bottom.increment = 1;
    // As the main chart's density view: at least 0..6, else a fifth above the highest value.
    c.left.setRange(0, std::max(6.0, std::ceil(1.2 * top)));
    c.left.increment = 1;
    return c;
}

Grid forecastTable(const Forecast& forecast) {
    Grid g(6, static_cast<int>(forecast.years.size()) + 1);
    g.fixedRows = 1;
    const char* headings[] = {"År",         "Vinterstam (median)", "80 %-intervall",
                              "Kvoten nås", "Inom ±10 % av målet", "Utdöd"};
    for (int col = 0; col < 6; ++col) g.cell(col, 0) = headings[col];
    for (size_t i = 0; i < forecast.years.size(); ++i) {
        const ForecastYear& y = forecast.years[i];
        const int row = static_cast<int>(i) + 1;
        g.cell(0, row) = intStr(y.year != 0 ? y.year : y.season);
        g.cell(1, row) = fix(y.winterDensity.p50, 6, 1);
        g.cell(2, row) = fix(y.winterDensity.p10, 6, 1) + "–" + fix(y.winterDensity.p90, 6, 1);
        g.cell(3, row) = percent(y.quotaFilled);
        g.cell(4, row) = percent(y.nearWanted);
        g.cell(5, row) = percent(y.extinct);
    }
    return g;
}

std::vector<std::string> forecastReportLines(const WindowState& start, const Forecast& forecast) {
    std::vector<std::string> lines{
        start.ctl(C::LOmrade).caption,
        "Vinterstam när prognosen börjar: " + fix(start.Winter.WinterDensity, 6, 1) + " älgar per 1000 ha efter jakt"};
    if (start.Ensemble) lines.push_back(intervalLine(start.Ensemble->interval));
    const int years = static_cast<int>(forecast.years.size());
    lines.push_back("Prognos: " + intStr(forecast.replicates) + " framtider om " + intStr(years) +
                    " år; målet för vinterstammen är " + fix(forecast.wantedDensity, 6, 1) + " älgar per 1000 ha.");
    return lines;
}

}  // namespace vildo
