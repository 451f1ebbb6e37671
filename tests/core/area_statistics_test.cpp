#include <gtest/gtest.h>

#include <cstring>

#include "area/statistics.h"
#include "support/test_app.h"

namespace vildo {
namespace {

// A harvest year with the values the averages read; everything else zero.
TStatistics harvestYear(int year, int totalt, double tjurobs = 0.35) {
    TStatistics s{};
    s.year = year;
    s.totalt = totalt;
    s.kalv = totalt / 2;
    s.kvigkalv = s.kalv / 2;
    s.kalvandel = totalt > 0 ? static_cast<double>(s.kalv) / totalt : 0;
    s.sexratio = s.kalv >= 1 ? static_cast<double>(s.kvigkalv) / s.kalv : 0;
    s.tjurobs = tjurobs;
    s.reprod = 0.6;
    s.ungskog = 4000;
    s.tjurvikt = 180;
    s.kovikt = 160;
    s.tjurkalvvikt = 65;
    s.kvigkalvvikt = 60;
    return s;
}

// Element 0 stays empty; years from 2011.
std::vector<TStatistics> series(std::vector<TStatistics> years) {
    years.insert(years.begin(), TStatistics{});
    return years;
}

TEST(StartWindow, WithoutHarvestEveryMeanIsZeroButReproductionDefaultsTo065) {
    auto stats = series({harvestYear(2011, 0), harvestYear(2012, 0)});
    AreaAverages a = startWindowAverages(stats, 2011, 2);
    EXPECT_EQ(a.HarvestMean, 0);
    EXPECT_EQ(a.YoungForestMean, 0);
    EXPECT_EQ(a.BullObsMean, 0);
    EXPECT_EQ(a.CalfShareMean, 0);
    EXPECT_EQ(a.BullWeightMean, 0);
    EXPECT_DOUBLE_EQ(a.ReprodMean, 0.65);
}

TEST(StartWindow, MissingBullShareResetsTheRunningMeanTo022WithoutCountingIt) {
    auto stats = series({harvestYear(2011, 300, 0.30), harvestYear(2012, 300, 0), harvestYear(2013, 300, 0.40)});
    EXPECT_NEAR(startWindowAverages(stats, 2011, 3).BullObsMean, 0.31, 1e-12);
    // The recent years have no such default: the missing year simply does not count.
    EXPECT_NEAR(recentAverages(stats, 3).BullObsMean, 0.35, 1e-12);
}

TEST(StartWindow, IntegerMeansAreRoundedHalfToEvenAfterEveryStep) {
    auto stats = series({harvestYear(2011, 3), harvestYear(2012, 6), harvestYear(2013, 101), harvestYear(2014, 102)});
    EXPECT_EQ(startWindowAverages(stats, 2011, 2).HarvestMean, 4);    // 4.5 -> 4
    EXPECT_EQ(startWindowAverages(stats, 2013, 2).HarvestMean, 102);  // 101.5 -> 102
    EXPECT_EQ(startWindowAverages(stats, 2012, 3).HarvestMean, 70);   // 53.5 -> 54, then (2 × 54 + 102) / 3
}

TEST(StartWindow, StartsAtTheRecordOfTheGivenYearAndStaysInsideTheSeries) {
    auto stats = series({harvestYear(2011, 100), harvestYear(2012, 200), harvestYear(2013, 400)});
    EXPECT_EQ(startWindowAverages(stats, 2012, 2).HarvestMean, 300);
    EXPECT_EQ(startWindowAverages(stats, 2013, 15).HarvestMean, 400);  // the window runs past the last record
    EXPECT_EQ(startWindowAverages(stats, 2005, 3).HarvestMean, 0);     // before the first record
    EXPECT_EQ(startWindowAverages({}, 2011, 2).HarvestMean, 0);
}

TEST(RecentYears, SkipsYearsWithoutHarvestAndStopsAfterThree) {
    std::vector<TStatistics> years;
    for (int i = 0; i < 10; ++i) years.push_back(harvestYear(2011 + i, 50));
    years[9].totalt = 300;  // position 10
    years[8].totalt = 200;  // position 9
    years[7].totalt = 0;    // position 8: no harvest
    years[6].totalt = 100;  // position 7
    auto stats = series(years);
    EXPECT_EQ(recentAverages(stats, 10).HarvestMean, 200);
    EXPECT_EQ(recentAverages(stats, 40).HarvestMean, 200);  // a position past the end starts at the last record
    EXPECT_DOUBLE_EQ(recentAverages(stats, 10).ReprodMean, 0.6);
    EXPECT_EQ(recentAverages(series({}), 5).ReprodMean, 0);  // no 0.65 default here
}

TEST(Averages, ZeroCalfShareAndSexRatioDoNotLowerTheMeans) {
    TStatistics noCalves = harvestYear(2012, 100);
    noCalves.kalv = noCalves.kvigkalv = 0;
    noCalves.kalvandel = noCalves.sexratio = 0;
    noCalves.tjurvikt = 0;  // no weight reported
    auto stats = series({harvestYear(2011, 100), noCalves});
    AreaAverages a = startWindowAverages(stats, 2011, 2);
    EXPECT_DOUBLE_EQ(a.CalfShareMean, 0.5);
    EXPECT_DOUBLE_EQ(a.SexRatioMean, 25.0 / 50);
    EXPECT_DOUBLE_EQ(a.BullWeightMean, 180);
    EXPECT_EQ(a.HarvestMean, 100);
}

class AppliedAverages : public ::testing::Test {
protected:
    void SetUp() override {
        t.start();
        t->Header.Jaktarea = 80000;
        t->Header.Landarea = 100000;
        t->Header.OtherLandHaA = 20500;
        t->Header.OtherLandHaB = 10000;
        t->Header.ImpedimentHa = 4500;
        AreaAverages& s = t->StartAverages;
        s.HarvestMean = 250;
        s.YoungForestMean = 6250;
        s.CalfShareMean = 0.425;
        s.BullObsMean = 0.385;
        s.ReprodMean = 0.625;
        s.SexRatioMean = 0.55;
        AreaAverages& r = t->RecentAverages;
        r.HarvestMean = 240;
        r.ReprodMean = 0.666;
        r.SexRatioMean = 0.475;
        r.CalfShareMean = 0.44;
        r.BullObsMean = 0.36;
        r.BullWeightMean = 182.5;
        r.CowWeightMean = 163.5;
        r.BullCalfWeightMean = 66.4;
        r.HeiferCalfWeightMean = 61.6;
    }
    test::TestApp t;
};

TEST_F(AppliedAverages, SetTheLandUseAndTheControlsFromTheStartWindow) {
    t->AreaLoading = true;  // as the loader sets it: the controls' handlers then leave the land use alone
    ApplyAreaAverages(*t);
    EXPECT_DOUBLE_EQ(t->Land.YoungForestPct, 6.25);
    EXPECT_EQ(t->Land.OtherLandPct, 30);  // 30.5 -> 30
    EXPECT_EQ(t->Land.ImpedimentPct, 4);  // 4.5 -> 4
    EXPECT_EQ(t->Land.ForestPct, 100 - 6 - 30 - 4);
    EXPECT_EQ(t->pos(C::trk_ungskog), 62);  // 62.5 -> 62
    EXPECT_EQ(t->pos(C::Trk_Kalvskytte), 42);
    EXPECT_EQ(t->pos(C::Trk_tjurandel), 38);
    EXPECT_EQ(t->pos(C::trk_harvest), 31);  // 31.25
    EXPECT_EQ(t->pos(C::trk_reprod), 62);   // 62.5 -> 62
    EXPECT_EQ(t->pos(C::trk_sexratio), 52);
    EXPECT_EQ(t->pos(C::trk_slaktvikttjur), 182);  // weights from the recent years
    EXPECT_EQ(t->pos(C::Trk_Slaktviktko), 164);
    EXPECT_EQ(t->BullWeightParam, 182);
    EXPECT_EQ(t->CowWeightParam, 164);
    EXPECT_EQ(t->BullCalfWeight, 66);
    EXPECT_EQ(t->HeiferCalfWeight, 62);
}

TEST_F(AppliedAverages, SexRatioIsHeldTo48To52) {
    struct Case {
        double mean;
        int position;
    };
    for (Case c : {Case{0.55, 52}, {0.40, 48}, {0.0, 48}, {0.495, 50}, {0.505, 50}}) {
        t->StartAverages.SexRatioMean = c.mean;
        ApplyAreaAverages(*t);
        EXPECT_EQ(t->pos(C::trk_sexratio), c.position) << c.mean;
    }
}

TEST_F(AppliedAverages, AnAreaWithoutLandOrHuntingAreaFailsBeforeAnythingIsSet) {
    for (bool noLand : {true, false}) {
        (noLand ? t->Header.Landarea : t->Header.Jaktarea) = 0;
        const TLandUse before = t->Land;
        const int harvest = t->pos(C::trk_harvest);
        EXPECT_THROW(ApplyAreaAverages(*t), VildoError);
        EXPECT_EQ(std::memcmp(&before, &t->Land, sizeof before), 0);
        EXPECT_EQ(t->pos(C::trk_harvest), harvest);
        t->Header.Landarea = 100000;
        t->Header.Jaktarea = 80000;
    }
}

TEST_F(AppliedAverages, StatisticsTableShowsTheRecentYearsAndTheStartWindowsYoungForest) {
    t->AreaLoading = true;
    ApplyAreaAverages(*t);
    ShowAreaStatistics(*t);
    const Grid& g = t->StringGrid6;
    EXPECT_EQ(g.cell(0, 0), "Årlig avskjutning");
    EXPECT_EQ(g.cell(2, 5), "Jaktareal (1000 ha)");
    EXPECT_EQ(g.cell(1, 0), "3,0");  // 240 per 80 000 ha
    EXPECT_EQ(g.cell(1, 1), "0,67");
    EXPECT_EQ(g.cell(1, 2), "48:52");  // 47.5 -> 48, 52.5 -> 52
    EXPECT_EQ(g.cell(1, 3), "44");
    EXPECT_EQ(g.cell(1, 4), "36");
    EXPECT_EQ(g.cell(1, 5), "182");
    EXPECT_EQ(g.cell(3, 0), "164");
    EXPECT_EQ(g.cell(3, 1), "66");
    EXPECT_EQ(g.cell(3, 2), "62");
    EXPECT_EQ(g.cell(3, 3), "6");
    EXPECT_EQ(g.cell(3, 4), "60");
    EXPECT_EQ(g.cell(3, 5), "80");
}

}  // namespace
}  // namespace vildo
