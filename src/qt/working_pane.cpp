#include "qt/working_pane.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "app/full_calibration.h"
#include "app/vildo.h"
#include "ui/working_pane.h"

namespace vildo::qt {

namespace {

const QColor kSilver(192, 192, 192);

QRect toRect(const PaneRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)); }

}  // namespace

WorkingPaneView::WorkingPaneView(Vildo& app, Runner run, QWidget* parent)
    : QWidget(parent), app_(app), run_(std::move(run)) {
    setObjectName("pnl_working");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WorkingPaneView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const WorkingPane pane = Working(app_, width(), height());
    p.fillRect(toRect(pane.cancelBox), kSilver);
    p.setPen(kSilver);
    p.setBrush(Qt::NoBrush);
    p.drawRect(toRect(pane.progressFrame));
    p.fillRect(toRect(pane.progressFill), kSilver);
    QFont arial("Arial");
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    for (const PaneText& t : pane.texts) {
        QFont f = t.courier ? courier : arial;
        f.setPixelSize(t.fontPx);
        p.setFont(f);
        const bool onCancelBox = toRect(pane.cancelBox).contains(t.x, t.y);
        p.setPen(onCancelBox ? Qt::black : t.courier ? kSilver : QColor(235, 235, 235));
        // The core gives each text's top left corner.
        p.drawText(QPoint(t.x, t.y + QFontMetrics(f).ascent()), QString::fromStdString(t.text));
    }
}

void WorkingPaneView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    run_([&] { PaintBox1MouseDown(app_, at.x(), at.y(), width()); });
}

// Over the cancel box the pointer is an arrow, elsewhere on the pane the hourglass of the running work.
void WorkingPaneView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const Qt::CursorShape shape = paneArrowCursor(at.x(), at.y(), width()) ? Qt::ArrowCursor : Qt::WaitCursor;
    if (QApplication::overrideCursor())
        QApplication::changeOverrideCursor(shape);
    else
        setCursor(shape);
}

// A double click sends the pane behind the charts.
void WorkingPaneView::mouseDoubleClickEvent(QMouseEvent*) {
    run_([&] { app_.WorkingFront = false; });
}

}  // namespace vildo::qt
