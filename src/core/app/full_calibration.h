// The full calibration: the historic years replayed again and again, one adjustment of start density,
// forage or its yearly change after each replay, until the fit stops improving; then the best setting,
// its upload and the verdict.
#pragma once
#include "calibration/full_calibration_steps.h"

namespace vildo {

struct Vildo;

// A calibration draws one base seed for all its replays (common random numbers); endCalibration returns the
// forward button to the clock.
void beginCalibration(Vildo& app);

// "Skatta älgstam".
void btn_nykalibClick(Vildo& app);
// One comparison and adjustment per completed replay.
void Timer9Timer(Vildo& app);
// The verdict, once.
void Timer11Timer(Vildo& app);
// The full calibration after a start-year change, once.
void Timer12Timer(Vildo& app);
// Cancel: the best setting found so far is restored and replayed; nothing is uploaded.
void Stopiterations(Vildo& app);

// A click on the progress pane of the given width: inside the cancel box it cancels.
void PaintBox1MouseDown(Vildo& app, int x, int y, int paneWidth);

}  // namespace vildo
