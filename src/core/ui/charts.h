// Charts as data: series with their points, axes with ranges; the view renders them.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vildo {

enum class SeriesKind { Line, Point, HorizBar, Bar, Pie };

struct ChartPoint {
    double x = 0, y = 0;
    std::string label;
    uint32_t colour = 0;  // 0xRRGGBB; 0 = the series colour
};

struct Series {
    std::string title;
    SeriesKind kind = SeriesKind::Line;
    uint32_t colour = 0;
    bool active = true;
    bool marks = false;  // value marks shown on the points
    std::vector<ChartPoint> points;
};

struct Axis {
    double min = 0, max = 0;
    double increment = 0;
    bool automatic = true;
    bool visible = true;
};

struct Chart {
    std::string title, footer, subFooter;
    bool titleVisible = true, footerVisible = true, subFooterVisible = true;
    bool visible = true;
    bool enabled = true;
    std::vector<Series> series;
    Axis left, right, bottom;

    // Empties the points of a series, adding series up to that index when missing.
    void clearSeries(size_t index);
};

constexpr int kChartCount = 11;  // Chart1..Chart10; index 0 unused
using Charts = std::array<Chart, kChartCount>;

}  // namespace vildo
