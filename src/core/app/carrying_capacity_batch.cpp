#include "app/carrying_capacity_batch.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "app/full_calibration.h"
#include "app/start_year.h"
#include "app/vildo.h"
#include "area/global_cc.h"
#include "calibration/carrying_capacity.h"
#include "ui/info_dialog.h"
#include "util/format.h"

namespace vildo {

namespace {

// The next area starts from the state the walk started from, so that its line does not depend on the areas
// before it. Only the walk's own bookkeeping and what ties the state to its surroundings carry over.
void restoreBatchStart(Vildo& app) {
    const std::shared_ptr<const Vildo> start = app.BatchStart;
    Timers timers = app.timers;
    std::vector<int32_t> ccValues = std::move(app.CCValues);
    const int32_t ccCount = app.CCCount;
    const int64_t clock = app.clockMs;
    Prompts* prompts = app.prompts;
    DataService* service = app.dataService;
    auto observer = std::move(app.seasonObserver);
    const bool reported = app.settingsWriteReported;
    app = *start;
    app.timers = timers;
    app.CCValues = std::move(ccValues);
    app.CCCount = ccCount;
    app.clockMs = clock;
    app.prompts = prompts;
    app.dataService = service;
    app.seasonObserver = std::move(observer);
    app.settingsWriteReported = reported;
    app.BatchStart = start;
}

}  // namespace

bool enterBatchArea(Vildo& app, AreaItem area) {
    try {
        if (app.BatchStart) restoreBatchStart(app);
        if (areaItemClick(app, static_cast<int>(area.lan), static_cast<int>(area.afo))) return true;
        app.BatchStart.reset();
    } catch (const std::exception&) {
        app.prompts->message("Fel då ny område ska väljas!");
    }
    return false;
}

void batchSearchGaveUp(Vildo& app) {
    const TAreaHeader& h = app.Header;
    app.prompts->message("Lyckades inte beräkna vinterstammen för " + getShort(h.AFO) + " (Lanafo " +
                         intStr(static_cast<int64_t>(h.Lankod) * 100 + h.AFOnr) + "), startår " + selectedItem(app) +
                         ". Svåra ingångsvärden. Området får en rad utan skattning och körningen fortsätter.");
    app.BatchSearchFailed = true;
    app.TrimMode = false;
    app.SettingsChanged = false;
    if (!app.InfoFlags[2]) setTimer(app, 4, true);
}

void Timer5Timer(Vildo& app) {
    setTimer(app, 5, false);
    if (!app.TrimMode) return;

    // 1, 2. The start years are estimated from the last back to the first.
    storeEstimate(app);
    Control& list = app.ctl(C::Combo_Startyear);
    if (list.position > 0) {
        --list.position;
        Combo_StartyearChange(app, StartYearSender::Window);
        return;
    }

    // 3.
    const double s = forageTrend(app);
    app.Header.AreaCCSlope = s;
    app.CCSlope = s;
    app.ctl(C::LAlgbonitetChange).caption = forageChangeText(s, app.pos(C::Trk_barkraftovrig));
    storeEstimate(app);
    app.SettingsChanged = false;
    app.TrimMode = false;
    endCalibration(app);

    // 4. With the estimate messages switched off the batch goes on to the next area by itself.
    if (!app.InfoFlags[2]) {
        const size_t at = static_cast<size_t>(std::max(app.CCCount, 0));
        if (app.CCValues.size() <= at) app.CCValues.resize(at + 1, 0);
        app.CCValues[at] = app.pos(C::Trk_barkraftovrig);
        ++app.CCCount;
        setTimer(app, 4, true);
        return;
    }
    Visainfo(app,
             "Vinterstammen för år " + selectedItem(app) + " har beräknats till " + fix(app.TargetDensity, 15, 1) +
                 " per 1000 ha\r\n\r\nObservera att schablonvärden har använts för den övriga dödligheten "
                 "(viltolycka + naturlig), vilket påverkar skattningen av älgstammens storlek. Ett tips är också att "
                 "titta under fliken \"Resultat och utvärdering\" där antal döda och jaktens andel av döda "
                 "presenteras.",
             "OK", 4);
}

void Timer4Timer(Vildo& app) {
    setTimer(app, 4, false);
    // The area's line waits for the end of its per-start-year batch, whichever start year that leaves selected.
    if (app.TrimMode) {
        setTimer(app, 5, true);
        return;
    }
    AreaItem next{app.BatchLan, app.BatchAfo};
    try {
        writeGlobalCC(app, app.GlobalCCFile, !app.BatchSearchFailed);
        if (!nextArea(app.Omrde1, next.lan, next.afo)) {
            app.BatchStart.reset();
            app.prompts->message("Klar!");
            return;
        }
    } catch (const std::exception&) {
        app.prompts->message("Fel då ny område ska väljas!");
        return;
    }
    enterBatchArea(app, next);
}

}  // namespace vildo
