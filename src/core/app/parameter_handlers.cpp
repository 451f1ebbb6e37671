#include "app/parameter_handlers.h"

#include "app/season_driver.h"
#include "app/vildo.h"
#include "hunt/goals.h"
#include "model/parameters.h"
#include "model/settings_file.h"
#include "ui/chart_ops.h"
#include "ui/labels.h"
#include "util/errors.h"
#include "util/parse.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr const char* kUnspecified = "Ospecificerat";

// The goal values written in the goal table at start.
constexpr float kGoalStart[] = {0.75f, 40.0f, 15.0f, 50.0f, 4.5f, 90.0f, 130.0f};

}  // namespace

void landUseHandler(ModelState& s, C, int) { trk_ungskogChange(whole(s)); }

void mortalityHandler(ModelState& s, C id, int v) { Trk_kalvdodlighetsommarChangingEx(whole(s), id, v); }

void Initiate(Vildo& app) {
    // 1. Flags and the controller.
    app.SeasonStarted = true;
    app.AreaLoading = true;
    app.ShowFit = false;
    setTimer(app, 9, false);
    app.Controller.assign(2, StockRecord{});
    for (StockRecord& s : app.Controller) {
        s.input.assign(1, 0.0);
        s.Output.assign(1, 0.0);
    }
    app.AreaLoaded = false;
    app.YearNo = 0;
    app.CCSlope = 0;
    app.Header.AreaCCSlope = 0;

    // 2. The fictional area.
    app.HuntAreaHa = 250000;
    app.Header.Landarea = 250000;
    setShort(app.Header.Lan, kUnspecified);
    setShort(app.Header.AFO, kUnspecified);
    app.AreaKha = static_cast<int32_t>(Round(app.HuntAreaHa / 1000.0));

    // 3. Land use from the controls as they stand now (before step 9 resets them).
    TLandUse& l = app.Land;
    l.ForageFactor = app.pos(C::Trk_barkraftovrig);
    l.YoungForestWeight = app.pos(C::Trk_ungskogskonstant);
    l.YoungForestPct = std::max(0.0, 70.0 * app.pos(C::trk_ungskog) / 1000.0);
    l.ForestPct = static_cast<int32_t>(70 - Round(l.YoungForestPct));
    l.ImpedimentPct = app.pos(C::trk_impediment);
    l.OtherLandPct = static_cast<int32_t>(100 - l.ImpedimentPct - Round(l.YoungForestPct) - l.ForestPct);
    l.CarryingCapacity = CallCC(app);
    l.Algbonitet = 100;
    app.rng.seed = app.platform.clockSeed();

    // 4.
    app.Goals.HarvestRate = 3.0f;
    app.BullShareAdjust = 0;

    // 5. Weights, weight factors and the fecundity factor.
    app.CowWeightParam = 160;
    app.BullWeightParam = 180;
    app.BullCalfWeight = 65;
    app.HeiferCalfWeight = 60;
    WeightCurves(app);
    app.Fec.MaleWeightFactor = app.Fec.FemWeightFactor = 1.0;
    app.Fec.FecundityFactor = 0.6;
    std::fill(std::begin(app.Fec.FactorHistory), std::end(app.Fec.FactorHistory), 0.6);

    // 6. Mortality.
    app.NatMortPctF = app.NatMortPctM = 2;
    app.CalfSummerMortality = app.CalfWinterMortality = 0.03;
    setPosition(app, C::trk_kododlighet, 2);
    setPosition(app, C::trk_tjurdodlighet, 2);
    setPosition(app, C::Trk_kalvdodlighetsommar, 3);
    setPosition(app, C::Trk_Kalvdodlighetvinter, 3);

    // 7.
    Initpop(app);

    // 8. Goals and start values.
    TGoals& g = app.Goals;
    g.GoalCalvesPerCow = kGoalStart[0];
    g.GoalBullShare = kGoalStart[1];
    g.GoalPrimeBulls = kGoalStart[2];
    g.GoalCalfShare = kGoalStart[3];
    g.GoalMeanAgeCows = kGoalStart[4];
    g.GoalQuotaUse = kGoalStart[5];
    g.GoalBrowsing = kGoalStart[6];
    g.BullShareTarget = 0.54f;
    refillGoalColumn(app);  // the cells show the goals in force, whatever was typed before
    app.RulesAlways = false;
    // Every rule off; the intervals chosen stay for when a rule is switched on again.
    app.Rules[0].enabled = 1;
    for (int r = 1; r <= 4; ++r) {
        app.Rules[r].enabled = 0;
        app.StringGrid3.cell(1, r) = "Nej";
    }
    app.ReproSlider = app.pos(C::trk_reprod) / 100.0;
    app.HarvestSlider = app.pos(C::trk_harvest) / 10.0;
    app.HarvestTot.HarvestPerArea = 3.0;
    app.CalvesPerCow = 0.68;
    app.Summer.SummerStock = 40;
    app.PrevWinterStock = 30;
    app.Winter.WinterStock = 30;
    for (StockRecord& s : app.Controller) {
        s.Level = 1.0;
        s.Nonneg = true;
    }
    app.HarvestTot.MeanAgeShotBulls = app.HarvestTot.MeanAgeShotCows = 0;
    app.Winter.MeanAgeWinterBulls = app.Winter.MeanAgeWinterCows = 0;
    app.PotentialBirths = 0;

    // 9. Controls to their start positions.
    struct Start {
        C id;
        int position;
    };
    static constexpr Start kStart[] = {
        {C::Trk_density, 80},
        {C::Trk_tjurandel, 40},
        {C::Trk_Kalvskytte, 50},
        {C::trk_kviga, 100},
        {C::trk_taggar, 0},
        {C::Trk_barkraftovrig, 220},
        {C::trk_ungskog, 50},
        {C::trk_impediment, 4},
        {C::Trk_ungskogskonstant, 5},
        {C::trk_sexratio, 48},
        {C::trk_harvest, 30},
        {C::trk_reprod, 68},
        {C::trk_kododlighet, 2},
        {C::trk_tjurdodlighet, 2},
        {C::Trk_kalvdodlighetsommar, 3},
        {C::Trk_Kalvdodlighetvinter, 3},
        {C::Trk_vargmortalitet, 120},
        {C::Trk_bjornmortalitet, 6},
    };
    for (const Start& s : kStart) setPosition(app, s.id, s.position);
    app.Rov.Vargmortalitet = app.pos(C::Trk_vargmortalitet);
    app.Rov.Bjornmortalitet = app.pos(C::Trk_bjornmortalitet);
    app.Traffic.TrafficBulls = app.Traffic.TrafficCows = app.Traffic.TrafficCalves = 0;
    std::fill(app.Rov.Vargrevir.begin(), app.Rov.Vargrevir.end(), 0.0);
    std::fill(app.Rov.Bjornpop.begin(), app.Rov.Bjornpop.end(), 0.0);
    initiateCharts(app);

    // 10. Model values read from the controls.
    app.TargetDensity = app.pos(C::Trk_density) * 0.1;
    app.CalfPercent = app.pos(C::Trk_Kalvskytte);
    app.TargetBullShare = app.pos(C::Trk_tjurandel) * 0.01;
    app.CalfProtection = 1 - app.pos(C::trk_kviga) / 100.0;
    app.FemaleCalfShare = app.pos(C::trk_sexratio) * 0.01;
    app.HarvestSlider = app.pos(C::trk_harvest) / 10.0;

    // 11. Hand over to the equilibrium run.
    app.SettingsChanged = false;
    app.SeasonStarted = false;
    app.AreaLoading = false;
    app.YearsPerTick = 1000;
    trk_ungskogChange(app);
    setTimer(app, 13, true);
}

void trk_ungskogChange(Vildo& app) {
    if (app.SeasonStarted || app.AreaLoading) return;
    TLandUse& l = app.Land;
    int p = app.pos(C::trk_ungskog);
    // In 64 bits: the percentages may come from a file.
    const int64_t other = l.OtherLandPct, impediment = l.ImpedimentPct;
    if (p <= 1000 - 10 * other - 10 * impediment)
        l.YoungForestPct = p / 10.0;
    else
        l.YoungForestPct = static_cast<double>(100 - other - impediment);
    l.ForestPct = static_cast<int32_t>(100 - Round(l.YoungForestPct) - impediment - other);
    l.ForageFactor = app.pos(C::Trk_barkraftovrig);
    l.YoungForestWeight = app.pos(C::Trk_ungskogskonstant);
    l.CarryingCapacity = CallCC(app);
    app.BullWeightParam = app.pos(C::trk_slaktvikttjur);
    app.CowWeightParam = app.pos(C::Trk_Slaktviktko);
    app.Fec.MaleWeightFactor = app.Fec.FemWeightFactor = 1.0;
    WeightCurves(app);
    Slaktgraf(app);
    app.FemaleCalfShare = app.pos(C::trk_sexratio) * 0.01;
    Dodlighetgraf(app);
    app.Tick = 0;
    setTimer(app, 1, true);
    app.Goals.BullQuota = static_cast<float>(app.HarvestTot.BullsShot);
    app.Goals.CowQuota = static_cast<float>(app.HarvestTot.CowsShot);
    app.Goals.CalfQuota = static_cast<float>(app.HarvestTot.CalvesShot);
    Labels(app);
    storetrkvalues(app);
}

void Trk_kalvdodlighetsommarChangingEx(Vildo& app, C control, int v) {
    if (!app.AreaLoading) {
        switch (control) {
            case C::Trk_kalvdodlighetsommar: app.CalfSummerMortality = std::max(0.0, v * 0.01); break;
            case C::Trk_Kalvdodlighetvinter: app.CalfWinterMortality = std::max(0.0, v * 0.01); break;
            case C::trk_tjurdodlighet:
                app.NatMortPctM = std::max(0, v);
                for (int a = 1; a <= 20; ++a) app.MaleMortWeight[a] = Dodlighet(a, app.NatMortPctM);
                break;
            case C::trk_kododlighet:
                app.NatMortPctF = std::max(0, v);
                for (int a = 1; a <= 20; ++a) app.FemMortWeight[a] = Dodlighet(a, app.NatMortPctF);
                break;
            case C::trk_korisk: app.Enc.CowRisk = v * 0.01; break;
            case C::Trk_vargmortalitet: app.Rov.Vargmortalitet = v; break;
            case C::Trk_bjornmortalitet: app.Rov.Bjornmortalitet = v; break;
            default: break;
        }
        WriteSettings(app);
        app.SettingsChanged = true;
        // A history on screen was simulated with the old value: replay it from the first year. A reset the
        // user turned down (a loaded scenario) keeps the season, and so no replay starts.
        if (app.SeasonStarted && !app.infoShowing && app.checked(C::chk_stats)) {
            btn_rensaClick(app);
            if (!app.SeasonStarted) {
                trk_ungskogChange(app);
                setTimer(app, 6, true);
            }
        }
    }
    trk_ungskogChange(app);
    Labels(app);
}

void Reinitiate(Vildo& app) {
    Restoretrkvalues(app);
    Initiate(app);
    app.BullShareAdjust = 0;
}

void ResetClick(Vildo& app) {
    if (app.checked(C::Expertmode1)) click(app, C::Expertmode1);
    if (app.checked(C::Advanced)) click(app, C::Advanced);
    Initiate(app);
}

void Fabriksinstllningar1Click(Vildo& app) {
    if (!app.prompts->warningOkAbort(
            "Återställ parametrar till grundinställningar. Eventuella ändringar av reproduktion, slaktvikt m.m. "
            "kommer att gå förlorade!"))
        return;
    if (app.checked(C::Expertmode1)) click(app, C::Expertmode1);
    if (app.checked(C::Advanced)) click(app, C::Advanced);
    Initpop(app);
    ResetClick(app);
}

void wireModelHandlers(Controls& controls) {
    for (C id : {C::Trk_density, C::Trk_tjurandel, C::Trk_Kalvskytte, C::trk_kviga, C::trk_taggar, C::Trk_barkraftovrig,
                 C::trk_ungskog, C::trk_impediment, C::Trk_ungskogskonstant, C::trk_sexratio, C::trk_slaktvikttjur,
                 C::Trk_Slaktviktko})
        controls[static_cast<int>(id)].onChange = landUseHandler;
    for (C id : {C::Trk_kalvdodlighetsommar, C::Trk_Kalvdodlighetvinter, C::trk_tjurdodlighet, C::trk_kododlighet,
                 C::trk_korisk, C::Trk_vargmortalitet, C::Trk_bjornmortalitet})
        controls[static_cast<int>(id)].onChange = mortalityHandler;
}

}  // namespace vildo
