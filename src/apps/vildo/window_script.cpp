#include "window_script.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <stdexcept>

#include "app/season_driver.h"
#include "app/vildo.h"
#include "qt/forecast_dialog.h"
#include "qt/main_window.h"
#include "qt/plan_dialog.h"
#include "qt/prompts_qt.h"

namespace vildo {

const char* const kActionHelp =
    "Åtgärder för --after, åtskilda med ';':\n"
    "  forward:N        N år framåt (pil höger)\n"
    "  back:N           N år bakåt (pil vänster)\n"
    "  reset            Återställ\n"
    "  area:I,J         läser in område J i länsmenyns post I\n"
    "  arearun:I,J      läser in området och väntar inte på skattningen: bilden visar förloppet\n"
    "  pause:MS         låter fönstret arbeta i MS ms utan att vänta på att det blir klart\n"
    "  avbryt           klickar på Avbryt i skattningens arbetsruta\n"
    "  calibrate        Skatta älgstam\n"
    "  page:NAMN        visar en sida (flikens text eller namn, t.ex. page:Rovdjur, page:TabSheet3)\n"
    "  click:KONTROLL   klickar på en knapp, kryssruta eller menypost (t.ex. click:Demografi1)\n"
    "  set:KONTROLL=N   flyttar ett reglage\n"
    "  key:TANGENT      trycker en tangent (F1, F2, F5, F8, F9, F11, Left, Right)\n"
    "  advanced, expert, largetext   slår på lägena\n"
    "  resize:BxH       ändrar fönstrets storlek\n"
    "  wait:MS          väntar\n"
    "  dismiss          stänger dialogen överst, som OK gör\n"
    "  forecast:N[,K]   Prognos för N år med K framtider (500), väntar tills resultatet visas\n"
    "  forecastrun:N[,K] startar Prognos och väntar inte: bilden visar förloppet\n"
    "  forecastsize:BxH ändrar prognosfönstrets storlek\n"
    "  report:FIL       sparar prognosens rapport som PDF\n"
    "  plans:Q[:K:KO],...  öppnar Jämför planer i prognosen med planerna (kvot, kalvar %, kor %) och jämför\n"
    "  plansearch       Sök avskjutning i Jämför planer, väntar på resultatet\n"
    "  progressshot:FIL sparar nästa långa beräknings förlopp som bild när en tredjedel är klar\n"
    "  shot:FIL         sparar fönstret som bild nu, utan att vänta på att arbetet blir klart\n";

namespace {

using qt::MainWindow;

[[noreturn]] void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

int number(const QString& text, const QString& action) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 0) fail("ogiltigt tal i " + action);
    return n;
}

C control(const QString& name, const QString& action) {
    auto id = controlByName(name.trimmed().toStdString());
    if (!id) fail("okänd kontroll i " + action);
    return *id;
}

void clickControl(MainWindow& w, C id) {
    if (QAction* a = w.action(id)) {
        a->trigger();
    } else if (auto* b = qobject_cast<QAbstractButton*>(w.control(id))) {
        b->click();
    } else {
        w.run([&] { click(w.app(), id); });
    }
}

void pressKey(MainWindow& w, const QString& name, const QString& action) {
    static const std::pair<const char*, int> kKeys[] = {
        {"F1", Qt::Key_F1}, {"F2", Qt::Key_F2},   {"F5", Qt::Key_F5},     {"F8", Qt::Key_F8},
        {"F9", Qt::Key_F9}, {"F11", Qt::Key_F11}, {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}};
    for (auto [n, key] : kKeys)
        if (name.compare(n, Qt::CaseInsensitive) == 0) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
            QApplication::sendEvent(target, &release);
            return;
        }
    fail("okänd tangent i " + action);
}

void showPage(MainWindow& w, const QString& name, const QString& action) {
    for (QTabWidget* tabs : {w.leftPages(), w.rightPages()})
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i).compare(name, Qt::CaseInsensitive) == 0 ||
                tabs->widget(i)->objectName().compare(name, Qt::CaseInsensitive) == 0) {
                if (!tabs->isTabVisible(i)) fail("sidan visas inte i det här läget: " + action);
                tabs->setCurrentIndex(i);
                return;
            }
    fail("okänd sida i " + action);
}

// "N" or "N,K": years and futures of a forecast.
std::pair<int, int> forecastSize(const QString& arg, const QString& action) {
    const QStringList nk = arg.split(',');
    if (arg.isEmpty() || nk.size() > 2) fail("forecast väntar N eller N,K");
    const int years = number(nk[0], action), replicates = nk.size() == 2 ? number(nk[1], action) : 500;
    if (years < 1 || years > 20 || replicates < 1) fail("ogiltigt antal år eller framtider i " + action);
    return {years, replicates};
}

// The forecast's "Jämför planer", opened once.
qt::PlanDialog* planDialog(MainWindow& w, const QString& action) {
    qt::ForecastDialog* f = w.forecastDialog();
    if (!f || !f->plansButton()) fail("ingen prognos visas: " + action);
    if (auto* d = f->findChild<qt::PlanDialog*>()) return d;
    f->plansButton()->click();
    auto* d = f->findChild<qt::PlanDialog*>();
    if (!d) fail("Jämför planer öppnades inte: " + action);
    return d;
}

void waitFor(const qt::PlanDialog* d) {
    QApplication::processEvents();
    while (d->running()) QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();
}

// Clicks area item j of county item i of the area menu, as a user does.
void clickArea(MainWindow& w, int i, int j, const QString& action) {
    const Vildo& app = w.app();
    if (i >= static_cast<int>(app.Omrde1.size()) || j >= static_cast<int>(app.Omrde1[i].areas.size()))
        fail("området finns inte i områdesmenyn: " + action);
    QAction* county = w.areaMenu()->actions().value(i);
    if (!county || !county->menu()) fail("området finns inte i områdesmenyn: " + action);
    county->menu()->actions().value(j)->trigger();
}

std::pair<int, int> areaItems(const QString& arg, const QString& action) {
    const QStringList ij = arg.split(',');
    if (ij.size() != 2) fail("area väntar I,J");
    return {number(ij[0], action), number(ij[1], action)};
}

void runAction(MainWindow& w, qt::PromptsQt& prompts, const QString& raw) {
    const QString action = raw.trimmed();
    if (action.isEmpty()) return;
    const int colon = action.indexOf(':');
    const QString verb = colon < 0 ? action : action.left(colon);
    const QString arg = colon < 0 ? QString() : action.mid(colon + 1);
    Vildo& app = w.app();
    if (verb == "forward" || verb == "back") {
        const int n = arg.isEmpty() ? 1 : number(arg, action);
        for (int i = 0; i < n; ++i) {
            w.run([&] { verb == "forward" ? SpeedButton1Click(app) : SpeedButton2Click(app); });
            settle(w);
        }
    } else if (verb == "reset") {
        clickControl(w, C::btn_rensa);
    } else if (verb == "area" || verb == "arearun") {
        const auto [i, j] = areaItems(arg, action);
        clickArea(w, i, j, action);
        if (verb == "arearun") return;
    } else if (verb == "pause") {
        QElapsedTimer t;
        t.start();
        const int ms = number(arg, action);
        while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
        return;
    } else if (verb == "shot") {
        // The window as it is now, while work may still run: a long calibration seen midway.
        if (arg.isEmpty()) fail("shot väntar en fil");
        if (!saveScreenshot(w, prompts, arg)) fail("kunde inte spara " + arg);
        return;
    } else if (verb == "avbryt") {
        QWidget* pane = w.workingPane();
        if (!pane) fail("ingen skattning pågår: " + action);
        const QPointF at(pane->width() - 100, 40);
        QMouseEvent press(QEvent::MouseButtonPress, at, pane->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(pane, &press);
    } else if (verb == "calibrate") {
        clickControl(w, C::btn_nykalib);
    } else if (verb == "page") {
        showPage(w, arg, action);
    } else if (verb == "click") {
        clickControl(w, control(arg, action));
    } else if (verb == "set") {
        const QStringList kv = arg.split('=');
        if (kv.size() != 2) fail("set väntar KONTROLL=N");
        const C id = control(kv[0], action);
        const int v = kv[1].trimmed().toInt();
        if (auto* s = qobject_cast<QSlider*>(w.control(id)))
            s->setValue(v);
        else
            w.run([&] { setPosition(app, id, v); });
    } else if (verb == "key") {
        pressKey(w, arg, action);
    } else if (verb == "advanced") {
        clickControl(w, C::Advanced);
    } else if (verb == "expert") {
        clickControl(w, C::Expertmode1);
    } else if (verb == "largetext") {
        clickControl(w, C::Stortext1);
    } else if (verb == "resize" || verb == "forecastsize") {
        const QStringList wh = arg.split('x');
        if (wh.size() != 2) fail(verb + " väntar BxH");
        QWidget* target = &w;
        if (verb == "forecastsize" && !(target = w.forecastDialog())) fail("ingen prognos visas: " + action);
        target->resize(number(wh[0], action), number(wh[1], action));
    } else if (verb == "wait") {
        QElapsedTimer t;
        t.start();
        const int ms = number(arg, action);
        while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
    } else if (verb == "progressshot") {
        // The next long work's progress, a third of the way, saved as a screenshot.
        const QString file = arg;
        prompts.setLongWorkWatcher([&w, &prompts, file](QWidget* dialog) { saveScreenshot(w, prompts, file, dialog); });
    } else if (verb == "plans") {
        qt::PlanDialog* d = planDialog(w, action);
        int k = 1;
        for (const QString& plan : arg.split(',', Qt::SkipEmptyParts)) {
            const QStringList parts = plan.split(':');
            if (parts.size() != 1 && parts.size() != 3) fail("plans väntar Q eller Q:K:KO: " + action);
            HarvestPlan p = currentPlan(app);
            p.quota = number(parts[0], action);
            if (parts.size() == 3) {
                p.calvesPercent = number(parts[1], action);
                p.cowsPercent = number(parts[2], action);
            }
            d->setPlan(k, "Plan " + std::to_string(k), p);
            ++k;
        }
        d->compareButton()->click();
        waitFor(d);
    } else if (verb == "plansearch") {
        qt::PlanDialog* d = planDialog(w, action);
        d->plans()->selectRow(1);
        d->searchButton()->click();
        waitFor(d);
    } else if (verb == "report") {
        qt::ForecastDialog* d = w.forecastDialog();
        if (!d || !d->chartView()) fail("ingen prognos visas: " + action);
        if (!d->saveReport(arg)) fail("rapporten kunde inte sparas: " + action);
    } else if (verb == "dismiss") {
        prompts.dismissDialog();
    } else if (verb == "forecast" || verb == "forecastrun") {
        const auto [years, replicates] = forecastSize(arg, action);
        QPointer<qt::ForecastDialog> d = w.openForecast(years, replicates);
        while (verb == "forecast" && d && !d->chartView()) QApplication::processEvents(QEventLoop::AllEvents, 10);
        if (verb == "forecast" && !d) fail("prognosen visades inte: " + action);
    } else {
        fail("okänd åtgärd: " + action);
    }
    settle(w);
}

}  // namespace

bool settle(MainWindow& w, int limitMs) {
    // The window's own event loop runs, so timers fire as they would for a user.
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QElapsedTimer t;
    t.start();
    bool ok = true;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (w.settled() || w.app().terminated) {
            loop.quit();
        } else if (t.elapsed() > limitMs) {
            ok = false;
            loop.quit();
        }
    });
    poll.start(1);
    loop.exec();
    // Paint what the last handlers changed.
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    return ok;
}

void runActions(MainWindow& window, qt::PromptsQt& prompts, const QString& actions) {
    for (const QString& a : actions.split(';')) runAction(window, prompts, a);
}

bool saveScreenshot(MainWindow& window, qt::PromptsQt& prompts, const QString& file, QWidget* dialog) {
    QApplication::processEvents();
    QPixmap shot = window.grab();
    // The forecast is opened last by a script: it lies above the messages before it.
    if (!dialog) dialog = window.forecastDialog();
    if (dialog)
        if (auto* plans = dialog->findChild<qt::PlanDialog*>(); plans && plans->isVisible()) dialog = plans;
    if (!dialog || !dialog->isVisible()) dialog = prompts.lastDialog();
    if (dialog && dialog->isVisible()) {
        // A dialog sits in the middle of the screen; over the window is where the user sees it.
        const QPixmap d = dialog->grab();
        QPainter p(&shot);
        const QPoint at((shot.width() - d.width()) / 2, (shot.height() - d.height()) / 2);
        const int bar = 24;
        p.fillRect(QRect(at.x() - 1, at.y() - bar - 1, d.width() + 2, d.height() + bar + 2), QColor(90, 90, 96));
        p.fillRect(QRect(at.x(), at.y() - bar, d.width(), bar), QColor(64, 64, 70));
        p.setPen(QColor(230, 230, 230));
        p.drawText(QRect(at.x() + 8, at.y() - bar, d.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft,
                   dialog->windowTitle());
        p.drawPixmap(at, d);
    }
    return shot.save(file, "PNG");
}

double measureAreaToVerdict(MainWindow& window, const QString& items) {
    const QString action = "--area " + items;
    const auto [i, j] = areaItems(items, action);
    settle(window);
    QElapsedTimer t;
    t.start();
    clickArea(window, i, j, action);
    settle(window);  // the search, the full calibration, the verdict and the replay of the best run
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

QList<double> measureSliderMoves(MainWindow& window, int moves) {
    QList<double> times;
    auto* slider = qobject_cast<QSlider*>(window.control(C::Trk_density));
    for (int i = 0; i < moves; ++i) {
        settle(window);
        QElapsedTimer t;
        t.start();
        slider->setValue(slider->value() + (i % 2 == 0 ? 5 : -5));
        settle(window);  // ends with the repaint of everything the run changed
        times << static_cast<double>(t.nsecsElapsed()) / 1e6;
    }
    return times;
}

}  // namespace vildo
