// The progress pane over the charts, its cancel box, and handler errors reaching the global error handler.
#include <QElapsedTimer>
#include <QtTest>

#include "qt_tests.h"
#include "util/errors.h"

namespace vildo::qt::test {

class WorkingPaneTest : public QObject {
    Q_OBJECT
private slots:
    void paneLiesOverTheChartsAndItsCancelBoxStops() {
        WindowFixture f;
        MainWindow& w = *f.window;
        QVERIFY(!w.workingPane());
        // As the full calibration brings it to the front.
        w.run([&] {
            f.app->WorkingFront = true;
            setTimer(*f.app, 9, true);
        });
        QWidget* pane = w.workingPane();
        QVERIFY(pane && pane->isVisible());
        QVERIFY(!w.chart(5)->isVisible());
        // Beside the box nothing happens; inside it the calibration stops and the charts come back.
        QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(pane->width() - 160, 40));
        QVERIFY(f.app->timers[9].enabled);
        QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(pane->width() - 60, 40));
        QVERIFY(!f.app->timers[9].enabled);
        QVERIFY(!w.workingPane());
        QVERIFY(w.chart(5)->isVisible());
    }

    void aCalibrationsTimersFireBackToBackOthersKeepTheirIntervals() {
        WindowFixture f;
        f.settle();
        // The verdict's one-second timer belongs to the calibration: it fires without its interval, and the
        // core's clock jumps over it.
        const int64_t clock = f.app->clockMs;
        QElapsedTimer wall;
        wall.start();
        f.window->run([&] { setTimer(*f.app, 11, true); });
        QTRY_VERIFY_WITH_TIMEOUT(!f.app->timers[11].enabled, 500);
        QVERIFY(wall.elapsed() < 500);
        QVERIFY(f.app->clockMs >= clock + 1000);
        // The hunt's reset after start-up is no part of it and waits its second.
        f.window->run([&] { setTimer(*f.app, 13, true); });
        QTest::qWait(200);
        QVERIFY(f.app->timers[13].enabled);
        f.settle();
        QVERIFY(!f.app->timers[13].enabled);
    }

    void doubleClickSendsThePaneBack() {
        WindowFixture f;
        f.window->run([&] { f.app->WorkingFront = true; });
        QTest::mouseDClick(f.window->workingPane(), Qt::LeftButton, {}, QPoint(40, 200));
        QVERIFY(!f.window->workingPane());
    }

    void handlerErrorsReachTheGlobalHandler() {
        WindowFixture f;
        const qsizetype before = f.prompts.shown().size();
        f.window->run([] { throw VildoError("Grid index out of range"); });
        QCOMPARE(f.prompts.shown().size(), before);
        f.window->run([] { throw VildoError("Division by zero"); });
        QCOMPARE(f.prompts.shown().size(), before + 1);
        QCOMPARE(
            f.prompts.shown().last(),
            QString::fromUtf8("Något blev fel! Kontakta mig gärna så jag kan förbättra programmet. Division by zero"));
        // The cautious answer of a scripted run is Ignore: the program goes on.
        QVERIFY(!f.app->terminated);
        QVERIFY(f.window->isVisible());
    }
};

static Register pane([] { return new WorkingPaneTest; });

}  // namespace vildo::qt::test

#include "working_pane_test.moc"
