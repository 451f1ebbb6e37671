#include "app/timer_dispatch.h"

#include "app/carrying_capacity_batch.h"
#include "app/equilibrium_run.h"
#include "app/full_calibration.h"
#include "app/season_driver.h"
#include "app/start_year.h"
#include "app/startup.h"
#include "app/vildo.h"
#include "model/population.h"

namespace vildo {

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
