// Prognos: the number of years to look ahead, then the futures run on a worker thread while the window
// stays responsive, and the fan chart of the winter stock with the shares per year.
#pragma once
#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

#include "app/forecast.h"
#include "qt/worker_thread.h"
#include "ui/charts.h"
#include "util/grid.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QDoubleSpinBox;
class QSpinBox;
class QStackedWidget;
class QTimer;

namespace vildo {

struct Vildo;

namespace qt {

class ChartView;
class GridView;

// "Antal år:" 1..20, 5 to begin with, and the goal the forecast measures against.
class ForecastYearsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ForecastYearsDialog(double goal = 8, QWidget* parent = nullptr);
    QSpinBox* years() const { return years_; }
    QDoubleSpinBox* goal() const { return goal_; }

private:
    QSpinBox* years_;
    QDoubleSpinBox* goal_;
};

// What runs the futures; tests put in their own.
using ForecastRunner = std::function<Forecast(const Vildo&, const ForecastRequest&, const ForecastProgress&)>;

// Runs a forecast from a copy of the state, taken when the dialog is made, with a progress bar and "Avbryt";
// then shows its result. "Avbryt" and closing the dialog stop the run.
class ForecastDialog : public QDialog {
    Q_OBJECT
public:
    ForecastDialog(Vildo& app, const ForecastRequest& request, ForecastRunner runner, QWidget* parent = nullptr);
    ~ForecastDialog() override;

    bool running() const { return worker_.running(); }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* cancelButton() const { return cancel_; }
    // Null until the result shows.
    ChartView* chartView() const { return chartView_; }
    GridView* table() const { return table_; }
    // "Jämför planer": the plans on the futures of this forecast's start, once the result shows.
    QPushButton* plansButton() const { return plans_; }
    // Escape, the close box and closing stop the run as "Avbryt" does.
    void reject() override;

    // The result taken away: the table as `vildo-cli forecast --csv` writes it, or (by the name's ending) the
    // chart as PNG; and the one-page report. False, with a message naming the file, when it cannot be written.
    bool exportTo(const QString& file);
    bool saveReport(const QString& pdfFile);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The worker's share: written by it, read on the GUI thread once it has finished.
    struct Job {
        std::unique_ptr<Vildo> state;
        ForecastRequest request;
        Forecast result;
    };

    void poll();
    void stop();
    // Stops the worker and waits for it: the futures it has begun end first.
    void endRun();
    void showResult();
    void fitTable();
    void askExport();
    void askReport();

    Vildo& app_;
    Job job_;
    WorkerThread worker_;
    QTimer* poll_;
    QStackedWidget* pages_;
    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    Chart chart_;
    Grid grid_;
    ChartView* chartView_ = nullptr;
    GridView* table_ = nullptr;
    QPushButton* plans_ = nullptr;
};

}  // namespace qt
}  // namespace vildo
