#include "qt/main_window.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/area_file_menu.h"
#include "app/dispatch.h"
#include "app/goal_handlers.h"
#include "app/modes.h"
#include "app/pages.h"
#include "app/saved_work.h"
#include "app/season_driver.h"
#include "app/startup.h"
#include "app/timer_dispatch.h"
#include "app/vildo.h"
#include "calibration/fit_upload.h"
#include "hunt/goals.h"
#include "qt/grid_view.h"
#include "qt/help_windows.h"
#include "qt/prompts_qt.h"
#include "qt/timer_bridge.h"
#include "qt/working_pane.h"
#include "ui/chart_ops.h"

namespace vildo::qt {

namespace {

constexpr int kClientWidth = 1105, kClientHeight = 779;
constexpr int kPanel4Min = 400, kPanel4Max = 450;
constexpr qint64 kFrameMs = 40;
constexpr qint64 kCalibrationFrameMs = 100;

constexpr C kLeftTabs[] = {C::TabSheet7, C::TabSheet6, C::TabSheet8, C::TabSheet9};
constexpr C kRightTabs[] = {C::TabSheet1, C::TabSheet2, C::TabSheet3, C::TabSheet4, C::TabSheet5, C::Rovdjur};

// Whether ← and → belong to the widget with the focus, the key's first receiver: they move a caret, a selection
// or through a menu there.
bool arrowsBelongToFocus(QWidget* focus) {
    if (QApplication::activePopupWidget()) return true;
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus) || qobject_cast<QTextEdit*>(focus) ||
        qobject_cast<QPlainTextEdit*>(focus) || qobject_cast<QMenuBar*>(focus) || qobject_cast<QMenu*>(focus))
        return true;
    if (auto* combo = qobject_cast<QComboBox*>(focus); combo && combo->view()->isVisible()) return true;
    // Any other cell editor: a widget, or a child of one, that lies on a table's viewport.
    for (QWidget* w = focus; w && w->parentWidget(); w = w->parentWidget()) {
        QWidget* viewport = w->parentWidget();
        auto* view = qobject_cast<QAbstractItemView*>(viewport->parentWidget());
        if (view && view->viewport() == viewport) return true;
    }
    return false;
}

}  // namespace

QString windowCaption(const QString& version) {
    return (QString::fromUtf8("Vildo AI ÄlgSim  ") + version.left(7)).left(24) +
           QString::fromUtf8(" - Strategiskt och Operativt beslutsstöd i älgförvaltning");
}

MainWindow::MainWindow(Vildo& app, PromptsQt& prompts, QWidget* parent)
    : QMainWindow(parent),
      app_(app),
      prompts_(prompts),
      runner_([this](const std::function<void()>& h) { run(h); }),
      controls_(app, runner_) {
    setObjectName("TForm1");
    setWindowTitle(QString::fromUtf8("Vildo AI ÄlgSim"));
    prompts_.setParentWindow(this);
    prompts_.setApp(app_);
    timers_ = new TimerBridge(
        app_, [this](int n) { run([this, n] { fireTimer(app_, n); }); }, this);
    tableTimer_ = new QTimer(this);
    tableTimer_->setSingleShot(true);
    connect(tableTimer_, &QTimer::timeout, this, &MainWindow::refresh);
    help_ = std::make_unique<HelpWindows>(app_, this);

    // No grid shows a highlighted cell before the user picks one.
    for (Grid* g : {&app_.StringGrid1, &app_.StringGrid2, &app_.StringGrid3, &app_.Tabell_utv, &app_.Stringgrid5,
                    &app_.StringGrid6})
        g->clearSelection();

    buildMenus();
    panel3_ = new QWidget();
    panel3_->setObjectName("Panel3");
    auto* v = new QVBoxLayout(panel3_);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(4);
    v->addWidget(buildChartArea(), 1);

    panel4_ = new QWidget();
    panel4_->setObjectName("Panel4");
    auto* h = new QHBoxLayout(panel4_);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    leftPages_ = new QTabWidget();
    leftPages_->setObjectName("PageControl2");
    rightPages_ = new QTabWidget();
    rightPages_->setObjectName("PageControl1");
    controls_.tab(C::TabSheet7, leftPages_, buildAreaPage());
    controls_.tab(C::TabSheet6, leftPages_, buildStrategyPage());
    controls_.tab(C::TabSheet8, leftPages_, buildGoalsPage());
    controls_.tab(C::TabSheet9, leftPages_, buildResultsPage());
    controls_.tab(C::TabSheet1, rightPages_, buildHuntPage());
    controls_.tab(C::TabSheet2, rightPages_, buildLandUsePage());
    controls_.tab(C::TabSheet3, rightPages_, buildReproductionPage());
    controls_.tab(C::TabSheet4, rightPages_, buildWeightPage());
    controls_.tab(C::TabSheet5, rightPages_, buildMortalityPage());
    controls_.tab(C::Rovdjur, rightPages_, buildPredatorPage());
    for (QTabWidget* tabs : {leftPages_, rightPages_}) {
        tabs->setUsesScrollButtons(true);
        connect(tabs, &QTabWidget::currentChanged, this, [this, tabs](int i) { pageChanged(tabs, i); });
    }
    h->addWidget(leftPages_, 1);
    h->addWidget(rightPages_, 1);
    v->addWidget(panel4_);
    setCentralWidget(panel3_);

    // The smallest size whose tables and charts the layout tests check: below it numbers would hide.
    setMinimumSize(800, 600);
    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    qApp->installEventFilter(this);
    refresh();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    if (hourglass_) QApplication::restoreOverrideCursor();
}

void MainWindow::run(const std::function<void()>& handler) {
    timers_->stamp();
    dispatch(app_, handler);
    settleSavedWork(app_);
    refresh();
    timers_->sync();
    if (!pendingFile_.isEmpty() && started_ && settled())
        QTimer::singleShot(0, this, [this] { openNow(std::exchange(pendingFile_, QString())); });
}

void MainWindow::openWorkFile(const QString& file) {
    pendingFile_ = file;
    if (started_ && settled()) run([] {});
}

void MainWindow::rememberSettings() {
    remember_ = true;
    QSettings s;
    if (!restoreGeometry(s.value("fönster/geometri").toByteArray())) resize(size());
    for (const QString& f : s.value("arkiv/senaste").toStringList())
        if (app_.recentFiles.size() < kRecentFileCount) app_.recentFiles.push_back(f.toStdString());
    if (s.value("fönster/stortext", false).toBool() && !app_.checked(C::Stortext1))
        QTimer::singleShot(0, this, [this] { run([this] { click(app_, C::Stortext1); }); });
}

void MainWindow::saveSettings() {
    if (!remember_) return;
    QSettings s;
    s.setValue("fönster/geometri", saveGeometry());
    s.setValue("fönster/stortext", app_.checked(C::Stortext1));
    QStringList files;
    for (const std::string& f : app_.recentFiles) files << QString::fromStdString(f);
    s.setValue("arkiv/senaste", files);
}

bool MainWindow::mayClose() {
    if (ending_ || !hasUnsavedWork(app_)) return true;
    QMessageBox box(QMessageBox::Question, "Vildo", QString::fromUtf8("Spara ändringar i området?"),
                    QMessageBox::NoButton, this);
    QPushButton* save = box.addButton("Spara", QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton("Spara inte", QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton("Avbryt", QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.setObjectName("exitQuestion");
    exitQuestion_ = &box;
    box.exec();
    exitQuestion_ = nullptr;
    if (box.clickedButton() == discard) return true;
    if (box.clickedButton() != save) return false;
    run([this] { mnu_SparaomradeClick(app_); });
    // A cancelled or failed save keeps the window open.
    return !hasUnsavedWork(app_);
}

void MainWindow::refreshTables() {
    tableTimer_->stop();
    lastTables_.start();
    for (ChartView* c : charts_)
        if (c) c->refresh();
    // The goal table marks the current values that miss their goals as it paints.
    for (int r = 1; r <= 7; ++r) Stringgrid5DrawCell(app_, 2, r);
    for (GridView* g : grids_) g->refresh();
}

QWidget* MainWindow::workingPane() const { return app_.WorkingFront ? working_ : nullptr; }

bool MainWindow::settled() const { return !timers_->anyEnabled(); }

GridView* MainWindow::grid(const Grid& g) const {
    for (GridView* v : grids_)
        if (&v->grid() == &g) return v;
    return nullptr;
}

void MainWindow::refresh() {
    // While timers run in bursts (the equilibrium run ticks every millisecond) the charts and tables show at
    // most one state a frame; the settled state always shows at once. A calibration's ticks follow each other
    // without pause: its controls, curves and progress pane show ten states a second.
    const bool fast = timers_->fastForward();
    const qint64 frameMs = fast ? kCalibrationFrameMs : kFrameMs;
    const bool frame = !timers_->anyEnabled() || !lastTables_.isValid() || lastTables_.elapsed() >= frameMs;
    if (frame || !fast) controls_.refresh();
    if (frame)
        refreshTables();
    else if (!tableTimer_->isActive())
        tableTimer_->start(static_cast<int>(frameMs - lastTables_.elapsed()));
    for (auto [tabs, page] :
         {std::pair{leftPages_, app_.activeLeftPage}, std::pair{rightPages_, app_.activeRightPage}}) {
        QWidget* w = controls_.widget(page);
        if (w && tabs->currentWidget() != w && tabs->isTabVisible(tabs->indexOf(w))) {
            const QSignalBlocker block(tabs);
            tabs->setCurrentWidget(w);
        }
    }
    QWidget* front = app_.WorkingFront ? static_cast<QWidget*>(working_) : diagram_;
    if (chartStack_->currentWidget() != front) chartStack_->setCurrentWidget(front);
    // The pane shows the measures of the moment: it paints whenever the charts would.
    if (app_.WorkingFront && (frame || !fast)) working_->update();
    if (app_.fonts.windowPx != coreFontPx_) {
        coreFontPx_ = app_.fonts.windowPx;
        applyFonts();
    }
    if (app_.hourglass != hourglass_) {
        hourglass_ = app_.hourglass;
        if (hourglass_)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }
    if (app_.terminated && !ending_) {
        ending_ = true;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void MainWindow::startUp() {
    if (started_) return;
    started_ = true;
    run([this] { vildo::startUp(app_); });
    setWindowTitle(windowCaption(QString::fromUtf8(VILDO_VERSION)));
    buildAreaMenu();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // After the first paint, so that a message of the start-up never shows over an empty window.
    if (!started_) QTimer::singleShot(0, this, &MainWindow::startUp);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (started_ && !painted_) {
        painted_ = true;
        // The children paint in the same pass; the frame is complete once the event loop turns.
        QTimer::singleShot(0, this, &MainWindow::firstPainted);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    saveSettings();
    ending_ = true;
    app_.terminated = true;
    for (int n = 1; n < kTimerCount; ++n) app_.timers[n].enabled = false;
    timers_->sync();
    event->accept();
    emit ended();
}

// The window font follows the window's size (through the goal table's cells), and the core's size until the
// table is laid out; "Stor text" enlarges the former by a fifth, so it grows with the window and survives every
// resize.
// The charts' texts grow with it in large windows.
void MainWindow::applyFonts() {
    const int base = cellFontPx_ > 0 ? cellFontPx_ : app_.fonts.windowPx;
    const bool large = app_.checked(C::Stortext1);
    fontPx_ = std::clamp(large && cellFontPx_ > 0 ? base * 6 / 5 : base, 11, 24);
    QFont f = font();
    f.setPixelSize(fontPx_);
    setFont(f);
    // Small windows keep the charts' own large sizes: their plots have no room to give.
    const double scale = large ? std::max(1.0, fontPx_ / 16.0) : 1.0;
    auto scaled = [scale](int px) { return static_cast<int>(px * scale + 0.5); };
    for (ChartView* c : charts_) {
        if (!c) continue;
        if (c->number() == 5)
            c->setFontSizes(scaled(app_.fonts.chart5AxisPx), scaled(app_.fonts.chart5LegendPx));
        else if (c->number() == 8)
            c->setFontSizes(scaled(app_.fonts.chart8AxisPx), scaled(app_.fonts.chart8LegendPx));
        else
            c->setFontSizes(scaled(12), scaled(12));
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applySizes();
}

// The resize rules of the window's panels; the grids apply their own rules when they are resized.
void MainWindow::applySizes() {
    panel15_->setFixedWidth(leftChartPanelWidth(width()));
    const int half = panel3_->height() / 2;
    panel4_->setFixedHeight(std::clamp(half, kPanel4Min, kPanel4Max));
    app_.StringGrid3.clearSelection();
    app_.Stringgrid5.clearSelection();
    // The window font follows the cell height of the goal table.
    if (GridView* goals = grid(app_.Stringgrid5); goals && goals->rowHeight(0) > 8) {
        const int cell = goals->rowHeight(0) / 2 + 1;
        const int px = std::clamp(cell * 5 / 6, 11, 16);
        if (px != cellFontPx_) {
            cellFontPx_ = px;
            applyFonts();
        }
    }
}

void MainWindow::showPage(C tab) {
    QWidget* page = controls_.widget(tab);
    for (QTabWidget* tabs : {leftPages_, rightPages_}) {
        const int i = tabs->indexOf(page);
        if (i >= 0 && tabs->isTabVisible(i)) tabs->setCurrentIndex(i);
    }
}

// A user's choice of a page (the program's own tab changes come with the signals blocked). The core keeps
// which page of each set is active; the guidance messages of the pages are the core's.
void MainWindow::pageChanged(QTabWidget* tabs, int index) {
    QWidget* page = tabs->widget(index);
    const bool left = tabs == leftPages_;
    for (C id : left ? std::vector<C>(std::begin(kLeftTabs), std::end(kLeftTabs))
                     : std::vector<C>(std::begin(kRightTabs), std::end(kRightTabs)))
        if (controls_.widget(id) == page) {
            if (left)
                PageControl2Change(app_, id);
            else if (id != app_.activeRightPage)
                run([this, id] { PageControl1Change(app_, id); });
        }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) lastKey_ = nullptr;
    if (event->type() != QEvent::KeyPress) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this) return false;
    // An ignored key travels on to the parents as the same event: act on it once.
    if (event == lastKey_ && lastKeyTarget_ && w != lastKeyTarget_ &&
        w->isAncestorOf(static_cast<QWidget*>(lastKeyTarget_)))
        return false;
    lastKey_ = event;
    lastKeyTarget_ = w;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool arrow = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right;
    if (arrow && arrowsBelongToFocus(w)) return false;
    handleKey(key->key(), key->modifiers() & ~Qt::KeypadModifier);
    return false;  // the focused control still gets the key
}

bool MainWindow::handleKey(int key, Qt::KeyboardModifiers mods) {
    // Ctrl alone: the upload of the fit "0" for the start year.
    if (key == Qt::Key_R && mods == Qt::ControlModifier) {
        run([this] { sendZeroFit(app_); });
        return true;
    }
    switch (key) {
        case Qt::Key_Right:
        case Qt::Key_F5: run([this] { SpeedButton1Click(app_); }); return true;
        case Qt::Key_Left: run([this] { SpeedButton2Click(app_); }); return true;
        case Qt::Key_F1: help_->show(HelpWindow::Help); return true;
        case Qt::Key_F2: run([this] { click(app_, C::Stortext1); }); return true;
        case Qt::Key_F8: run([this] { click(app_, C::Advanced); }); return true;
        case Qt::Key_F9:
            run([this] {
                app_.ShowFit = !app_.ShowFit;
                PopGraph(app_, app_.YearNo);
            });
            return true;
        case Qt::Key_F11: run([this] { toggleBatchSwitches(app_); }); return true;
        default: break;
    }
    return false;
}

}  // namespace vildo::qt
