// The headless scheduler: fires enabled timers in due order on a virtual clock; nothing waits.
#pragma once
#include <cstdint>
#include <functional>

namespace vildo {

struct Vildo;

class Scheduler {
public:
    explicit Scheduler(Vildo& app) : app_(app) {}
    // The timer step() fires next; 0 when none is enabled.
    int next() const;
    // Fires the next due timer; false when none is enabled.
    bool step();
    // Fires timers until the predicate holds or nothing is enabled; false when it stopped for the limit.
    bool runUntil(const std::function<bool()>& done, int64_t maxVirtualMs = 86'400'000);
    // Fires every timer due up to the given virtual time.
    void runFor(int64_t virtualMs);

private:
    Vildo& app_;
};

}  // namespace vildo
