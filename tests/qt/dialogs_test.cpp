// The information dialog's sizes, the help and about windows, and the window caption.
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "qt/help_windows.h"
#include "qt_tests.h"

namespace vildo::qt::test {

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void questionWidthFollowsTheText_data() {
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("clientWidth");
        QTest::newRow("narrow text") << 200 << 400;
        QTest::newRow("at the minimum") << 370 << 400;
        QTest::newRow("wide text") << 500 << 530;
    }
    void questionWidthFollowsTheText() {
        QFETCH(int, textWidth);
        QFETCH(int, clientWidth);
        InfoDialog d;
        d.prepareQuestion("Vill du verkligen återställa?", "OK", "Avbryt", textWidth);
        QCOMPARE(d.width(), clientWidth);
        QVERIFY(d.cancelButton()->isVisibleTo(&d));
        QVERIFY(!d.showBox()->isVisibleTo(&d));
        QCOMPARE(d.okButton()->text(), QString("OK"));
        QCOMPARE(d.cancelButton()->text(), QString("Avbryt"));
    }

    void questionMeasuresItsTextInTheLabelsFont() {
        InfoDialog d;
        const QString text = QString::fromUtf8("Ett scenario är inläst. Vill du verkligen återställa?");
        d.prepareQuestion(text, "OK", "Avbryt");
        const int measured = QFontMetrics(d.textLabel()->font()).horizontalAdvance(text);
        QCOMPARE(d.width(), std::max(measured + 30, 400));
        // The text keeps to one line.
        QVERIFY(d.textLabel()->height() < 2 * QFontMetrics(d.textLabel()->font()).height());
    }

    void messageHasItsFixedWidthAndIsCentred() {
        InfoDialog d;
        d.prepareInfo("Välkommen", "OK", true);
        QCOMPARE(d.width(), 421);
        QCOMPARE(d.textLabel()->width(), 380);
        QCOMPARE(d.textLabel()->x(), 24);
        QVERIFY(d.showBox()->isVisibleTo(&d));
        QVERIFY(!d.cancelButton()->isVisibleTo(&d));
        const QRect screen = d.screen()->geometry();
        QCOMPARE(d.x(), screen.width() / 2 - d.width() / 2);
        QCOMPARE(d.y(), screen.height() / 2 - d.height() / 2);
        // Ticking and unticking "Visa inte igen" still counts as ticked.
        d.showBox()->setChecked(true);
        d.showBox()->setChecked(false);
        QVERIFY(d.boxTicked());
        d.prepareInfo("Nytt", "OK", false);
        QVERIFY(!d.boxTicked());
        QVERIFY(!d.showBox()->isVisibleTo(&d));
    }

    // Space or Enter on a fresh message answers it; neither ticks "Visa inte igen".
    void messageFocusStartsOnOk_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("enter") << int(Qt::Key_Return);
    }
    void messageFocusStartsOnOk() {
        QFETCH(int, key);
        InfoDialog d;
        d.prepareInfo(QString::fromUtf8("Välkommen"), "OK", true);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.okButton()));
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        QTRY_VERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.showBox()->isChecked());
        QVERIFY(!d.boxTicked());
    }

    void helpWindowOpensOnceAndComesForward() {
        WindowFixture f;
        HelpWindows& help = f.window->helpWindows();
        QWidget* first = help.show(HelpWindow::Help);
        QTest::keyClick(f.window.get(), Qt::Key_F1);
        QWidget* second = help.window(HelpWindow::Help);
        QCOMPARE(second, first);
        QVERIFY(first->isVisible());
        int shown = 0;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowTitle() == QString::fromUtf8("Hjälp")) ++shown;
        QCOMPARE(shown, 1);
    }

    void helpWindowsHaveTheirCaptionsAndSizes_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("size");
        QTest::newRow("help") << int(HelpWindow::Help) << QString::fromUtf8("Hjälp") << QSize(730, 537);
        QTest::newRow("ecosystem") << int(HelpWindow::Ekosystemet) << QString("Ekosystemet") << QSize(474, 242);
        QTest::newRow("quality") << int(HelpWindow::Kvalitet) << QString("Kvalitet") << QSize(447, 532);
        QTest::newRow("health") << int(HelpWindow::Fekhelp) << QString::fromUtf8("Hälsa och dödlighet")
                                << QSize(579, 556);
    }
    void helpWindowsHaveTheirCaptionsAndSizes() {
        QFETCH(int, window);
        QFETCH(QString, caption);
        QFETCH(QSize, size);
        WindowFixture f;
        QWidget* w = f.window->helpWindows().show(static_cast<HelpWindow>(window));
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->size(), size);
    }

    void helpTextStartsWithItsQuotedLines() {
        const QStringList lines = helpText(HelpWindow::Help).split('\n');
        QCOMPARE(lines.value(0),
                 QString::fromUtf8("Vildo är ett strategiskt och operativt planeringsverktyg för älgförvaltning"));
        QCOMPARE(lines.value(1), QString::fromUtf8("F1:Hjälp F2:Stor text  F5:Start  F8: Avancerat  F9:Statistics  "));
        QVERIFY(aboutText().endsWith(QString::fromUtf8(" Simulate and think - Utmana dig själv!")));
    }

    void aboutWindowShowsTheFoldersOfTheMoment() {
        WindowFixture f;
        f.app->Paths.Appdata = "/tmp/system/";
        f.app->Paths.MyDocs = "/tmp/work";
        AboutWindow* about = f.window->helpWindows().showAbout();
        QCOMPARE(about->windowTitle(), QString("Om Vildo..."));
        QCOMPARE(about->size(), QSize(420, 294));
        QCOMPARE(about->systemFolder()->text(), QString("Systemfiler: /tmp/system/"));
        QCOMPARE(about->workFolder()->text(), QString("Arbetsfiler: /tmp/work"));
        about->hide();
        f.app->Paths.MyDocs = "/tmp/elsewhere";
        f.window->action(C::OmVildo2)->trigger();
        QCOMPARE(about->workFolder()->text(), QString("Arbetsfiler: /tmp/elsewhere"));
    }

    // A display name would be appended to every title (" — Vildo"); the program sets none, so the display
    // name only follows the application's name.
    void titlesGetNothingAppended() {
        QCOMPARE(QCoreApplication::applicationName(), QString("Vildo"));
        QCoreApplication::setApplicationName("Annat");
        const QString display = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName("Vildo");
        QCOMPARE(display, QString("Annat"));
        InfoDialog d;
        d.prepareInfo("Text", "OK", false);
        QCOMPARE(d.windowTitle(), QString("Information"));
    }

    void captionCutsTheVersion_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("start");
        QTest::newRow("four parts") << "12.0.1.5" << QString::fromUtf8("Vildo AI ÄlgSim  12.0.1.");
        QTest::newRow("build") << "1.0.0.0" << QString::fromUtf8("Vildo AI ÄlgSim  1.0.0.0");
        QTest::newRow("short") << "2.1" << QString::fromUtf8("Vildo AI ÄlgSim  2.1");
    }
    void captionCutsTheVersion() {
        QFETCH(QString, version);
        QFETCH(QString, start);
        QCOMPARE(windowCaption(version),
                 start + QString::fromUtf8(" - Strategiskt och Operativt beslutsstöd i älgförvaltning"));
    }

    void windowShowsTheCaptionAfterStart() {
        WindowFixture f;
        QVERIFY(f.window->windowTitle().startsWith(QString::fromUtf8("Vildo AI ÄlgSim  ")));
        QVERIFY(f.prompts.shown().join("\n").contains(QString::fromUtf8("Välkommen till Vildo AI älgsimulator")));
    }

    // Qt's own dialogs speak Swedish: the installed catalogue, and the few texts it leaves in English.
    void qtsStandardDialogsAreSwedish() {
        QFileDialog d(nullptr, "Spara");
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.setAcceptMode(QFileDialog::AcceptSave);
        QStringList texts;
        for (QLabel* l : d.findChildren<QLabel*>()) texts << l->text();
        for (QPushButton* b : d.findChildren<QPushButton*>()) texts << b->text();
        for (const char* english : {"Look in:", "File &name:", "Cancel", "&Save"})
            QVERIFY2(!texts.contains(english), qPrintable(texts.join(" | ")));
        QVERIFY(texts.contains("Leta i:"));
    }
};

static Register dialogs([] { return new DialogsTest; });

}  // namespace vildo::qt::test

#include "dialogs_test.moc"
