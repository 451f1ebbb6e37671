// "Prognos…": the menu item, the run on its worker thread with progress and "Avbryt", and the result.
#include "hunt/forecast.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/season_driver.h"
#include "model/state_files.h"
#include "qt/forecast_dialog.h"
#include "qt/grid_view.h"
#include "qt_tests.h"
#include "ui/ui_dump.h"

namespace vildo::qt::test {

namespace {

// What a forecast must leave as it was: the model, the window's data and the random generator.
struct StateMark {
    explicit StateMark(const Vildo& app)
        : snapshot(snapshotBytes(app)), ui(uiDumpJson(app)), seed(app.rng.seed), year(app.YearNo) {}
    bool operator==(const StateMark&) const = default;
    std::string snapshot, ui;
    uint32_t seed;
    int year;
};

Forecast someYears(int years, int replicates) {
    Forecast f;
    f.replicates = replicates;
    f.wantedDensity = 8;
    for (int s = 1; s <= years; ++s) {
        ForecastYear y;
        y.season = s;
        y.year = 2024 + s;
        y.winterDensity = {6.0, 7.5 + s, 9.0 + s};
        y.quotaFilled = 0.5;
        f.years.push_back(y);
    }
    return f;
}

Forecast twoYears(int replicates) { return someYears(2, replicates); }

// A runner that reports progress until released or cancelled, on whichever thread calls it.
struct HeldRunner {
    std::atomic<bool> release{false}, returned{false}, cancelled{false};
    ForecastRunner runner() {
        return [this](const Vildo&, const ForecastRequest& r, const ForecastProgress& progress) {
            for (int done = 1; !release.load(); done = std::min(done + 1, r.replicates - 1)) {
                if (!progress(done)) {
                    cancelled = true;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            returned = true;
            Forecast f = twoYears(r.replicates);
            f.cancelled = cancelled.load();
            return f;
        };
    }
};

ForecastRequest request(int years, int replicates) {
    ForecastRequest r;
    r.years = years;
    r.replicates = replicates;
    return r;
}

}  // namespace

class ForecastTest : public QObject {
    Q_OBJECT
private slots:
    void menuItemIsInFunctions() {
        WindowFixture f;
        QMenu* functions = nullptr;
        for (QAction* a : f.window->menuBar()->actions())
            if (a->text() == "Funktioner") functions = a->menu();
        QVERIFY(functions);
        QAction* item = f.window->action(C::Prognos1);
        QVERIFY(item);
        QVERIFY(functions->actions().contains(item));
        QCOMPARE(item->text(), QString::fromUtf8("Prognos…"));
        QVERIFY(item->isEnabled() && item->isVisible() && !item->isCheckable());
    }

    // The item asks for the years (1..20, 5 to begin with) and the goal (the wanted density without an area),
    // then runs 500 futures measured against that goal; "Avbryt" stops them and nothing of the state changes.
    void menuAsksForTheYearsThenRunsUntilCancelled() {
        WindowFixture f;
        const StateMark before(*f.app);
        int asked = 0;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto* ask = qobject_cast<ForecastYearsDialog*>(QApplication::activeModalWidget());
            if (!ask) return;
            answer.stop();
            ++asked;
            QCOMPARE(ask->windowTitle(), QString("Prognos"));
            QVERIFY(ask->findChild<QLabel*>()->text() == QString::fromUtf8("Antal år:"));
            QCOMPARE(ask->years()->minimum(), 1);
            QCOMPARE(ask->years()->maximum(), 20);
            QCOMPARE(ask->years()->value(), 5);
            QCOMPARE(ask->goal()->value(), f.app->TargetDensity);
            QCOMPARE(ask->goal()->textFromValue(12.5), QString("12,5"));
            ask->years()->setValue(20);
            ask->goal()->setValue(12.5);
            ask->accept();
        });
        answer.start(5);
        f.window->action(C::Prognos1)->trigger();
        QTRY_VERIFY(f.window->forecastDialog());
        QCOMPARE(asked, 1);
        ForecastDialog* d = f.window->forecastDialog();
        QCOMPARE(d->windowTitle(), QString("Prognos"));
        QCOMPARE(d->progressBar()->maximum(), 500);
        QVERIFY(d->progressBar()->isVisible());
        QVERIFY(d->running());
        QCOMPARE(d->cancelButton()->text(), QString("Avbryt"));
        QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!f.window->forecastDialog(), 30000);
        QVERIFY(StateMark(*f.app) == before);
    }

    void smallForecastShowsChartAndTableAndLeavesTheState() {
        WindowFixture f;
        f.window->run([&] { SpeedButton1Click(*f.app); });
        f.settle();
        const StateMark before(*f.app);
        ForecastDialog* d = f.window->openForecast(3, 8);
        QVERIFY(d);
        QTRY_VERIFY_WITH_TIMEOUT(d->chartView(), 60000);
        QVERIFY(!d->running());
        QVERIFY(d->chartView()->isVisible() && d->table()->isVisible());
        QVERIFY(!d->progressBar()->isVisible());
        QList<QAbstractSeries*> areas;
        for (QAbstractSeries* s : d->chartView()->chart()->series())
            if (qobject_cast<QAreaSeries*>(s)) areas << s;
        QCOMPARE(areas.size(), 1);
        QVERIFY(areas.front()->isVisible());
        const Grid& g = d->table()->grid();
        QCOMPARE(g.rowCount, 4);
        QCOMPARE(d->table()->item(0, 1)->text(), QString("Vinterstam (median)"));
        QVERIFY(d->table()->item(3, 5)->text().endsWith(" %"));
        QVERIFY(StateMark(*f.app) == before);
        d->close();
        QTRY_VERIFY(!f.window->forecastDialog());
        QVERIFY(StateMark(*f.app) == before);
    }

    // The event loop turns while the worker runs: timers fire and the bar follows the reported count.
    void windowStaysResponsiveDuringTheRun() {
        WindowFixture f;
        HeldRunner held;
        ForecastDialog d(*f.app, request(2, 100), held.runner(), f.window.get());
        d.show();
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&] { ++ticks; });
        tick.start(10);
        QTRY_VERIFY(d.progressBar()->value() > 10);
        QTRY_VERIFY(ticks >= 10);
        QVERIFY(d.running());
        QVERIFY(!d.chartView());
        held.release = true;
        QTRY_VERIFY(d.chartView());
        QVERIFY(!d.running());
        QCOMPARE(d.table()->item(1, 0)->text(), QString("2025"));
        QCOMPARE(d.table()->item(1, 1)->text(), QString("8,5"));
        QCOMPARE(d.table()->item(1, 2)->text(), QString::fromUtf8("6,0–10,0"));
    }

    void cancelStopsTheRun_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Avbryt") << 0;
        QTest::newRow("closing the dialog") << 1;
        QTest::newRow("Escape") << 2;
    }
    void cancelStopsTheRun() {
        QFETCH(int, how);
        WindowFixture f;
        HeldRunner held;
        ForecastDialog d(*f.app, request(5, 500), held.runner(), f.window.get());
        d.show();
        QTRY_VERIFY(d.progressBar()->value() > 0);
        if (how == 0)
            QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
        else if (how == 1)
            d.close();
        else
            QTest::keyClick(&d, Qt::Key_Escape);
        QTRY_VERIFY(held.returned.load());
        QVERIFY(held.cancelled.load());
        QTRY_VERIFY(!d.isVisible());
        QVERIFY(!d.running());
        QVERIFY(!d.chartView());
    }

    // The dialog takes the window's font, large text too.
    void dialogFollowsTheWindowsFont() {
        WindowFixture f;
        QTest::keyClick(f.window.get(), Qt::Key_F2);
        QCOMPARE(f.window->font().pixelSize(), 15);
        HeldRunner held;
        held.release = true;
        ForecastDialog d(*f.app, request(2, 10), held.runner(), f.window.get());
        QCOMPARE(d.font().pixelSize(), 15);
        ForecastYearsDialog ask(8, f.window.get());
        QCOMPARE(ask.font().pixelSize(), 15);
    }

    // The year table shows whole rows only, all of them while they fit, more of them as the dialog grows; the
    // chart takes the rest. Narrowed, the table keeps its year column in view.
    void theYearTableShowsWholeRowsAsTheDialogGrows() {
        WindowFixture f;
        ForecastRunner runner = [](const Vildo&, const ForecastRequest& r, const ForecastProgress&) {
            return someYears(r.years, r.replicates);
        };
        ForecastDialog d(*f.app, request(20, 10), runner, f.window.get());
        d.show();
        QTRY_VERIFY(d.table());
        GridView* t = d.table();
        int before = 0;
        for (const QSize size : {QSize(700, 500), QSize(1400, 1000), QSize(380, 500)}) {
            d.resize(size);
            QApplication::processEvents();
            const int rowH = t->rowHeight(1), room = t->viewport()->height();
            const QString at =
                QString("%1x%2: %3 px for rows of %4").arg(size.width()).arg(size.height()).arg(room).arg(rowH);
            QVERIFY2(room % rowH == 0 && room / rowH >= 2 && room / rowH <= t->rowCount(), qPrintable(at));
            if (size.width() == 1400) {
                QVERIFY2(room / rowH > before, qPrintable(at));
                QVERIFY(d.chartView()->height() > room);
            }
            before = room / rowH;
        }
        QVERIFY(t->horizontalScrollBar()->value() > 0);
        QVERIFY(t->frozenColumn() && t->frozenColumn()->isVisible());
        QCOMPARE(t->frozenColumn()->width(), t->columnWidth(0));

        // A short forecast shows every row.
        ForecastDialog few(*f.app, request(5, 10), runner, f.window.get());
        few.show();
        QTRY_VERIFY(few.table());
        QApplication::processEvents();
        QCOMPARE(few.table()->viewport()->height(), few.table()->rowCount() * few.table()->rowHeight(1));
    }

    // The result taken away: the command line's CSV byte for byte, the chart as PNG, the one-page report.
    void resultExportsAsCsvPngAndPdf() {
        WindowFixture f;
        HeldRunner held;
        held.release = true;
        ForecastDialog d(*f.app, request(2, 10), held.runner(), f.window.get());
        d.show();
        QTRY_VERIFY(d.chartView());
        QVERIFY(d.findChild<QPushButton*>("Exportera"));
        QVERIFY(d.findChild<QPushButton*>("SparaRapport"));
        const QString csv = f.dir.filePath("prognos.csv"), png = f.dir.filePath("prognos.png"),
                      pdf = f.dir.filePath("rapport.pdf");
        QVERIFY(d.exportTo(csv));
        QFile c(csv);
        QVERIFY(c.open(QIODevice::ReadOnly));
        QCOMPARE(c.readAll().toStdString(), forecastCsv(twoYears(10)));
        QVERIFY(d.exportTo(png));
        QVERIFY(!QImage(png).isNull());
        QVERIFY(d.saveReport(pdf));
        QFile r(pdf);
        QVERIFY(r.open(QIODevice::ReadOnly));
        QVERIFY(r.read(5) == "%PDF-");
        // A folder that does not exist is named in the message, and nothing is claimed written.
        QTimer::singleShot(0, [] {
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
        });
        QVERIFY(!d.exportTo(f.dir.filePath("saknas/prognos.csv")));
    }
};

static Register forecast([] { return new ForecastTest; });

}  // namespace vildo::qt::test

#include "forecast_test.moc"
