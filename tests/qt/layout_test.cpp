// Tables and charts keep what they show readable: whole numbers, full texts on cut cells, axis labels at
// their steps where they fit, and the legend below the plot.
#include <QHeaderView>
#include <QScrollBar>
#include <QToolTip>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>
#include <QtTest>

#include "qt/elided_label.h"
#include "qt/grid_view.h"
#include "qt_tests.h"
#include "ui/grid_layout.h"

namespace vildo::qt::test {

namespace {

// Large counts in every year column of the season table and long texts in the goal table, as the
// national area shows them.
void fillWideTexts(Vildo& app) {
    Grid& season = app.StringGrid2;
    for (int c = 1; c < season.colCount; ++c) {
        season.cell(c, 0) = std::to_string(2010 + c);
        for (int r = 1; r < season.rowCount; ++r) season.cell(c, r) = r % 2 ? "24 321" : "333 456";
    }
    app.Stringgrid5.cell(0, 5) = "Medelålder hondjur (avskjutning) och mycket mer";
}

// Every number is whole, every cut text has its full text as a tooltip, and a table wider than its
// place can scroll to the rest.
void checkTable(GridView* v) {
    const QFontMetrics fm(v->font());
    const std::vector<bool> numbers = numberColumns(v->grid());
    int total = 0;
    for (int c = 0; c < v->columnCount(); ++c) {
        total += v->columnWidth(c);
        for (int r = 0; r < v->rowCount(); ++r) {
            const QString t = v->item(r, c)->text();
            const bool cut = fm.horizontalAdvance(t) + 4 > v->columnWidth(c);
            if (numbers[static_cast<size_t>(c)])
                QVERIFY2(!cut, qPrintable(QString("%1 (%2,%3) is cut").arg(t).arg(c).arg(r)));
            if (cut) QCOMPARE(v->item(r, c)->toolTip(), t);
        }
    }
    if (total > v->viewport()->width() + 1) QVERIFY(v->horizontalScrollBar()->maximum() > 0);
}

// The window sizes the tables are checked at; the widest only where asked.
void windowSizes(bool wide) {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("large");
    QTest::newRow("start size") << QSize(1105, 800) << false;
    QTest::newRow("800x600") << QSize(800, 600) << false;
    QTest::newRow("800x600, large text") << QSize(800, 600) << true;
    if (wide) QTest::newRow("wide, large text") << QSize(1800, 1000) << true;
}

// The window at `size`, with large text when asked, showing the national area's wide texts.
void showWideTexts(WindowFixture& f, QSize size, bool large) {
    MainWindow& w = *f.window;
    w.resize(size);
    if (large) QTest::keyClick(&w, Qt::Key_F2);
    fillWideTexts(*f.app);
    w.refresh();
    QApplication::processEvents();
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void tablesShowTheirNumbersWhole_data() { windowSizes(true); }
    void tablesShowTheirNumbersWhole() {
        QFETCH(QSize, size);
        QFETCH(bool, large);
        WindowFixture f;
        MainWindow& w = *f.window;
        showWideTexts(f, size, large);
        checkTable(w.grid(f.app->StringGrid2));
        checkTable(w.grid(f.app->Stringgrid5));
        w.showPage(C::TabSheet9);
        QApplication::processEvents();
        checkTable(w.grid(f.app->Tabell_utv));
    }

    // A year table scrolled to its current year keeps its row labels in view: the first column lies over the
    // table's left edge, as wide as the column and as high as the room, and scrolls down with the rest.
    void rowLabelsStayWhileTheYearsScroll_data() { windowSizes(false); }
    void rowLabelsStayWhileTheYearsScroll() {
        QFETCH(QSize, size);
        QFETCH(bool, large);
        WindowFixture f;
        MainWindow& w = *f.window;
        showWideTexts(f, size, large);
        Grid& g = f.app->StringGrid2;
        g.cell(0, 1) = "Tjur";
        const int last = g.colCount - 1;
        g.selCol = last;  // the current year, the last one
        w.refresh();
        QApplication::processEvents();
        GridView* v = w.grid(g);
        QVERIFY(v->horizontalScrollBar()->value() > 0);
        QTableView* labels = v->frozenColumn();
        QVERIFY(labels && labels->isVisible());
        QCOMPARE(labels->geometry(),
                 QRect(v->viewport()->geometry().topLeft(), QSize(v->columnWidth(0), v->viewport()->height())));
        QCOMPARE(labels->model()->index(1, 0).data().toString(), QString("Tjur"));
        QVERIFY(labels->columnViewportPosition(0) == 0 && !labels->isColumnHidden(0) && labels->isColumnHidden(1));
        const int x = v->columnViewportPosition(last);
        QVERIFY2(x >= v->columnWidth(0) && x + v->columnWidth(last) <= v->viewport()->width(),
                 qPrintable(QString("current year at %1, labels %2 wide, room %3")
                                .arg(x)
                                .arg(v->columnWidth(0))
                                .arg(v->viewport()->width())));
        for (int r = 0; r < v->rowCount(); ++r) QCOMPARE(labels->rowHeight(r), v->rowHeight(r));
        v->verticalScrollBar()->setValue(v->verticalScrollBar()->maximum());
        QCOMPARE(labels->verticalScrollBar()->value(), v->verticalScrollBar()->value());
    }

    // A label too narrow for its text ends it in "…", line by line, and shows the whole text as its tooltip;
    // a label that fits or wraps its words is painted as it is.
    void aLongLabelEndsInAnEllipsis_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<QString>("shown");  // "…" for: elided, ending in "…"
        QTest::newRow("fits") << "Kor: 52 %" << false << "Kor: 52 %";
        QTest::newRow("too long") << "Vinterstam: 9,6 per 1000 ha efter jakt" << false << QString::fromUtf8("…");
        QTest::newRow("one long line of two")
            << "Kor\nVinterstam: 9,6 per 1000 ha efter jakt" << false << QString::fromUtf8("Kor\n…");
        QTest::newRow("wraps its words") << "Vinterstam: 9,6 per 1000 ha efter jakt" << true
                                         << "Vinterstam: 9,6 per 1000 ha efter jakt";
    }
    void aLongLabelEndsInAnEllipsis() {
        QFETCH(QString, text);
        QFETCH(bool, wrap);
        QFETCH(QString, shown);
        QWidget box;
        auto* label = new ElidedLabel(&box);
        label->setWordWrap(wrap);
        label->setText(text);
        label->setToolTip("Egen hjälptext");
        label->setGeometry(0, 0, QFontMetrics(label->font()).horizontalAdvance("Vinterstam: 9,6"), 60);
        box.show();
        const bool elided = shown.endsWith(QString::fromUtf8("…"));
        QCOMPARE(label->isElided(), elided);
        if (!elided) {
            QCOMPARE(label->shownText(), shown);
            return;
        }
        QVERIFY2(label->shownText().startsWith(shown.chopped(1)) && label->shownText().endsWith(QString::fromUtf8("…")),
                 qPrintable(label->shownText()));
        for (const QString& line : label->shownText().split('\n'))
            QVERIFY(QFontMetrics(label->font()).horizontalAdvance(line) <= label->contentsRect().width());
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(label, &help);
        QCOMPARE(QToolTip::text(), text + "\n\nEgen hjälptext");
        QToolTip::hideText();
    }

    // A long area name at 800x600 with large text ends in "…" rather than widening the window.
    void aLongAreaNameDoesNotWidenTheWindow() {
        WindowFixture f;
        MainWindow& w = *f.window;
        w.resize(800, 600);
        QTest::keyClick(&w, Qt::Key_F2);
        f.app->ctl(C::LOmrade).caption = "Område: Norra och mellersta skogslandets samverkansområde för älgförvaltning";
        w.showPage(C::TabSheet7);
        w.refresh();
        QApplication::processEvents();
        auto* area = qobject_cast<ElidedLabel*>(w.control(C::LOmrade));
        QVERIFY(area && area->isElided());
        QCOMPARE(w.width(), 800);
        QVERIFY(area->mapTo(&w, QPoint(area->width(), 0)).x() <=
                w.leftPages()->mapTo(&w, QPoint(w.leftPages()->width(), 0)).x());
    }

    // Where the numbers fit, texts give way and nothing scrolls.
    void tablesThatFitDoNotScroll() {
        WindowFixture f;
        for (const Grid* g : {&f.app->Stringgrid5, &f.app->StringGrid3, &f.app->StringGrid2}) {
            GridView* v = f.window->grid(*g);
            QCOMPARE(v->horizontalScrollBar()->maximum(), 0);
            int total = 0;
            for (int c = 0; c < v->columnCount(); ++c) total += v->columnWidth(c);
            QVERIFY2(total <= v->viewport()->width(), qPrintable(QString::number(total)));
        }
    }

    // With all four curves the legend of the reproduction chart wraps below the plot, which keeps the
    // chart's width.
    // On a small window with large text the legend's rows take no more than a quarter of the chart.
    void legendStaysBelowThePlot_data() {
        QTest::addColumn<int>("chart");
        QTest::addColumn<bool>("small");
        QTest::newRow("reproduction, start size") << 8 << false;
        QTest::newRow("reproduction, 800x600 large text") << 8 << true;
        QTest::newRow("density, 800x600 large text") << 5 << true;
    }
    void legendStaysBelowThePlot() {
        QFETCH(int, chart);
        QFETCH(bool, small);
        WindowFixture f;
        if (small) {
            f.window->resize(800, 600);
            QTest::keyClick(f.window.get(), Qt::Key_F2);
        }
        Chart& c = f.app->charts[static_cast<size_t>(chart)];
        for (size_t i = 0; i < c.series.size() && i < 4; ++i) {
            c.series[i].active = true;
            c.series[i].points = {{2020, 0.5, {}, 0}, {2021, 0.6, {}, 0}};
        }
        f.window->refresh();
        QApplication::processEvents();
        ChartView* view = f.window->chart(chart);
        const QRectF plot = view->chart()->plotArea();
        QVERIFY2(plot.width() > 0.6 * view->width(), qPrintable(QString::number(plot.width())));
        QVERIFY2(plot.height() > 0.3 * view->height(),
                 qPrintable(QString("%1 of %2").arg(plot.height()).arg(view->height())));
    }

    // The carcass-weight and mortality ages every 2 years and the density every 1 where the labels fit;
    // in a small window the step may coarsen, but the labels never overlap.
    void axisLabelsKeepTheirSteps_data() {
        QTest::addColumn<int>("chart");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<double>("step");
        QTest::newRow("carcass ages") << 4 << int(C::TabSheet4) << true << 2.0;
        QTest::newRow("mortality ages") << 7 << int(C::TabSheet5) << true << 2.0;
        QTest::newRow("density") << 5 << int(C::TabSheet1) << false << 1.0;
    }
    void axisLabelsKeepTheirSteps() {
        QFETCH(int, chart);
        QFETCH(int, page);
        QFETCH(bool, horizontal);
        QFETCH(double, step);
        WindowFixture f;
        MainWindow& w = *f.window;
        QTest::keyClick(&w, Qt::Key_F8);
        w.showPage(static_cast<C>(page));
        w.resize(1400, 1000);
        QApplication::processEvents();
        auto axis = [&] {
            return qobject_cast<QValueAxis*>(
                w.chart(chart)->chart()->axes(horizontal ? Qt::Horizontal : Qt::Vertical).first());
        };
        QCOMPARE(axis()->tickInterval(), step);
        w.resize(800, 600);
        QApplication::processEvents();
        QValueAxis* a = axis();
        QVERIFY(a->tickInterval() >= step);
        const QRectF plot = w.chart(chart)->chart()->plotArea();
        const double apart = a->tickInterval() * (horizontal ? plot.width() : plot.height()) / (a->max() - a->min());
        const QFontMetrics fm(a->labelsFont());
        const double label = horizontal ? fm.horizontalAdvance(QString::number(a->max(), 'f', 0)) : fm.height();
        QVERIFY2(apart >= label, qPrintable(QString("%1 px for %2 px labels").arg(apart).arg(label)));
    }
};

static Register layout([] { return new LayoutTest; });

}  // namespace vildo::qt::test

#include "layout_test.moc"
