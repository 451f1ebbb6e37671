// Nothing is lost at exit: the question about unsaved changes, the recent files, and the settings kept
// between starts.
#include <QAbstractButton>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QtTest>

#include "app/saved_work.h"
#include "qt_tests.h"

namespace vildo::qt::test {

namespace {

// Clicks the exit question's button with this text as soon as the question shows.
void answerExitQuestion(MainWindow& w, const QString& button, bool* asked) {
    QTimer::singleShot(0, &w, [&w, button, asked] {
        QWidget* box = w.exitQuestion();
        if (!box) return;
        *asked = true;
        for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
            if (b->text() == button) b->click();
    });
}

// A copy of a real area's file, opened as the command line's FIL would open it, then a season on: changes no
// file holds.
QString openAreaAndRunASeason(WindowFixture& f) {
    const QString file = f.dir.filePath("skog.omr");
    if (!QFile::copy(VILDO_SOURCE_DIR "/fuzz/corpus/area_file/uppland.omr", file)) return {};
    f.window->openWorkFile(file);
    f.settle();
    QApplication::processEvents();
    f.settle();
    if (!f.app->AreaLoaded || hasUnsavedWork(*f.app)) return {};
    QTest::keyClick(f.window.get(), Qt::Key_Right);
    f.settle();
    return file;
}

}  // namespace

class ExitSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void theExitAsksAboutUnsavedChanges_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Avbryt") << "Avbryt" << false << false;
        QTest::newRow("Spara inte") << "Spara inte" << true << false;
        QTest::newRow("Spara") << "Spara" << true << true;
    }
    void theExitAsksAboutUnsavedChanges() {
        QFETCH(QString, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        WindowFixture f;
        MainWindow& w = *f.window;
        const QString opened = openAreaAndRunASeason(f);
        QVERIFY(!opened.isEmpty());
        QVERIFY(hasUnsavedWork(*f.app));
        QCOMPARE(f.app->recentFiles.front(), opened.toStdString());

        const QString target = f.dir.filePath("sparad.omr");
        if (answer == "Spara") f.prompts.answerNextFileDialog(target.toStdString());
        bool asked = false;
        QSignalSpy ended(&w, &MainWindow::ended);
        answerExitQuestion(w, answer, &asked);
        w.close();
        QVERIFY(asked);
        QCOMPARE(ended.count(), closes ? 1 : 0);
        QCOMPARE(w.isVisible(), !closes);
        QCOMPARE(QFileInfo::exists(target), saved);
        QCOMPARE(hasUnsavedWork(*f.app), !saved);
    }

    void aSavedAreaClosesWithoutAQuestion() {
        WindowFixture f;
        QVERIFY(!openAreaAndRunASeason(f).isEmpty());
        f.prompts.answerNextFileDialog(f.dir.filePath("sparad.omr").toStdString());
        f.window->action(C::mnu_Sparaomrade)->trigger();
        QVERIFY(!hasUnsavedWork(*f.app));
        bool asked = false;
        answerExitQuestion(*f.window, "Avbryt", &asked);
        f.window->close();
        QVERIFY(!asked);
        QVERIFY(!f.window->isVisible());
    }

    void recentFilesOpenFromTheMenu() {
        WindowFixture f;
        const QString file = openAreaAndRunASeason(f);
        QVERIFY(!file.isEmpty());
        QMenu* recent = f.window->recentMenu();
        emit recent->aboutToShow();
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(recent->actions().front()->text(), QString("&1 skog.omr"));
        QCOMPARE(recent->actions().front()->toolTip(), file);
        // A file that has gone says so, naming it.
        QFile::remove(file);
        recent->actions().front()->trigger();
        QVERIFY(f.prompts.shown().last().contains(file));
    }

    void sizeLargeTextAndRecentFilesSurviveARestart() {
        {
            WindowFixture f;
            f.window->rememberSettings();
            f.window->resize(930, 690);
            f.window->action(C::Stortext1)->trigger();
            f.settle();
            QVERIFY(f.app->checked(C::Stortext1));
            f.app->recentFiles = {"/tmp/a.omr", "/tmp/b.scn"};
            f.window->close();
        }
        WindowFixture f;
        f.window->rememberSettings();
        QTRY_VERIFY(f.app->checked(C::Stortext1));
        QCOMPARE(f.window->size(), QSize(930, 690));
        QCOMPARE(f.app->recentFiles, (std::vector<std::string>{"/tmp/a.omr", "/tmp/b.scn"}));
        QSettings().clear();
    }
};

static Register exitSettings([] { return new ExitSettingsTest; });

}  // namespace vildo::qt::test

#include "exit_settings_test.moc"
