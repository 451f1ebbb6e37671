// The full calibration's steps as computations: which spin button the fit measures call for next, the spread
// of the replays' densities, the mortality signature, and whether any step of a calibration is pending.
#pragma once
#include <vector>

#include "calibration/calibration_state.h"

namespace vildo {

// The spin button an adjustment presses: "up" on the density lowers it (and raises the simulated
// reproduction); "up" on the forage raises it.
enum class SpinPress { None, DensityUp, DensityDown, ForageUp, ForageDown };

// One adjustment after a scored replay: the density or, in turn, the slope and the forage. Takes the part that
// is the calibration's own (a slope step, and whose turn comes next) and tells which button to press.
SpinPress nextAdjustment(CalibrationState& c);

// The button the next adjustment would press, without taking it.
SpinPress pendingPress(const CalibrationState& c);

// True when the press would move its control past a bound it already sits at: the replay it starts would
// repeat the one just scored.
bool blockedAtLimit(const ModelState& app, SpinPress press);

// The replays the adjustments of one calibration may start: a fit that keeps moving without settling still
// ends, with the best run so far.
int replayLimit(const CalibrationState& c);

// The share of the progress bar: the quiet rounds' largest count or, when further on, the replays used of
// the cap; neither falls during a calibration, so the bar only moves forward.
double progressShare(const CalibrationState& c);

// The sample standard deviation; 0 below two values.
double sampleStdDev(const std::vector<double>& v);

// Clears the calibration's base seed and its replays' starting points: the forward button goes back to the
// clock.
void endCalibration(CalibrationState& app);

// (Calf summer + calf winter mortality) × 100 + the natural mortality of cows and bulls, in per cent: a
// change of more than 12 since the last estimate calls for a new winter-population search.
double mortalitySignature(const ModelState& app);

// True while a search, replay, full calibration, verdict or batch step is pending.
bool calibrationRunning(const ModelState& app);

}  // namespace vildo
