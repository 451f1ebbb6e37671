// The chart area of the main window: the left panel with its alternative views, the main time-series chart.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>

#include "app/vildo.h"
#include "qt/main_window.h"
#include "qt/working_pane.h"

namespace vildo::qt {

ChartView* MainWindow::makeChart(int n) {
    auto* c = new ChartView(app_, n, runner_);
    charts_[static_cast<size_t>(n)] = c;
    return c;
}

// The charts, and the progress pane that lies over them while the full calibration runs.
QWidget* MainWindow::buildChartArea() {
    chartStack_ = new QStackedWidget();
    working_ = new WorkingPaneView(app_, runner_);
    auto* diagram = new QWidget();
    diagram_ = diagram;
    diagram->setObjectName("pnl_Diagram");
    auto* row = new QHBoxLayout(diagram);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);

    // Chart1 and Chart2 share the panel in the view "Demografi"; the others fill it alone.
    panel15_ = new QWidget();
    panel15_->setObjectName("Panel15");
    auto* left = new QHBoxLayout(panel15_);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(2);
    for (int n : {1, 2, 8, 9}) left->addWidget(makeChart(n), 1);
    row->addWidget(panel15_);

    auto* panel14 = new QWidget();
    panel14->setObjectName("Panel14");
    auto* right = new QGridLayout(panel14);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(makeChart(5), 0, 0);
    sqrroot_ = controls_.label(C::LSqrroot);
    sqrroot_->setAttribute(Qt::WA_TransparentForMouseEvents);
    sqrroot_->setContentsMargins(0, 6, 12, 0);
    right->addWidget(sqrroot_, 0, 0, Qt::AlignTop | Qt::AlignRight);
    row->addWidget(panel14, 1);
    chartStack_->addWidget(diagram);
    chartStack_->addWidget(working_);
    return chartStack_;
}

}  // namespace vildo::qt
