#include "ui/charts.h"

#include <algorithm>

namespace vildo {

double Series::largestY() const {
    if (points.empty()) return 0;
    double m = points.front().y;
    for (const ChartPoint& p : points) m = std::max(m, p.y);
    return m;
}

void Chart::clearSeries(size_t index) {
    if (series.size() <= index) series.resize(index + 1);
    series[index].points.clear();
}

}  // namespace vildo
