#include "ui/charts.h"

namespace vildo {

void Chart::clearSeries(size_t index) {
    if (series.size() <= index) series.resize(index + 1);
    series[index].points.clear();
}

}  // namespace vildo
