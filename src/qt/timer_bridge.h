// Mirrors each enabled core timer with a single-shot QTimer and fires the core's tick when it is due.
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

private:
    void fire(int n);

    Vildo& app_;
    std::function<void(int)> fire_;
    QElapsedTimer clock_;
    std::array<QTimer*, kTimerCount> qtimers_{};
    std::array<int64_t, kTimerCount> armedDue_{};
    std::array<bool, kTimerCount> firing_{};
};

}  // namespace qt
}  // namespace vildo
