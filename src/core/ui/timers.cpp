#include "ui/timers.h"

#include "area/carrying_capacity_batch.h"
#include "calibration/full_calibration.h"
#include "calibration/start_year.h"
#include "hunt/season_driver.h"
#include "model/population.h"
#include "model/state.h"
#include "ui/startup.h"

namespace vildo {

Timers designTimers() {
    Timers t{};
    constexpr int kInterval[kTimerCount] = {0, 1, 20, 50, 1000, 1, 400, 1000, 1000, 50, 1000, 1000, 500, 1000};
    for (int n = 1; n < kTimerCount; ++n) t[n].interval = kInterval[n];
    t[7].enabled = true;  // the welcome message
    t[7].dueAt = kInterval[7];
    return t;
}

void setTimer(Vildo& app, int n, bool enabled) {
    Timer& t = app.timers[n];
    if (t.enabled == enabled) return;
    t.enabled = enabled;
    if (enabled) t.dueAt = app.clockMs + t.interval;
}

void fireTimer(Vildo& app, int n) {
    switch (n) {
        case 1: Timer1Timer(app); break;
        case 2: Timer2Timer(app); break;
        case 3: Timer3Timer(app); break;
        case 4: Timer4Timer(app); break;
        case 5: Timer5Timer(app); break;
        case 6: Timer6Timer(app); break;
        case 7: Timer7Timer(app); break;
        case 9: Timer9Timer(app); break;
        case 11: Timer11Timer(app); break;
        case 12: Timer12Timer(app); break;
        case 13: Timer13Timer(app); break;
        // Timers whose work is not part of the core yet stop at their first tick, as each one-shot does.
        default: setTimer(app, n, false); break;
    }
}

}  // namespace vildo
