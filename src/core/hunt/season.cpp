#include "hunt/season.h"

#include <algorithm>
#include <exception>

#include "hunt/exports.h"
#include "hunt/goals.h"
#include "hunt/historic.h"
#include "hunt/hunt.h"
#include "hunt/season_driver.h"
#include "model/parameters.h"
#include "model/state.h"
#include "ui/chart_ops.h"
#include "ui/labels.h"
#include "util/errors.h"
#include "util/round.h"

namespace vildo {

namespace {

// The first season's targets: what the equilibrium run shot in its last year.
void targetsFromEquilibrium(Vildo& app) {
    TGoals& g = app.Goals;
    const THarvestTotals& ht = app.HarvestTot;
    g.BullQuota = static_cast<float>(ht.BullsShot);
    g.CowQuota = static_cast<float>(ht.CowsShot);
    g.CalfQuota = static_cast<float>(ht.CalvesShot);
    double sum = static_cast<double>(g.BullQuota) + g.CowQuota + g.CalfQuota;
    if (sum > 0) app.CalfPercent = static_cast<int32_t>(Round(100 * g.CalfQuota / sum));
    g.HarvestRate = static_cast<float>(checkedDiv(sum, app.AreaKha));
    double adults = static_cast<double>(g.BullQuota) + g.CowQuota;
    if (adults > 0) g.BullShareTarget = static_cast<float>(g.BullQuota / adults);
}

}  // namespace

void Huntayear(Vildo& app) {
    ++app.YearNo;
    app.MaxTries = static_cast<int32_t>(std::max<int64_t>(1, Round(app.EncounterRate * app.Summer.SummerStock)));
    Planering(app);
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
