// What an area load and an area-file open both show: the observed series and the axes of the area's years.
#pragma once
#include <cstddef>

namespace vildo {

struct WindowState;
struct Series;
struct Chart;

// A chart's series by index, added when the chart does not have it yet.
Series& seriesAt(Chart& chart, size_t index);

// The observed calves per cow and bull share on Chart8, and the menu view that needs an area.
void showObservedSeries(WindowState& app);

}  // namespace vildo
