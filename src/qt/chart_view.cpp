#include "qt/chart_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarLegendMarker>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QHorizontalStackedBarSeries>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QStackedBarSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <map>

#include "app/chart_editing.h"
#include "app/view_menu.h"
#include "app/vildo.h"
#include "qt/chart_view_parts.h"
#include "qt/dark_style.h"
#include "util/round.h"

namespace vildo::qt {

namespace {

constexpr double kBarWidth = 0.8;

bool samePoints(const std::vector<ChartPoint>& a, const std::vector<ChartPoint>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ChartPoint& p, const ChartPoint& q) {
        return p.x == q.x && p.y == q.y && p.colour == q.colour && p.label == q.label;
    });
}

bool sameSeries(const Series& a, const Series& b) {
    return a.title == b.title && a.kind == b.kind && a.colour == b.colour && a.active == b.active &&
           a.marks == b.marks && a.markDecimals == b.markDecimals && a.pointsShown == b.pointsShown &&
           a.axis == b.axis && samePoints(a.points, b.points) && a.lows == b.lows;
}

bool sameAxis(const Axis& a, const Axis& b) {
    return a.title == b.title && a.min == b.min && a.max == b.max && a.increment == b.increment &&
           a.automatic == b.automatic && a.visible == b.visible;
}

bool sameSeriesList(const std::vector<Series>& a, const std::vector<Series>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameSeries);
}

// The chart's colour for a point: its own, else its series'.
QColor pointColour(const Series& s, const ChartPoint& p) { return rgb(p.colour ? p.colour : s.colour); }

// The colour that paints a whole bar set: the points' own colour when they all agree, else the series'.
QColor setColour(const Series& s) {
    if (!s.points.empty() && s.points.front().colour != 0 &&
        std::all_of(s.points.begin(), s.points.end(),
                    [&](const ChartPoint& p) { return p.colour == s.points[0].colour; }))
        return rgb(s.points.front().colour);
    return rgb(s.colour);
}

int decimalsOf(double step) {
    for (int d = 0; d < 4; ++d)
        if (std::fabs(step * std::pow(10.0, d) - std::round(step * std::pow(10.0, d))) < 1e-9) return d;
    return 4;
}

MouseButton coreButton(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton: return MouseButton::Left;
        case Qt::RightButton: return MouseButton::Right;
        default: return MouseButton::Middle;
    }
}

}  // namespace

ChartView::ChartView(Vildo& app, int number, Runner run, QWidget* parent)
    : QChartView(parent),
      app_(app),
      number_(number),
      source_(&app.charts[static_cast<size_t>(number)]),
      run_(std::move(run)) {
    setObjectName(QString("Chart%1").arg(number));
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setMinimumSize(120, 100);
    build();
    refresh();
}

ChartColours ChartColours::screen() {
    return {palette::kText,          palette::kGridLine, palette::kAxisLine, palette::kChartBackground,
            QColor(20, 20, 22, 215), QColor(30, 30, 30)};
}

ChartColours ChartColours::paper() {
    return {QColor(20, 20, 20),
            QColor(205, 205, 205),
            QColor(60, 60, 60),
            Qt::white,
            QColor(255, 255, 255, 225),
            QColor(255, 255, 255),
            true};
}

QColor ChartView::ink(const QColor& colour) const {
    // Pale curves that read well on the dark screen fade on white paper.
    return colours_.forPaper && colour.lightness() > 140 ? colour.darker(100 + (colour.lightness() - 100)) : colour;
}

// Number 0 belongs to none of the window's charts: no click reaches a handler.
ChartView::ChartView(Vildo& app, const Chart& chart, QWidget* parent, const ChartColours& colours)
    : QChartView(parent), app_(app), number_(0), source_(&chart), colours_(colours) {
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setMinimumSize(120, 100);
    build();
    refresh();
}

QAbstractSeries* ChartView::plotted(size_t i) const {
    if (i < areas_.size() && areas_[i]) return areas_[i];
    return xy_[i];
}

void ChartView::build() {
    auto* c = new QChart();
    c->setTheme(QChart::ChartThemeDark);
    c->setLocalizeNumbers(true);
    c->setLocale(swedishLocale());
    c->setBackgroundRoundness(0);
    c->setMargins(QMargins(4, 4, 4, 4));
    // The legend is drawn by the view, in rows below the plot (Qt's keeps to one line and elides).
    c->legend()->hide();
    c->setAnimationOptions(QChart::NoAnimation);
    setChart(c);
    legendFont_ = font();
    legendFont_.setPixelSize(legendPx_);
    // The label steps depend on the plot's size, which the chart lays out after a change: look again once
    // it has, a few times at most, so that steps and label widths that move the plot cannot chase each other.
    connect(c, &QChart::plotAreaChanged, this, [this](const QRectF&) {
        if (layout_ == Layout::Pie || !rendered_ || plotLayouts_ >= 3) return;
        ++plotLayouts_;
        refreshAxes();
    });

    const Chart& d = data();
    const SeriesKind kind = d.series.empty() ? SeriesKind::Line : d.series.front().kind;
    layout_ = kind == SeriesKind::HorizBar ? Layout::HorizBars
              : kind == SeriesKind::Bar    ? Layout::Bars
              : kind == SeriesKind::Pie    ? Layout::Pie
                                           : Layout::XY;
    if (layout_ == Layout::Pie) {
        pie_ = new QPieSeries();
        pie_->setPieSize(0.62);
        c->addSeries(pie_);
        return;
    }
    bottom_ = new QValueAxis();
    left_ = new QValueAxis();
    for (QValueAxis* a : {bottom_, left_}) {
        a->setGridLineColor(colours_.gridLine);
        a->setLinePenColor(colours_.axisLine);
        a->setLabelsColor(colours_.text);
        a->setTitleBrush(colours_.text);
        a->setMinorGridLineVisible(false);
        // The label steps keep labels apart (axisLabelStep); Qt's own test cuts readable labels to "...".
        a->setTruncateLabels(false);
    }
    if (layout_ == Layout::XY) {
        ensureXYSeries();
        return;
    }
    stacked_ = true;
    if (layout_ == Layout::HorizBars) {
        bars_ = new QHorizontalStackedBarSeries();
    } else {
        bars_ = new QStackedBarSeries();
    }
    bars_->setBarWidth(kBarWidth);
    for (const Series& s : d.series) {
        auto* set = new QBarSet(QString::fromStdString(s.title), this);
        set->setColor(ink(setColour(s)));
        set->setBorderColor(ink(setColour(s)).darker(140));
        sets_.push_back(set);
    }
    c->addSeries(bars_);
    // Horizontal bars grow along the bottom axis and stand on the left one.
    c->addAxis(bottom_, Qt::AlignBottom);
    c->addAxis(left_, Qt::AlignLeft);
    bars_->attachAxis(bottom_);
    bars_->attachAxis(left_);
}

// Line and point series are made as the core's chart gains series; axes are attached after adding.
void ChartView::ensureXYSeries() {
    const Chart& d = data();
    QChart* c = chart();
    bool added = false;
    while (xy_.size() < d.series.size()) {
        const Series& s = d.series[xy_.size()];
        QXYSeries* q;
        QAreaSeries* area = nullptr;
        if (s.kind == SeriesKind::Point) {
            auto* sc = new QScatterSeries();
            sc->setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
            sc->setMarkerSize(11);
            sc->setBorderColor(ink(rgb(s.colour)).darker(160));
            q = sc;
        } else {
            q = new QLineSeries();
        }
        q->setName(QString::fromStdString(s.title));
        if (s.kind == SeriesKind::Band) {
            // The area takes both edges as its children; the chart plots only the area.
            area = new QAreaSeries(static_cast<QLineSeries*>(q), new QLineSeries());
            area->setName(q->name());
            c->addSeries(area);
        } else {
            c->addSeries(q);
        }
        xy_.push_back(q);
        areas_.push_back(area);
        added = true;
    }
    if (!added) return;
    if (!bottom_->parent() || !c->axes().contains(bottom_)) {
        c->addAxis(bottom_, Qt::AlignBottom);
        c->addAxis(left_, Qt::AlignLeft);
    }
    for (size_t i = 0; i < xy_.size(); ++i) {
        QAbstractSeries* q = plotted(i);
        if (!q->attachedAxes().isEmpty()) continue;
        q->attachAxis(bottom_);
        if (d.series[i].axis == AxisSide::Right) {
            if (!right_) {
                right_ = new QValueAxis();
                right_->setGridLineVisible(false);
                right_->setLinePenColor(colours_.axisLine);
                right_->setLabelsColor(colours_.text);
                right_->setTitleBrush(colours_.text);
                right_->setTruncateLabels(false);
                c->addAxis(right_, Qt::AlignRight);
            }
            q->attachAxis(right_);
        } else {
            q->attachAxis(left_);
        }
    }
}

void ChartView::refresh() {
    const Chart& d = data();
    if (isHidden() == d.visible) setVisible(d.visible);
    if (rendered_ && rendered_->title == d.title && rendered_->subTitle == d.subTitle &&
        rendered_->footer == d.footer && rendered_->subFooter == d.subFooter &&
        rendered_->titleVisible == d.titleVisible && rendered_->footerVisible == d.footerVisible &&
        rendered_->subFooterVisible == d.subFooterVisible && rendered_->footerColour == d.footerColour &&
        rendered_->background == d.background && sameAxis(rendered_->left, d.left) &&
        sameAxis(rendered_->right, d.right) && sameAxis(rendered_->bottom, d.bottom) &&
        sameSeriesList(rendered_->series, d.series)) {
        // The fit text and the error bars read the model, not the chart.
        if (number_ == 5 && foreground() != foreground_) {
            foreground_ = foreground();
            viewport()->update();
        }
        return;
    }
    refreshTitles();
    switch (layout_) {
        case Layout::XY: refreshXY(); break;
        case Layout::HorizBars:
        case Layout::Bars: refreshBars(); break;
        case Layout::Pie: refreshPie(); break;
    }
    refreshLegend();
    plotLayouts_ = 0;
    if (layout_ != Layout::Pie) refreshAxes();
    rendered_ = d;
    foreground_ = foreground();
    viewport()->update();
}

// What the main chart draws from the model besides its series.
QString ChartView::foreground() const {
    if (number_ != 5) return {};
    return QString("%1 %2 %3 %4 %5")
        .arg(app_.ShowFit)
        .arg(app_.ModelFit, 0, 'f', 3)
        .arg(app_.checked(C::lgtthetochAvskjutning1))
        .arg(app_.StartIndex)
        .arg(app_.Statistics.size());
}

void ChartView::refreshTitles() {
    const Chart& d = data();
    QChart* c = chart();
    // The title item takes rich text: line breaks as <br>.
    QStringList titleLines;
    if (d.titleVisible && !d.title.empty()) titleLines << text(d.title).toHtmlEscaped().split('\n');
    if (!d.subTitle.empty()) titleLines << text(d.subTitle).toHtmlEscaped();
    const QString title = titleLines.join("<br>");
    if (c->title() != title) c->setTitle(title);
    c->setTitleBrush(colours_.text);
    const QColor bg = d.background && !colours_.forPaper ? rgb(d.background) : colours_.background;
    c->setBackgroundBrush(bg);
    c->setPlotAreaBackgroundVisible(false);
    int lines = 0;
    if (d.footerVisible && !d.footer.empty()) ++lines;
    if (d.subFooterVisible && !d.subFooter.empty()) ++lines;
    footerLines_ = lines;
    updateMargins();
}

// Room below the plot for the legend's rows and the footers.
void ChartView::updateMargins() {
    const int bottom = 4 + footerLines_ * kFooterLine + static_cast<int>(legendRows_.size()) * legendRowHeight();
    const QMargins m(4, 4, 4, bottom);
    if (chart()->margins() != m) chart()->setMargins(m);
}

void ChartView::refreshXY() {
    ensureXYSeries();
    const Chart& d = data();
    for (size_t i = 0; i < xy_.size(); ++i) {
        const Series& s = d.series[i];
        QXYSeries* q = xy_[i];
        const Series* old = rendered_ && i < rendered_->series.size() ? &rendered_->series[i] : nullptr;
        if (!old || !samePoints(old->points, s.points)) {
            QList<QPointF> pts;
            pts.reserve(static_cast<qsizetype>(s.points.size()));
            for (const ChartPoint& p : s.points) pts.append(QPointF(p.x, p.y));
            q->replace(pts);  // one signal for the whole list
        }
        if (QAreaSeries* area = areas_[i]) {
            if (!old || old->lows != s.lows || !samePoints(old->points, s.points)) {
                QList<QPointF> lows;
                lows.reserve(static_cast<qsizetype>(s.points.size()));
                for (size_t k = 0; k < s.points.size(); ++k)
                    lows.append(QPointF(s.points[k].x, k < s.lows.size() ? s.lows[k] : s.points[k].y));
                area->lowerSeries()->replace(lows);
            }
            if (!old || old->colour != s.colour) {
                area->setBrush(bandFill(ink(rgb(s.colour))));
                area->setPen(QPen(ink(rgb(s.colour)), 1.0));
            }
            if (area->isVisible() != s.active) area->setVisible(s.active);
            continue;
        }
        if (!old || old->colour != s.colour || old->pointsShown != s.pointsShown) {
            if (s.kind == SeriesKind::Point) {
                q->setColor(ink(rgb(s.colour)));
            } else {
                QPen pen(ink(rgb(s.colour)));
                pen.setWidthF(2.0);
                q->setPen(pen);
                q->setPointsVisible(s.pointsShown);
            }
        }
        if (q->isVisible() != s.active) q->setVisible(s.active);
    }
}

void ChartView::refreshBars() {
    const Chart& d = data();
    // The categories: bar positions by y for horizontal bars, by x (or by label) for vertical ones.
    const bool horizontal = layout_ == Layout::HorizBars;
    std::vector<size_t> active;
    for (size_t i = 0; i < d.series.size() && i < sets_.size(); ++i)
        if (d.series[i].active) active.push_back(i);
    bool labelled = false;
    std::map<double, std::string> cats;
    std::map<double, int> setsAt;
    for (size_t i : active)
        for (const ChartPoint& p : d.series[i].points) {
            const double at = horizontal ? p.y : p.x;
            if (!p.label.empty()) labelled = true;
            cats.emplace(at, p.label);
            ++setsAt[at];
        }
    const bool stacked = horizontal || std::all_of(setsAt.begin(), setsAt.end(), [](auto& e) { return e.second <= 1; });

    std::vector<double> categories;
    if (labelled) {
        for (auto& [x, label] : cats) categories.push_back(x);
    } else {
        // Whole positions from 0: the bar of position k stands at k on the value axis.
        int top = -1;
        for (auto& [x, label] : cats) top = std::max(top, static_cast<int>(Round(x)));
        for (int k = 0; k <= top; ++k) categories.push_back(k);
    }

    QChart* c = chart();
    if (stacked != stacked_ && !horizontal) {
        // A view whose bars share their positions needs them side by side: a new series of the other kind.
        // A taken set keeps the series as its parent: hand it to the view before the series goes.
        for (QBarSet* set : sets_) {
            bars_->take(set);
            set->setParent(this);
        }
        c->removeSeries(bars_);
        delete bars_;
        bars_ = stacked ? static_cast<QAbstractBarSeries*>(new QStackedBarSeries())
                        : static_cast<QAbstractBarSeries*>(new QBarSeries());
        bars_->setBarWidth(kBarWidth);
        c->addSeries(bars_);
        for (QAbstractAxis* a : c->axes()) bars_->attachAxis(a);
        activeSets_.clear();
        stacked_ = stacked;
    }
    if (labelled != labelled_ && !horizontal) {
        QAbstractAxis* old = labelled_ ? static_cast<QAbstractAxis*>(categories_) : bottom_;
        bars_->detachAxis(old);
        c->removeAxis(old);
        if (labelled) {
            if (!categories_) {
                categories_ = new QBarCategoryAxis();
                categories_->setLabelsColor(colours_.text);
                categories_->setGridLineVisible(false);
                categories_->setLinePenColor(colours_.axisLine);
            }
            c->addAxis(categories_, Qt::AlignBottom);
            bars_->attachAxis(categories_);
        } else {
            c->addAxis(bottom_, Qt::AlignBottom);
            bars_->attachAxis(bottom_);
        }
        labelled_ = labelled;
    }
    if (labelled_) {
        QStringList names;
        for (double x : categories) names << QString::fromStdString(cats[x]);
        if (categories_->categories() != names) {
            categories_->clear();
            categories_->append(names);
        }
    }
    barCategories_ = categories;

    if (active != activeSets_) {
        for (size_t i : activeSets_) {
            bars_->take(sets_[i]);
            sets_[i]->setParent(this);
        }
        for (size_t i : active) bars_->append(sets_[i]);
        activeSets_ = active;
    }
    for (size_t i = 0; i < sets_.size() && i < d.series.size(); ++i) {
        const Series& s = d.series[i];
        QList<qreal> values(static_cast<qsizetype>(categories.size()), 0.0);
        for (const ChartPoint& p : s.points) {
            const double at = horizontal ? p.y : p.x;
            const double v = horizontal ? p.x : p.y;
            auto it = std::find(categories.begin(), categories.end(), labelled_ ? at : static_cast<double>(Round(at)));
            if (it != categories.end()) values[it - categories.begin()] = v;
        }
        QBarSet* set = sets_[i];
        QList<qreal> current;
        for (int k = 0; k < set->count(); ++k) current.append(set->at(k));
        if (current != values) {
            set->remove(0, set->count());
            set->append(values);
        }
        if (set->color() != ink(setColour(s))) {
            set->setColor(ink(setColour(s)));
            set->setBorderColor(ink(setColour(s)).darker(140));
        }
        set->setLabel(QString::fromStdString(s.title));
    }
}

void ChartView::refreshPie() {
    const Chart& d = data();
    if (d.series.empty()) return;
    const Series& s = d.series.front();
    double total = 0;
    for (const ChartPoint& p : s.points) total += std::max(0.0, p.y);
    while (pie_->count() > static_cast<int>(s.points.size())) pie_->remove(pie_->slices().last());
    while (pie_->count() < static_cast<int>(s.points.size())) {
        QPieSlice* slice = pie_->append(QString(), 0);
        slice->setLabelVisible(true);
        slice->setLabelColor(colours_.text);
        slice->setBorderColor(colours_.sliceBorder);
    }
    const QLocale sv = swedishLocale();
    for (size_t i = 0; i < s.points.size(); ++i) {
        const ChartPoint& p = s.points[i];
        QPieSlice* slice = pie_->slices()[static_cast<int>(i)];
        slice->setValue(std::max(0.0, p.y));
        const double pct = total > 0 ? std::max(0.0, p.y) * 100 / total : 0;
        slice->setLabel(QString::fromStdString(p.label) + " " + sv.toString(static_cast<double>(Round(pct)), 'f', 0) +
                        " %");
        slice->setColor(ink(pointColour(s, p)));
        slice->setLabelVisible(p.y > 0);
    }
}

void ChartView::applyAxis(QValueAxis* axis, const Axis& a, double dataMin, double dataMax, bool vertical) {
    double lo = a.min, hi = a.max;
    if (a.automatic) {
        lo = std::min(0.0, dataMin);
        hi = dataMax > lo ? dataMax * 1.1 : lo + 1;
    }
    if (hi <= lo) hi = lo + 1;
    const QRectF plot = chart()->plotArea();
    const double pixels = vertical ? (plot.height() > 10 ? plot.height() : height() * 0.7)
                                   : (plot.width() > 10 ? plot.width() : width() * 0.8);
    // The room a label takes along the axis: its height upwards, its widest text and a gap sideways.
    const QFontMetrics fm(axis->labelsFont());
    const QLocale sv = swedishLocale();
    auto labelPixels = [&](int decimals) {
        if (vertical) return fm.height() + 4.0;
        const int widest = std::max(fm.horizontalAdvance(sv.toString(lo, 'f', decimals)),
                                    fm.horizontalAdvance(sv.toString(hi, 'f', decimals)));
        return widest + fm.height() * 0.5;
    };
    const double given = a.automatic ? 0 : a.increment;
    double step = axisLabelStep(lo, hi, given, pixels, labelPixels(given > 0 ? decimalsOf(given) : 0));
    if (decimalsOf(step) > (given > 0 ? decimalsOf(given) : 0))
        step = axisLabelStep(lo, hi, given, pixels, labelPixels(decimalsOf(step)));
    if (a.automatic) {
        lo = std::floor(lo / step) * step;
        hi = std::ceil(hi / step) * step;
    }
    // Every range change lays the ticks out again: a wide range must never meet a fine old interval.
    const bool dynamic = axis->tickType() == QValueAxis::TicksDynamic;
    if (dynamic && step > axis->tickInterval()) axis->setTickInterval(step);
    if (axis->min() != lo || axis->max() != hi) axis->setRange(lo, hi);
    if (axis->tickAnchor() != 0) axis->setTickAnchor(0);
    if (axis->tickInterval() != step) axis->setTickInterval(step);
    if (!dynamic) axis->setTickType(QValueAxis::TicksDynamic);
    const QString format = QString("%.%1f").arg(decimalsOf(step));
    if (axis->labelFormat() != format) axis->setLabelFormat(format);
    const QString title = text(a.title);
    if (axis->titleText() != title) axis->setTitleText(title);
    // A low chart gives the titles' room to its plot.
    constexpr int kAxisTitleMinHeight = 240;
    axis->setTitleVisible(!title.isEmpty() && height() >= kAxisTitleMinHeight);
    if (axis->isVisible() != a.visible) axis->setVisible(a.visible);
}

void ChartView::refreshAxes() {
    const Chart& d = data();
    double xMin = 0, xMax = 0, lMin = 0, lMax = 0, rMin = 0, rMax = 0;
    bool first = true;
    for (size_t i = 0; i < d.series.size(); ++i) {
        const Series& s = d.series[i];
        if (!s.active) continue;
        for (const ChartPoint& p : s.points) {
            if (first) xMin = xMax = p.x;
            first = false;
            xMin = std::min(xMin, p.x);
            xMax = std::max(xMax, p.x);
            double& mn = s.axis == AxisSide::Right ? rMin : lMin;
            double& mx = s.axis == AxisSide::Right ? rMax : lMax;
            mn = std::min(mn, p.y);
            mx = std::max(mx, p.y);
        }
        double& lowest = s.axis == AxisSide::Right ? rMin : lMin;
        for (double low : s.lows) lowest = std::min(lowest, low);
    }
    if (layout_ == Layout::HorizBars) {
        // Bar lengths run along the bottom axis; the bars stand at whole positions of the left one.
        applyAxis(bottom_, d.bottom, xMin, xMax, false);
        Axis positions = d.left;
        positions.setRange(d.left.min + 0.5, d.left.max + 0.5);
        applyAxis(left_, positions, 0, 0, true);
        return;
    }
    if (layout_ == Layout::Bars) {
        if (!labelled_) {
            Axis b = d.bottom;
            // Whole bars at both ends of the range.
            if (!barCategories_.empty()) {
                b.min = std::min(b.min, -0.6);
                b.max = std::max(b.max, barCategories_.size() - 0.4);
            }
            b.automatic = false;
            applyAxis(bottom_, b, 0, 0, false);
        } else if (categories_) {
            categories_->setVisible(d.bottom.visible);
        }
        applyAxis(left_, d.left, lMin, lMax, true);
        return;
    }
    applyAxis(bottom_, d.bottom, xMin, xMax, false);
    applyAxis(left_, d.left, lMin, lMax, true);
    if (right_) applyAxis(right_, d.right, rMin, rMax, true);
}

// The names of the active series with a title, in series order.
void ChartView::refreshLegend() {
    const Chart& d = data();
    legend_.clear();
    if (layout_ == Layout::Pie) return;
    for (const Series& s : d.series)
        if (s.active && !s.title.empty())
            legend_.push_back({QString::fromStdString(s.title), ink(setColour(s)), s.kind, s.pointsShown});
    placeLegend();
}

int ChartView::legendRowHeight() const { return QFontMetrics(legendFont_).height() + 4; }

double ChartView::legendEntryWidth(const LegendEntry& e) const {
    return kLegendSwatch + 6 + QFontMetrics(legendFont_).horizontalAdvance(e.title);
}

// Rows below the plot: as many names a row as the chart's width takes, never more than its columns. On a
// small chart a legend that would take more than a quarter of its height gets a smaller font, down to 10 px.
void ChartView::placeLegend() {
    const int columns = data().legendColumns > 1 ? data().legendColumns : 0;
    for (int px = legendPx_;; --px) {
        legendFont_ = font();
        legendFont_.setPixelSize(px);
        std::vector<double> widths;
        for (const LegendEntry& e : legend_) widths.push_back(legendEntryWidth(e));
        legendRows_ = legendRows(widths, std::max(60, width() - 16), kLegendGap, columns);
        if (px <= 10 || legendRows_.size() <= 1 ||
            static_cast<int>(legendRows_.size()) * legendRowHeight() <= height() / 4)
            break;
    }
    updateMargins();
}

void ChartView::setFontSizes(int axisPx, int legendPx) {
    QFont f = font();
    f.setPixelSize(axisPx);
    for (QAbstractAxis* a : {static_cast<QAbstractAxis*>(bottom_), static_cast<QAbstractAxis*>(left_),
                             static_cast<QAbstractAxis*>(right_), static_cast<QAbstractAxis*>(categories_)})
        if (a) a->setLabelsFont(f);
    legendPx_ = legendPx;
    if (layout_ != Layout::Pie && rendered_) {
        plotLayouts_ = 0;
        placeLegend();
        refreshAxes();
    }
}

// The series whose axes stand for the given side: the first on that side, or the bars.
QAbstractSeries* ChartView::seriesOnSide(AxisSide side) const {
    if (layout_ != Layout::XY) return bars_;
    const Chart& d = data();
    for (size_t i = 0; i < xy_.size(); ++i)
        if (d.series[i].axis == side) return plotted(i);
    return nullptr;
}

QPointF ChartView::viewPosition(double x, double y, AxisSide side) const {
    QAbstractSeries* ref = seriesOnSide(side);
    const QPointF scene = chart()->mapToScene(chart()->mapToPosition(QPointF(x, y), ref));
    return mapFromScene(scene);
}

QPointF ChartView::valueAt(const QPointF& viewPos, AxisSide side) const {
    QAbstractSeries* ref = seriesOnSide(side);
    const QPointF chartPos = chart()->mapFromScene(mapToScene(viewPos.toPoint()));
    return chart()->mapToValue(chartPos, ref);
}

double ChartView::barX(int category, int slot) const {
    if (stacked_ || activeSets_.empty()) return category;
    const double each = kBarWidth / static_cast<double>(activeSets_.size());
    return category - kBarWidth / 2 + (slot + 0.5) * each;
}

std::optional<QPointF> ChartView::barCentre(size_t series, int category) const {
    auto it = std::find(activeSets_.begin(), activeSets_.end(), series);
    if (layout_ != Layout::Bars || it == activeSets_.end() || category < 0 ||
        category >= static_cast<int>(barCategories_.size()))
        return std::nullopt;
    const QBarSet* set = sets_[series];
    const double v = category < set->count() ? set->at(category) : 0;
    const double x = barX(category, static_cast<int>(it - activeSets_.begin()));
    return viewPosition(x, v / 2, AxisSide::Left);
}

// The bar under the pointer. A low bar still takes clicks a few pixels above its top.
std::optional<ChartView::BarHit> ChartView::barAt(const QPointF& pos) const {
    if (layout_ != Layout::Bars || activeSets_.empty()) return std::nullopt;
    const QPointF v = valueAt(pos, AxisSide::Left);
    const int category = static_cast<int>(std::lround(v.x()));
    if (category < 0 || category >= static_cast<int>(barCategories_.size())) return std::nullopt;
    const double offset = v.x() - (category - kBarWidth / 2);
    if (offset < 0 || offset > kBarWidth) return std::nullopt;
    const int slot = stacked_
                         ? 0
                         : std::min(static_cast<int>(activeSets_.size()) - 1,
                                    static_cast<int>(offset / (kBarWidth / static_cast<double>(activeSets_.size()))));
    size_t series = activeSets_[static_cast<size_t>(slot)];
    if (stacked_) {
        // Stacked sets share a position; the one with a value there is the bar.
        for (size_t i : activeSets_)
            if (category < sets_[i]->count() && sets_[i]->at(category) != 0) series = i;
    }
    const QBarSet* set = sets_[series];
    const double value = category < set->count() ? set->at(category) : 0;
    const double top = viewPosition(category, value, AxisSide::Left).y();
    const double base = viewPosition(category, 0, AxisSide::Left).y();
    if (pos.y() < std::min(top, base) - 4 || pos.y() > std::max(top, base) + 4) return std::nullopt;
    return BarHit{series, static_cast<int>(Round(barCategories_[static_cast<size_t>(category)]))};
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    const MouseButton button = coreButton(event->button());
    switch (number_) {
        case 6:
            if (auto hit = barAt(pos)) run_([&] { Chart6ClickSeries(app_, hit->category, button); });
            break;
        case 4:
            if (auto hit = barAt(pos))
                run_([&] { Chart4ClickSeries(app_, static_cast<int>(hit->series), hit->category, button); });
            break;
        case 10: run_([&] { Chart10MouseDown(app_, button); }); break;
        case 5: {
            const QRectF plot = chart()->plotArea();
            const int leftOfRight = static_cast<int>(plot.right() - pos.x());
            const int belowTop = static_cast<int>(pos.y());
            run_([&] { Chart5Click(app_, leftOfRight, belowTop); });
            break;
        }
        default: break;
    }
    event->accept();
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    if (number_ == 10 && app_.predatorDrag >= 0) {
        const QPointF v = valueAt(event->position(), app_.predatorDrag == 0 ? AxisSide::Left : AxisSide::Right);
        run_([&] { Chart10MouseMove(app_, v.x(), v.y()); });
    }
    event->accept();
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (number_ == 10) {
        const MouseButton button = coreButton(event->button());
        run_([&] { Chart10MouseUp(app_, button); });
    }
    event->accept();
}

void ChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // Tick spacing and the legend's place follow the chart's size.
    if (layout_ != Layout::Pie && rendered_) {
        plotLayouts_ = 0;
        placeLegend();
        refreshAxes();
    }
}

}  // namespace vildo::qt
