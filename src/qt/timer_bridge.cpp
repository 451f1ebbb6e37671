#include "qt/timer_bridge.h"

#include <QTimer>
#include <algorithm>

#include "app/vildo.h"
#include "calibration/full_calibration_steps.h"

namespace vildo::qt {

TimerBridge::TimerBridge(Vildo& app, std::function<void(int)> tick, QObject* parent)
    : QObject(parent), app_(app), fire_(std::move(tick)) {
    clock_.start();
    // Timers due before the window existed count from the start of the program.
    for (int n = 1; n < kTimerCount; ++n) {
        auto* t = new QTimer(this);
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
        connect(t, &QTimer::timeout, this, [this, n] { fire(n); });
        qtimers_[n] = t;
    }
    pump_ = new QTimer(this);
    pump_->setSingleShot(true);
    connect(pump_, &QTimer::timeout, this, [this] {
        const int n = nextDue();
        if (n == 0) return;
        // The interval is skipped: the core's clock jumps to the tick's due time.
        const int64_t due = app_.timers[n].dueAt;
        if (due > app_.clockMs) {
            skippedMs_ += due - app_.clockMs;
            app_.clockMs = due;
        }
        fire(n);
    });
}

void TimerBridge::stamp() { app_.clockMs = std::max<int64_t>(app_.clockMs, clock_.elapsed() + skippedMs_); }

bool TimerBridge::fastForward() const { return calibrationRunning(app_); }

int TimerBridge::nextDue() const {
    int best = 0;
    for (int n = 1; n < kTimerCount; ++n) {
        const Timer& t = app_.timers[n];
        if (t.enabled && !firing_[n] && (best == 0 || t.dueAt < app_.timers[best].dueAt)) best = n;
    }
    return best;
}

void TimerBridge::sync() {
    stamp();
    if (fastForward()) {
        for (int n = 1; n < kTimerCount; ++n) qtimers_[n]->stop();
        if (nextDue() != 0 && !pump_->isActive()) pump_->start(0);
        return;
    }
    pump_->stop();
    for (int n = 1; n < kTimerCount; ++n) {
        const Timer& t = app_.timers[n];
        QTimer* q = qtimers_[n];
        if (!t.enabled) {
            q->stop();
            continue;
        }
        // A tick that shows a modal dialog is still running: its next interval starts when it returns.
        if (firing_[n]) continue;
        if (!q->isActive() || armedDue_[n] != t.dueAt) {
            armedDue_[n] = t.dueAt;
            q->start(static_cast<int>(std::max<int64_t>(0, t.dueAt - app_.clockMs)));
        }
    }
}

bool TimerBridge::anyEnabled() const {
    for (int n = 1; n < kTimerCount; ++n)
        if (app_.timers[n].enabled) return true;
    return false;
}

void TimerBridge::fire(int n) {
    Timer& t = app_.timers[n];
    if (!t.enabled || firing_[n] || app_.terminated) return;
    firing_[n] = true;
    stamp();
    const int64_t firedDue = t.dueAt;
    fire_(n);
    firing_[n] = false;
    stamp();
    // Still running and not restarted by its own tick: the next interval follows.
    if (t.enabled && t.dueAt == firedDue) t.dueAt = app_.clockMs + t.interval;
    sync();
}

}  // namespace vildo::qt
