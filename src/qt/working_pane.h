// The progress pane pnl_working: it lies over the charts while the full calibration runs and paints what
// the core lays out for it (cancel box, texts, progress bar, diagnostics) on black.
#pragma once
#include <QWidget>

#include "qt/chart_view.h"

namespace vildo {

struct Vildo;

namespace qt {

class WorkingPaneView : public QWidget {
    Q_OBJECT
public:
    WorkingPaneView(Vildo& app, Runner run, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Vildo& app_;
    Runner run_;
};

}  // namespace qt
}  // namespace vildo
