// Charts as data: series with their points, axes with ranges; the view renders them.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vildo {

enum class SeriesKind { Line, Point, HorizBar, Bar, Pie };

// What the marks beside the points show.
enum class MarkStyle { None, Value, LabelAndValue, LabelAndPercent };

// The vertical axis a series is plotted against.
enum class AxisSide { Left, Right };

// For horizontal bars x is the bar's length and y its position on the vertical axis.
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
    MarkStyle marks = MarkStyle::None;
    int markDecimals = 0;
    bool pointsShown = false;  // a line drawn with a mark on every point
    AxisSide axis = AxisSide::Left;
    int barWidthPct = 100, barOffsetPct = 0;  // bar width and shift, in per cent of the bar slot
    std::vector<ChartPoint> points;

    // The largest point value; 0 for an empty series.
    double largestY() const;
};

struct Axis {
    std::string title;
    double min = 0, max = 0;
    double increment = 0;
    bool automatic = true;
    bool visible = true;

    // A fixed range in place of the automatic one.
    void setRange(double lo, double hi) {
        min = lo;
        max = hi;
        automatic = false;
    }
};

struct Chart {
    std::string title, subTitle, footer, subFooter;
    bool titleVisible = true, footerVisible = true, subFooterVisible = true;
    uint32_t footerColour = 0;  // 0 = the style's text colour
    uint32_t background = 0;    // 0 = the style's background
    int legendColumns = 1;
    bool visible = true;
    bool enabled = true;
    std::vector<Series> series;
    Axis left, right, bottom;

    // Empties the points of a series, adding series up to that index when missing.
    void clearSeries(size_t index);
};

constexpr int kChartCount = 11;  // Chart1..Chart10; index 0 unused
using Charts = std::array<Chart, kChartCount>;

// The charts as the window's design has them, before start-up fills them.
Charts designCharts();

}  // namespace vildo
