#include "app/vildo.h"

#include "app/export_handlers.h"
#include "app/goal_handlers.h"
#include "app/modes.h"
#include "app/parameter_handlers.h"
#include "app/season_driver.h"
#include "app/start_year.h"
#include "app/view_menu.h"
#include "ui/chart_ops.h"
#include "ui/window_design.h"

namespace vildo {

namespace {

// The season's pyramids are drawn on the window's charts.
const SeasonDisplay kSeasonDisplay = {
    [](SeasonState& s) { clearPyramids(static_cast<Vildo&>(s)); },
    [](SeasonState& s, double largestShot) { redrawPyramids(static_cast<Vildo&>(s), largestShot); },
};

}  // namespace

Vildo::Vildo(Prompts& p, Platform pl) {
    prompts = &p;
    platform = std::move(pl);
    controls = designControls();
    timers = designTimers();
    charts = designCharts();
    display = &kSeasonDisplay;
    wireModelHandlers(controls);
    wireHuntHandlers(controls);
    wireModeHandlers(*this);
    wireExportHandlers(*this);
    wireDriverHandlers(*this);
    wireChartHandlers(*this);
    wireCalibrationHandlers(*this);
}

}  // namespace vildo
