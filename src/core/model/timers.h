// The window's timers as data.
#pragma once
#include <array>
#include <cstdint>

namespace vildo {

struct ModelState;

struct Timer {
    int interval = 1000;  // ms
    bool enabled = false;
    int64_t dueAt = 0;  // virtual time of the next tick while enabled
};

constexpr int kTimerCount = 14;  // Timer1..Timer13; index 0 unused
using Timers = std::array<Timer, kTimerCount>;

Timers designTimers();

// Enabling a disabled timer starts its interval afresh; enabling an enabled one changes nothing.
void setTimer(ModelState& app, int n, bool enabled);

}  // namespace vildo
