#include "app/full_calibration.h"

#include <algorithm>
#include <cmath>

#include "app/estimate_ensemble.h"
#include "app/parameter_handlers.h"
#include "app/season_driver.h"
#include "app/start_year.h"
#include "app/vildo.h"
#include "calibration/estimate_interval.h"
#include "calibration/fit_upload.h"
#include "calibration/full_calibration_steps.h"
#include "model/parameters.h"
#include "model/state_files.h"
#include "ui/area_display.h"
#include "ui/info_dialog.h"
#include "util/format.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr double kCachedShare = 0.92;  // a first run this close to the cached fit confirms it
constexpr double kShortcutFit = 0.8;
constexpr double kDistrustedShare = 0.5;  // a first run below this share of the cached fit refutes it
constexpr int kShortcutRoundsLeft = 15;
constexpr size_t kHistory = 11;

void refreshForageChange(Vildo& app) {
    app.ctl(C::LAlgbonitetChange).caption = forageChangeText(app.CCSlope, app.pos(C::Trk_barkraftovrig));
}

void restoreBest(Vildo& app) {
    setPosition(app, C::Trk_density, positionOf(app.BestDensity));
    setPosition(app, C::Trk_barkraftovrig, positionOf(app.BestForage));
    app.CCSlope = app.BestCCSlope;
}

// One adjustment: the step the measures call for, pressed on the spin buttons as a user would.
void adjust(Vildo& app) {
    const SpinPress press = nextAdjustment(app);
    if (press != SpinPress::None) ++app.CalibrationReplays;
    switch (press) {
        case SpinPress::DensityUp: Spin_densityUpClick(app); break;
        case SpinPress::DensityDown: Spin_densityDownClick(app); break;
        case SpinPress::ForageUp: Spin_algbonitetUpClick(app); break;
        case SpinPress::ForageDown: Spin_algbonitetDownClick(app); break;
        case SpinPress::None: break;
    }
}

// True, and noted for the verdict, once the adjustments have started as many replays as a calibration may.
bool replayLimitReached(Vildo& app) {
    if (app.CalibrationReplays < replayLimit(app)) return false;
    app.StoppedAtReplayLimit = true;
    return true;
}

// The verdict's sentence for a calibration that the replay cap ended.
std::string replayLimitNote(const Vildo& app) {
    if (!app.StoppedAtReplayLimit) return "";
    return "Skattningen stannade vid sin gräns på " + intStr(replayLimit(app)) +
           " körningar, och den bästa passningen hittills används.\r\n\r\n";
}

void finish(Vildo& app) {
    setTimer(app, 9, false);
    // The best fit goes with the setting that gave it, not with the last run's.
    uploadCalibration(app, fix(app.BestFit, 15, 4), {app.BestForage, app.BestDensity / 10, app.BestCCSlope});
    app.CalibEnd = app.platform.wallSeconds();
    restoreBest(app);
    // The slot holds the whole setting, so that an area file opened again replays what was found: the
    // start density to the tenth the density control holds, the slope and the margin with it.
    if (TStatistics* slot = fitSlot(app)) {
        slot->CC = positionOf(app.BestForage);
        slot->StartDens = app.BestDensity / 10;
        slot->R2 = app.BestFit;
        slot->CCSlope = app.BestCCSlope;
        slot->Error = app.DensityMargin;
    }
    btn_rensaClick(app);
    trk_ungskogChange(app);
    app.NextReplayStart = app.BestReplayStart;
    setTimer(app, 6, true);
    app.DensityStdDev = sampleStdDev(app.DensityHistory);
    setTimer(app, 11, true);
}

// A replay that shot the stock out is worse than any fit: it counts as a quiet round (so that a calibration
// whose every replay dies still ends), and the next step raises the stock: by a tenth of the density at once,
// since single steps of a tenth of a moose would spend the calibration's rounds on dead replays.
void scoreShotOut(Vildo& app) {
    app.ReplayShotOut = false;
    setTimer(app, 1, false);
    ++app.QuietRounds;
    app.Progress = std::max(app.Progress, app.QuietRounds);
    if (app.QuietRounds >= app.MaxQuietRounds || replayLimitReached(app)) {
        finish(app);
        return;
    }
    ++app.CalibrationReplays;
    const int steps = std::max(1, positionOf(app.pos(C::Trk_density) / 10.0));
    for (int i = 0; i < steps; ++i) Spin_densityDownClick(app);
}

// The first run replays the cached setting. One that fits far worse than the fit it was stored with is not a
// result for this area (an upload that was wrong or made up): it counts as no cached fit, the user is told,
// and the calibration starts over from the winter-population search as it does without one. True then.
bool refutedCache(Vildo& app, TStatistics& slot) {
    if (app.ModelFit >= kDistrustedShare * slot.R2) return false;
    app.prompts->note("Den sparade kalibreringen (passning " + fix(slot.R2, 15, 2) + ") ger bara passningen " +
                      fix(app.ModelFit, 15, 2) + " för området och används inte.");
    slot.R2 = slot.StartDens = slot.CCSlope = slot.Error = 0;
    slot.CC = 0;
    app.CacheApplied = false;
    app.BestFit = 0;
    app.QuietRounds = 0;
    if (!app.ReplayStart.empty()) restoreSnapshot(app, app.ReplayStart);
    btn_rensaClick(app);
    app.Recalibrate = true;
    KalibClick(app);
    return true;
}

}  // namespace

void beginCalibration(Vildo& app) {
    endCalibration(app);
    app.CalibrationSeed = app.platform.clockSeed();
}

void btn_nykalibClick(Vildo& app) {
    // 1, 2. A calibration started by a start-year change or a search keeps the seed it drew.
    if (!app.CalibrationSeed) beginCalibration(app);
    app.CalibStart = app.platform.wallSeconds();
    app.Ensemble.reset();
    if (!app.checked(C::ReproduktionochTjurandel1)) click(app, C::ReproduktionochTjurandel1);
    if (!app.checked(C::lgtthetochAvskjutning1)) click(app, C::lgtthetochAvskjutning1);
    app.Progress = 0;
    app.FitTrend = 0;
    app.BestFit = 0;
    app.QuietRounds = 0;
    app.StepDensityNext = true;
    // Until a run improves the fit, the setting the calibration starts from is the best one.
    app.BestDensity = app.pos(C::Trk_density);
    app.BestForage = app.pos(C::Trk_barkraftovrig);
    app.BestCCSlope = app.CCSlope;
    app.BestReplayStart.clear();
    app.FitDensityMin = app.FitDensityMax = app.Winter.WinterDensity;
    app.DensityHistory.clear();
    app.HistoricRuns = 0;
    app.CalibrationReplays = 0;
    app.StoppedAtReplayLimit = false;

    // 3. New mortality or predators: the winter population is searched again first.
    if (mortalitySignature(app) - app.MortalitySignature > 12 || app.Rov.Changed) {
        btn_rensaClick(app);
        app.Recalibrate = true;
        KalibClick(app);
    }
    app.Rov.Changed = false;

    // 4, 5.
    if (!app.SeasonStarted && !app.Recalibrate) SpeedButton1Click(app);
    app.WorkingFront = true;
    app.ctl(C::Lwinterdensity).visible = false;
    app.ctl(C::LAlgbonitet).visible = false;
    app.hourglass = true;
    app.charts[10].enabled = false;
    setTimer(app, 9, true);
}

void Timer9Timer(Vildo& app) {
    const bool modelIdle = !app.timers[1].enabled || app.SeasonStarted;
    const bool runOver = app.StartIndex - 1 + app.YearNo == app.DataYears || app.ReplayShotOut;
    if (!modelIdle || !runOver || app.timers[2].enabled) return;
    if (app.ReplayShotOut) {
        scoreShotOut(app);
        return;
    }

    // 1-4. A round whose adjustment cannot move its control repeats itself: it is as quiet as a settled one.
    setTimer(app, 1, false);
    const bool settled = std::fabs(app.ReprodSum) < 1 && std::fabs(app.SlopeDiff) < 0.5;
    if (settled || blockedAtLimit(app, pendingPress(app))) ++app.QuietRounds;
    app.Progress = std::max(app.Progress, app.QuietRounds);
    const double density = app.Winter.WinterDensity;
    if (app.ModelFit > app.BestFit) {
        app.QuietRounds = 0;
        app.BestDensity = app.pos(C::Trk_density);
        app.BestForage = app.pos(C::Trk_barkraftovrig);
        app.BestCCSlope = app.CCSlope;
        app.BestReplayStart = app.ReplayStart;
        app.FitDensityMin = app.FitDensityMax = density;
        refreshForageChange(app);
    }
    app.FitDensityMin = std::min(app.FitDensityMin, density);
    app.FitDensityMax = std::max(app.FitDensityMax, density);
    app.BestFit = std::max(app.BestFit, app.ModelFit);
    app.FitTrend = (9 * app.FitTrend + app.ModelFit) / 10;
    app.DensityHistory.insert(app.DensityHistory.begin(), density);
    if (app.DensityHistory.size() > kHistory) app.DensityHistory.pop_back();

    // 5. The first run from a cached setting that nearly matches its fit confirms it; one far below refutes it.
    TStatistics* slot = fitSlot(app);
    if (app.CacheApplied && slot && refutedCache(app, *slot)) return;
    if (app.CacheApplied && slot && app.ModelFit > kCachedShare * slot->R2 && app.ModelFit > kShortcutFit) {
        app.QuietRounds = app.MaxQuietRounds - kShortcutRoundsLeft;
        app.FitDensityMin = density - slot->R2 * slot->Error;
        app.FitDensityMax = density + slot->R2 * slot->Error;
        app.DensityMargin = slot->Error;
    }
    app.CacheApplied = false;

    // 6. The next equilibrium carries on from the model before this replay, not from where the replay left
    // the stock: a replay that ends near extinction would otherwise starve every equilibrium after it.
    if (!app.ReplayStart.empty()) restoreSnapshot(app, app.ReplayStart);
    if (app.QuietRounds >= app.MaxQuietRounds || replayLimitReached(app))
        finish(app);
    else
        adjust(app);
}

void Timer11Timer(Vildo& app) {
    setTimer(app, 11, false);
    endCalibration(app);
    app.WorkingFront = false;
    app.hourglass = false;
    app.MortalitySignature = mortalitySignature(app);
    app.Header.AreaCCSlope = app.CCSlope;
    // The verdict waits for the interval of its estimate.
    estimateInterval(app);
    showEstimateInterval(app);
    std::string interval;
    if (app.Ensemble) {
        interval = intervalLine(app.Ensemble->interval) + "\r\n\r\n";
        const std::string note = uncertaintyNote(app.Ensemble->interval, app.Winter.WinterDensity);
        if (!note.empty()) interval += note + "\r\n\r\n";
    }

    const std::string a =
        app.ObsFit < 0.6 ? "Passning mellan Älgobs per mantimma och älgtäthet är bristfällig\r\n\r\n" : "";
    const std::string b =
        app.ReprodFit < 0.6
            ? "Passning mellan reproduktion enligt älgobs och simulerad reproduktion är bristfällig\r\n\r\n"
            : "";
    const std::string c =
        app.BullShareFit < 0.75 || std::fabs(app.BullShareSum) > 0.2
            ? "Passning mellan tjurandel enligt älgobs och simulerad tjurandel är bristfällig. Justera dödlighet för "
              "tjur och hondjur för en bättre passning. Detta kommer att påverka vinterstammens numerär.\r\n\r\n"
            : "";
    const std::string margin = fix(app.DensityMargin, 15, 1);
    Visainfo(app,
             "Älgstammen har beräknats till:\r\n\r\nFöre jakt: " + grouped(app.Summer.SummerStock, 0) +
                 " st. Täthet: " + fix(app.Summer.SummerDensity, 15, 1) + " +- " + margin + " per 1000 hektar" +
                 "\r\n\r\n" + "Efter jakt: " + grouped(app.Winter.WinterStock, 0) + " st. Täthet: " +
                 fix(app.Winter.WinterDensity, 15, 1) + " +- " + margin + " per 1000 hektar" + "\r\n\r\n" + a + b + c +
                 replayLimitNote(app) + interval + "Kontrollera annan dödlighet vilken har inverkan på resultatet.",
             "OK", 0);
    if (app.InfoFlags[6])
        Visainfo(app,
                 "Historiska avskjutningsdata är slut. Om du är nöjd med prognosen fram tills nu kan du fortsätta "
                 "simuleringen. Som förslag används föregående års värden på tilldelning. Du har dock möjlighet att "
                 "justera tilldelning, kalvandel m.m. Även avskjutningregler kan nu användas. \r\n\r\nOm kurvorna "
                 "inte har en bra passning kan du prova att upprepa skattningen av älgstammen.",
                 "OK", 6);
    app.charts[10].enabled = true;
}

void Timer12Timer(Vildo& app) {
    setTimer(app, 12, false);
    app.hourglass = true;
    btn_nykalibClick(app);
}

void Stopiterations(Vildo& app) {
    setTimer(app, 9, false);
    endCalibration(app);
    // A search started by the calibration would start it again when it converges.
    setTimer(app, 2, false);
    app.Recalibrate = false;
    app.CacheApplied = false;  // the next calibration's first run confirms no cached setting
    app.charts[10].enabled = true;
    app.ctl(C::Panel_omrade).enabled = true;
    restoreBest(app);
    app.hourglass = false;
    btn_rensaClick(app);
    trk_ungskogChange(app);
    app.Header.AreaCCSlope = app.CCSlope;
    app.WorkingFront = false;
    app.ctl(C::Panel_Dodlighet).enabled = true;
    setTimer(app, 6, true);
    app.prompts->message("Skattningen avbröts. Den bästa passningen hittills används.");
}

void PaintBox1MouseDown(Vildo& app, int x, int y, int paneWidth) {
    if (app.WorkingFront && x > paneWidth - 150 && x < paneWidth - 20 && y > 20 && y < 70) Stopiterations(app);
}

}  // namespace vildo
