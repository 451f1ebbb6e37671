// What a chart view draws over Qt's chart (marks, the legend, footers, the fit and the error bars), and the
// chart saved as an image.
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSvgGenerator>
#include <QtCharts/QAbstractBarSeries>
#include <QtCharts/QChart>
#include <QtCharts/QXYSeries>
#include <algorithm>
#include <cmath>

#include "app/vildo.h"
#include "qt/chart_view.h"
#include "qt/chart_view_parts.h"
#include "qt/dark_style.h"
#include "qt/save_dialog.h"
#include "util/round.h"

namespace vildo::qt {

void ChartView::drawForeground(QPainter* painter, const QRectF& rect) {
    QChartView::drawForeground(painter, rect);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    drawMarks(*painter);
    drawLegend(*painter);
    drawFooters(*painter);
    if (number_ == 5) {
        drawErrorBars(*painter);
        drawFit(*painter);
    }
    painter->restore();
}

void ChartView::drawMarks(QPainter& p) {
    const Chart& d = data();
    const QLocale sv = swedishLocale();
    QFont f = font();
    f.setPixelSize(11);
    p.setFont(f);
    const QFontMetrics fm(f);
    const QRectF plot = chart()->plotArea();
    struct Mark {
        QRectF box;
        QString text;
        QColor colour;
    };
    std::vector<Mark> marks;
    for (size_t i = 0; i < d.series.size(); ++i) {
        const Series& s = d.series[i];
        if (!s.active || s.marks == MarkStyle::None || s.marks == MarkStyle::LabelAndPercent) continue;
        for (size_t k = 0; k < s.points.size(); ++k) {
            const ChartPoint& pt = s.points[k];
            QString mark = sv.toString(pt.y, 'f', s.markDecimals);
            if (s.marks == MarkStyle::LabelAndValue && !pt.label.empty())
                mark = QString::fromStdString(pt.label) + " " + mark;
            QPointF at;
            if (layout_ == Layout::XY && i < xy_.size()) {
                at = chart()->mapToPosition(QPointF(pt.x, pt.y), plotted(i));
            } else if (layout_ == Layout::Bars) {
                auto slot = std::find(activeSets_.begin(), activeSets_.end(), i);
                auto cat = std::find(barCategories_.begin(), barCategories_.end(), labelled_ ? pt.x : Round(pt.x));
                if (slot == activeSets_.end() || cat == barCategories_.end()) continue;
                const double x =
                    barX(static_cast<int>(cat - barCategories_.begin()), static_cast<int>(slot - activeSets_.begin()));
                at = chart()->mapToPosition(QPointF(x, pt.y), bars_);
            } else {
                continue;
            }
            if (!plot.adjusted(-2, -2, 2, 2).contains(at)) continue;
            const int w = fm.horizontalAdvance(mark) + 8, h = fm.height() + 2;
            QRectF box(at.x() - w / 2.0, at.y() - h - 5, w, h);
            if (box.top() < plot.top()) box.moveTop(at.y() + 5);
            marks.push_back({box, mark, ink(rgb(s.colour))});
        }
    }
    // Marks that would lie over one another are left out; the first series' marks come first.
    std::vector<MarkBox> boxes;
    for (const Mark& m : marks) boxes.push_back({m.box.left(), m.box.top(), m.box.width(), m.box.height()});
    const std::vector<bool> drawn = marksDrawn(boxes);
    for (size_t i = 0; i < marks.size(); ++i) {
        if (!drawn[i]) continue;
        p.setPen(QPen(marks[i].colour, 1));
        p.setBrush(colours_.markFill);
        p.drawRoundedRect(marks[i].box, 3, 3);
        p.setPen(colours_.text);
        p.drawText(marks[i].box, Qt::AlignCenter, marks[i].text);
    }
}

void ChartView::drawLegend(QPainter& p) {
    if (legendRows_.empty()) return;
    p.setFont(legendFont_);
    const QFontMetrics fm(legendFont_);
    const QRectF r = chart()->rect();
    const int rowH = legendRowHeight();
    double y = r.bottom() - 4 - footerLines_ * kFooterLine - static_cast<double>(legendRows_.size()) * rowH;
    size_t next = 0;
    for (int count : legendRows_) {
        double rowWidth = 0;
        for (int k = 0; k < count; ++k) rowWidth += legendEntryWidth(legend_[next + static_cast<size_t>(k)]);
        rowWidth += (count - 1) * kLegendGap;
        double x = r.left() + std::max(4.0, (r.width() - rowWidth) / 2);
        const double mid = y + rowH / 2.0;
        for (int k = 0; k < count; ++k, ++next) {
            const LegendEntry& e = legend_[next];
            // The swatch draws the series as the chart does: a line, a diamond or a bar.
            if (e.kind == SeriesKind::Line) {
                p.setPen(QPen(e.colour, 2));
                p.drawLine(QPointF(x, mid), QPointF(x + kLegendSwatch, mid));
                if (e.pointsShown) {
                    p.setBrush(e.colour);
                    p.drawEllipse(QPointF(x + kLegendSwatch / 2.0, mid), 2.5, 2.5);
                }
            } else if (e.kind == SeriesKind::Band) {
                p.setPen(QPen(e.colour, 1));
                p.setBrush(bandFill(e.colour));
                p.drawRect(QRectF(x + 2, mid - 5, kLegendSwatch - 4, 10));
            } else if (e.kind == SeriesKind::Point) {
                const double c = x + kLegendSwatch / 2.0, h = 5;
                p.setPen(QPen(e.colour.darker(160), 1));
                p.setBrush(e.colour);
                p.drawPolygon(
                    QPolygonF{QPointF(c, mid - h), QPointF(c + h, mid), QPointF(c, mid + h), QPointF(c - h, mid)});
            } else {
                p.setPen(QPen(e.colour.darker(140), 1));
                p.setBrush(e.colour);
                p.drawRect(QRectF(x + 2, mid - 5, kLegendSwatch - 4, 10));
            }
            p.setPen(colours_.text);
            p.drawText(QRectF(x + kLegendSwatch + 6, y, fm.horizontalAdvance(e.title) + 2, rowH),
                       Qt::AlignLeft | Qt::AlignVCenter, e.title);
            x += legendEntryWidth(e) + kLegendGap;
        }
        y += rowH;
    }
}

void ChartView::drawFooters(QPainter& p) {
    const Chart& d = data();
    if (footerLines_ == 0) return;
    QFont f = font();
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(d.footerColour ? rgb(d.footerColour) : colours_.text);
    const QRectF r = chart()->rect();
    double y = r.bottom() - 4 - footerLines_ * kFooterLine;
    for (const auto& [line, shown] :
         {std::pair{&d.subFooter, d.subFooterVisible}, std::pair{&d.footer, d.footerVisible}}) {
        if (!shown || line->empty()) continue;
        p.drawText(QRectF(r.left(), y, r.width(), kFooterLine), Qt::AlignCenter, text(*line));
        y += kFooterLine;
    }
}

// "R2: " with three decimals near the top right corner while the fit is to be shown.
void ChartView::drawFit(QPainter& p) {
    if (!app_.ShowFit) return;
    QFont f = font();
    f.setPixelSize(16);
    p.setFont(f);
    const QString fit = "R2: " + swedishLocale().toString(app_.ModelFit, 'f', 3);
    const QRectF r = chart()->rect();
    const double x = std::min(r.width() - 50, r.width() - QFontMetrics(f).horizontalAdvance(fit) - 10);
    p.setPen(colours_.text);
    p.drawText(QPointF(x, 10 + QFontMetrics(f).ascent()), fit);
}

// The gold uncertainty bars on the batch densities, while the density view is shown.
void ChartView::drawErrorBars(QPainter& p) {
    const Chart& d = data();
    if (d.series.size() < 5 || xy_.size() < 5 || !d.series[4].active || d.series[4].points.empty() ||
        !app_.checked(C::lgtthetochAvskjutning1))
        return;
    const std::vector<ChartPoint>& pts = d.series[4].points;
    auto pixel = [&](size_t i) { return chart()->mapToPosition(QPointF(pts[i].x, pts[i].y), xy_[4]); };
    const double w = pts.size() > 1 ? (pixel(1).x() - pixel(0).x()) / 6 : 4;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(255, 215, 0), 1));
    double rel = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        const size_t rec = static_cast<size_t>(app_.StartIndex) + i;
        if (rec < app_.Statistics.size() && app_.Statistics[rec].Vildodens > 0)
            rel = app_.Statistics[rec].Stddens / app_.Statistics[rec].Vildodens;
        const QPointF c = pixel(i);
        const double h = static_cast<double>(Round(rel * c.y()));
        p.drawLine(QPointF(c.x() - w, c.y() - h), QPointF(c.x() + w, c.y() - h));
        p.drawLine(QPointF(c.x(), c.y() - h), QPointF(c.x(), c.y() + h));
        p.drawLine(QPointF(c.x() - w, c.y() + h), QPointF(c.x() + w, c.y() + h));
    }
}

bool ChartView::saveImage(const QString& file) {
    if (file.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setSize(size());
        svg.setViewBox(rect());
        svg.setTitle(chart()->title());
        QPainter p;
        if (!p.begin(&svg)) return false;
        render(&p);
        return p.end();
    }
    return grab().save(file, "PNG");
}

void ChartView::askSaveImage() {
    const QString file = askFileToSave(this, QString::fromUtf8("Spara diagram som bild"),
                                       {QString::fromUtf8("PNG-bild (*.png)"), QString::fromUtf8("SVG-bild (*.svg)")});
    if (!file.isEmpty() && !saveImage(file))
        QMessageBox::warning(this, "Vildo", QString::fromUtf8("Diagrammet kunde inte sparas som %1.").arg(file));
}

void ChartView::contextMenuEvent(QContextMenuEvent* event) {
    // The right button edits the predator chart, and the bars of the expert charts: there the menu needs Shift.
    const bool rightEdits = number_ == 10 || ((number_ == 4 || number_ == 6) && data().enabled);
    if (event->reason() == QContextMenuEvent::Mouse && rightEdits && !(event->modifiers() & Qt::ShiftModifier)) {
        event->accept();  // the press has edited: no menu, and none from the window either
        return;
    }
    QMenu menu(this);
    menu.addAction(QString::fromUtf8("Spara diagram som bild…"), this, &ChartView::askSaveImage);
    menu.exec(event->globalPos());
}

}  // namespace vildo::qt
