#include "qt/forecast_dialog.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <algorithm>
#include <numeric>

#include "app/vildo.h"
#include "qt/chart_view.h"
#include "qt/grid_view.h"
#include "qt/plan_dialog.h"
#include "qt/save_dialog.h"
#include "ui/forecast_chart.h"
#include "util/file_io.h"
#include "util/format.h"

namespace vildo::qt {

namespace {

constexpr int kPollMs = 50;
constexpr int kTablePercent = 35;  // the table's most of the dialog's height; more years scroll
// The report's chart is laid out at this share of its size on the page: a chart of 700 pixels across at 144 dots
// per inch, whose 13-pixel texts print at about 9 points.
constexpr double kReportChartScale = 0.7;

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A dialog of the window takes the window's font: large text reaches it too.
void takeFont(QWidget* dialog, QWidget* parent) {
    if (parent) dialog->setFont(parent->window()->font());
}

int tableRowHeight(const QFontMetrics& fm) { return fm.height() + 6; }

// The width each column's heading needs.
std::vector<int> headingWidths(const Grid& g, const QFontMetrics& fm) {
    std::vector<int> need;
    for (int c = 0; c < g.colCount; ++c)
        need.push_back(fm.horizontalAdvance(qs(g.cell(c, 0))) + 2 * fm.averageCharWidth());
    return need;
}

// Columns as wide as their headings need, the room to spare shared out evenly.
void tableColumns(GridView& v) {
    const QFontMetrics fm(v.font());
    const Grid& g = v.grid();
    const std::vector<int> need = headingWidths(g, fm);
    const int sum = std::accumulate(need.begin(), need.end(), 0);
    const int spare = std::max(0, v.viewport()->width() - sum) / std::max(1, g.colCount);
    for (int c = 0; c < g.colCount; ++c) v.setColumnWidth(c, need[static_cast<size_t>(c)] + spare);
    v.setDefaultRowHeight(tableRowHeight(fm));
}

}  // namespace

ForecastYearsDialog::ForecastYearsDialog(double goal, QWidget* parent) : QDialog(parent) {
    setObjectName("ForecastYearsDialog");
    setWindowTitle("Prognos");
    takeFont(this, parent);
    auto* l = new QVBoxLayout(this);
    auto* label = new QLabel(QString::fromUtf8("Antal år:"));
    years_ = new QSpinBox();
    years_->setRange(1, 20);
    years_->setValue(5);
    label->setBuddy(years_);
    auto* goalLabel = new QLabel(QString::fromUtf8("Mål (vinterstam per 1000 ha):"));
    goal_ = new QDoubleSpinBox();
    goal_->setObjectName("goal");
    goal_->setLocale(QLocale(QLocale::Swedish, QLocale::Sweden));
    goal_->setDecimals(1);
    goal_->setRange(0.1, 100);
    goal_->setSingleStep(0.5);
    goal_->setValue(goal);
    goalLabel->setBuddy(goal_);
    auto* grid = new QGridLayout();
    grid->addWidget(label, 0, 0);
    grid->addWidget(years_, 0, 1);
    grid->addWidget(goalLabel, 1, 0);
    grid->addWidget(goal_, 1, 1);
    grid->setColumnStretch(2, 1);
    l->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText("Avbryt");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    l->addWidget(buttons);
    years_->setFocus();
    years_->selectAll();
}

ForecastDialog::ForecastDialog(Vildo& app, const ForecastRequest& request, ForecastRunner runner, QWidget* parent)
    : QDialog(parent), app_(app) {
    setObjectName("ForecastDialog");
    setWindowTitle("Prognos");
    takeFont(this, parent);
    auto* l = new QVBoxLayout(this);
    pages_ = new QStackedWidget();
    l->addWidget(pages_);

    auto* runPage = new QWidget();
    auto* rl = new QVBoxLayout(runPage);
    status_ = new QLabel(
        QString::fromUtf8("Prognos för %1 år: %2 framtider beräknas …").arg(request.years).arg(request.replicates));
    progress_ = new QProgressBar();
    progress_->setRange(0, request.replicates);
    progress_->setValue(0);
    progress_->setFormat("%p %");
    cancel_ = new QPushButton("Avbryt");
    connect(cancel_, &QPushButton::clicked, this, &ForecastDialog::stop);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    rl->addWidget(status_);
    rl->addWidget(progress_);
    rl->addLayout(buttons);
    pages_->addWidget(runPage);
    const QFontMetrics fm(font());
    resize(std::max(420, fm.horizontalAdvance(status_->text()) + 60), sizeHint().height());

    // The copy is taken here, on the GUI thread; the worker reads nothing else of the user's state.
    job_.state = std::make_unique<Vildo>(app);
    job_.request = request;
    worker_.start([this, runner = std::move(runner)] {
        job_.result = runner(*job_.state, job_.request, [this](int done) { return worker_.report(done); });
    });
    poll_ = new QTimer(this);
    connect(poll_, &QTimer::timeout, this, &ForecastDialog::poll);
    poll_->start(kPollMs);
}

ForecastDialog::~ForecastDialog() { endRun(); }

void ForecastDialog::closeEvent(QCloseEvent* event) {
    endRun();
    QDialog::closeEvent(event);
}

void ForecastDialog::reject() {
    endRun();
    QDialog::reject();
}

void ForecastDialog::endRun() {
    worker_.stop();
    poll_->stop();
}

void ForecastDialog::stop() {
    worker_.cancel();
    cancel_->setEnabled(false);
    status_->setText(QString::fromUtf8("Avbryter …"));
}

void ForecastDialog::poll() {
    progress_->setValue(worker_.done());
    if (!worker_.finished()) return;
    worker_.join();
    poll_->stop();
    if (worker_.failed()) {
        close();
        app_.prompts->message("Prognosen kunde inte beräknas: " + worker_.error());
        return;
    }
    if (worker_.cancelled() || job_.result.years.empty()) {
        close();
        return;
    }
    showResult();
}

void ForecastDialog::showResult() {
    const Forecast& f = job_.result;
    // The history is the main chart's as it was when the forecast started.
    chart_ = forecastChart(job_.state->charts[5], f);
    grid_ = forecastTable(f);

    auto* page = new QWidget();
    auto* l = new QVBoxLayout(page);
    l->setContentsMargins(0, 0, 0, 0);
    chartView_ = new ChartView(app_, chart_, page);
    chartView_->setObjectName("ForecastChart");
    chartView_->setFontSizes(app_.fonts.chart5AxisPx, app_.fonts.chart5LegendPx);
    l->addWidget(chartView_, 1);

    table_ = new GridView(grid_, {}, page);
    table_->setObjectName("ForecastTable");
    table_->setSizeRule(tableColumns);
    table_->freezeFirstColumn();
    l->addWidget(table_);

    auto* note = new QLabel(qs("Andelar av " + intStr(f.replicates) + " framtider. Målet för vinterstammen är " +
                               fix(f.wantedDensity, 6, 1) +
                               " älgar per 1000 ha; kvoten nås när minst 95 % av avskjutningsmålet fälls."));
    note->setWordWrap(true);
    l->addWidget(note);
    plans_ = new QPushButton(QString::fromUtf8("Jämför planer"));
    connect(plans_, &QPushButton::clicked, this, [this] {
        const ForecastRequest& r = job_.request;
        auto* d = new PlanDialog(app_, *job_.state,
                                 {.years = r.years,
                                  .replicates = r.replicates,
                                  .seed = r.seed,
                                  .threads = r.threads,
                                  .goal = job_.result.wantedDensity},
                                 this);
        d->setAttribute(Qt::WA_DeleteOnClose);
        d->show();
    });
    auto* exportButton = new QPushButton(QString::fromUtf8("Exportera…"));
    exportButton->setObjectName("Exportera");
    connect(exportButton, &QPushButton::clicked, this, &ForecastDialog::askExport);
    auto* reportButton = new QPushButton(QString::fromUtf8("Spara rapport som PDF…"));
    reportButton->setObjectName("SparaRapport");
    connect(reportButton, &QPushButton::clicked, this, &ForecastDialog::askReport);
    auto* closeButton = new QPushButton(QString::fromUtf8("Stäng"));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(plans_);
    buttons->addWidget(exportButton);
    buttons->addWidget(reportButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    l->addLayout(buttons);
    pages_->addWidget(page);
    pages_->setCurrentWidget(page);
    closeButton->setDefault(true);

    // As large as the window leaves room for, centred on it.
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QSize room = owner ? owner->size() : QSize(1100, 780);
    resize(std::clamp(room.width() - 60, 520, 960), std::clamp(room.height() - 50, 420, 720));
    if (owner) move(owner->geometry().center() - rect().center());
    fitTable();
}

void ForecastDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    fitTable();
}

// Every year's row while that leaves the chart most of the room, else as many whole rows as the table's share
// holds, the rest to scroll; a scroll bar's room for headings that do not fit. The chart takes what is left.
void ForecastDialog::fitTable() {
    if (!table_) return;
    const QFontMetrics fm(font());
    const std::vector<int> headings = headingWidths(grid_, fm);
    const bool scrolls = std::accumulate(headings.begin(), headings.end(), 0) > width() - 40;
    const int frame = 2 * table_->frameWidth() + (scrolls ? table_->horizontalScrollBar()->sizeHint().height() : 0);
    const int rowHeight = tableRowHeight(fm);
    const int rows = std::clamp((height() * kTablePercent / 100 - frame) / rowHeight, 2, grid_.rowCount);
    table_->setFixedHeight(rows * rowHeight + frame);
}

bool ForecastDialog::exportTo(const QString& file) {
    bool written = false;
    if (file.endsWith(".png", Qt::CaseInsensitive))
        written = chartView_ && chartView_->saveImage(file);
    else
        written = writeFileAtomic(file.toStdString(), forecastCsv(job_.result));
    if (!written) QMessageBox::warning(this, "Vildo", QString::fromUtf8("Kunde inte skriva filen %1.").arg(file));
    return written;
}

void ForecastDialog::askExport() {
    const QString file = askFileToSave(this, QString::fromUtf8("Exportera prognosen"),
                                       {QString::fromUtf8("CSV-fil (*.csv)"), QString::fromUtf8("PNG-bild (*.png)")});
    if (!file.isEmpty()) exportTo(file);
}

void ForecastDialog::askReport() {
    const QString file = askFileToSave(this, QString::fromUtf8("Spara rapport som PDF"), {"PDF-fil (*.pdf)"});
    if (!file.isEmpty()) saveReport(file);
}

// One A4 page for a hunting team's meeting: the heading lines, the fan chart and the year table.
bool ForecastDialog::saveReport(const QString& pdfFile) {
    if (!chartView_) return false;
    QPdfWriter pdf(pdfFile);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setResolution(144);
    pdf.setTitle(QString::fromUtf8("Vildo – prognos för älgstammen"));
    pdf.setCreator("Vildo");
    QPainter p;
    if (!p.begin(&pdf)) {
        QMessageBox::warning(this, "Vildo", QString::fromUtf8("Kunde inte skriva filen %1.").arg(pdfFile));
        return false;
    }
    const QRect page(0, 0, pdf.width(), pdf.height());
    QFont title("Sans", 16, QFont::Bold);
    QFont text("Sans", 10);
    p.setFont(title);
    int y = QFontMetrics(title, &pdf).height();
    p.drawText(0, y, QString::fromUtf8("Prognos för älgstammen"));
    p.setFont(text);
    const QFontMetrics fm(text, &pdf);
    y += fm.height() / 2;
    for (const std::string& line : forecastReportLines(*job_.state, job_.result)) {
        const QRect box = p.boundingRect(QRect(0, y, page.width(), page.height()), Qt::TextWordWrap, qs(line));
        p.drawText(box, Qt::TextWordWrap, qs(line));
        y = box.bottom() + fm.height() / 3;
    }
    // The chart at the page's width, drawn for paper: dark texts and axes on white, its texts as large against
    // the chart as on screen.
    y += fm.height() / 2;
    const QRect chartBox(0, y, page.width(), page.width() * 9 / 16);
    ChartView paper(app_, chart_, nullptr, ChartColours::paper());
    paper.setFontSizes(app_.fonts.chart5AxisPx, app_.fonts.chart5LegendPx);
    paper.setAttribute(Qt::WA_DontShowOnScreen);
    paper.resize(chartBox.size() * kReportChartScale);
    paper.show();  // lays the chart out at that size
    paper.chart()->layout()->activate();
    paper.render(&p, chartBox);
    y = chartBox.bottom() + fm.height();
    // The year table, the heading row in bold.
    const int cols = grid_.colCount, rowH = fm.height() * 3 / 2;
    const int colW = page.width() / std::max(cols, 1);
    for (int r = 0; r < grid_.rowCount && y + rowH <= page.height(); ++r) {
        QFont f = text;
        f.setBold(r == 0);
        p.setFont(f);
        for (int c = 0; c < cols; ++c) {
            const QRect cell(c * colW, y, colW, rowH);
            p.drawRect(cell);
            p.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignVCenter | (c == 0 ? Qt::AlignLeft : Qt::AlignRight),
                       fm.elidedText(qs(grid_.cell(c, r)), Qt::ElideRight, colW - 8));
        }
        y += rowH;
    }
    return p.end();
}

}  // namespace vildo::qt
