// "Jämför planer": plans from the forecast's start side by side, refusals in the plan table, the search for
// the quota and "Avbryt".
#include "qt/plan_dialog.h"

#include <QClipboard>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtTest>

#include "app/season_driver.h"
#include "qt/chart_view.h"
#include "qt/forecast_dialog.h"
#include "qt/grid_view.h"
#include "qt_tests.h"

namespace vildo::qt::test {

namespace {

class PlanDialogTest : public QObject {
    Q_OBJECT

    struct Opened {
        WindowFixture f;
        QPointer<ForecastDialog> forecast;
        PlanDialog* plans = nullptr;
    };

    // A small forecast's result, then its "Jämför planer".
    static void open(Opened& o) {
        o.f.window->run([&] { SpeedButton1Click(*o.f.app); });
        o.f.settle();
        o.forecast = o.f.window->openForecast(3, 12);
        QTRY_VERIFY_WITH_TIMEOUT(o.forecast && o.forecast->chartView(), 60000);
        QVERIFY(o.forecast->plansButton()->isVisible());
        QTest::mouseClick(o.forecast->plansButton(), Qt::LeftButton);
        o.plans = o.forecast->findChild<PlanDialog*>();
        QVERIFY(o.plans && o.plans->isVisible());
    }

    static int areaSeries(const ChartView* v) {
        int n = 0;
        for (QAbstractSeries* s : v->chart()->series()) n += qobject_cast<QAreaSeries*>(s) != nullptr;
        return n;
    }

private slots:
    void threePlansShowSideBySide() {
        Opened o;
        open(o);
        PlanDialog& d = *o.plans;
        QCOMPARE(d.plans()->rowCount(), 2);  // "Som nu" and today's quota held
        QCOMPARE(d.plans()->item(0, 0)->text(), QString("Som nu"));
        d.setPlan(2, "Plan 2", HarvestPlan{500, 40, 30});
        d.setPlan(3, "Plan 3", HarvestPlan{900, 40, 30});
        QTest::mouseClick(d.compareButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!d.running() && d.table(), 60000);
        QCOMPARE(d.table()->grid().rowCount, 5);  // a heading and four plans
        QCOMPARE(d.table()->item(3, 1)->text(), QString("500"));
        QCOMPARE(areaSeries(d.chartView()), 4);
        // Fewer animals shot, more left: the median of 500 a year lies above that of 900.
        const double low = d.table()->item(3, 3)->text().replace(',', '.').toDouble();
        const double high = d.table()->item(4, 3)->text().replace(',', '.').toDouble();
        QVERIFY2(low > high, qPrintable(QString("%1 vs %2").arg(low).arg(high)));
    }

    // Ctrl+C on the plan table copies the selected plan's whole row, not only its current cell.
    void ctrlCCopiesTheSelectedPlan() {
        Opened o;
        open(o);
        QTableWidget* t = o.plans->plans();
        t->setCurrentCell(1, 1);
        t->selectRow(1);
        QTest::keySequence(t, QKeySequence::Copy);
        QStringList row;
        for (int c = 0; c < t->columnCount(); ++c) row << t->item(1, c)->text();
        QCOMPARE(row.front(), QString("Plan 1"));
        QCOMPARE(QGuiApplication::clipboard()->text(), row.join('\t') + '\n');
    }

    void aPlanThatCannotBeHuntedIsRefused() {
        Opened o;
        open(o);
        PlanDialog& d = *o.plans;
        d.plans()->item(1, 2)->setText("60");
        d.plans()->item(1, 3)->setText("50");
        QCOMPARE(d.plans()->item(1, 4)->text(), QString("-10"));
        QTest::mouseClick(d.compareButton(), Qt::LeftButton);
        QVERIFY(!d.running());
        QVERIFY(d.notes()->text().contains("100 %"));
        QVERIFY(!d.table());
    }

    void theSearchAddsTheFoundPlans() {
        Opened o;
        open(o);
        PlanDialog& d = *o.plans;
        d.plans()->selectRow(1);
        QTest::mouseClick(d.searchButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!d.running() && d.table(), 120000);
        QCOMPARE(d.plans()->rowCount(), 4);
        QCOMPARE(d.plans()->item(2, 0)->text(), QString::fromUtf8("Nära målet"));
        QCOMPARE(d.plans()->item(3, 0)->text(), QString::fromUtf8("Säker"));
        QVERIFY(d.notes()->text().contains(QString::fromUtf8("Nära målet:")));
        QCOMPARE(d.progressBar()->value(), 1000);
    }

    void avbrytStopsTheSearch() {
        Opened o;
        open(o);
        PlanDialog& d = *o.plans;
        QTest::mouseClick(d.searchButton(), Qt::LeftButton);
        QVERIFY(d.running() || d.table());
        if (d.running()) QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!d.running(), 60000);
        QVERIFY(d.compareButton()->isEnabled());
    }
};

}  // namespace

static Register plans([] { return new PlanDialogTest; });

}  // namespace vildo::qt::test

#include "plan_dialog_test.moc"
