// One chart of the window: renders the core's chart data with Qt Charts and turns mouse events on it
// into axis values for the core's editing handlers.
#pragma once
#include <QColor>
#include <QtCharts/QChartView>
#include <functional>
#include <optional>
#include <vector>

#include "ui/charts.h"

QT_BEGIN_NAMESPACE
class QAbstractBarSeries;
class QAreaSeries;
class QBarSet;
class QPieSeries;
class QValueAxis;
class QBarCategoryAxis;
class QAbstractSeries;
class QXYSeries;
class QAbstractAxis;
QT_END_NAMESPACE

namespace vildo {

struct Vildo;

namespace qt {

// Runs a core handler through the window (dispatch, then refresh).
using Runner = std::function<void(const std::function<void()>&)>;

// What a chart view paints its texts, axes, marks and background with: the dark window's colours, or dark on
// white for paper, where the white also replaces the chart's own background.
struct ChartColours {
    QColor text, gridLine, axisLine, background, markFill, sliceBorder;
    bool forPaper = false;
    static ChartColours screen();
    static ChartColours paper();
};

class ChartView : public QChartView {
    Q_OBJECT
public:
    ChartView(Vildo& app, int number, Runner run, QWidget* parent = nullptr);
    // A chart outside the window's numbered ones, such as a dialog's: shown as they are, never edited with
    // the mouse. The chart must outlive the view.
    ChartView(Vildo& app, const Chart& chart, QWidget* parent = nullptr,
              const ChartColours& colours = ChartColours::screen());

    // Brings the Qt chart in line with the core's chart; does nothing when the data has not changed.
    void refresh();
    int number() const { return number_; }
    void setFontSizes(int axisPx, int legendPx);

    // Pixel position in the view of a value on the bottom axis and a vertical axis, and back.
    QPointF viewPosition(double x, double y, AxisSide side) const;
    QPointF valueAt(const QPointF& viewPos, AxisSide side) const;
    // The centre of bar `category` of core series `series` (bar charts), in view pixels.
    std::optional<QPointF> barCentre(size_t series, int category) const;

    // The chart as it shows, to a PNG file or (by the name's ending) an SVG file; false when it cannot be written.
    bool saveImage(const QString& file);
    // "Spara diagram som bild…": asks for the file, then saves; a failure names the file.
    void askSaveImage();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QAbstractSeries* seriesOnSide(AxisSide side) const;
    enum class Layout { XY, HorizBars, Bars, Pie };
    struct LegendEntry {
        QString title;
        QColor colour;
        SeriesKind kind;
        bool pointsShown;
    };
    int legendRowHeight() const;
    double legendEntryWidth(const LegendEntry& e) const;
    struct BarHit {
        size_t series;
        int category;
    };

    const Chart& data() const { return *source_; }
    void build();
    void ensureXYSeries();
    // What the chart plots for core series i: the series itself, or the area of a band.
    QAbstractSeries* plotted(size_t i) const;
    void refreshTitles();
    void refreshXY();
    void refreshBars();
    void refreshPie();
    void refreshAxes();
    void refreshLegend();
    void placeLegend();
    void updateMargins();
    void applyAxis(QValueAxis* axis, const Axis& a, double dataMin, double dataMax, bool vertical);
    std::optional<BarHit> barAt(const QPointF& pos) const;
    // The bar-slot x of a category and an active set, as the bar series lays them out.
    double barX(int category, int slot) const;

    // A series' colour as drawn: as it is on screen, darker on paper when pale.
    QColor ink(const QColor& colour) const;
    QString foreground() const;
    void drawMarks(QPainter& p);
    void drawLegend(QPainter& p);
    void drawFooters(QPainter& p);
    void drawFit(QPainter& p);
    void drawErrorBars(QPainter& p);

    Vildo& app_;
    int number_;
    const Chart* source_;
    ChartColours colours_ = ChartColours::screen();
    Runner run_;
    Layout layout_ = Layout::XY;
    QValueAxis* bottom_ = nullptr;
    QValueAxis* left_ = nullptr;
    QValueAxis* right_ = nullptr;
    QBarCategoryAxis* categories_ = nullptr;
    std::vector<QXYSeries*> xy_;       // by core series index; a band's upper edge
    std::vector<QAreaSeries*> areas_;  // by core series index; null but for bands
    QAbstractBarSeries* bars_ = nullptr;
    std::vector<QBarSet*> sets_;         // by core series index
    std::vector<size_t> activeSets_;     // core series indexes of the sets shown, in order
    std::vector<double> barCategories_;  // the x value of each bar category
    bool stacked_ = false;
    bool labelled_ = false;  // the bar categories carry the points' labels
    QPieSeries* pie_ = nullptr;
    std::optional<Chart> rendered_;  // what the Qt chart shows now
    int footerLines_ = 0;
    std::vector<LegendEntry> legend_;  // the names the legend shows now
    std::vector<int> legendRows_;      // entries a row
    int legendPx_ = 12;                // the legend's font size as the window sets it
    QFont legendFont_;                 // the legend's font as drawn: smaller on a small chart
    int plotLayouts_ = 0;              // axis updates the plot's own layout caused since the last change
    QString foreground_;
};

}  // namespace qt
}  // namespace vildo
