// The main window TForm1: charts above, two tabbed page sets below, the menus and the keys. It builds its
// widgets from the core's controls, grids and charts, forwards every event to the core's handler and
// refreshes afterwards.
#pragma once
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "qt/chart_view.h"
#include "qt/control_binder.h"
#include "qt/forecast_dialog.h"
#include "ui/charts.h"

class QTabWidget;
class QMenu;
class QLabel;
class QTimer;
class QStackedWidget;

namespace vildo {

struct Vildo;
struct Grid;

namespace qt {

class GridView;
struct GridHooks;
class HelpWindows;
class PromptsQt;
class TimerBridge;
class WorkingPaneView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Vildo& app, PromptsQt& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs a core handler through the global error handler, then brings the window in line with the state.
    void run(const std::function<void()>& handler);
    // Brings every widget in line with the core's state.
    void refresh();
    // The start-up of the window's first showing; runs once (also when called before showing).
    void startUp();
    bool started() const { return started_; }
    // True while no core timer is running: the last change has settled.
    bool settled() const;

    Vildo& app() { return app_; }
    ChartView* chart(int n) const { return charts_[static_cast<size_t>(n)]; }
    GridView* grid(const Grid& g) const;
    QWidget* control(C id) const { return controls_.widget(id); }
    QAction* action(C id) const { return controls_.actionOf(id); }
    QTabWidget* leftPages() const { return leftPages_; }
    QTabWidget* rightPages() const { return rightPages_; }
    QWidget* leftChartPanel() const { return panel15_; }
    // The progress pane while it lies over the charts, else null.
    QWidget* workingPane() const;
    QMenu* areaMenu() const { return areaMenu_; }
    HelpWindows& helpWindows() { return *help_; }
    // Chooses a page of either page set by its tab control, as a click on the tab would.
    void showPage(C tab);
    // Starts "Prognos" from the state as it stands, in a dialog of its own; an open one closes first.
    ForecastDialog* openForecast(int years, int replicates = 500, std::optional<double> goal = std::nullopt);
    // The forecast dialog while it is open, else null.
    ForecastDialog* forecastDialog() const { return forecast_; }
    // Reads the window's size and place, "Stor text" and the recent files from the user's settings, and keeps
    // them there at exit. Runs without a user (screenshots, tests) leave the settings alone.
    void rememberSettings();
    // Opens an area file (.omr) or a scenario (.scn) as its menu item would, once the start-up has settled.
    void openWorkFile(const QString& file);
    QMenu* recentMenu() const { return recentMenu_; }
    // The exit question, while it is open, else null.
    QWidget* exitQuestion() const { return exitQuestion_; }

signals:
    // The first paint after the start-up.
    void firstPainted();
    // The program was ended (Avsluta, Abort in the error dialog, the close box).
    void ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildMenus();
    void buildAreaMenu();
    QWidget* buildChartArea();
    QWidget* buildAreaPage();
    QWidget* buildStrategyPage();
    QWidget* buildGoalsPage();
    QWidget* buildResultsPage();
    QWidget* buildHuntPage();
    QWidget* buildLandUsePage();
    QWidget* buildReproductionPage();
    QWidget* buildWeightPage();
    QWidget* buildMortalityPage();
    QWidget* buildPredatorPage();
    ChartView* makeChart(int n);
    GridView* makeGrid(Grid& g, const GridHooks& hooks, std::function<void(GridView&)> sizeRule);
    void pageChanged(QTabWidget* tabs, int index);
    bool handleKey(int key, Qt::KeyboardModifiers mods);
    void refreshTables();
    void applyFonts();
    void applySizes();
    void loadArea(int countyItem, int areaItem);
    // "Prognos…": asks for the years, then opens the forecast.
    void askForecast();
    void fillRecentMenu();
    // Opens a work file now; false with a message when it cannot be opened.
    bool openNow(const QString& file);
    // "Spara ändringar i området?": true when the window may close.
    bool mayClose();
    void saveSettings();

    Vildo& app_;
    PromptsQt& prompts_;
    Runner runner_;
    ControlBinder controls_;
    std::unique_ptr<HelpWindows> help_;
    TimerBridge* timers_ = nullptr;
    QTimer* tableTimer_ = nullptr;  // the charts' and tables' next frame while timers run
    QElapsedTimer lastTables_;
    std::array<ChartView*, kChartCount> charts_{};
    std::vector<GridView*> grids_;
    QTabWidget* leftPages_ = nullptr;
    QTabWidget* rightPages_ = nullptr;
    QWidget* panel3_ = nullptr;
    QWidget* panel4_ = nullptr;
    QWidget* panel15_ = nullptr;
    QStackedWidget* chartStack_ = nullptr;
    QWidget* diagram_ = nullptr;
    WorkingPaneView* working_ = nullptr;
    QLabel* sqrroot_ = nullptr;
    QMenu* areaMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QPointer<QWidget> exitQuestion_;
    QString pendingFile_;
    bool remember_ = false;
    QPointer<ForecastDialog> forecast_;
    bool started_ = false;
    bool painted_ = false;
    bool hourglass_ = false;
    bool ending_ = false;
    int fontPx_ = 0;      // the window font's pixel size now
    int cellFontPx_ = 0;  // the size the goal table's cells give, before "Stor text"
    int coreFontPx_ = 0;  // the large-text setting last applied
    const QEvent* lastKey_ = nullptr;
    QObject* lastKeyTarget_ = nullptr;
};

// The window caption: "Vildo AI ÄlgSim  " and the version, cut together to 24 characters, then the
// program's purpose.
QString windowCaption(const QString& version);

}  // namespace qt
}  // namespace vildo
