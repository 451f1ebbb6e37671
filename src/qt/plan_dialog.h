// Jämför planer: up to four harvest plans forecast on the same futures, side by side in a chart and a table,
// and the search for the yearly quota that reaches the goal. The work runs on a worker thread with a progress
// bar and "Avbryt".
#pragma once
#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/harvest_plans.h"
#include "qt/worker_thread.h"
#include "ui/charts.h"
#include "util/grid.h"

class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QVBoxLayout;
class QTimer;

namespace vildo {

struct Vildo;

namespace qt {

class ChartView;
class GridView;

class PlanDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMostPlans = 4;

    // Plans from `start`, the state the forecast began from; the first plan is the goal table as it stands.
    PlanDialog(Vildo& app, const Vildo& start, const PlanRequest& defaults, QWidget* parent = nullptr);
    ~PlanDialog() override;

    QTableWidget* plans() const { return plans_; }
    QPushButton* compareButton() const { return compare_; }
    QPushButton* searchButton() const { return search_; }
    QPushButton* cancelButton() const { return cancel_; }
    QProgressBar* progressBar() const { return progress_; }
    bool running() const { return worker_.running(); }
    // Null until a result shows.
    ChartView* chartView() const { return chartView_; }
    GridView* table() const { return table_; }
    QLabel* notes() const { return notes_; }

    // The plans as the table holds them, "Som nu" first; a refusal in Swedish when a row cannot be hunted.
    std::vector<std::optional<HarvestPlan>> tablePlans(std::string& refusal) const;
    // Sets plan row k (1..3) to the plan, adding rows as needed.
    void setPlan(int k, const std::string& name, const HarvestPlan& plan);

    void reject() override;

private:
    // The worker's share: written by it, read on the GUI thread once it has finished.
    struct Job {
        std::unique_ptr<Vildo> state;
        PlanRequest request;
        std::vector<std::optional<HarvestPlan>> plans;  // to compare
        std::optional<HarvestPlan> split;               // to search in
        std::vector<PlanOutcome> rows;
        QuotaSearch found;
    };

    PlanRequest request() const;
    void startCompare();
    void startSearch();
    void start(std::function<void(Job&, const PlanProgress&)> work);
    void poll();
    void setInputsEnabled(bool on);
    void endRun();
    void showRows();
    void addPlanRow();
    void removePlanRow();
    void updateBulls(int row);

    Vildo& app_;
    std::unique_ptr<Vildo> start_;
    Job job_;
    WorkerThread worker_;
    bool searching_ = false;
    QTimer* poll_;
    QTableWidget* plans_;
    QSpinBox* years_;
    QDoubleSpinBox* goal_;
    QDoubleSpinBox* floor_;
    QSpinBox* risk_;
    QPushButton *add_, *remove_, *compare_, *search_, *cancel_;
    QProgressBar* progress_;
    QLabel* notes_;
    QVBoxLayout* results_;
    Chart chart_;
    Grid grid_;
    ChartView* chartView_ = nullptr;
    GridView* table_ = nullptr;
};

}  // namespace qt
}  // namespace vildo
