// Charts as data: series with their points, axes with ranges; the view renders them.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vildo {

// A band is the area between two edges: its points are the upper edge, `lows` the lower one.
enum class SeriesKind { Line, Point, HorizBar, Bar, Pie, Band };

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
    std::vector<double> lows;  // a band's lower edge under each of its points

    // The largest point value; 0 for an empty series.
    double largestY() const;
};

// The main chart's density axis, in the unit the area statistics use.
inline constexpr const char* kDensityTitle = "Älgar per 1000 ha";
// The forage view's axis: forage and habitat quality against their values when the area was loaded.
inline constexpr const char* kForageTitle = "Förändring från utgångsläget (%)";
// The mortality view's axis: deaths of each cause in a year.
inline constexpr const char* kMortalityTitle = "Döda älgar per år";

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

// How the view lays out what it draws on a chart; pixel sizes come from the view's fonts.

// The distance between an axis's labels: the given step (0: the finest 1, 2 or 5 times a power of ten) while
// labels `labelPixels` apart fit on an axis `pixels` long over lo..hi, else the next coarser of its 1, 2, 5,
// 10, 20 … multiples that fits.
double axisLabelStep(double lo, double hi, double step, double pixels, double labelPixels);

// A value mark's box on the chart, in pixels.
struct MarkBox {
    double left = 0, top = 0, width = 0, height = 0;
};
// Which marks are drawn, in order: a mark that would overlap one drawn before it is left out.
std::vector<bool> marksDrawn(const std::vector<MarkBox>& boxes);

// The legend below the plot: entries of the given widths, in order, in as few rows as fit in `available`
// pixels with `gap` between entries, at most `columns` a row (0: no limit). Returns each row's entry count;
// an entry wider than a row has a row of its own.
std::vector<int> legendRows(const std::vector<double>& widths, double available, double gap, int columns);

constexpr int kChartCount = 11;  // Chart1..Chart10; index 0 unused
using Charts = std::array<Chart, kChartCount>;

// The charts as the window's design has them, before start-up fills them.
Charts designCharts();

}  // namespace vildo
