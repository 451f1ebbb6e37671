// Runs every window test class; each class is one QObject with its own slots.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "qt/application.h"
#include "qt_tests.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    vildo::qt::setUpApplication(app);
    // The tests' settings live and die with the run: the user's own are never read or written.
    QTemporaryDir settings;
    QCoreApplication::setOrganizationName("VildoTest");
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    int failed = 0;
    for (QObject* test : vildo::qt::test::allTests()) {
        failed += QTest::qExec(test, argc, argv);
        delete test;
    }
    return failed == 0 ? 0 : 1;
}
