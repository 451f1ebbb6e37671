// What a calibration's replays rest on: the seeds they draw, the predators the search and the replays share,
// a new area's clean start, and the fit-cache slot that keeps the whole setting.
#include <gtest/gtest.h>

#include <set>

#include "app/full_calibration.h"
#include "app/season_driver.h"
#include "app/start_year.h"
#include "calibration_fixture.h"
#include "model/state_files.h"
#include "ui/platform.h"
#include "util/random.h"
#include "util/round.h"

namespace vildo {
namespace {

TEST(ClockSeed, ReseedsInTheSameMillisecondGiveDifferentStreams) {
    Platform p = Platform::system({});
    std::set<uint32_t> seeds;
    for (int i = 0; i < 10000; ++i) seeds.insert(p.clockSeed());
    EXPECT_EQ(seeds.size(), 10000u);
}

TEST(MixSeed, NeighbouringIndexesAndBasesGiveUnrelatedSeeds) {
    std::set<uint32_t> seeds;
    for (uint32_t base : {0u, 1u, 2u})
        for (uint32_t k = 0; k < 1000; ++k) seeds.insert(mixSeed(base, k));
    EXPECT_EQ(seeds.size(), 3000u);
    // Each bit of the index reaches about half of the seed's bits: neighbouring years draw unrelated seasons.
    for (uint32_t bit = 0; bit < 32; ++bit) {
        double flipped = 0;
        for (uint32_t k = 0; k < 1000; ++k) flipped += __builtin_popcount(mixSeed(7, k) ^ mixSeed(7, k ^ (1u << bit)));
        EXPECT_NEAR(flipped / 1000, 16, 2) << "index bit " << bit;
    }
    EXPECT_NE(mixSeed(7, 0), 7u);
    EXPECT_NE(mixSeed(7, 3), mixSeed(3, 7));
}

using CalibrationReplays = test::CalibrationTest;

// A replay season draws from mixSeed(calibration seed, year): the same season as a copy of the state seeded by
// hand with that seed, year after year.
TEST_F(CalibrationReplays, EachReplaySeasonDrawsFromTheCalibrationSeedMixedWithItsYear) {
    loadAndChoose();
    a().CalibrationSeed = 4242;
    Vildo byHand = a();
    byHand.CalibrationSeed.reset();
    byHand.platform.clockSeed = [&byHand] { return mixSeed(4242, static_cast<uint32_t>(byHand.YearNo)); };
    for (int season = 1; season <= 3; ++season) {
        SpeedButton1Click(a());
        SpeedButton1Click(byHand);
        ASSERT_EQ(a().YearNo, byHand.YearNo) << season;
        EXPECT_TRUE(snapshotBytes(a()) == snapshotBytes(byHand)) << "season " << season;
    }
}

TEST_F(CalibrationReplays, TheFirstPredatorYearIsTheStartWindowsRecordedMean) {
    // The test area records 1.5 wolf territories and 2 bears every year; here the start window differs.
    load();
    a().Statistics[1].varg = 1;  // the start window of the first start year is records 1 to 3
    a().Statistics[2].varg = 4;
    a().Statistics[3].varg = 2.5;
    a().Statistics[1].bjorn = 0;
    a().Statistics[2].bjorn = 6;
    a().Statistics[3].bjorn = 3;
    Combo_StartyearChange(a());
    ASSERT_FALSE(a().Rov.Vargrevir.empty());
    EXPECT_DOUBLE_EQ(a().Rov.Vargrevir[0], 2.5);
    EXPECT_DOUBLE_EQ(a().Rov.Bjornpop[0], 3);
    EXPECT_DOUBLE_EQ(a().charts[10].series[0].points.at(0).y, 2.5);
    EXPECT_DOUBLE_EQ(a().charts[10].series[1].points.at(0).y, 3);
    EXPECT_TRUE(a().Rov.Changed);
    // The equilibrium takes its predation from there.
    Scheduler(a()).runUntil([&] { return !a().timers[1].enabled; });
    EXPECT_EQ(a().Rov.Vargdodade, Round(a().Rov.Vargmortalitet * 2.5));
}

// Either predator's mean moving far from what the model holds marks the predation changed, not only both.
TEST_F(CalibrationReplays, EitherPredatorMovingFarMarksThePredationChanged) {
    struct Case {
        const char* what;
        double wolves, bears;  // the start window's records
        bool changed;
    };
    for (Case c : {Case{"wolves only", 5, 1, true},
                   {"bears only", 1, 5, true},
                   {"both", 5, 5, true},
                   {"neither", 1.5, 1.5, false}}) {
        load();
        for (size_t p = 1; p < a().Statistics.size(); ++p) {
            a().Statistics[p].varg = c.wolves;
            a().Statistics[p].bjorn = c.bears;
        }
        a().Rov.Vargrevir.assign(1, 1.0);
        a().Rov.Bjornpop.assign(1, 1.0);
        a().Rov.Changed = false;
        Combo_StartyearChange(a());
        EXPECT_EQ(a().Rov.Changed, c.changed) << c.what;
    }
}

TEST_F(CalibrationReplays, ANewAreaForgetsThePreviousAreasSignatureAndDensityAxis) {
    a().MortalitySignature = 44;
    a().MaxSummerDensity = 30;
    ASSERT_TRUE(NyttOmrade(a(), 2, 0));
    EXPECT_EQ(a().MortalitySignature, 10);
    EXPECT_EQ(a().MaxSummerDensity, 0);
}

TEST_F(CalibrationReplays, TheNextEquilibriumCarriesOnFromTheModelBeforeTheReplay) {
    loadAndChoose();
    a().SeasonStarted = true;
    btn_nykalibClick(a());
    const std::string before = snapshotBytes(a());
    a().ReplayStart = before;
    // The replay left the stock near extinction.
    for (double& n : a().Pop.FemWinter) n *= 1e-6;
    a().Winter.WinterStock = 0.01;
    a().YearNo = a().DataYears - a().StartIndex + 1;
    a().ModelFit = 0.5;
    Timer9Timer(a());
    EXPECT_EQ(a().BestFit, 0.5);
    EXPECT_TRUE(snapshotBytes(a()).substr(0, sizeof(TPopulation)) == before.substr(0, sizeof(TPopulation)));
}

TEST_F(CalibrationReplays, TheFinishKeepsTheWholeSettingInTheStartYearsSlot) {
    loadAndChoose();
    a().SeasonStarted = true;
    btn_nykalibClick(a());
    a().YearNo = a().DataYears - a().StartIndex + 1;
    a().ModelFit = 0.7;
    a().CCSlope = 2.4;
    setPosition(a(), C::Trk_density, 97);
    Timer9Timer(a());  // the best so far: density 9.7, slope 2.4
    a().MaxQuietRounds = 1;
    a().ModelFit = 0.5;
    a().SeasonStarted = true;
    a().YearNo = a().DataYears - a().StartIndex + 1;
    Timer9Timer(a());
    const TStatistics& slot = a().Statistics[1];
    EXPECT_EQ(slot.CC, 220);
    EXPECT_DOUBLE_EQ(slot.StartDens, 9.7);
    EXPECT_DOUBLE_EQ(slot.CCSlope, 2.4);
    EXPECT_DOUBLE_EQ(slot.Error, a().DensityMargin);
    EXPECT_DOUBLE_EQ(slot.R2, 0.7);
}

}  // namespace
}  // namespace vildo
