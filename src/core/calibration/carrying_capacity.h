// The carrying-capacity batch's computations for one area: each start year's estimate kept in its slot, and
// the area's yearly forage trend from them.
#pragma once
#include "calibration/calibration_state.h"

namespace vildo {

// The selected start year's estimate into its slot: its forage setting and its winter density.
void storeEstimate(CalibrationState& app);
// The yearly trend of the estimated forage settings, held to ±10.
double forageTrend(const CalibrationState& app);

}  // namespace vildo
