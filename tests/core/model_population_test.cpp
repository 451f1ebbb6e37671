#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/scheduler.h"
#include "model/parameters.h"
#include "model/population.h"
#include "support/test_app.h"

namespace vildo {
namespace {

using test::TestApp;

class Equilibrium : public ::testing::Test {
protected:
    void SetUp() override { t.startAndSettle(); }
    // One model year on the settled state with the given harvest pressure.
    void year(double pressure) {
        t->HarvestPressure = pressure;
        t->ModelDensity = t->Winter.WinterStock / t->AreaKha;
        Processpop(*t);
    }
    TestApp t;
};

TEST_F(Equilibrium, FirstStartSettlesAtTheWantedDensity) {
    EXPECT_FALSE(t->timers[1].enabled);
    EXPECT_EQ(t->ModelYears, 4000);
    EXPECT_NEAR(t->Winter.WinterDensity, 8.0, 0.01);
    EXPECT_NEAR(t->Summer.MaleShareSummer, 0.40, 0.001);
    EXPECT_NEAR(t->HarvestPressure, 0.22, 0.005);
    EXPECT_TRUE(t.prompts.messages.empty());
    // The settled run sets the pyramids' bottom axes.
    EXPECT_DOUBLE_EQ(t->charts[1].bottom.max, std::max(0.6 * t->Winter.WinterCalves, 5.0));
    EXPECT_DOUBLE_EQ(t->charts[1].bottom.min, -t->charts[1].bottom.max);
}

TEST_F(Equilibrium, ADensityChangeSettlesAtTheNewTarget) {
    setPosition(*t, C::Trk_density, 120);
    t.settle();
    EXPECT_NEAR(t->Winter.WinterDensity, 12.0, 0.02);
    EXPECT_EQ(t->ModelYears, 8000);
}

TEST_F(Equilibrium, OldestAndStorageClassesStayEmpty) {
    for (int i = 0; i < 50; ++i) year(0.2);
    EXPECT_EQ(t->Pop.FemWinter[20], 0);
    EXPECT_EQ(t->Pop.MaleWinter[20], 0);
    EXPECT_EQ(t->Pop.FemSummer[20], 0);
    EXPECT_EQ(t->Harvest.MaleShot[20], 0);
    EXPECT_EQ(t->Harvest.FemShot[21], 0);
    EXPECT_EQ(t->Pop.FemDeadWinter[20], 0);
}

TEST_F(Equilibrium, LastWintersOldestClassLeaves) {
    t->Pop.FemWinter[19] = 50;
    t->Pop.FemWinter[18] = 0;
    year(0.2);
    EXPECT_EQ(t->Pop.FemSummer[19], 0);
}

TEST_F(Equilibrium, NoPressureShootsNothing) {
    year(0);
    EXPECT_EQ(t->HarvestTot.TotalShot, 0);
    for (int a = 0; a <= 21; ++a) {
        EXPECT_EQ(t->Harvest.FemShot[a], 0) << a;
        EXPECT_EQ(t->Harvest.MaleShot[a], 0) << a;
    }
}

TEST_F(Equilibrium, CalfShareOfTheHarvestFollowsTheSetting) {
    struct Case {
        int percent;
        double ratio;  // calves shot per adult shot
    };
    for (Case c : {Case{0, 0.0}, {50, 1.0}, {99, 99.0}}) {
        t->CalfPercent = c.percent;
        year(0.2);
        EXPECT_NEAR(t->HarvestTot.CalvesShot, c.ratio * t->HarvestTot.AdultsShot,
                    1e-9 * (1 + t->HarvestTot.AdultsShot * c.ratio))
            << c.percent;
    }
}

TEST_F(Equilibrium, AYearWithoutAdultFemalesCompletesAndKeepsTheirFigures) {
    std::fill(std::begin(t->Pop.FemWinter), std::end(t->Pop.FemWinter), 0.0);
    double calvesPerCow = t->CalvesPerCow, meanAgeCows = t->Winter.MeanAgeWinterCows;
    double rate = t->Winter.NatRateCowsWinter;
    year(0.2);
    EXPECT_EQ(t->PotentialBirths, 0);
    EXPECT_EQ(t->CalvesPerCow, calvesPerCow);
    EXPECT_EQ(t->Winter.MeanAgeWinterCows, meanAgeCows);
    EXPECT_EQ(t->Winter.NatRateCowsWinter, rate);
    EXPECT_TRUE(std::isfinite(t->Winter.WinterStock));
}

TEST_F(Equilibrium, PredationKillsComeFromTheSeriesOrKeepTheirValues) {
    t->Rov.Vargdodade = 17;
    t->Rov.Bjorndodade = 3;
    year(0.2);
    EXPECT_EQ(t->Rov.Vargdodade, 17);
    EXPECT_EQ(t->Rov.Bjorndodade, 3);
    t->Rov.Vargrevir = {2.5};
    t->Rov.Bjornpop = {3};
    year(0.2);
    EXPECT_EQ(t->Rov.Vargdodade, 300);  // 120 × 2.5
    EXPECT_EQ(t->Rov.Bjorndodade, 9);   // Round(6 × 0.5 × 3)
}

TEST_F(Equilibrium, BullShareCorrectionMovesOneStepAYear) {
    t->TargetBullShare = 0.9;  // above any summer share
    double before = t->BullShareAdjust;
    year(0.2);
    EXPECT_NEAR(t->BullShareAdjust - before, 0.0001, 1e-12);
    t->TargetBullShare = 0.1;
    before = t->BullShareAdjust;
    year(0.2);
    EXPECT_NEAR(t->BullShareAdjust - before, -0.0001, 1e-12);
}

// A run keeps the classes paired from its first year to its last; the records must end as after single years,
// also when the last year fails halfway.
TEST_F(Equilibrium, ARunOnPairedClassesEndsAsSingleYearsDo) {
    TestApp u;
    u.startAndSettle();
    auto same = [&] {
        EXPECT_EQ(std::memcmp(&t->Pop, &u->Pop, sizeof t->Pop), 0);
        EXPECT_EQ(std::memcmp(&t->Harvest, &u->Harvest, sizeof t->Harvest), 0);
        EXPECT_EQ(std::memcmp(&t->Winter, &u->Winter, sizeof t->Winter), 0);
        EXPECT_EQ(std::memcmp(&t->Summer, &u->Summer, sizeof t->Summer), 0);
    };
    {
        PairedClasses classes(*u);
        for (int y = 0; y < 25; ++y) {
            year(0.3);
            u->HarvestPressure = 0.3;
            u->ModelDensity = u->Winter.WinterStock / u->AreaKha;
            Processpop(*u, classes);
        }
    }
    same();
    t->AreaKha = u->AreaKha = 0;  // the year's densities cannot be worked out
    EXPECT_THROW(Processpop(*t), std::exception);
    {
        PairedClasses classes(*u);
        EXPECT_THROW(Processpop(*u, classes), std::exception);
    }
    same();
    // Records changed after the classes were stored back (a reset after a failed year) stay as they were set.
    {
        PairedClasses classes(*u);
        classes.store();
        u->Pop.FemWinter[3] = 42;
    }
    EXPECT_EQ(u->Pop.FemWinter[3], 42);
}

TEST(EquilibriumRun, AChangeDuringARunStartsAgainAtTickOne) {
    TestApp t;
    t.start();
    Scheduler s(*t);
    s.step();
    s.step();
    EXPECT_EQ(t->Tick, 2);
    setPosition(*t, C::Trk_tjurandel, 45);
    EXPECT_EQ(t->Tick, 0);
    t->BullShareAdjust = 5;
    s.step();
    EXPECT_EQ(t->Tick, 1);
    EXPECT_DOUBLE_EQ(t->TargetBullShare, 0.45);
    EXPECT_LE(std::fabs(t->BullShareAdjust), 1000 * 0.0001 + 1e-9);  // cleared at tick 1, then 1000 steps
    t.settle();
    EXPECT_EQ(t->ModelYears, 6000);
    EXPECT_NEAR(t->Summer.MaleShareSummer, 0.45, 0.002);
}

TEST(EquilibriumRun, NothingRunsOnceTheSeasonHasStarted) {
    TestApp t;
    t.start();
    t->SeasonStarted = true;
    Scheduler(*t).runUntil([&] { return false; }, 20);
    EXPECT_EQ(t->ModelYears, 0);
}

TEST(EquilibriumRun, AFailedModelYearResetsTheModel) {
    TestApp t;
    t.start();
    setPosition(*t, C::Trk_density, 150);
    t->Land.CarryingCapacity = 0;  // the mortality limit divides by it
    Scheduler(*t).step();
    ASSERT_FALSE(t.prompts.messages.empty());
    EXPECT_EQ(t.prompts.messages[0], "Något blev fel. Försöker återställa till \"fabriksinställningar\".");
    EXPECT_EQ(t->pos(C::Trk_density), 80);  // reset as by "Återställ Vildo"
    EXPECT_GT(t->Land.CarryingCapacity, 0);
    t.settle();
    EXPECT_NEAR(t->Winter.WinterDensity, 8.0, 0.01);
}

TEST(EquilibriumRun, AnErrorOutsideTheModelYearEndsTheTickAndReinitiates) {
    TestApp t;
    t.start();
    t->AreaKha = 0;  // the density handed to the controller divides by it
    Scheduler s(*t);
    s.step();
    EXPECT_EQ(t->YearsPerTick, 1);
    EXPECT_TRUE(t->timers[3].enabled);
    EXPECT_EQ(t->ModelYears, 0);
    s.runUntil([&] { return !t->timers[3].enabled; });
    ASSERT_FALSE(t.prompts.messages.empty());
    EXPECT_EQ(t.prompts.messages.back(), "Älgstammen dog ut. Återställer");
    EXPECT_EQ(t->AreaKha, 250);
    EXPECT_EQ(t->YearsPerTick, 1000);
}

}  // namespace
}  // namespace vildo
