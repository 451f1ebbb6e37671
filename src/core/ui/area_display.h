// What an area load and an area-file open both show: the observed series and the axes of the area's years;
// and what a scored historic run adds to the main chart: the scaled observations and the batch densities.
#pragma once
#include <cstddef>
#include <vector>

namespace vildo {

struct WindowState;
struct Series;
struct Chart;

// A chart's series by index, added when the chart does not have it yet.
Series& seriesAt(Chart& chart, size_t index);

// The observed calves per cow and bull share on Chart8, and the menu view that needs an area.
void showObservedSeries(WindowState& app);

// The observations per man-hour on the simulated stock's scale (the fit measures' series), on Chart5 series 3.
void showScaledObservations(WindowState& app);
// The batch densities of the run's years on Chart5 series 4, when the statistics hold any.
void showBatchDensities(WindowState& app);
// The error bars of the batch densities: per point, Stddens / Vildodens of its year (the previous
// point's share where Vildodens is not positive). The view multiplies by the point's pixel row.
std::vector<double> errorBarShares(const WindowState& app);

// The estimate's interval on the main chart: a band over the last historic year from the 10th to the 90th
// percentile of the winter density, shown with the density curves.
constexpr size_t kEstimateIntervalSeries = 11;
void showEstimateInterval(WindowState& app);

}  // namespace vildo
