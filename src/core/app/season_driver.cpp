#include "app/season_driver.h"

#include <filesystem>

#include "app/parameter_handlers.h"
#include "app/vildo.h"
#include "calibration/fit_measures.h"
#include "calibration/regression.h"
#include "hunt/exports.h"
#include "hunt/goals.h"
#include "hunt/historic.h"
#include "hunt/season.h"
#include "model/parameters.h"
#include "model/state_files.h"
#include "ui/area_display.h"
#include "ui/chart_ops.h"
#include "ui/info_dialog.h"
#include "ui/labels.h"
#include "util/format.h"
#include "util/random.h"
#include "util/round.h"

namespace vildo {

const char* const kShotOutQuestion =
    "Vinterstammen är bortskjuten. Återställer.\r\n\r\nDödlighet nollställs. Inget område är längre inläst.";

namespace {

constexpr const char* kInactiveHint = "Kontrollerna är inaktiverade då jakt pågår. Återställ jakten för att aktivera.";
constexpr C kHintedTabs[] = {C::TabSheet2, C::TabSheet3, C::TabSheet4, C::TabSheet5, C::TabSheet6, C::TabSheet7};

std::string snapshotFile(const Vildo& app) {
    return (std::filesystem::path(app.Paths.Appdata) / "Annualstat.vrd").string();
}

bool historic(const Vildo& app) { return app.checked(C::chk_stats); }

// The harvest table's year columns, kept with each forward press so that a step back can restore them.
void copyHarvestTable(Vildo& app) {
    for (int c = 1; c <= 7; ++c)
        for (int r = 0; r <= 12; ++r) setShort(app.Grid2Cells.Cells[c - 1][r], app.StringGrid2.cell(c, r));
}

void restoreHarvestTable(Vildo& app) {
    for (int c = 1; c <= 7; ++c)
        for (int r = 0; r <= 12; ++r) app.StringGrid2.cell(c, r) = getShort(app.Grid2Cells.Cells[c - 1][r]);
}

void dropLastPoint(Series& s) {
    if (!s.points.empty()) s.points.pop_back();
}

// A step back removes the last season from the time series.
void dropLastSeasonPoints(Vildo& app) {
    Chart& main = app.charts[5];
    const size_t first = main.series.empty() ? 0 : main.series[0].points.size();
    for (size_t i : {0, 1, 2, 7, 8, 9, 10})
        if (i < main.series.size()) dropLastPoint(main.series[i]);
    for (size_t i : {5, 6})
        if (i < main.series.size() && main.series[i].points.size() == first) dropLastPoint(main.series[i]);
    Chart& second = app.charts[8];
    for (size_t i : {0, 2})
        if (i < second.series.size()) dropLastPoint(second.series[i]);
}

// Inside a calibration the replays are scored, not watched: a replay that shoots the stock out is the worst
// fit, and the model goes back to where that replay began so that the next equilibrium starts from a stock.
bool calibrating(const Vildo& app) { return app.CalibrationSeed && app.AreaLoaded; }

// True when the press may go on: "OK" resets the model, "Avbryt" leaves the shot-out state on screen.
bool askShotOut(Vildo& app) {
    // A calibration stops here for good: its progress pane and wait cursor go with it.
    if (app.timers[9].enabled) app.WorkingFront = app.hourglass = false;
    setTimer(app, 9, false);
    if (!Visafraga(app, kShotOutQuestion, "OK", "Avbryt")) return false;
    ResetClick(app);
    return true;
}

// A shot-out stock: inside a calibration the replay ends quietly; outside it the user is asked.
bool shotOut(Vildo& app) {
    if (!calibrating(app)) return askShotOut(app);
    if (!app.ReplayStart.empty()) restoreSnapshot(app, app.ReplayStart);
    app.ReplayShotOut = true;
    return false;
}

}  // namespace

void setPredators(Vildo& app) {
    const Chart& pred = app.charts[10];
    auto value = [&](size_t series) {
        if (series >= pred.series.size() || static_cast<size_t>(app.YearNo) >= pred.series[series].points.size())
            return 0.0;
        return pred.series[series].points[static_cast<size_t>(app.YearNo)].y;
    };
    app.Rov.Vargdodade = static_cast<int32_t>(Round(value(0) * app.Rov.Vargmortalitet));
    app.Rov.Bjorndodade = static_cast<int32_t>(Round(value(1) * app.Rov.Bjornmortalitet * 0.5));
}

void Inaktiverakontroller(Vildo& app) {
    for (C tab : kHintedTabs) app.ctl(tab).hint = kInactiveHint;
    for (C id : {C::Panel5, C::Panel9, C::GroupBox4, C::GroupBox5, C::trk_sexratio, C::chk_save})
        app.ctl(id).enabled = false;
    if (app.timers[9].enabled)
        for (C id : {C::Panel_omrade, C::Panel_Dodlighet}) app.ctl(id).enabled = false;
}

void Aktiverakontroller(Vildo& app) {
    for (C tab : kHintedTabs) app.ctl(tab).hint.clear();
    if (app.timers[9].enabled) return;
    for (C id : {C::Panel5, C::Panel_omrade, C::Panel9, C::Panel_Dodlighet, C::GroupBox4, C::GroupBox5, C::trk_sexratio,
                 C::chk_save})
        app.ctl(id).enabled = true;
    app.charts[10].enabled = true;
}

void SpeedButton1Click(Vildo& app) {
    if (calibrating(app)) {
        app.rng.seed = mixSeed(*app.CalibrationSeed, static_cast<uint32_t>(app.YearNo));
        if (!app.SeasonStarted) {
            // The equilibrium before a replay carries on from the model before it; repeating the best run
            // exactly takes the model it began from.
            if (!app.NextReplayStart.empty()) restoreSnapshot(app, app.NextReplayStart);
            app.NextReplayStart.clear();
            app.ReplayStart = snapshotBytes(app);
            app.ReplayShotOut = false;
        }
    } else {
        app.rng.seed = app.platform.clockSeed();
    }
    Inaktiverakontroller(app);
    const int next = app.StartIndex + app.YearNo;
    if (app.DataYears >= next && historic(app) && app.checked(C::chk_simbonitet) &&
        static_cast<size_t>(next) < app.Statistics.size()) {
        app.Land.ForageFactor = static_cast<double>(Round(app.Statistics[next].CC * app.Land.Algbonitet / 100.0));
        app.Land.CarryingCapacity = CallCC(app);
    }
    if (!app.SeasonStarted) {
        app.RulesAlways = !(app.AreaLoaded && historic(app));
        app.SeasonStarted = true;
        Initierajakt(app);
    } else {
        setPredators(app);
        copyHarvestTable(app);
        if (!app.NoSnapshotFile)
            WriteSnapshot(app, snapshotFile(app), static_cast<uint64_t>(app.YearNo - 1) * kSnapshotSlot);
        Huntayear(app);
        recordReplayYear(app);
        PopGraph(app, app.YearNo);
        if (app.Winter.WinterStock <= 0 && !shotOut(app)) return;
        if (app.StartIndex - 1 + app.YearNo == app.DataYears && historic(app)) {
            if (app.checked(C::lgtthetochAvskjutning1)) {
                FitMeasures(app);
                showScaledObservations(app);
            }
            DensityBands(app);
            showBatchDensities(app);
        }
        Labels(app);
        if (app.checked(C::chk_save)) savetofile2(app, "Forward");
        // Seen before the next historic year's targets replace this season's.
        if (app.seasonObserver) app.seasonObserver(app);
        if (historic(app) && app.AreaLoaded) Runstats(app, app.StartIndex + app.YearNo);
        app.Land.CarryingCapacity = CallCC(app);
    }
    if (!app.RulesAlways && historic(app) && app.Winter.WinterStock == 0) {
        shotOut(app);
        return;
    }
    if (app.DataYears > app.StartIndex - 1 + app.YearNo && historic(app)) {
        if (app.Summer.SummerStock > 0) app.EncounterRate = 1.5 * app.HuntTry / app.Summer.SummerStock;
        if (!app.checked(C::chk_simbonitet)) app.Land.ForageFactor += app.CCSlope + app.pos(C::UD_Lutning);
        if (!app.RulesAlways) SpeedButton1Click(app);  // the historic replay: one press, every remaining year
    }
}

void SpeedButton2Click(Vildo& app) {
    if (app.YearNo <= 1) return;
    app.RulesAlways = true;
    // A snapshot that cannot be read leaves the state, and so the year, as it was.
    if (!ReadSnapshot(app, snapshotFile(app), static_cast<uint64_t>(app.YearNo - 2) * kSnapshotSlot)) return;
    dropLastSeasonPoints(app);
    --app.YearNo;
    if (app.checked(C::chk_save)) savetofile2(app, "Backward");
    Labels(app);
    restoreHarvestTable(app);
    app.ctl(C::LSpinn_Avskjutning).caption = fix(app.Goals.HarvestRate, 4, 1);
    for (int c : {1, 2}) {
        app.charts[c].clearSeries(0);
        app.charts[c].clearSeries(1);
    }
    for (int j = 0; j <= 19; ++j) Graph(app, j);
}

void btn_rensaClick(Vildo& app, bool bySpin) {
    if (app.ScenarioLoaded) {
        if (!Visafraga(app, "Ett scenario är inläst. Vill du verkligen återställa?", "OK", "Avbryt")) return;
        app.ScenarioLoaded = false;
    }
    Aktiverakontroller(app);
    if (app.charts[5].series.size() > 4) app.charts[5].series[4].points.clear();
    app.ModelFit = 0;
    app.Rov.Vargdodade = app.Rov.Bjorndodade = 0;
    app.Winter.WinterDeaths = app.Summer.SummerDeaths = 0;
    app.SeasonStarted = false;
    if (!bySpin) {
        Cleargraph(app);
        Rensatabell(app);
        if (app.charts[5].series.size() > 3) app.charts[5].series[3].points.clear();
    }
    if (app.AreaLoaded && historic(app)) {
        for (int r = 1; r <= 4; ++r) app.StringGrid3.cell(1, r) = "Nej";
        app.Rules[0].enabled = 1;
        for (int r = 1; r <= 4; ++r) app.Rules[r].enabled = 0;
    }
    app.ctl(C::LSqrroot).caption.clear();
    app.ctl(C::SpinButton1).enabled = false;
    app.YearNo = 1;
    app.Tick = 0;
    if (historic(app)) Runstats(app, app.StartIndex);
    app.ctl(C::TabSheet1).enabled = app.ctl(C::TabSheet2).enabled = true;
    app.YearNo = 0;
    trk_ungskogChange(app);
}

bool chk_statsMouseDown(Vildo& app) {
    const bool on = historic(app);
    const char* refusal = nullptr;
    if (!app.AreaLoaded && !on)
        refusal = "Du måste först läsa in historiska data!";
    else if (app.SeasonStarted && on)
        refusal = "Återställ innan du avaktiverar historiska data!";
    else if (app.AreaLoaded && !on && app.SeasonStarted)
        refusal = "Återställ innan du aktiverar historiska data!";
    if (refusal) app.prompts->message(refusal);
    return refusal == nullptr;
}

void chk_statsClick(Vildo& app) {
    if (!app.AreaLoaded) return;
    const bool on = historic(app);
    if (app.charts[5].series.size() > 3) app.charts[5].series[3].active = on;
    app.ctl(C::btn_jaktareal).enabled = !on;
    Cleargraph(app);
}

void Timer13Timer(Vildo& app) {
    setTimer(app, 13, false);
    btn_rensaClick(app);
}

void Timer6Timer(Vildo& app) {
    Cleargraph(app);
    Rensatabell(app);
    if (app.timers[1].enabled) return;  // the model is still settling: try again at the next tick
    setTimer(app, 6, false);
    app.hourglass = false;
    SpeedButton1Click(app);
}

void wireDriverHandlers(Vildo& app) {
    app.ctl(C::chk_stats).onChange = [](ModelState& s, C, int) { chk_statsClick(whole(s)); };
}

void Initierajakt(Vildo& app) {
    const bool history = app.checked(C::chk_stats);
    app.Tick = 0;
    app.ModelYears = 0;
    app.ChangeSum = 0;
    app.MaxSummerDensity = 0;
    Rensatabell(app);
    app.Fec.FecundityFactor = Multifecund(app);
    if (history) {
        app.RulesAlways = false;
        Runstats(app, app.StartIndex + app.YearNo);
        app.BaseTargetDensity = app.TargetDensity;
        app.Land.CarryingCapacityAtStart = CallCC(app);
        app.Land.ForageFactorAtStart = app.Land.ForageFactor;
    } else {
        targetsFromEquilibrium(app);
        PopGraph(app, 0);
    }
    app.BaseForageFactor = app.Land.ForageFactor;
    app.BaseYoungForestPct = app.Land.YoungForestPct;
    try {
        const TGoals& g = app.Goals;
        app.MaxTries = static_cast<int32_t>(
            std::max<int64_t>(1, Round((static_cast<double>(g.BullQuota) + g.CowQuota + g.CalfQuota) * 2.5)));
        setPredators(app);
        // So that Huntayear, from the summer stock, gives the same budget.
        if (app.Winter.WinterStock > 0) app.EncounterRate = checkedDiv(app.MaxTries, app.Summer.SummerStock);
        for (C id : {C::SpinButton1, C::SpinButton2, C::SpinButton3}) app.ctl(id).enabled = true;
        Labels(app);
        Huntayear(app);
        app.Land.CarryingCapacity = CallCC(app);
        if (app.Winter.WinterStock > 0) app.EncounterRate = checkedDiv(1.5 * app.HuntTry, app.Summer.SummerStock);
        recordReplayYear(app);
        PopGraph(app, app.YearNo);
        app.StringGrid2.enabled = true;
        Labels(app);
        // Seen before the next historic year's targets replace this season's.
        if (app.seasonObserver) app.seasonObserver(app);
        if (history && app.AreaLoaded) {
            if (!app.checked(C::chk_simbonitet)) app.Land.ForageFactor += app.CCSlope + app.pos(C::UD_Lutning);
            Runstats(app, app.StartIndex + app.YearNo);
        }
        if (app.checked(C::chk_save)) savetofile2(app, "Forward");
    } catch (const std::exception&) {
        app.prompts->message("Något blev galet!");
    }
}

}  // namespace vildo
