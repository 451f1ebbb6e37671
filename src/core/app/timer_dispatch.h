// The one tick function of each timer: what the scheduler and the view's timers call.
#pragma once

namespace vildo {

struct Vildo;

// Runs the tick of timer n (Timer1Timer, Timer3Timer, ...).
void fireTimer(Vildo& app, int n);

}  // namespace vildo
