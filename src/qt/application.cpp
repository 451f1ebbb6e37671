#include "qt/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "qt/dark_style.h"

namespace vildo::qt {

bool loadQtTranslations(QApplication& app) {
    // Debian ships Swedish as the one catalogue "qt_sv" (it pulls in the module catalogues it has); newer Qt
    // ships "qtbase_sv". Either gives the standard dialogs their Swedish texts.
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale sv(QLocale::Swedish, QLocale::Sweden);
    for (const char* name : {"qtbase", "qt"}) {
        auto* t = new QTranslator(&app);
        if (t->load(sv, name, "_", dir)) {
            QApplication::installTranslator(t);
            return true;
        }
        delete t;
    }
    return false;
}

void setUpApplication(QApplication& app) {
    applyDarkStyle(app);
    QApplication::setApplicationName("Vildo");
    QApplication::setOrganizationName("Vildo");
    // Qt's own texts and the dialogs' number fields speak Swedish, whatever the user's locale.
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    loadQtTranslations(app);
}

}  // namespace vildo::qt
