// Advanced mode, expert mode, large text and the width the left chart panel keeps.
#include <QAction>
#include <QCheckBox>
#include <QTabWidget>
#include <QtTest>

#include "qt_tests.h"

namespace vildo::qt::test {

namespace {

// Every control's and tab's visibility as the window shows it.
QList<bool> visibilities(MainWindow& w) {
    QList<bool> out;
    for (int i = 0; i < kControlCount; ++i) {
        const C id = static_cast<C>(i);
        if (QAction* a = w.action(id)) out << a->isVisible() << a->isEnabled();
        if (QWidget* c = w.control(id)) out << !c->isHidden();
    }
    for (QTabWidget* tabs : {w.leftPages(), w.rightPages()})
        for (int i = 0; i < tabs->count(); ++i) out << tabs->isTabVisible(i);
    return out;
}

QCheckBox* box(MainWindow& w, C id) { return qobject_cast<QCheckBox*>(w.control(id)); }

}  // namespace

class ModesTest : public QObject {
    Q_OBJECT
private slots:
    void f8TwiceRestoresEveryVisibility() {
        WindowFixture f;
        const QList<bool> before = visibilities(*f.window);
        QTest::keyClick(f.window.get(), Qt::Key_F8);
        QVERIFY(f.window->action(C::Advanced)->isChecked());
        QVERIFY(f.window->action(C::Expertmode1)->isEnabled());
        QVERIFY(f.window->rightPages()->isTabVisible(f.window->rightPages()->indexOf(f.window->control(C::TabSheet3))));
        QVERIFY(visibilities(*f.window) != before);
        QTest::keyClick(f.window.get(), Qt::Key_F8);
        QCOMPARE(visibilities(*f.window), before);
        QVERIFY(!f.window->action(C::Expertmode1)->isEnabled());
    }

    // Leaving advanced mode while a parameter page shows: no guidance of the pages being hidden, and the
    // right set shows "Jaga", the left "Mål och Regler".
    void hiddenPagesSayNothing_data() {
        QTest::addColumn<int>("leave");
        QTest::newRow("F8") << 0;
        QTest::newRow("Återställ Vildo") << 1;
    }
    void hiddenPagesSayNothing() {
        QFETCH(int, leave);
        WindowFixture f;
        MainWindow& w = *f.window;
        QTest::keyClick(&w, Qt::Key_F8);
        w.showPage(C::TabSheet6);
        w.showPage(C::TabSheet2);
        QCOMPARE(w.rightPages()->currentWidget(), w.control(C::TabSheet2));
        f.prompts.closeDialogs();
        const qsizetype shown = f.prompts.shown().size();
        if (leave == 0)
            QTest::keyClick(&w, Qt::Key_F8);
        else
            w.action(C::Reset)->trigger();
        f.settle();
        QCOMPARE(f.prompts.shown().size(), shown);
        QCOMPARE(w.rightPages()->currentWidget(), w.control(C::TabSheet1));
        QCOMPARE(w.leftPages()->currentWidget(), w.control(C::TabSheet8));
        QCOMPARE(f.app->activeRightPage, C::TabSheet1);
    }

    void advancedOffUnchecksSavesAndChecksQuota() {
        WindowFixture f;
        MainWindow& w = *f.window;
        w.action(C::Advanced)->trigger();
        w.action(C::Expertmode1)->trigger();
        box(w, C::chk_save)->click();
        box(w, C::chk_biodata)->click();
        box(w, C::chk_kvotering)->click();
        QVERIFY(box(w, C::chk_save)->isChecked());
        QVERIFY(box(w, C::chk_biodata)->isChecked());
        QVERIFY(!box(w, C::chk_kvotering)->isChecked());
        w.action(C::Advanced)->trigger();
        QVERIFY(!box(w, C::chk_save)->isChecked());
        QVERIFY(!box(w, C::chk_biodata)->isChecked());
        QVERIFY(box(w, C::chk_kvotering)->isChecked());
        // Expert mode stays on; its pages are hidden with advanced mode.
        QVERIFY(w.action(C::Expertmode1)->isChecked());
        QVERIFY(!w.rightPages()->isTabVisible(w.rightPages()->indexOf(w.control(C::TabSheet3))));
    }

    void leftChartPanelKeepsItsWidth_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("panel");
        QTest::newRow("narrow") << 900 << 533;
        QTest::newRow("just below") << 1065 << 533;
        QTest::newRow("wide") << 1400 << 700;
        QTest::newRow("smallest") << 800 << 448;
    }
    void leftChartPanelKeepsItsWidth() {
        QFETCH(int, width);
        QFETCH(int, panel);
        WindowFixture f;
        f.window->resize(width, 700);
        QApplication::processEvents();
        QCOMPARE(f.window->width(), width);
        QCOMPARE(f.window->leftChartPanel()->width(), panel);
        // The main chart beside it stays readable.
        QVERIFY2(f.window->chart(5)->width() >= 340, qPrintable(QString::number(f.window->chart(5)->width())));
    }

    void largeTextSetsTheFonts() {
        WindowFixture f;
        MainWindow& w = *f.window;
        QTest::keyClick(&w, Qt::Key_F2);
        QVERIFY(w.action(C::Stortext1)->isChecked());
        QCOMPARE(w.font().pixelSize(), 15);
        QTest::keyClick(&w, Qt::Key_F2);
        QCOMPARE(w.font().pixelSize(), 13);
    }

    // "Stor text" stays on through resizes and grows with the window.
    void largeTextSurvivesResizesAndGrowsWithTheWindow() {
        WindowFixture f;
        MainWindow& w = *f.window;
        w.resize(1105, 800);
        QApplication::processEvents();
        const int normal = w.font().pixelSize();
        QTest::keyClick(&w, Qt::Key_F2);
        const int large = w.font().pixelSize();
        QVERIFY2(large > normal, qPrintable(QString("%1 -> %2").arg(normal).arg(large)));
        w.resize(1120, 820);
        QApplication::processEvents();
        QVERIFY(w.font().pixelSize() >= large);
        w.resize(1920, 1080);
        QApplication::processEvents();
        const int big = w.font().pixelSize();
        QVERIFY2(big > large, qPrintable(QString("%1 at the start size, %2 at 1920 x 1080").arg(large).arg(big)));
        QTest::keyClick(&w, Qt::Key_F2);
        QVERIFY(w.font().pixelSize() < big);
    }
};

static Register modes([] { return new ModesTest; });

}  // namespace vildo::qt::test

#include "modes_test.moc"
