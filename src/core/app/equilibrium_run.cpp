#include "app/equilibrium_run.h"

#include "app/parameter_handlers.h"
#include "app/vildo.h"
#include "model/controller.h"
#include "model/population.h"
#include "ui/chart_ops.h"
#include "ui/labels.h"

namespace vildo {

namespace {

// The step ends the tick's loop, as any error outside the model year does.
void stopTick(Vildo& app) {
    app.YearsPerTick = 1;
    setTimer(app, 3, true);
}

// A settled run shows its steady state: the pyramids, the parameter graphs and the indicators.
void redrawEquilibrium(Vildo& app) {
    clearPyramids(app);
    redrawPyramidAxes(app);
    for (int j = 0; j <= 19; ++j) Graph(app, j);
    Fekgraph(app);
    Slaktgraf(app);
    Dodlighetgraf(app);
    Labels(app);
}

}  // namespace

void redrawPyramidAxes(Vildo& app) {
    const THarvestByAge& h = app.Harvest;
    scalePyramids(app, std::max({h.MaleShot[0], h.FemShot[0], h.MaleShot[1], h.FemShot[1]}));
}

void Runthepop(Vildo& app) {
    ++app.Tick;
    clearPyramids(app);
    if (app.Tick == 1) {
        app.TargetDensity = app.pos(C::Trk_density) * 0.1;
        app.CalfPercent = app.pos(C::Trk_Kalvskytte);
        app.TargetBullShare = app.pos(C::Trk_tjurandel) * 0.01;
        app.CalfProtection = 1 - app.pos(C::trk_kviga) / 100.0;
        app.BullShareAdjust = 0;
    }
    if (app.Tick > 4) {
        setTimer(app, 1, false);
    } else {
        app.ChangeSum = 0;
        const int years = app.YearsPerTick;
        PairedClasses classes(app);
        for (int y = 0; y < years; ++y) {
            try {
                app.ModelDensity = checkedDiv(std::max(app.Winter.WinterStock, 1.0), app.AreaKha);
                EulerStep(app, app.Controller);
                app.HarvestPressure = std::max(0.0, app.Controller[1].Level - 1);
                app.ChangeSum += app.DensityChange;
            } catch (const std::exception&) {
                stopTick(app);
                break;
            }
            try {
                Processpop(app, classes);
            } catch (const PredationError&) {
                stopTick(app);
                break;
            } catch (const std::exception&) {
                classes.store();
                setTimer(app, 1, false);
                app.prompts->message("Något blev fel. Försöker återställa till \"fabriksinställningar\".");
                ResetClick(app);
                classes.load();
            }
        }
    }
    if (app.ChangeSum > -1 && app.ChangeSum < 1) redrawEquilibrium(app);
}

void Timer1Timer(Vildo& app) {
    if (!app.SeasonStarted) Runthepop(app);
}

void Timer3Timer(Vildo& app) {
    setTimer(app, 3, false);
    app.prompts->message("Älgstammen dog ut. Återställer");
    Reinitiate(app);
}

}  // namespace vildo
