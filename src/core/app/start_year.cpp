#include "app/start_year.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <memory>

#include "app/area_file_menu.h"
#include "app/area_loading.h"
#include "app/carrying_capacity_batch.h"
#include "app/chart_editing.h"
#include "app/full_calibration.h"
#include "app/parameter_handlers.h"
#include "app/season_driver.h"
#include "app/vildo.h"
#include "area/area_file.h"
#include "area/data_service.h"
#include "area/statistics.h"
#include "calibration/fit_upload.h"
#include "calibration/search_step.h"
#include "model/parameters.h"
#include "model/state_files.h"
#include "ui/info_dialog.h"
#include "ui/labels.h"
#include "util/format.h"
#include "util/parse.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr int kSearchLimit = 400;  // comparisons before the search gives up
constexpr int kMinHuntArea = 2000;

const TStatistics* record(const Vildo& app, int64_t p) {
    if (p < 0 || p >= static_cast<int64_t>(app.Statistics.size())) return nullptr;
    return &app.Statistics[static_cast<size_t>(p)];
}

int yearOf(const Vildo& app, int64_t p) {
    const TStatistics* r = record(app, p);
    return r ? r->year : 0;
}

void stepControl(Vildo& app, C id, int delta) { setPosition(app, id, app.pos(id) + delta); }

// The start window of start position k: from the year before it, two years at the last harvest year.
void averageStartWindow(Vildo& app) {
    const int k = app.StartIndex;
    if (k == app.DataYears)
        AverageFromYear(app, yearOf(app, k - 1), 2);
    else if (k > 1)
        AverageFromYear(app, yearOf(app, k - 1), 3);
    else
        AverageFromYear(app, yearOf(app, k), 2);
    AverageRecent(app, app.DataYears);
}

// The equilibrium takes its predation from the first year of the predator chart, the replay from the
// recorded years: the first year gets the start window's recorded predators, as an edit of the chart would,
// so that the search and the replay see the same predation.
void startWindowPredators(Vildo& app) {
    const double wolves = app.StartAverages.WolfMean, bears = app.StartAverages.BearMean;
    TRov& r = app.Rov;
    if (r.Vargrevir.empty()) r.Vargrevir.resize(1, 0.0);
    if (r.Bjornpop.empty()) r.Bjornpop.resize(1, 0.0);
    if (movedFar(wolves, r.Vargrevir[0]) || movedFar(bears, r.Bjornpop[0])) r.Changed = true;
    r.Vargrevir[0] = wolves;
    r.Bjornpop[0] = bears;
    Chart& c = app.charts[10];
    if (!c.series[0].points.empty()) c.series[0].points[0].y = wolves;
    if (c.series.size() > 1 && !c.series[1].points.empty()) c.series[1].points[0].y = bears;
}

void searchConverged(Vildo& app) {
    setTimer(app, 2, false);
    app.hourglass = false;
    app.MortalitySignature = mortalitySignature(app);
    const int year = app.AreaLoaded ? yearOf(app, app.StartIndex) : app.platform.currentYear();
    app.SettingsChanged = false;
    // Only a search that hands over to the full calibration or the batch goes on with its seed.
    if (!app.TrimMode && !(app.AreaLoaded && app.InfoFlags[2] && app.Recalibrate)) endCalibration(app);
    if (app.TrimMode) {
        setTimer(app, 5, true);
    } else if (!app.AreaLoaded || !app.InfoFlags[2]) {
        Visainfo(app,
                 "\r\n\r\nVinterstammen har beräknats till " + fix(app.TargetDensity, 15, 1) + " per 1000 hektar." +
                     "\r\n\r\nIterationer: " + intStr(app.ModelYears) + "\r\n\r\n\r\n\r\n",
                 "OK", 0);
    } else if (app.Recalibrate) {
        app.Recalibrate = false;
        btn_nykalibClick(app);
    } else {
        Visainfo(app,
                 "Vinterstammen för år " + intStr(year) + " har beräknats till " + fix(app.TargetDensity, 15, 1) +
                     " per 1000 hektar.\r\n\r\nEn beräkning av älgstammens utveckling kommer nu att "
                     "genomföras.\r\n\r\nObservera att annan dödlighet påverkar skattningen av älgstammens "
                     "storlek. Uppgifter om trafikdödlighet hämtas från databas men inte annan dödlighet.",
                 "OK", 0);
    }
}

// A stock of 0 cannot regrow, and a search on it would only raise the forage to its limit: the search
// starts over, once, from the model the area was loaded with.
bool restartDeadSearch(Vildo& app) {
    if (app.Winter.WinterStock > 0 || app.SearchRestarted || app.AreaLoadStart.empty()) return false;
    app.SearchRestarted = true;
    restoreSnapshot(app, app.AreaLoadStart);
    setPosition(app, C::Trk_density, app.AreaLoadDensity);
    setPosition(app, C::Trk_barkraftovrig, app.AreaLoadForage);
    app.SearchTicks = 1;
    app.DensitySteps = 0;
    app.Land.Algbonitet = 100;
    trk_ungskogChange(app);
    return true;
}

void densityStep(Vildo& app, int delta) {
    if (app.SeasonStarted) btn_rensaClick(app, true);
    if (delta < 0) {
        if (app.pos(C::Trk_density) > 0) stepControl(app, C::Trk_density, -1);
        ++app.DensitySteps;
    } else {
        stepControl(app, C::Trk_density, 1);
        --app.DensitySteps;
    }
    setTimer(app, 6, true);
}

void forageStep(Vildo& app, int sign) {
    if (app.SeasonStarted) btn_rensaClick(app, true);
    app.Land.Algbonitet += sign;
    const TStatistics* c0 = record(app, app.StartIndex);
    const TStatistics* c1 = record(app, static_cast<int64_t>(app.StartIndex) + app.YearNo);
    if (app.AreaLoaded && app.checked(C::chk_stats) && c0 && c0->CC > 0 && c1 && app.checked(C::chk_simbonitet)) {
        const double a = c1->CC, b = c0->CC;
        setPosition(app, C::Trk_barkraftovrig, positionOf(a * (a / b) * app.Land.Algbonitet / 100));
    } else {
        app.Land.ForageFactor += 5 * sign;
        stepControl(app, C::Trk_barkraftovrig, 5 * sign);
    }
    trk_ungskogChange(app);
    setTimer(app, 6, true);
}

void setHuntArea(Vildo& app, int v) {
    const double old = app.HuntAreaHa;
    for (uint16_t* t : {&app.Traffic.TrafficBulls, &app.Traffic.TrafficCows, &app.Traffic.TrafficCalves})
        if (old > 0) *t = static_cast<uint16_t>(std::clamp<int64_t>(Round(v / old * *t), 0, UINT16_MAX));
    app.HuntAreaHa = v;
    app.Header.Landarea = v;
    app.AreaKha = static_cast<int32_t>(Round(v / 1000.0));
    // The land use of the fictional area at start.
    app.Land.YoungForestPct = 5;
    app.Land.OtherLandPct = 30;
    app.Land.ImpedimentPct = 0;
    app.Land.ForestPct = 65;
    Labels(app);
    trk_ungskogChange(app);
}

}  // namespace

std::string forageChangeText(double ccSlope, double forage) {
    return "Förändring älgbonitet: " + fix(ccSlope * 100 / forage, 15, 2) + " % per år";
}

void Combo_StartyearChange(Vildo& app, StartYearSender sender) {
    const std::optional<int> year = selectedStartYear(app);
    if (!year) {
        app.prompts->message("Området har för få år med avskjutning för att välja ett startår.");
        return;
    }
    // A new start year starts the estimation over; what an earlier one started must not run on.
    for (int n : {2, 6, 9, 11, 12}) setTimer(app, n, false);
    app.WorkingFront = false;
    endCalibration(app);

    // 1, 2.
    if (app.SeasonStarted) btn_rensaClick(app);
    app.Recalibrate = false;
    app.CacheApplied = false;  // only this start year's cached setting may shorten its calibration
    app.SearchRestarted = false;
    app.DensitySteps = 0;
    app.StartIndex = app.pos(C::Combo_Startyear) + 2;
    app.CCSlope = app.Header.AreaCCSlope;
    averageStartWindow(app);
    // An area file brings the predators its user set.
    if (sender != StartYearSender::AreaFile) startWindowPredators(app);

    // 3. A fetch that fails leaves no cached fit, so the search runs.
    bool cacheRead = app.NoFitFetch;
    if (!app.NoFitFetch) {
        cacheRead = FetchFitCache(app, *year);
        if (!cacheRead) app.CCSlope = app.Header.AreaCCSlope;
    }
    const TStatistics* slot = fitSlot(app);
    const double cached = cacheRead && slot ? slot->R2 : 0;

    // 4.
    ApplyAreaAverages(app);
    app.StringGrid6.cell(3, 5) = intStr(app.Header.Jaktarea / 1000);
    app.Tick = 0;
    setChecked(app, C::chk_stats, true);
    app.AreaLoaded = true;

    // 5. The batch estimates every start year afresh.
    if (cached != 0 && *year < app.platform.currentYear() && !app.TrimMode) {
        app.CacheApplied = true;
        app.Header.HeaderReal17 = 0;
        setPosition(app, C::Trk_density, positionOf(10 * slot->StartDens));
        setPosition(app, C::Trk_barkraftovrig, slot->CC);
        app.CCSlope = slot->CCSlope;
    }

    // 6, 7.
    app.ctl(C::LAlgbonitetChange).caption = forageChangeText(app.CCSlope, app.pos(C::Trk_barkraftovrig));
    trk_ungskogChange(app);
    app.SearchTicks = 1;
    if (app.pos(C::Combo_Startyear) == 0) app.CCCount = 1;
    app.Land.Algbonitet = 100;

    // 8. In batch mode a cached fit would end the batch in a full calibration: it always searches.
    if (sender == StartYearSender::AreaFile) return;
    app.hourglass = true;
    if (cached == 0 || app.TrimMode) {
        app.Recalibrate = true;
        beginCalibration(app);
        setTimer(app, 2, true);
    } else if (cached > 1) {
        setTimer(app, 6, true);
    } else {
        beginCalibration(app);
        setTimer(app, 12, true);
    }
}

void KalibClick(Vildo& app) {
    if (app.SeasonStarted) btn_rensaClick(app);
    app.SearchTicks = 1;
    app.SearchRestarted = false;
    app.CCCount = 1;
    app.Land.Algbonitet = 100;
    app.DensitySteps = 0;
    app.hourglass = true;
    app.ModelYears = 0;
    if (!app.CalibrationSeed) beginCalibration(app);
    setTimer(app, 2, true);
}

void Timer2Timer(Vildo& app) {
    // Only the outputs of a completed equilibrium run are compared.
    if (app.timers[1].enabled) return;
    if (restartDeadSearch(app)) return;
    try {
        const int Ho = app.pos(C::trk_harvest), Ro = app.pos(C::trk_reprod);
        const double H = 10 * app.HarvestTot.HarvestPerArea, R = 100 * app.CalvesPerCow;
        if (Round(H) == Ho && Round(R) == Ro) {
            ++app.SearchTicks;
            searchConverged(app);
            return;
        }
        if (std::optional<SearchStep> step = searchStep(Ho, H, Ro, R)) stepControl(app, step->control, step->delta);
    } catch (const std::exception&) {
        app.prompts->message("Fel då populationen itereras.");
    }
    ++app.SearchTicks;
    if (app.Recalibrate) app.SearchNote = "Behöver göra en omkalibrering av området.  " + intStr(app.SearchTicks);
    if (app.SearchTicks > kSearchLimit) {
        setTimer(app, 2, false);
        endCalibration(app);
        app.hourglass = false;
        if (app.TrimMode)
            batchSearchGaveUp(app);
        else
            app.prompts->message("Lyckades inte beräkna vinterstammen. Svåra ingångsvärden.");
    }
}

void Spin_densityUpClick(Vildo& app) { densityStep(app, -1); }
void Spin_densityDownClick(Vildo& app) { densityStep(app, 1); }
void Spin_algbonitetUpClick(Vildo& app) { forageStep(app, 1); }
void Spin_algbonitetDownClick(Vildo& app) { forageStep(app, -1); }

void UD_LutningClick(Vildo& app) {
    if (app.SeasonStarted) btn_rensaClick(app);
    trk_ungskogChange(app);
    setTimer(app, 6, true);
}

void trk_harvestChange(Vildo& app) {
    app.HarvestSlider = app.pos(C::trk_harvest) / 10.0;
    app.ctl(C::LHarvest).caption = "Avskjutning: " + fix(app.HarvestSlider, 15, 1) + " per 1000 ha";
}

void trk_reprodChange(Vildo& app) {
    app.ReproSlider = app.pos(C::trk_reprod) / 100.0;
    app.ctl(C::Lreprod).caption = "Reproduktion: " + fix(app.ReproSlider, 15, 2) + " kalv/hondjur";
}

void btn_jaktarealClick(Vildo& app) {
    for (;;) {
        std::optional<std::string> text =
            app.prompts->inputText("Ange jakteral i hektar (min 2000 ha):", "Areal:", intStr(app.HuntAreaHa));
        if (!text) return;
        std::optional<long long> v = parseInt(*text);
        if (v && *v >= kMinHuntArea && *v <= INT32_MAX) {
            setHuntArea(app, static_cast<int>(*v));
            return;
        }
    }
}

bool areaItemClick(Vildo& app, int countyItem, int areaItem, std::optional<int> startItem) {
    // A batch's walk starts here; every later area of it starts from this state (the batch restores it).
    app.BatchSearchFailed = false;
    if (!app.checked(C::chk_trimming))
        app.BatchStart.reset();
    else if (!app.BatchStart)
        app.BatchStart = std::make_shared<const Vildo>(app);
    if (!NyttOmrade(app, countyItem, areaItem)) return false;
    app.TrimMode = app.checked(C::chk_trimming);
    Control& list = app.ctl(C::Combo_Startyear);
    const int last = static_cast<int>(list.items.size()) - 1;
    list.position = startItem ? *startItem : (app.TrimMode ? last : 0);
    if (list.items.empty()) list.position = -1;
    Combo_StartyearChange(app, StartYearSender::AreaItem);
    return true;
}

void openAreaFile(Vildo& app) {
    if (!mnu_oppnaomradeClick(app)) return;  // a failed read must not restart the area already loaded
    noteAreaLoaded(app);
    Control& list = app.ctl(C::Combo_Startyear);
    list.position = list.items.empty() ? -1 : 0;
    app.NoFitFetch = true;
    try {
        Combo_StartyearChange(app, StartYearSender::AreaFile);
    } catch (...) {
        app.NoFitFetch = false;
        throw;
    }
    app.NoFitFetch = false;
    setTimer(app, 6, true);
}

void wireCalibrationHandlers(Vildo& app) {
    // Positions restored while an area is being loaded are not a user's choice of start year.
    app.ctl(C::Combo_Startyear).onChange = [](ModelState& s, C, int) {
        Vildo& a = whole(s);
        if (!a.AreaLoading) Combo_StartyearChange(a);
    };
    app.ctl(C::trk_harvest).onChange = [](ModelState& s, C, int) { trk_harvestChange(whole(s)); };
    app.ctl(C::trk_reprod).onChange = [](ModelState& s, C, int) { trk_reprodChange(whole(s)); };
    app.ctl(C::UD_Lutning).onChange = [](ModelState& s, C, int) { UD_LutningClick(whole(s)); };
}

}  // namespace vildo
