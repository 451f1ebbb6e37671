// Clicks and drags on the charts reach the core's editing handlers as axis values.
#include <QMouseEvent>
#include <QTabWidget>
#include <QtCharts/QChart>
#include <QtCharts/QXYSeries>
#include <QtTest>

#include "qt_tests.h"

namespace vildo::qt::test {

namespace {

void mouse(QWidget* target, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

}  // namespace

class ChartEditingTest : public QObject {
    Q_OBJECT
private slots:
    void fecundityBarTakesClicksOnlyInExpertMode() {
        WindowFixture f;
        MainWindow& w = *f.window;
        w.action(C::Advanced)->trigger();
        w.showPage(C::TabSheet3);
        QApplication::processEvents();
        ChartView* chart = w.chart(6);
        const int age = 8;
        const double before = f.app->Pop.Fecundity[age];
        auto centre = chart->barCentre(0, age);
        QVERIFY(centre);
        QTest::mouseClick(chart->viewport(), Qt::LeftButton, {}, centre->toPoint());
        QCOMPARE(f.app->Pop.Fecundity[age], before);

        w.action(C::Expertmode1)->trigger();
        QApplication::processEvents();
        centre = chart->barCentre(0, age);
        QTest::mouseClick(chart->viewport(), Qt::LeftButton, {}, centre->toPoint());
        QVERIFY(qAbs(f.app->Pop.Fecundity[age] - std::min(3.0, before + 0.1)) < 1e-9);
        QTest::mouseClick(chart->viewport(), Qt::RightButton, {}, centre->toPoint());
        QVERIFY(qAbs(f.app->Pop.Fecundity[age] - before) < 1e-9);
    }

    void predatorDragStoresTheValueUnderThePointer() {
        WindowFixture f;
        MainWindow& w = *f.window;
        w.showPage(C::Rovdjur);
        QApplication::processEvents();
        ChartView* chart = w.chart(10);
        const Chart& data = f.app->charts[10];
        const double year = data.series[0].points[3].x;
        QWidget* vp = chart->viewport();
        mouse(vp, QEvent::MouseButtonPress, chart->viewPosition(year, 2, AxisSide::Left), Qt::LeftButton,
              Qt::LeftButton);
        mouse(vp, QEvent::MouseMove, chart->viewPosition(year, 12.3, AxisSide::Left), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(data.series[0].points[3].y, 12.5);
        QCOMPARE(data.left.max, 14.5);
        mouse(vp, QEvent::MouseMove, chart->viewPosition(year, -3, AxisSide::Left), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(data.series[0].points[3].y, 0.0);
        mouse(vp, QEvent::MouseMove, chart->viewPosition(year, 4.2, AxisSide::Left), Qt::NoButton, Qt::LeftButton);
        mouse(vp, QEvent::MouseButtonRelease, chart->viewPosition(year, 4.2, AxisSide::Left), Qt::LeftButton,
              Qt::NoButton);
        QCOMPARE(f.app->Rov.Vargrevir.at(3), 4.0);
        QVERIFY(f.app->SettingsChanged);
        // The bears live on the right axis and follow the right button.
        mouse(vp, QEvent::MouseButtonPress, chart->viewPosition(year, 1, AxisSide::Right), Qt::RightButton,
              Qt::RightButton);
        mouse(vp, QEvent::MouseMove, chart->viewPosition(year, 6, AxisSide::Right), Qt::NoButton, Qt::RightButton);
        mouse(vp, QEvent::MouseButtonRelease, chart->viewPosition(year, 6, AxisSide::Right), Qt::RightButton,
              Qt::NoButton);
        QCOMPARE(f.app->Rov.Bjornpop.at(3), 6.0);
        QCOMPARE(f.app->Rov.Vargrevir.at(3), 4.0);
    }

    void seriesShowTheCoresPointsInSwedishNumbers() {
        WindowFixture f;
        MainWindow& w = *f.window;
        for (int i = 0; i < 3; ++i) QTest::keyClick(&w, Qt::Key_Right);
        f.settle();
        QChart* chart = w.chart(5)->chart();
        QVERIFY(chart->localizeNumbers());
        QCOMPARE(chart->locale().decimalPoint(), QString(","));
        const auto* summer = qobject_cast<QXYSeries*>(chart->series().at(0));
        QVERIFY(summer);
        QCOMPARE(summer->count(), static_cast<int>(f.app->charts[5].series[0].points.size()));
        QVERIFY(summer->count() > 0);
        QCOMPARE(summer->at(summer->count() - 1).y(), f.app->charts[5].series[0].points.back().y);
    }
};

static Register charts([] { return new ChartEditingTest; });

}  // namespace vildo::qt::test

#include "chart_editing_test.moc"
