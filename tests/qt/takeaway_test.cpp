// Numbers you can take away from the window: Ctrl+C on a table, a chart saved as an image.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QtTest>

#include "qt/chart_view.h"
#include "qt/grid_view.h"
#include "qt_tests.h"

namespace vildo::qt::test {

class TakeAwayTest : public QObject {
    Q_OBJECT
private slots:
    void ctrlCCopiesTheTableOrItsHighlightedCellAsTabSeparatedText() {
        Grid g(3, 2);
        g.cell(0, 0) = "År";
        g.cell(1, 0) = "Vinterstam";
        g.cell(2, 0) = "Andel";
        g.cell(0, 1) = "2025";
        g.cell(1, 1) = " 12 345 ";
        g.cell(2, 1) = "0.85";  // a point from elsewhere becomes the table's comma
        g.clearSelection();
        GridView view(g, {});
        QTest::keySequence(&view, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("År\tVinterstam\tAndel\n2025\t12 345\t0,85\n"));
        g.selCol = 1;
        g.selRow = 1;
        QTest::keySequence(&view, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("12 345\n"));
    }

    // A year table wider than its room shows its current year, the last column with a heading.
    void aNarrowYearTableScrollsToTheCurrentYear() {
        Grid g(12, 3);
        for (int c = 1; c < 10; ++c) g.cell(c, 0) = std::to_string(2016 + c);
        for (int c = 1; c < 10; ++c) g.cell(c, 1) = "123456";
        g.clearSelection();
        GridView view(g, {});
        view.resize(260, 120);
        view.show();
        view.refresh();
        QApplication::processEvents();
        const int x = view.columnViewportPosition(9);
        QVERIFY2(x >= 0 && x + view.columnWidth(9) <= view.viewport()->width(),
                 qPrintable(QString("column at %1, width %2, room %3")
                                .arg(x)
                                .arg(view.columnWidth(9))
                                .arg(view.viewport()->width())));
    }

    void aChartSavesAsPngOrSvg() {
        WindowFixture f;
        ChartView* chart = f.window->chart(5);
        const QString png = f.dir.filePath("diagram.png"), svg = f.dir.filePath("diagram.svg");
        QVERIFY(chart->saveImage(png));
        QCOMPARE(QImage(png).size(), chart->size());
        QVERIFY(chart->saveImage(svg));
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("<svg"));
        QVERIFY(!chart->saveImage(f.dir.filePath("saknas/diagram.png")));

        // A right click opens the menu on a chart the right button does not edit.
        bool offered = false;
        QTimer::singleShot(0, [&offered] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            offered = menu && menu->actions().front()->text() == QString::fromUtf8("Spara diagram som bild…");
            if (menu) menu->close();
        });
        QContextMenuEvent right(QContextMenuEvent::Mouse, QPoint(50, 50), chart->mapToGlobal(QPoint(50, 50)));
        QApplication::sendEvent(chart->viewport(), &right);  // where a real click arrives
        QVERIFY(offered);
    }
};

static Register takeAway([] { return new TakeAwayTest; });

}  // namespace vildo::qt::test

#include "takeaway_test.moc"
