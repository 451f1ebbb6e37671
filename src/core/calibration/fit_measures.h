// The fit measures of a historic run, read from the replay's series: the measures that steer the full
// calibration, and the yearly uncertainty of the batch densities.
#pragma once

#include "calibration/calibration_state.h"

namespace vildo {

// Keeps the season just simulated in the replay's series, at the season's index from the start year; a season
// run again (after a step back or a reset) replaces what followed it.
void recordReplayYear(CalibrationState& c);

// Compares the simulated summer stock, calves per cow and bull share of the run just completed with the
// observed ones; uploads the result while the full calibration runs and the fit beats the cached one.
void FitMeasures(CalibrationState& c);
// The yearly uncertainty (Stddens) of the observation-scaled density of every year of the statistics.
void DensityBands(CalibrationState& c);

}  // namespace vildo
