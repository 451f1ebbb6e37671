#include "model/timers.h"

#include "model/model_state.h"

namespace vildo {

Timers designTimers() {
    Timers t{};
    constexpr int kInterval[kTimerCount] = {0, 1, 20, 50, 1000, 1, 400, 1000, 1000, 50, 1000, 1000, 500, 1000};
    for (int n = 1; n < kTimerCount; ++n) t[n].interval = kInterval[n];
    t[7].enabled = true;  // the welcome message
    t[7].dueAt = kInterval[7];
    return t;
}

void setTimer(ModelState& app, int n, bool enabled) {
    Timer& t = app.timers[n];
    if (t.enabled == enabled) return;
    t.enabled = enabled;
    if (enabled) t.dueAt = app.clockMs + t.interval;
}

}  // namespace vildo
