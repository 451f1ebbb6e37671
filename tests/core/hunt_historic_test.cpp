#include <gtest/gtest.h>

#include <cstring>

#include "hunt/historic.h"
#include "support/test_app.h"

namespace vildo {
namespace {

class Historic : public ::testing::Test {
protected:
    void SetUp() override {
        t.start();
        t->Statistics.assign(4, TStatistics{});
        TStatistics& y = t->Statistics[1];
        y.year = 2020;
        y.tjur = 120;
        y.ko = 150;
        y.kalv = 130;
        y.TrafikTjur = 70000;  // kept as its low 16 bits
        y.TrafikHondjur = 4;
        y.TrafikKalv = 2;
        y.varg = 1.5;
        y.bjorn = 3;
        y.ungskog = 12500;
        t->DataYears = 2;
        t->StartIndex = 1;
    }
    test::TestApp t;
};

TEST_F(Historic, AYearsHarvestBecomesTheSeasonsTarget) {
    Runstats(*t, 1);
    const TGoals& g = t->Goals;
    EXPECT_EQ(g.BullQuota, 120);
    EXPECT_EQ(g.CowQuota, 150);
    EXPECT_EQ(g.CalfQuota, 130);
    EXPECT_FLOAT_EQ(g.HarvestRate, 1.6f);
    EXPECT_NEAR(g.BullShareTarget, 0.4444, 1e-4);
    EXPECT_EQ(t->CalfPercent, 32);  // 32.5 goes to the even neighbour
    const Grid& grid = t->StringGrid2;
    EXPECT_EQ(grid.cell(1, 0), "2020");
    EXPECT_EQ(grid.cell(1, 4), "400");
    EXPECT_EQ(grid.cell(1, 5), "1,6");
    EXPECT_EQ(t->ctl(C::LSpinn_Avskjutning).caption, "1,6");
    EXPECT_EQ(t->ctl(C::LSpinn_Kalvandel).caption, "32 %");
    EXPECT_EQ(t->ctl(C::LSpinn_Tjurandel).caption, "44 %");
    EXPECT_DOUBLE_EQ(t->TargetTotal, 400);
    EXPECT_EQ(t->Traffic.TrafficBulls, 70000 - 65536);
    ASSERT_GE(t->Rov.Vargrevir.size(), 1u);
    EXPECT_DOUBLE_EQ(t->Rov.Vargrevir[0], 1.5);
    EXPECT_DOUBLE_EQ(t->Rov.Bjornpop[0], 3);
    EXPECT_DOUBLE_EQ(t->Land.YoungForestPct, 5);
}

TEST_F(Historic, OnePastTheLastHarvestYearChangesNothing) {
    Runstats(*t, 1);
    const TGoals before = t->Goals;
    Runstats(*t, 3);
    EXPECT_EQ(std::memcmp(&before, &t->Goals, sizeof before), 0);
    EXPECT_EQ(t->StringGrid2.cell(3, 0), "");
}

TEST_F(Historic, WithoutTheQuotaTheBullShareReadsDashes) {
    setChecked(*t, C::chk_kvotering, false);
    Runstats(*t, 1);
    EXPECT_EQ(t->ctl(C::LSpinn_Tjurandel).caption, "---");
}

TEST_F(Historic, FromTheSeventhSeasonTheColumnStaysAtSeven) {
    t->Statistics.resize(12);
    t->Statistics[9] = t->Statistics[1];
    t->Statistics[9].year = 2028;
    t->DataYears = 10;
    Runstats(*t, 9);
    EXPECT_EQ(t->StringGrid2.cell(7, 0), "2028");
}

}  // namespace
}  // namespace vildo
