// The window sees the keys before its controls, and the grids hand typed keys to the core's filters.
#include <QLineEdit>
#include <QtTest>

#include "qt/grid_view.h"
#include "qt_tests.h"

namespace vildo::qt::test {

class KeysGridTest : public QObject {
    Q_OBJECT
private slots:
    void rightArrowAdvancesAYearWhileACellIsEdited() {
        WindowFixture f;
        MainWindow& w = *f.window;
        GridView* goals = w.grid(f.app->Stringgrid5);
        QVERIFY(goals->beginEdit(1, 1));
        auto* editor = qobject_cast<QLineEdit*>(goals->editor());
        QVERIFY(editor);
        const int year = f.app->YearNo;
        QTest::keyClick(editor, Qt::Key_Right);
        f.settle();
        QCOMPARE(f.app->YearNo, year + 1);
        QTest::keyClick(editor, Qt::Key_Right);
        f.settle();
        QCOMPARE(f.app->YearNo, year + 2);
        // The editor got the key as well, and is still open.
        QCOMPARE(goals->editor(), editor);
        QTest::keyClick(editor, Qt::Key_Left);
        f.settle();
        QCOMPARE(f.app->YearNo, year + 1);
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
