#include "app/scheduler.h"

#include "app/timer_dispatch.h"
#include "app/vildo.h"

namespace vildo {

namespace {

int nextDue(const Vildo& app) {
    int best = 0;
    for (int n = 1; n < kTimerCount; ++n) {
        const Timer& t = app.timers[n];
        if (t.enabled && (best == 0 || t.dueAt < app.timers[best].dueAt)) best = n;
    }
    return best;
}

}  // namespace

int Scheduler::next() const { return nextDue(app_); }

bool Scheduler::step() {
    int n = nextDue(app_);
    if (n == 0 || app_.terminated) return false;
    Timer& t = app_.timers[n];
    if (t.dueAt > app_.clockMs) app_.clockMs = t.dueAt;
    int64_t firedDue = t.dueAt;
    fireTimer(app_, n);
    // Still running and not restarted by its own tick: the next interval follows.
    if (t.enabled && t.dueAt == firedDue) t.dueAt = app_.clockMs + t.interval;
    return true;
}

bool Scheduler::runUntil(const std::function<bool()>& done, int64_t maxVirtualMs) {
    int64_t limit = app_.clockMs + maxVirtualMs;
    while (!done()) {
        int n = nextDue(app_);
        if (n == 0 || app_.terminated || app_.timers[n].dueAt > limit) return done();
        step();
    }
    return true;
}

void Scheduler::runFor(int64_t virtualMs) {
    int64_t limit = app_.clockMs + virtualMs;
    for (;;) {
        int n = nextDue(app_);
        if (n == 0 || app_.terminated || app_.timers[n].dueAt > limit) break;
        step();
    }
    if (app_.clockMs < limit) app_.clockMs = limit;
}

}  // namespace vildo
