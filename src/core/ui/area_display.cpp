#include "ui/area_display.h"

#include "ui/window_state.h"

namespace vildo {

Series& seriesAt(Chart& chart, size_t index) {
    if (chart.series.size() <= index) chart.series.resize(index + 1);
    return chart.series[index];
}

void showObservedSeries(WindowState& app) {
    seriesAt(app.charts[8], 1).active = true;
    seriesAt(app.charts[8], 3).active = true;
    app.ctl(C::Foderochlgbonitet1).enabled = true;
}

}  // namespace vildo
