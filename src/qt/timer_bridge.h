// Mirrors each enabled core timer with a single-shot QTimer and fires the core's tick when it is due. While
// the calibration's timer-paced sequences run, their ticks follow each other without the intervals.
#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <array>
#include <functional>

#include "model/timers.h"

class QTimer;

namespace vildo {

struct Vildo;

namespace qt {

class TimerBridge : public QObject {
    Q_OBJECT
public:
    // tick runs timer n's tick through the window, which refreshes afterwards.
    TimerBridge(Vildo& app, std::function<void(int)> tick, QObject* parent = nullptr);

    // The core's clock follows the wall clock; call before every handler so that timers started in it
    // count from now.
    void stamp();
    // Starts, restarts or stops the QTimers after a handler changed the core's timers.
    void sync();
    bool anyEnabled() const;
    // True while a search, a full calibration, its replays and verdict or the batch run: their timers fire
    // back to back, in due order, the core's clock jumping to each due time, so the window computes as fast
    // as the command line. Each tick is one pass of the event loop, so input and painting go on between.
    bool fastForward() const;

private:
    void fire(int n);
    // The next due timer that is not inside its own tick; 0 when none.
    int nextDue() const;

    Vildo& app_;
    std::function<void(int)> fire_;
    QElapsedTimer clock_;
    int64_t skippedMs_ = 0;  // how far the core's clock ran ahead of the wall clock by skipped intervals
    std::array<QTimer*, kTimerCount> qtimers_{};
    std::array<int64_t, kTimerCount> armedDue_{};
    std::array<bool, kTimerCount> firing_{};
    QTimer* pump_ = nullptr;  // fires the next due tick at once while fast-forwarding
};

}  // namespace qt
}  // namespace vildo
