// The forecast as the window shows it: a fan chart of the winter stock and a table of shares year by year.
#pragma once
#include <string>
#include <vector>

#include "hunt/forecast.h"
#include "ui/charts.h"
#include "util/grid.h"

namespace vildo {

// The fan chart's series, in order.
enum ForecastSeries : size_t { kForecastHistory, kForecastEstimates, kForecastBand, kForecastMedian };

// The winter densities the main chart shows before the forecast's first year (the simulated curve and the
// area's own estimates), then the forecast's median and its 80 % band (10th to 90th percentile). Median and
// band open from the main chart's last winter density when that is the year just before the forecast.
Chart forecastChart(const Chart& main, const Forecast& forecast);

// A heading row, then one row a forecast year: År, Vinterstam (median), 80 %-intervall, Kvoten nås,
// Inom ±10 % av målet, Utdöd.
Grid forecastTable(const Forecast& forecast);

struct WindowState;
// The report's opening lines: the area, the estimate the futures start from with its interval when the area
// has one, and what the forecast measures.
std::vector<std::string> forecastReportLines(const WindowState& start, const Forecast& forecast);

}  // namespace vildo
