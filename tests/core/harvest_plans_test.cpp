// Harvest plans: a plan held for every season, plans on the same futures, and the search for the quota.
#include "app/harvest_plans.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/scheduler.h"
#include "hunt/forecast.h"
#include "hunt/harvest_plan.h"
#include "hunt/hunt.h"
#include "support/test_app.h"

namespace vildo {
namespace {

TEST(HarvestPlan, RefusesWhatCannotBeHunted) {
    struct Case {
        HarvestPlan plan;
        bool refused;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const Case& c : {Case{{100, 30, 40}, false}, Case{{0, 0, 0}, false}, Case{{5, 100, 0}, false},
                          Case{{-1, 30, 40}, true}, Case{{nan, 30, 40}, true}, Case{{10, 60, 50}, true},
                          Case{{10, -5, 40}, true}, Case{{10, 30, 101}, true}})
        EXPECT_EQ(harvestPlanError(c.plan).has_value(), c.refused)
            << c.plan.quota << " " << c.plan.calvesPercent << " " << c.plan.cowsPercent;
}

TEST(HarvestPlan, HeldPlanSetsTheSeasonsTargets) {
    test::TestApp t;
    t.startAndSettle();
    t->AreaKha = 20;
    t->HeldPlan = HarvestPlan{200, 30, 40};
    const SeasonPlan plan = seasonTargets(*t);
    EXPECT_DOUBLE_EQ(plan.total, 200);
    EXPECT_FLOAT_EQ(t->Goals.CalfQuota, 60);
    EXPECT_FLOAT_EQ(t->Goals.CowQuota, 80);
    EXPECT_NEAR(t->Goals.BullQuota, 60, 1e-3);
}

TEST(ForecastSummary, FloorAndMeanHarvest) {
    auto s = [](double winter, double harvest, bool extinct = false) {
        ForecastSeason x;
        x.winterDensity = winter;
        x.harvest = harvest;
        x.extinct = extinct;
        return x;
    };
    // Below the floor in some year, whatever the last: the first and the shot-out future.
    const Forecast f =
        summariseForecast({{s(3, 10), s(5, 20)}, {s(6, 30), s(7, 40)}, {s(5, 0), s(0, 0, true)}}, 6, 0, 4);
    EXPECT_DOUBLE_EQ(f.floor, 4);
    EXPECT_DOUBLE_EQ(f.belowFloor, 2.0 / 3);
    EXPECT_DOUBLE_EQ(f.meanHarvest, 100.0 / 6);
}

// A settled equilibrium, a few presses on, with a small area so a future costs little.
class Plans : public ::testing::Test {
protected:
    void SetUp() override {
        t.startAndSettle();
        Scheduler(*t).runFor(1500);
        today = currentPlan(*t);
    }
    PlanRequest request(int threads = 0) const {
        return {.years = 5, .replicates = 40, .seed = 9, .threads = threads, .goal = 8.0};
    }
    HarvestPlan plan(double quota) const {
        HarvestPlan p = today;
        p.quota = quota;
        return p;
    }
    test::TestApp t;
    HarvestPlan today;
};

TEST_F(Plans, TheSamePlanOnTheSameFuturesGivesTheSameRow) {
    const std::vector<PlanOutcome> rows =
        comparePlans(*t, request(), {std::nullopt, plan(today.quota), plan(today.quota), plan(today.quota * 1.2)});
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].medianWinter, rows[2].medianWinter);
    EXPECT_EQ(rows[1].belowFloor, rows[2].belowFloor);
    EXPECT_EQ(rows[1].meanHarvest, rows[2].meanHarvest);
    EXPECT_EQ(rows[1].nearGoal, rows[2].nearGoal);
    EXPECT_GT(rows[1].medianWinter, rows[3].medianWinter);
    EXPECT_FALSE(rows[0].plan.has_value());
    // The plan's row is its forecast: the same as a forecast of the plan alone.
    const Forecast alone = runForecast(*t, {.years = 5, .replicates = 40, .seed = 9, .goal = 8.0, .plan = plan(today.quota)});
    EXPECT_EQ(alone.years.back().winterDensity.p50, rows[1].medianWinter);
    EXPECT_DOUBLE_EQ(rows[1].meanHarvest, alone.meanHarvest);
}

// While every season is hunted: a quota beyond the summer stock is not hunted at all, and the stock grows again.
TEST_F(Plans, ALargerQuotaNeverGivesALargerMedian) {
    std::vector<std::optional<HarvestPlan>> plans;
    for (double f = 0; f <= 1.25; f += 0.125) plans.push_back(plan(std::round(f * today.quota)));
    const std::vector<PlanOutcome> rows = comparePlans(*t, request(), plans);
    for (size_t k = 1; k < rows.size(); ++k)
        EXPECT_LE(rows[k].medianWinter, rows[k - 1].medianWinter) << rows[k].plan->quota;
}

TEST_F(Plans, TheSearchFindsTheQuotaNearestTheGoalAndTheSafeOne) {
    PlanRequest r = request();
    // A goal below today's stock, reached by shooting somewhat more than today.
    r.goal = 0.8 * t->Winter.WinterDensity;
    const QuotaSearch q = searchQuota(*t, r, today.calvesPercent, today.cowsPercent);
    ASSERT_TRUE(q.nearest.plan && q.safe.plan);
    EXPECT_TRUE(q.nearestNote.empty()) << q.nearestNote;
    const double goal = *r.goal, found = q.nearest.plan->quota;
    const std::vector<PlanOutcome> around = comparePlans(*t, r, {plan(found - 1), plan(found + 1), plan(q.safe.plan->quota + 1)});
    // Neither neighbour lies nearer the goal: the bisection's tolerance is one animal.
    EXPECT_LE(std::abs(q.nearest.medianWinter - goal), std::abs(around[0].medianWinter - goal));
    EXPECT_LE(std::abs(q.nearest.medianWinter - goal), std::abs(around[1].medianWinter - goal));
    // The safe quota keeps the risk; one more animal does not.
    EXPECT_LE(q.safe.belowFloor, r.risk);
    EXPECT_GT(around[2].belowFloor, r.risk);
    EXPECT_EQ(q.nearest.plan->calvesPercent, today.calvesPercent);

    // One thread and two find the same.
    for (int threads : {1, 2}) {
        PlanRequest on = r;
        on.threads = threads;
        const QuotaSearch again = searchQuota(*t, on, today.calvesPercent, today.cowsPercent);
        EXPECT_EQ(again.nearest.plan->quota, found);
        EXPECT_EQ(again.nearest.medianWinter, q.nearest.medianWinter);
        EXPECT_EQ(again.safe.plan->quota, q.safe.plan->quota);
        EXPECT_EQ(again.safe.belowFloor, q.safe.belowFloor);
    }
}

TEST_F(Plans, AGoalAboveTheUnhuntedStockIsNotReached) {
    PlanRequest r = request();
    r.goal = 1000;
    const QuotaSearch q = searchQuota(*t, r, today.calvesPercent, today.cowsPercent);
    ASSERT_TRUE(q.nearest.plan);
    EXPECT_EQ(q.nearest.plan->quota, 0);
    EXPECT_NE(q.nearestNote.find("utan jakt"), std::string::npos);
}

TEST_F(Plans, RefusesGoalsYearsAndSplitsOutsideTheirRange) {
    auto with = [&](auto change) {
        PlanRequest r = request();
        change(r);
        return r;
    };
    for (const PlanRequest& r : {with([](PlanRequest& r) { r.goal = 0; }), with([](PlanRequest& r) { r.goal = -2; }),
                                 with([](PlanRequest& r) { r.years = 0; }), with([](PlanRequest& r) { r.years = 21; }),
                                 with([](PlanRequest& r) { r.floor = -1; }), with([](PlanRequest& r) { r.risk = 2; })}) {
        EXPECT_THROW(searchQuota(*t, r, 30, 40), std::invalid_argument);
        EXPECT_THROW(comparePlans(*t, r, {plan(10)}), std::invalid_argument);
    }
    EXPECT_THROW(searchQuota(*t, request(), 60, 50), std::invalid_argument);
    EXPECT_THROW(comparePlans(*t, request(), {HarvestPlan{10, 60, 50}}), std::invalid_argument);
}

TEST_F(Plans, ACancelledSearchSaysSo) {
    const QuotaSearch q = searchQuota(*t, request(), today.calvesPercent, today.cowsPercent,
                                      [](double done) { return done < 0.05; });
    EXPECT_TRUE(q.cancelled);
}

}  // namespace
}  // namespace vildo
