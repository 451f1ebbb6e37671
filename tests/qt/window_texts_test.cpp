// The menus as the window lists them, and the hints that tell look-alike buttons apart.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "qt/help_windows.h"
#include "qt_tests.h"

namespace vildo::qt::test {

class WindowTextsTest : public QObject {
    Q_OBJECT
private slots:
    // Only "Visa" has a separator, between the left and the right chart views.
    void onlyTheViewMenuIsSeparated() {
        WindowFixture f;
        QStringList separated;
        for (QAction* top : f.window->menuBar()->actions()) {
            QMenu* menu = top->menu();
            if (!menu) continue;
            const QList<QAction*> items = menu->actions();
            for (qsizetype i = 0; i < items.size(); ++i)
                if (items[i]->isSeparator())
                    separated << menu->title() + "/" + (i > 0 ? items[i - 1]->text() : QString());
        }
        QCOMPARE(separated, QStringList{"Visa/Reproduktion och Tjurandel"});
    }

    void theTwoMortalityHelpButtonsSayWhatTheyDo() {
        WindowFixture f;
        auto* message = qobject_cast<QPushButton*>(f.window->control(C::hlp_dodlighet));
        auto* help = qobject_cast<QPushButton*>(f.window->control(C::Button6));
        QCOMPARE(message->text(), QString("?"));
        QCOMPARE(help->text(), QString("?"));
        QCOMPARE(message->toolTip(), QString::fromUtf8("Visa förklaringen till inställningen av annan dödlighet"));
        QCOMPARE(help->toolTip(), QString::fromUtf8("Öppna hjälpen \"Hälsa och dödlighet\""));
        // And each does what its hint says.
        help->click();
        QVERIFY(f.window->helpWindows().window(HelpWindow::Fekhelp)->isVisible());
        message->click();
        QVERIFY(f.prompts.shown().last().startsWith(QString::fromUtf8("Här ställer man värdet för övrig dödlighet")));
    }

    // The year arrows keep their hints through every refresh of the window.
    void theYearArrowsSayWhatTheyDo() {
        WindowFixture f;
        f.window->refresh();
        QCOMPARE(f.window->control(C::SpeedButton2)->toolTip(), QString::fromUtf8("Föregående år (pil vänster)"));
        QCOMPARE(f.window->control(C::SpeedButton1)->toolTip(), QString::fromUtf8("Simulera nästa år (pil höger, F5)"));
    }
};

static Register texts([] { return new WindowTextsTest; });

}  // namespace vildo::qt::test

#include "window_texts_test.moc"
