// What a watcher of the seasons sees of each season during a historic replay.
#include <gtest/gtest.h>

#include <vector>

#include "app/scheduler.h"
#include "app/season_driver.h"
#include "support/historic_area.h"
#include "support/test_app.h"

namespace vildo {
namespace {

TEST(SeasonObserver, EachSeasonIsSeenWithTheTargetsOfItsOwnYear) {
    test::TestApp t;
    t.startAndSettle();
    Scheduler(*t).runFor(1500);
    // Every year a different harvest and calf count. The season splits its year's total anew (the first by
    // the bull share of the steady state), so the total and the calves are what identify the year.
    std::vector<test::Harvest> years;
    for (int p = 1; p <= 6; ++p) years.push_back({150 + 40 * p, 130 + 30 * p, 120 + 30 * p});
    test::loadHandMadeArea(*t, years);
    struct Seen {
        int season;
        float bulls, cows, calves;
    };
    std::vector<Seen> seen;
    t->seasonObserver = [&](const Vildo& a) {
        seen.push_back({a.YearNo, a.Goals.BullQuota, a.Goals.CowQuota, a.Goals.CalfQuota});
    };
    SpeedButton1Click(*t);
    ASSERT_EQ(seen.size(), 5u);
    for (const Seen& s : seen) {
        const test::Harvest& own = years[static_cast<size_t>(t->StartIndex + s.season - 2)];
        EXPECT_NEAR(s.bulls + s.cows + s.calves, own.bulls + own.cows + own.calves, 1.0) << "season " << s.season;
        EXPECT_NEAR(s.calves, own.calves, 1.0) << "season " << s.season;
    }
}

}  // namespace
}  // namespace vildo
