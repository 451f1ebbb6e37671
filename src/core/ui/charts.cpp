#include "ui/charts.h"

#include <algorithm>
#include <cmath>

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

double axisLabelStep(double lo, double hi, double step, double pixels, double labelPixels) {
    const double range = hi - lo;
    if (!(range > 0) || !std::isfinite(range) || !(pixels > 0)) return step > 0 ? step : 1;
    // The candidates: base × 1, 2, 5, 10, 20, 50 …, from the given step or from a hundredth of the range.
    const double base = step > 0 ? step : std::pow(10.0, std::floor(std::log10(range)) - 2);
    for (double decade = 1;; decade *= 10)
        for (double m : {1.0, 2.0, 5.0}) {
            const double candidate = base * m * decade;
            if (pixels * candidate / range >= labelPixels || candidate >= range) return candidate;
        }
}

std::vector<bool> marksDrawn(const std::vector<MarkBox>& boxes) {
    std::vector<bool> drawn(boxes.size(), false);
    auto overlap = [](const MarkBox& a, const MarkBox& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    };
    for (size_t i = 0; i < boxes.size(); ++i) {
        drawn[i] = true;
        for (size_t k = 0; k < i && drawn[i]; ++k)
            if (drawn[k] && overlap(boxes[i], boxes[k])) drawn[i] = false;
    }
    return drawn;
}

std::vector<int> legendRows(const std::vector<double>& widths, double available, double gap, int columns) {
    std::vector<int> rows;
    double used = 0;
    for (double w : widths) {
        const bool full = !rows.empty() && ((columns > 0 && rows.back() >= columns) || used + gap + w > available);
        if (rows.empty() || full) {
            rows.push_back(1);
            used = w;
        } else {
            ++rows.back();
            used += gap + w;
        }
    }
    return rows;
}

}  // namespace vildo
