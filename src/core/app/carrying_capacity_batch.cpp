#include "app/carrying_capacity_batch.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <vector>

#include "app/full_calibration.h"
#include "calibration/regression.h"
#include "app/start_year.h"
#include "app/vildo.h"
#include "ui/info_dialog.h"
#include "util/cp1252.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/round.h"

namespace vildo {

const char* const kGlobalCCHeader =
    "År\tLanafo\tLankod\tLan\tAFOnr\tAFO\tJaktarea\tLandarea\tArea\tCCDensity\tDensity\tCCSlope";

namespace {

constexpr double kSlopeLimit = 10;

std::string selectedItem(const Vildo& app) {
    const Control& list = app.ctl(C::Combo_Startyear);
    if (list.position < 0 || list.position >= static_cast<int>(list.items.size())) return {};
    return list.items[static_cast<size_t>(list.position)];
}

// The selected start year's estimate: its forage setting and its winter density.
void storeEstimate(Vildo& app) {
    const int64_t p = static_cast<int64_t>(app.pos(C::Combo_Startyear)) + 1;
    if (p < 1 || p >= static_cast<int64_t>(app.Statistics.size())) return;
    TStatistics& slot = app.Statistics[static_cast<size_t>(p)];
    slot.CC = app.pos(C::Trk_barkraftovrig);
    slot.Vildodens = app.pos(C::Trk_density) / 10.0;
}

// The yearly trend of the estimated forage settings. Years without an estimate have no forage setting:
// counting them as 0 would drag the trend to the limit.
double forageTrend(const Vildo& app) {
    std::vector<double> years, forage;
    for (int p = 1; p <= app.DataYears && p < static_cast<int>(app.Statistics.size()); ++p) {
        const TStatistics& r = app.Statistics[static_cast<size_t>(p)];
        if (r.CC <= 0) continue;
        years.push_back(r.year);
        forage.push_back(r.CC);
    }
    return std::clamp(Regress(years, forage), -kSlopeLimit, kSlopeLimit);
}

// The next area item after (lan, afo) in menu order, over counties without areas; false after the last.
bool nextArea(const CountyMenu& menu, uint32_t& lan, uint32_t& afo) {
    if (lan < menu.size() && afo + 1 < menu[lan].areas.size()) {
        ++afo;
        return true;
    }
    for (uint32_t l = lan + 1; l < menu.size(); ++l) {
        if (menu[l].areas.empty()) continue;
        lan = l;
        afo = 0;
        return true;
    }
    return false;
}

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

std::string globalCCLine(const Vildo& app) {
    const TAreaHeader& h = app.Header;
    const std::vector<std::string> fields = {selectedItem(app),
                                             intStr(static_cast<int64_t>(h.Lankod) * 100 + h.AFOnr),
                                             intStr(h.Lankod),
                                             getShort(h.Lan),
                                             intStr(h.AFOnr),
                                             getShort(h.AFO),
                                             intStr(h.Jaktarea),
                                             intStr(h.Landarea),
                                             intStr(app.AreaKha),
                                             fix(app.pos(C::Trk_barkraftovrig) / 10.0, 15, 1),
                                             fix(app.Winter.WinterDensity, 15, 1),
                                             intStr(Round(h.AreaCCSlope * 100))};
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
    return line;
}

bool appendGlobalCC(Prompts& prompts, const std::string& file, const std::string& line) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    const uint64_t end = exists ? std::filesystem::file_size(file, ec) : 0;
    std::string text = exists ? std::string() : std::string(kGlobalCCHeader) + "\r\n";
    text += line + "\r\n";
    if (ec || !writeBytesAt(file, end, toCp1252(text))) {
        prompts.message("Kunde inte skriva till filen: " + file);
        return false;
    }
    return true;
}

bool writeGlobalCC(Vildo& app, const std::string& file) {
    return appendGlobalCC(*app.prompts, file, globalCCLine(app));
}

std::vector<AreaItem> batchAreas(const CountyMenu& menu) {
    std::vector<AreaItem> areas;
    uint32_t lan = 0;
    while (lan < menu.size() && menu[lan].areas.empty()) ++lan;
    if (lan == menu.size()) return areas;
    uint32_t afo = 0;
    do areas.push_back({lan, afo});
    while (nextArea(menu, lan, afo));
    return areas;
}

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
        writeGlobalCC(app, app.GlobalCCFile);
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
