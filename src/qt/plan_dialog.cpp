#include "qt/plan_dialog.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/vildo.h"
#include "qt/chart_view.h"
#include "qt/grid_view.h"
#include "qt/table_copy.h"
#include "ui/plan_chart.h"
#include "util/format.h"

namespace vildo::qt {

namespace {

constexpr int kPollMs = 50;
enum PlanColumn { kName, kQuota, kCalves, kCows, kBulls, kColumns };

QString qs(const std::string& s) { return QString::fromStdString(s); }

QTableWidgetItem* fixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QDoubleSpinBox* densityBox(double value, const char* name) {
    auto* box = new QDoubleSpinBox();
    box->setObjectName(name);
    box->setLocale(QLocale(QLocale::Swedish, QLocale::Sweden));
    box->setDecimals(1);
    box->setRange(0, 100);
    box->setSingleStep(0.5);
    box->setValue(value);
    return box;
}

// A cell's number, with a decimal comma or point; nothing for text that is not one.
std::optional<double> cellNumber(const QTableWidget* t, int row, int col) {
    const QTableWidgetItem* item = t->item(row, col);
    if (!item) return std::nullopt;
    QString text = item->text().trimmed();
    text.replace(',', '.');
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

}  // namespace

PlanDialog::PlanDialog(Vildo& app, const Vildo& start, const PlanRequest& defaults, QWidget* parent)
    : QDialog(parent), app_(app), start_(std::make_unique<Vildo>(start)) {
    setObjectName("PlanDialog");
    setWindowTitle(QString::fromUtf8("Jämför planer"));
    if (parent) setFont(parent->window()->font());
    auto* l = new QVBoxLayout(this);

    const PlanRequest d = resolvedPlanRequest(*start_, defaults);
    job_.request = d;
    auto* form = new QGridLayout();
    years_ = new QSpinBox();
    years_->setObjectName("years");
    years_->setRange(1, 20);
    years_->setValue(d.years);
    goal_ = densityBox(*d.goal, "goal");
    goal_->setMinimum(0.1);
    floor_ = densityBox(*d.floor, "floor");
    risk_ = new QSpinBox();
    risk_->setObjectName("risk");
    risk_->setRange(0, 100);
    risk_->setSuffix(" %");
    risk_->setValue(static_cast<int>(std::lround(100 * d.risk)));
    const std::pair<const char*, QWidget*> fields[] = {{"År:", years_},
                                                       {"Mål (vinterstam per 1000 ha):", goal_},
                                                       {"Golv (vinterstam per 1000 ha):", floor_},
                                                       {"Högsta risk under golvet:", risk_}};
    int at = 0;
    for (const auto& [text, box] : fields) {
        auto* label = new QLabel(QString::fromUtf8(text));
        label->setBuddy(box);
        form->addWidget(label, at / 2, 2 * (at % 2));
        form->addWidget(box, at / 2, 2 * (at % 2) + 1);
        ++at;
    }
    form->setColumnStretch(4, 1);
    l->addLayout(form);

    plans_ = new QTableWidget(0, kColumns);
    plans_->setObjectName("plans");
    plans_->setHorizontalHeaderLabels({"Plan", "Kvot (djur per år)", "Kalvar %", "Kor %", "Tjurar %"});
    plans_->verticalHeader()->hide();
    plans_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    plans_->horizontalHeader()->setStretchLastSection(true);
    plans_->setSelectionBehavior(QAbstractItemView::SelectRows);
    plans_->setSelectionMode(QAbstractItemView::SingleSelection);
    copyCellsOnCtrlC(plans_);
    plans_->insertRow(0);
    plans_->setItem(0, kName, fixedItem("Som nu"));
    plans_->setItem(0, kQuota, fixedItem(QString::fromUtf8("måltabellen")));
    for (int c = kCalves; c < kColumns; ++c) plans_->setItem(0, c, fixedItem(QString::fromUtf8("–")));
    setPlan(1, "Plan 1", currentPlan(*start_));
    connect(plans_, &QTableWidget::cellChanged, this, [this](int row, int col) {
        if (col == kCalves || col == kCows) updateBulls(row);
    });
    l->addWidget(plans_);
    // Room for every plan's row and no more: the chart takes the rest.
    const int rowHeight = QFontMetrics(font()).height() + 8;
    plans_->verticalHeader()->setDefaultSectionSize(rowHeight);
    plans_->setFixedHeight((kMostPlans + 1) * rowHeight + 2 * plans_->frameWidth() + 4);

    auto* buttons = new QHBoxLayout();
    add_ = new QPushButton(QString::fromUtf8("Lägg till plan"));
    remove_ = new QPushButton(QString::fromUtf8("Ta bort plan"));
    search_ = new QPushButton(QString::fromUtf8("Sök avskjutning"));
    search_->setToolTip(QString::fromUtf8(
        "Söker, i den markerade planens fördelning, den årliga kvot vars median år N ligger närmast målet och "
        "den största kvot som håller risken att hamna under golvet."));
    compare_ = new QPushButton(QString::fromUtf8("Jämför"));
    compare_->setDefault(true);
    for (QPushButton* b : {add_, remove_}) buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton* b : {search_, compare_}) buttons->addWidget(b);
    l->addLayout(buttons);
    connect(add_, &QPushButton::clicked, this, &PlanDialog::addPlanRow);
    connect(remove_, &QPushButton::clicked, this, &PlanDialog::removePlanRow);
    connect(compare_, &QPushButton::clicked, this, &PlanDialog::startCompare);
    connect(search_, &QPushButton::clicked, this, &PlanDialog::startSearch);

    auto* run = new QHBoxLayout();
    progress_ = new QProgressBar();
    progress_->setRange(0, 1000);
    progress_->setFormat("%p %");
    cancel_ = new QPushButton("Avbryt");
    cancel_->setEnabled(false);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        worker_.cancel();
        cancel_->setEnabled(false);
    });
    run->addWidget(progress_, 1);
    run->addWidget(cancel_);
    l->addLayout(run);

    results_ = new QVBoxLayout();
    l->addLayout(results_, 1);
    notes_ = new QLabel();
    notes_->setObjectName("notes");
    notes_->setWordWrap(true);
    l->addWidget(notes_);
    auto* closeButton = new QPushButton(QString::fromUtf8("Stäng"));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    auto* bottom = new QHBoxLayout();
    bottom->addStretch(1);
    bottom->addWidget(closeButton);
    l->addLayout(bottom);

    poll_ = new QTimer(this);
    connect(poll_, &QTimer::timeout, this, &PlanDialog::poll);
    QWidget* owner = parent ? parent->window() : nullptr;
    const QSize room = owner ? owner->size() : QSize(1100, 780);
    resize(std::clamp(room.width() - 40, 560, 1000), std::clamp(room.height() - 30, 480, 820));
}

PlanDialog::~PlanDialog() { endRun(); }

void PlanDialog::reject() {
    endRun();
    QDialog::reject();
}

void PlanDialog::endRun() {
    worker_.stop();
    poll_->stop();
}

void PlanDialog::setPlan(int k, const std::string& name, const HarvestPlan& plan) {
    const QSignalBlocker quiet(plans_);
    while (plans_->rowCount() <= k) plans_->insertRow(plans_->rowCount());
    plans_->setItem(k, kName, new QTableWidgetItem(qs(name)));
    plans_->setItem(k, kQuota, new QTableWidgetItem(qs(fix(plan.quota, 6, 0))));
    plans_->setItem(k, kCalves, new QTableWidgetItem(QString::number(plan.calvesPercent)));
    plans_->setItem(k, kCows, new QTableWidgetItem(QString::number(plan.cowsPercent)));
    plans_->setItem(k, kBulls, fixedItem(QString::number(plan.bullsPercent())));
}

void PlanDialog::updateBulls(int row) {
    if (row < 1 || !plans_->item(row, kBulls)) return;
    const auto calves = cellNumber(plans_, row, kCalves), cows = cellNumber(plans_, row, kCows);
    const QSignalBlocker quiet(plans_);
    plans_->item(row, kBulls)->setText(calves && cows ? QString::number(100 - *calves - *cows) : "?");
}

void PlanDialog::addPlanRow() {
    const int k = plans_->rowCount();
    if (k >= kMostPlans) return;
    HarvestPlan p = currentPlan(*start_);
    setPlan(k, "Plan " + std::to_string(k), p);
    plans_->selectRow(k);
}

void PlanDialog::removePlanRow() {
    const int row = plans_->currentRow();
    if (row >= 1 && plans_->rowCount() > 1) plans_->removeRow(row);
}

std::vector<std::optional<HarvestPlan>> PlanDialog::tablePlans(std::string& refusal) const {
    std::vector<std::optional<HarvestPlan>> plans{std::nullopt};
    for (int row = 1; row < plans_->rowCount(); ++row) {
        const auto quota = cellNumber(plans_, row, kQuota), calves = cellNumber(plans_, row, kCalves),
                   cows = cellNumber(plans_, row, kCows);
        const std::string name = plans_->item(row, kName) ? plans_->item(row, kName)->text().toStdString() : "";
        if (!quota || !calves || !cows || *calves != std::floor(*calves) || *cows != std::floor(*cows)) {
            refusal = "Planen \"" + name + "\" behöver en kvot och hela procent för kalvar och kor.";
            return {};
        }
        const HarvestPlan p{std::round(*quota), static_cast<int>(*calves), static_cast<int>(*cows)};
        if (const auto e = harvestPlanError(p)) {
            refusal = "Planen \"" + name + "\": " + *e;
            return {};
        }
        plans.push_back(p);
    }
    return plans;
}

PlanRequest PlanDialog::request() const {
    PlanRequest r = job_.request;
    r.years = years_->value();
    r.goal = goal_->value();
    r.floor = floor_->value();
    r.risk = risk_->value() / 100.0;
    return r;
}

void PlanDialog::startCompare() {
    std::string refusal;
    std::vector<std::optional<HarvestPlan>> plans = tablePlans(refusal);
    if (plans.empty()) {
        notes_->setText(qs(refusal));
        return;
    }
    job_.plans = std::move(plans);
    searching_ = false;
    start([](Job& job, const PlanProgress& progress) {
        job.rows = comparePlans(*job.state, job.request, job.plans, progress);
    });
}

void PlanDialog::startSearch() {
    std::string refusal;
    const std::vector<std::optional<HarvestPlan>> plans = tablePlans(refusal);
    if (plans.empty()) {
        notes_->setText(qs(refusal));
        return;
    }
    // The split of the marked plan, or of the first plan when "Som nu" or nothing is marked.
    const int row = std::clamp(plans_->currentRow(), 1, static_cast<int>(plans.size()) - 1);
    job_.split = plans.size() > 1 ? plans[static_cast<size_t>(row)] : currentPlan(*start_);
    job_.plans = plans;
    searching_ = true;
    start([](Job& job, const PlanProgress& progress) {
        job.found = searchQuota(*job.state, job.request, job.split->calvesPercent, job.split->cowsPercent,
                                [&](double done) { return progress(0.8 * done); });
        if (job.found.cancelled || !job.found.nearest.plan || !job.found.safe.plan) return;
        // The plans found, side by side with the first plans of the table.
        std::vector<std::optional<HarvestPlan>> plans(job.plans.begin(),
                                                      job.plans.begin() + std::min<size_t>(job.plans.size(), 2));
        plans.push_back(job.found.nearest.plan);
        plans.push_back(job.found.safe.plan);
        job.plans = plans;
        job.rows =
            comparePlans(*job.state, job.request, job.plans, [&](double done) { return progress(0.8 + 0.2 * done); });
    });
}

void PlanDialog::start(std::function<void(Job&, const PlanProgress&)> work) {
    if (worker_.running()) return;
    job_.request = request();
    job_.state = std::make_unique<Vildo>(*start_);
    job_.rows.clear();
    job_.found = {};
    setInputsEnabled(false);
    progress_->setValue(0);
    notes_->setText(QString::fromUtf8(searching_ ? "Söker avskjutning …" : "Planerna beräknas …"));
    worker_.start([this, work = std::move(work)] {
        work(job_, [this](double done) { return worker_.report(static_cast<int>(1000 * std::clamp(done, 0.0, 1.0))); });
    });
    poll_->start(kPollMs);
}

void PlanDialog::setInputsEnabled(bool on) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{add_, remove_, compare_, search_, plans_, years_, goal_, floor_, risk_})
        w->setEnabled(on);
    cancel_->setEnabled(!on);
}

void PlanDialog::poll() {
    progress_->setValue(worker_.done());
    if (!worker_.finished()) return;
    worker_.join();
    poll_->stop();
    setInputsEnabled(true);
    if (worker_.failed()) {
        notes_->setText(qs("Planerna kunde inte beräknas: " + worker_.error()));
        return;
    }
    if (worker_.cancelled()) {
        notes_->setText(QString::fromUtf8("Avbrutet."));
        return;
    }
    progress_->setValue(1000);
    if (searching_ && job_.found.nearest.plan && job_.found.safe.plan) {
        const int first = static_cast<int>(job_.plans.size()) - 2;
        while (plans_->rowCount() > first) plans_->removeRow(plans_->rowCount() - 1);
        setPlan(first, "Nära målet", *job_.found.nearest.plan);
        setPlan(first + 1, "Säker", *job_.found.safe.plan);
    }
    showRows();
}

void PlanDialog::showRows() {
    std::vector<NamedPlan> named;
    for (size_t k = 0; k < job_.rows.size(); ++k) {
        const QTableWidgetItem* item = plans_->item(static_cast<int>(k), kName);
        named.push_back({item ? item->text().toStdString() : "Plan " + std::to_string(k), &job_.rows[k]});
    }
    chart_ = plansChart(job_.state->charts[5], named);
    grid_ = plansTable(named, job_.request.years);
    // The views are made for their chart's series and their grid's size: new ones for each result.
    delete chartView_;
    delete table_;
    chartView_ = new ChartView(app_, chart_, this);
    chartView_->setObjectName("PlanChart");
    chartView_->setFontSizes(app_.fonts.chart5AxisPx, app_.fonts.chart5LegendPx);
    results_->addWidget(chartView_, 1);
    table_ = new GridView(grid_, {}, this);
    table_->setObjectName("PlanTable");
    table_->freezeFirstColumn();
    const QFontMetrics fm(font());
    table_->setDefaultRowHeight(fm.height() + 6);
    for (int c = 0; c < grid_.colCount; ++c)
        table_->setColumnWidth(c, fm.horizontalAdvance(qs(grid_.cell(c, 0))) + 2 * fm.averageCharWidth());
    table_->setFixedHeight(grid_.rowCount * (fm.height() + 6) + 2 * table_->frameWidth() + 4 +
                           table_->horizontalScrollBar()->sizeHint().height());
    results_->addWidget(table_);
    table_->refresh();
    std::string notes = "Andelar av " + intStr(job_.request.replicates) +
                        " framtider, samma för varje plan. Golvet är " + fix(*job_.request.floor, 6, 1) +
                        " per 1000 ha.";
    if (searching_) {
        const QuotaSearch& q = job_.found;
        notes += "\r\nNära målet: " + fix(q.nearest.plan->quota, 6, 0) + " djur om året ger medianen " +
                 fix(q.nearest.medianWinter, 6, 1) + " år " + intStr(job_.request.years) + ".";
        if (!q.nearestNote.empty()) notes += " " + q.nearestNote;
        notes += "\r\nSäker: högst " + fix(q.safe.plan->quota, 6, 0) +
                 " djur om året; risken att hamna under golvet är då " + fix(100 * q.safe.belowFloor, 6, 0) + " %.";
        if (!q.safeNote.empty()) notes += " " + q.safeNote;
    }
    QString text = qs(notes);
    text.replace("\r\n", "\n");
    notes_->setText(text);
}

}  // namespace vildo::qt
