#include <gtest/gtest.h>

#include <vector>

#include "app/dispatch.h"
#include "app/scheduler.h"
#include "support/test_app.h"
#include "util/grid.h"

namespace vildo {
namespace {

using test::TestApp;

TEST(GlobalErrorHandler, GridIndexOutOfRangeOnlyStopsTheRun) {
    TestApp t;
    t.start();
    Grid g(2, 2);
    dispatch(*t, [&] { g.cell(5, 0) = "x"; });
    EXPECT_FALSE(t->timers[1].enabled);
    EXPECT_TRUE(t.prompts.warnings.empty());
    EXPECT_FALSE(t->terminated);
}

TEST(GlobalErrorHandler, IgnoreResetsAndAbortEnds) {
    struct Case {
        bool abort;
        bool terminated;
        int density;
    };
    for (Case c : {Case{false, false, 80}, Case{true, true, 150}}) {
        TestApp t;
        t.start();
        setPosition(*t, C::Trk_density, 150);
        t.prompts.abortIgnoreAnswers = {c.abort};
        dispatch(*t, [] { throw VildoError("Division by zero"); });
        ASSERT_EQ(t.prompts.warnings.size(), 1u);
        EXPECT_EQ(t.prompts.warnings[0],
                  "Något blev fel! Kontakta mig gärna så jag kan förbättra programmet. Division by zero");
        EXPECT_EQ(t->terminated, c.terminated);
        EXPECT_EQ(t->pos(C::Trk_density), c.density);
    }
}

TEST(Scheduler, FiresEnabledTimersInDueOrderOnTheVirtualClock) {
    TestApp t;
    t.start();  // Timer1 (1 ms), Timer7 (1000 ms, from design) and Timer13 (1000 ms) are enabled
    Scheduler s(*t);
    std::vector<int> fired;
    while (t->timers[1].enabled) {
        s.step();
        fired.push_back(t->Tick);
    }
    EXPECT_EQ(fired, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(t->clockMs, 5);
    s.runFor(2000);
    EXPECT_FALSE(t->timers[7].enabled);
    EXPECT_FALSE(t->timers[13].enabled);
    EXPECT_EQ(t->clockMs, 2005);
}

TEST(Scheduler, EnablingARunningTimerDoesNotRestartItsInterval) {
    TestApp t;
    setTimer(*t, 6, true);
    EXPECT_EQ(t->timers[6].dueAt, 400);
    t->clockMs = 300;
    setTimer(*t, 6, true);
    EXPECT_EQ(t->timers[6].dueAt, 400);
    setTimer(*t, 6, false);
    setTimer(*t, 6, true);
    EXPECT_EQ(t->timers[6].dueAt, 700);
}

}  // namespace
}  // namespace vildo
