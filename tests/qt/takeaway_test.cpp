// Numbers you can take away from the window: Ctrl+C on a table, a chart saved as an image.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QtCharts/QValueAxis>
#include <QtCharts/QXYSeries>
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

    // Ctrl+C takes what is selected: the bounding rectangle of a rectangular or ragged selection with the cells
    // not selected left empty; a selection wins over the highlighted cell, which is copied alone without one.
    void ctrlCCopiesTheSelectedCells_data() {
        QTest::addColumn<QList<QPoint>>("selected");  // (column, row)
        QTest::addColumn<QPoint>("highlighted");
        QTest::addColumn<QString>("expected");
        const QPoint none(-1, -1);
        QTest::newRow("block") << QList<QPoint>{{1, 1}, {2, 1}, {1, 2}, {2, 2}} << none
                               << QString("8,5\t12 345\n1\t2\n");
        QTest::newRow("ragged") << QList<QPoint>{{0, 0}, {2, 1}, {1, 2}} << none
                                << QString("År\t\t\n\t\t12 345\n\t1\t\n");
        QTest::newRow("a row's label and its last cell")
            << QList<QPoint>{{0, 1}, {3, 1}} << none << QString("Kalvar\t\t\t900\n");
        QTest::newRow("a selected cell, not the highlighted one")
            << QList<QPoint>{{3, 2}} << QPoint(1, 1) << QString("3\n");
        QTest::newRow("no selection: the highlighted cell") << QList<QPoint>{} << QPoint(2, 1) << QString("12 345\n");
        QTest::newRow("nothing: the whole table")
            << QList<QPoint>{} << none << QString("År\t2024\t2025\t2026\nKalvar\t8,5\t12 345\t900\nKor\t1\t2\t3\n");
    }
    void ctrlCCopiesTheSelectedCells() {
        QFETCH(QList<QPoint>, selected);
        QFETCH(QPoint, highlighted);
        QFETCH(QString, expected);
        Grid g(4, 3);
        const char* cells[3][4] = {
            {"År", "2024", "2025", "2026"}, {"Kalvar", "8.5", " 12 345 ", "900"}, {"Kor", "1", "2", "3"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c) g.cell(c, r) = cells[r][c];
        g.selCol = highlighted.x();
        g.selRow = highlighted.y();
        GridView view(g, {});
        for (const QPoint& p : selected)
            view.selectionModel()->select(view.model()->index(p.y(), p.x()), QItemSelectionModel::Select);
        QTest::keySequence(&view, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    // A click and a Shift+click select the rectangle between them, as in any table.
    void clickAndShiftClickSelectARectangle() {
        Grid g(4, 3);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c) g.cell(c, r) = std::to_string(10 * r + c);
        g.clearSelection();
        GridView view(g, {});
        view.resize(400, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto centre = [&](int col, int row) { return view.visualRect(view.model()->index(row, col)).center(); };
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, centre(1, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(2, 2));
        QTest::keySequence(&view, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("1\t2\n11\t12\n21\t22\n"));
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

    // The report's chart is drawn for paper: white behind dark texts and axes, pale curves darkened; the
    // window's chart keeps its dark colours.
    void aChartForPaperIsDarkOnWhite_data() {
        QTest::addColumn<bool>("paper");
        QTest::newRow("screen") << false;
        QTest::newRow("paper") << true;
    }
    void aChartForPaperIsDarkOnWhite() {
        QFETCH(bool, paper);
        WindowFixture f;
        const Chart& main = f.app->charts[5];
        ChartView view(*f.app, main, nullptr, paper ? ChartColours::paper() : ChartColours::screen());
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.resize(400, 300);
        view.show();
        QImage image(view.size(), QImage::Format_RGB32);
        image.fill(QColor(128, 128, 128));  // neither dark nor light: the chart must paint its own
        QPainter p(&image);
        view.render(&p);
        p.end();
        const int background = image.pixelColor(10, 10).lightness();
        auto* axis = qobject_cast<QValueAxis*>(view.chart()->axes(Qt::Vertical).first());
        const int text = axis->labelsColor().lightness(), title = axis->titleBrush().color().lightness();
        QVERIFY2(paper ? background > 240 && text < 80 && title < 80 : background < 60 && text > 180,
                 qPrintable(QString("background %1, labels %2, title %3").arg(background).arg(text).arg(title)));
        // The winter stock's light blue.
        auto* winter = qobject_cast<QXYSeries*>(view.chart()->series().at(1));
        QVERIFY(winter);
        QCOMPARE(winter->color().lightness() < 140, paper);
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
