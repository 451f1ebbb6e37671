#include "qt/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <utility>

#include "qt/dark_style.h"

namespace vildo::qt {

namespace {

// Texts of Qt's standard dialogs that Debian's Swedish catalogue leaves in English; asked only after it.
class MissingSwedish : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override {
        static const std::pair<const char*, const char*> kTexts[] = {
            {"Look in:", "Leta i:"},
            {"Cancel", "Avbryt"},
            {"&Cancel", "&Avbryt"},
            {"Computer", "Dator"},
            {"&Open", "&Öppna"},
            {"Open", "Öppna"},
            {"&Save", "&Spara"},
            {"Save", "Spara"},
            {"Back", "Bakåt"},
            {"Forward", "Framåt"},
            {"Parent Directory", "Överliggande mapp"},
            {"Create New Folder", "Skapa ny mapp"},
            {"List View", "Listvy"},
            {"Detail View", "Detaljvy"},
            {"&Yes", "&Ja"},
            {"&No", "&Nej"},
            {"Close", "Stäng"},
            {"Apply", "Verkställ"},
        };
        for (auto [en, sv] : kTexts)
            if (qstrcmp(source, en) == 0) return QString::fromUtf8(sv);
        return {};
    }
};

}  // namespace

bool loadQtTranslations(QApplication& app) {
    // Debian ships Swedish as the one catalogue "qt_sv" (it pulls in the module catalogues it has); newer Qt
    // ships "qtbase_sv". Either gives the standard dialogs their Swedish texts.
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale sv(QLocale::Swedish, QLocale::Sweden);
    // Installed first, so it is asked last.
    QApplication::installTranslator(new MissingSwedish(&app));
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
