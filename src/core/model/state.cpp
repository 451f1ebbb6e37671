#include "model/state.h"

#include "calibration/start_year.h"
#include "hunt/goals.h"
#include "hunt/exports.h"
#include "hunt/season_driver.h"
#include "model/parameters.h"
#include "ui/chart_ops.h"
#include "ui/modes.h"

namespace vildo {

Vildo::Vildo(Prompts& p, Platform pl)
    : prompts(&p), platform(std::move(pl)), controls(designControls()), timers(designTimers()), charts(designCharts()) {
    wireModelHandlers(controls);
    wireHuntHandlers(controls);
    wireModeHandlers(*this);
    wireExportHandlers(*this);
    wireDriverHandlers(*this);
    wireChartHandlers(*this);
    wireCalibrationHandlers(*this);
}

}  // namespace vildo
