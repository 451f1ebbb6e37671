// The window sees the keys before its controls, and the grids hand typed keys to the core's filters.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

#include "qt/grid_view.h"
#include "qt_tests.h"

namespace vildo::qt::test {

class KeysGridTest : public QObject {
    Q_OBJECT
private slots:
    // The arrows step years from anywhere in the window, but not where they move a caret or a menu.
    void arrowsStepYearsExceptWhileEditing() {
        WindowFixture f;
        MainWindow& w = *f.window;
        for (int i = 0; i < 2; ++i) {
            QTest::keyClick(&w, Qt::Key_Right);
            f.settle();
        }
        QTest::keyClick(&w, Qt::Key_Left);
        f.settle();
        const int year = f.app->YearNo;
        QCOMPARE(year, 1);

        GridView* goals = w.grid(f.app->Stringgrid5);
        QVERIFY(goals->beginEdit(1, 1));
        auto* editor = qobject_cast<QLineEdit*>(goals->editor());
        QVERIFY(editor);
        editor->setText("0,85");
        editor->setCursorPosition(0);
        for (int i = 0; i < 2; ++i) QTest::keyClick(editor, Qt::Key_Right);
        f.settle();
        QCOMPARE(f.app->YearNo, year);
        QCOMPARE(editor->cursorPosition(), 2);
        QTest::keyClick(editor, Qt::Key_Left);
        f.settle();
        QCOMPARE(f.app->YearNo, year);
        QCOMPARE(editor->cursorPosition(), 1);
        QCOMPARE(goals->editor(), editor);
    }

    void arrowsMoveThroughTheMenusWithoutSteppingYears() {
        WindowFixture f;
        MainWindow& w = *f.window;
        const int year = f.app->YearNo;
        QMenuBar* bar = w.menuBar();
        // Keyboard navigation of the bar (Alt, or F10) gives it the focus: the keys go to the bar.
        for (int i = 0; i < 3; ++i) QTest::keyClick(bar, Qt::Key_Right);
        f.settle();
        QCOMPARE(f.app->YearNo, year);
        // With a menu open, its keys reach the bar too.
        bar->setActiveAction(bar->actions().first());
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(bar, Qt::Key_Left);
        f.settle();
        QCOMPARE(f.app->YearNo, year);
        QApplication::activePopupWidget()->close();
    }

    void arrowsLeaveAnOpenComboBoxList() {
        WindowFixture f;
        auto* years = qobject_cast<QComboBox*>(f.window->control(C::Combo_Startyear));
        QVERIFY(years);
        const int year = f.app->YearNo;
        if (years->count() == 0) {
            const QSignalBlocker quiet(years);
            years->addItems({"2020", "2021"});
        }
        years->showPopup();
        QTRY_VERIFY(years->view()->isVisible());
        QTest::keyClick(years, Qt::Key_Right);
        f.settle();
        QCOMPARE(f.app->YearNo, year);
        years->hidePopup();
    }

    void goalCellsTakeDigitsAndCommaOnly() {
        WindowFixture f;
        GridView* goals = f.window->grid(f.app->Stringgrid5);
        QVERIFY(!goals->beginEdit(0, 1));  // the goal names cannot be selected
        QVERIFY(goals->beginEdit(1, 1));
        auto* editor = qobject_cast<QLineEdit*>(goals->editor());
        editor->selectAll();
        QTest::keyClicks(editor, "0x,8a5");
        QCOMPARE(editor->text(), QString("0,85"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QVERIFY(!goals->editor());
        QCOMPARE(QString::fromStdString(f.app->Stringgrid5.cell(1, 1)), QString("0,85"));
        // The goals are read as each key arrives, from the cells as they stand.
        QTest::keyClick(f.window.get(), Qt::Key_F11);  // any key passes through the filter of the window
        QVERIFY(goals->beginEdit(1, 1));
        QVERIFY(goals->editor());
        QTest::keyClick(goals->editor(), Qt::Key_Backspace);
        QVERIFY(qAbs(f.app->Goals.GoalCalvesPerCow - 0.85f) < 1e-6);
    }

    void f11TogglesTheBatchSwitches() {
        WindowFixture f;
        QWidget* sim = f.window->control(C::chk_simbonitet);
        QWidget* trim = f.window->control(C::chk_trimming);
        QVERIFY(sim->isHidden() && trim->isHidden());
        QTest::keyClick(f.window.get(), Qt::Key_F11);
        QVERIFY(!sim->isHidden() && !trim->isHidden());
        QTest::keyClick(f.window.get(), Qt::Key_F11);
        QVERIFY(sim->isHidden() && trim->isHidden());
    }
};

static Register keys([] { return new KeysGridTest; });

}  // namespace vildo::qt::test

#include "keys_grid_test.moc"
