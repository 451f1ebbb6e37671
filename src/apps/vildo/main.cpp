// vildo: the desktop program. Also renders its window to a PNG without a screen, for checks and documents.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "app/vildo.h"
#include "area/http_data_service.h"
#include "embedded_service.h"
#include "qt/application.h"
#include "qt/busy_service.h"
#include "qt/dark_style.h"
#include "qt/main_window.h"
#include "qt/prompts_qt.h"
#include "util/version.h"
#include "window_script.h"

namespace {

constexpr const char* kUsage =
    "Användning: vildo [FIL] [--service URL] [--offscreen --screenshot FIL [--after ÅTGÄRDER]]\n"
    "                  [--measure [--area I,J]] [--version]\n"
    "\n"
    "  FIL                en områdesfil (.omr) eller ett scenario (.scn) som öppnas när programmet har startat\n"
    "  --service URL      datatjänstens adress (annars VILDO_SERVICE_URL, annars startas en inbyggd\n"
    "                     datatjänst på en ledig port med databasen i programmets mapp)\n"
    "  --offscreen        kör utan skärm\n"
    "  --screenshot FIL   sparar fönstret som PNG när start (och åtgärder) är klara, och avslutar\n"
    "  --after ÅTGÄRDER   åtgärder före bilden, t.ex. \"forward:3\" eller \"area:2,0;page:Rovdjur\"\n"
    "  --measure          mäter starttid och tiden från ett reglagedrag till stabilt, ommålat fönster\n"
    "  --area I,J         med --measure: också tiden från att område J i länsmenyns post I läses in till\n"
    "                     slutsatsen om älgstammen\n"
    "  --version          skriver programmets version\n"
    "\n";

struct Options {
    QString file;
    std::string service;
    QString screenshot;
    QString after;
    QString area;
    bool offscreen = false;
    bool measure = false;
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError(a + " väntar ett värde");
            return argv[++i];
        };
        if (a == "--service")
            o.service = value();
        else if (a == "--screenshot")
            o.screenshot = QString::fromStdString(value());
        else if (a == "--after")
            o.after += (o.after.isEmpty() ? "" : ";") + QString::fromStdString(value());
        else if (a == "--offscreen")
            o.offscreen = true;
        else if (a == "--measure")
            o.measure = true;
        else if (a == "--area")
            o.area = QString::fromStdString(value());
        else if (a.rfind("-", 0) != 0 && o.file.isEmpty())
            o.file = QString::fromLocal8Bit(argv[i]);
        else
            throw UsageError("okänt argument: " + a);
    }
    if (!o.after.isEmpty() && o.screenshot.isEmpty() && !o.measure) throw UsageError("--after hör till --screenshot");
    if (!o.area.isEmpty() && !o.measure) throw UsageError("--area hör till --measure");
    return o;
}

bool haveDisplay() {
    for (const char* v : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* s = std::getenv(v); s && *s) return true;
    return false;
}

double median(QList<double> v) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    Options o;
    try {
        for (int i = 1; i < argc; ++i)
            if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
                std::cout << kUsage << vildo::kActionHelp;
                return 0;
            } else if (std::string(argv[i]) == "--version") {
                std::cout << "vildo " << vildo::kPackageVersion << '\n';
                return 0;
            }
        o = parse(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "vildo: " << e.what() << "\n\n" << kUsage;
        return 2;
    }
    if (o.offscreen) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!haveDisplay()) {
        std::cerr << "vildo: ingen skärm hittades (DISPLAY är inte satt).\n"
                     "Kör fönstret utan skärm och spara det som bild:\n"
                     "  vildo --offscreen --screenshot fönster.png [--after \"forward:3\"]\n"
                     "eller använd simulatorn från kommandoraden: vildo-cli --help\n";
        return 1;
    }

    QApplication qapp(argc, argv);
    vildo::qt::setUpApplication(qapp);

    vildo::qt::PromptsQt prompts;
    const bool scripted = !o.screenshot.isEmpty() || o.measure;
    prompts.setScripted(scripted);
    auto app = std::make_unique<vildo::Vildo>(
        prompts, vildo::Platform::system(QCoreApplication::applicationDirPath().toStdString()));

    std::string url = o.service.empty() ? vildo::serviceUrlFromEnvironment() : o.service;
    std::unique_ptr<vildo::ServiceConnection> service;
    try {
        service = std::make_unique<vildo::ServiceConnection>(*app, url);
    } catch (const std::exception& e) {
        std::cerr << "vildo: " << e.what() << '\n';
        return 2;
    }
    vildo::qt::BusyDataService busy(*service);
    app->dataService = &busy;

    vildo::qt::MainWindow window(*app, prompts);
    QObject::connect(&window, &vildo::qt::MainWindow::ended, &qapp, &QCoreApplication::quit, Qt::QueuedConnection);
    qint64 firstPaintMs = -1;
    QObject::connect(&window, &vildo::qt::MainWindow::firstPainted, &window,
                     [&] { firstPaintMs = sinceStart.elapsed(); });
    if (!scripted) window.rememberSettings();
    window.show();
    if (!o.file.isEmpty()) window.openWorkFile(QFileInfo(o.file).absoluteFilePath());
    if (!scripted) return qapp.exec();

    // Without a user: let the start-up finish, run the actions, then picture or time the window.
    vildo::settle(window);
    try {
        vildo::runActions(window, prompts, o.after);
    } catch (const std::exception& e) {
        std::cerr << "vildo: " << e.what() << "\n\n" << vildo::kActionHelp;
        return 2;
    }
    int rc = 0;
    if (!o.screenshot.isEmpty() && !vildo::saveScreenshot(window, prompts, o.screenshot)) {
        std::cerr << "vildo: kunde inte spara " << o.screenshot.toStdString() << '\n';
        rc = 1;
    }
    if (o.measure) {
        const QList<double> moves = vildo::measureSliderMoves(window, 21);
        const QLocale sv = vildo::qt::swedishLocale();
        auto ms = [&](double v, int decimals) { return sv.toString(v, 'f', decimals).toStdString(); };
        std::printf("Start till första målade fönster: %lld ms\n", static_cast<long long>(firstPaintMs));
        std::printf("Reglagedrag till stabilt, ommålat fönster: median %s ms, min %s ms, max %s ms (%lld drag)\n",
                    ms(median(moves), 1).c_str(), ms(*std::min_element(moves.begin(), moves.end()), 1).c_str(),
                    ms(*std::max_element(moves.begin(), moves.end()), 1).c_str(), static_cast<long long>(moves.size()));
        if (!o.area.isEmpty()) {
            try {
                std::printf("Område till slutsats: %s ms\n",
                            ms(vildo::measureAreaToVerdict(window, o.area), 0).c_str());
            } catch (const std::exception& e) {
                std::cerr << "vildo: " << e.what() << '\n';
                return 2;
            }
        }
    }
    return rc;
}
