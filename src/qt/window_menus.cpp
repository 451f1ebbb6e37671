// The menu bar of the main window, and the area menu built from the counties and the service's areas.
#include <QActionGroup>
#include <QDesktopServices>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTimer>
#include <QUrl>

#include "app/area_file_menu.h"
#include "app/export_handlers.h"
#include "app/forecast.h"
#include "app/parameter_handlers.h"
#include "app/saved_work.h"
#include "app/scenarios.h"
#include "app/start_year.h"
#include "app/vildo.h"
#include "area/area_file.h"
#include "area/county_table.h"
#include "hunt/exports.h"
#include "model/parameters.h"
#include "qt/forecast_dialog.h"
#include "qt/help_windows.h"
#include "qt/main_window.h"
#include "qt/prompts_qt.h"

namespace vildo::qt {

namespace {

constexpr const char* kHomePage = "https://www.norrvexa.se/";

}  // namespace

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&Arkiv");
    file->setObjectName("Avsluta");
    controls_.action(C::mnu_oppnaomrade, file, [this] { openAreaFile(app_); });
    controls_.action(C::mnu_Sparaomrade, file, [this] { mnu_SparaomradeClick(app_); });
    controls_.action(C::Sparadata1, file, [this] { Sparadata1Click(app_); });
    controls_.action(C::Laddascenario1, file, [this] { Laddascenario1Click(app_); });
    controls_.action(C::Sparascenario1, file, [this] { Sparascenario1Click(app_); });
    recentMenu_ = file->addMenu("Senaste filer");
    recentMenu_->setObjectName("SenasteFiler");
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    fillRecentMenu();
    // Closing asks about unsaved changes, as the close box does.
    controls_.action(C::Avsluta1, file, [this] { QTimer::singleShot(0, this, &QWidget::close); });

    QMenu* functions = menuBar()->addMenu("Funktioner");
    controls_.action(C::Advanced, functions);
    controls_.action(C::Expertmode1, functions);
    controls_.action(C::Reset, functions, [this] { ResetClick(app_); });
    controls_.action(C::Fabriksinstllningar1, functions, [this] { Fabriksinstllningar1Click(app_); });
    controls_.action(C::Stortext1, functions);
    // The question waits for the user: asked after the menu has closed, outside the core's handlers.
    controls_.action(C::Prognos1, functions, [this] { QTimer::singleShot(0, this, &MainWindow::askForecast); });

    areaMenu_ = menuBar()->addMenu(QString::fromUtf8("Område"));
    areaMenu_->setObjectName("Omrde1");
    buildAreaMenu();

    QMenu* view = menuBar()->addMenu("Visa");
    view->setObjectName("Visa1");
    // Radio items: the core keeps one item of each group checked.
    for (const auto& group :
         {std::vector<C>{C::Demografi1, C::Medellder1, C::Avskjutning1, C::ReproduktionochTjurandel1},
          std::vector<C>{C::Foderochlgbonitet1, C::lgtthetochAvskjutning1, C::Ddlighet1}}) {
        auto* radio = new QActionGroup(view);
        radio->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (C id : group) radio->addAction(controls_.action(id, view));
        if (group.front() == C::Demografi1) view->addSeparator();
    }

    QMenu* help = menuBar()->addMenu(QString::fromUtf8("&Hjälp"));
    help->setObjectName("OmVildo1");
    controls_.action(C::Hjlp1, help, [this] { help_->show(HelpWindow::Help); });
    controls_.action(C::Hemsidan, help, [] { QDesktopServices::openUrl(QUrl(kHomePage)); });
    controls_.action(C::OmVildo2, help, [this] { help_->showAbout(); });
}

// One item per county; the areas the service named at start-up as its submenu.
void MainWindow::buildAreaMenu() {
    areaMenu_->clear();
    for (size_t i = 0; i < app_.Omrde1.size(); ++i) {
        const CountyItem& county = app_.Omrde1[i];
        const QString caption = QString::fromStdString(county.caption);
        if (county.areas.empty()) {
            areaMenu_->addAction(caption)->setEnabled(false);
            continue;
        }
        QMenu* sub = areaMenu_->addMenu(caption);
        for (size_t j = 0; j < county.areas.size(); ++j) {
            QString area = QString::fromStdString(county.areas[j]);
            area.replace("&", "&&");  // shown as written, not as a mnemonic
            sub->addAction(area, this, [this, i, j] { loadArea(static_cast<int>(i), static_cast<int>(j)); });
        }
    }
    if (app_.AreaNamesFailed) {
        QAction* retry = areaMenu_->addAction(QString::fromUtf8("Försök igen"), this, [this] {
            run([this] { FetchAreaNames(app_); });
            buildAreaMenu();
        });
        retry->setObjectName("ForsokIgen");
    }
}

void MainWindow::fillRecentMenu() {
    recentMenu_->clear();
    for (size_t i = 0; i < app_.recentFiles.size(); ++i) {
        const QString path = QString::fromStdString(app_.recentFiles[i]);
        const QString caption = QString("&%1 ").arg(i + 1) + QFileInfo(path).fileName().replace("&", "&&");
        QAction* a = recentMenu_->addAction(caption, this, [this, path] { openNow(path); });
        a->setToolTip(path);
        a->setStatusTip(path);
    }
    recentMenu_->setEnabled(!app_.recentFiles.empty());
}

bool MainWindow::openNow(const QString& file) {
    const QFileInfo info(file);
    const QString suffix = info.suffix().toLower();
    if (suffix != "omr" && suffix != "scn") {
        prompts_.message(QString::fromUtf8("Vildo öppnar områdesfiler (.omr) och scenarier (.scn). %1 är ingen av dem.")
                             .arg(file)
                             .toStdString());
        return false;
    }
    if (!info.isFile()) {
        prompts_.message(QString::fromUtf8("Filen %1 finns inte.").arg(file).toStdString());
        return false;
    }
    const C item = suffix == "omr" ? C::mnu_oppnaomrade : C::Laddascenario1;
    if (!app_.ctl(item).enabled) {
        prompts_.message(QString::fromUtf8("%1 kan inte öppnas just nu: menyvalet \"%2\" är inte tillgängligt.")
                             .arg(file, QString::fromStdString(app_.ctl(item).caption))
                             .toStdString());
        return false;
    }
    prompts_.answerNextFileDialog(info.absoluteFilePath().toStdString());
    action(item)->trigger();
    return true;
}

void MainWindow::loadArea(int countyItem, int areaItem) {
    run([&] { areaItemClick(app_, countyItem, areaItem); });
}

void MainWindow::askForecast() {
    ForecastYearsDialog ask(defaultForecastGoal(app_), this);
    if (ask.exec() == QDialog::Accepted) openForecast(ask.years()->value(), 500, ask.goal()->value());
}

ForecastDialog* MainWindow::openForecast(int years, int replicates, std::optional<double> goal) {
    if (forecast_) forecast_->close();
    ForecastRequest request;
    request.years = years;
    request.replicates = replicates;
    request.seed = app_.platform.clockSeed();
    request.goal = goal;
    forecast_ = new ForecastDialog(app_, request, runForecast, this);
    forecast_->setAttribute(Qt::WA_DeleteOnClose);
    forecast_->show();
    return forecast_;
}

}  // namespace vildo::qt
