#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/goal_handlers.h"
#include "app/parameter_handlers.h"
#include "app/scheduler.h"
#include "hunt/goal_tables.h"
#include "hunt/goals.h"
#include "model/parameters.h"
#include "support/test_app.h"

namespace vildo {
namespace {

using test::TestApp;

double fecundityFormula(int a) {
    double x = a;
    return (2 - 2 * std::pow(x / 20, 3.4)) * std::exp(-std::pow(x / 2.5, -2.5) - std::pow(x / 15, 15));
}

TEST(Dodlighet, IsZeroBelowAgeOneOrRiskOneAndOneAtAgeTwenty) {
    struct Case {
        double age, risk, expected, tolerance;
    };
    for (Case c : {Case{0, 2, 0, 0},
                   {5, 0, 0, 0},
                   {5, 0.5, 0, 0},
                   {20, 2, 1, 1e-12},
                   {20, 7, 1, 1e-12},
                   {10, 2, 0.0206, 5e-5},
                   {19, 2, 0.59, 0.005},
                   {1, 2, 0.02, 1e-4}})
        EXPECT_NEAR(Dodlighet(c.age, c.risk), c.expected, c.tolerance) << "age " << c.age << " risk " << c.risk;
}

TEST(MFactorlimit, NeverBelowTheFactorAndNeverRaisesItAboveOne) {
    struct Case {
        double x, d, k, expected;
    };
    for (Case c : {Case{0.3, 0, 26.4, 0.3},
                   {0.3, 0.8 * 26.4, 26.4, 1.0},
                   {0.3, 100, 26.4, 1.0},
                   {1.7, 100, 26.4, 1.7},
                   {0.0, 0.4 * 26.4, 26.4, std::pow(0.5, 5)}})
        EXPECT_DOUBLE_EQ(MFactorlimit(c.x, c.d, c.k), c.expected) << c.x << " " << c.d;
    EXPECT_THROW(MFactorlimit(0.3, 5, 0), VildoError);
}

class StartedApp : public ::testing::Test {
protected:
    void SetUp() override { t.start(); }
    TestApp t;
};

TEST_F(StartedApp, FirstStartGivesTheLandUseOfTheFictionalArea) {
    const TLandUse& l = t->Land;
    EXPECT_EQ(l.ImpedimentPct, 0);
    EXPECT_EQ(l.OtherLandPct, 30);
    EXPECT_EQ(l.ForestPct, 65);
    EXPECT_DOUBLE_EQ(l.YoungForestPct, 5);
    EXPECT_NEAR(l.CarryingCapacity, 26.4, 1e-12);
    EXPECT_EQ(t->pos(C::trk_impediment), 4);
    EXPECT_EQ(t->pos(C::Trk_Kalvskytte), 50);
    EXPECT_EQ(t->pos(C::trk_tjurdodlighet), 2);
    EXPECT_EQ(t->pos(C::Trk_bjornmortalitet), 6);
    EXPECT_EQ(t->AreaKha, 250);
    EXPECT_EQ(getShort(t->Header.Lan), "Ospecificerat");
    EXPECT_TRUE(t->timers[1].enabled);
    EXPECT_TRUE(t->timers[13].enabled);
    EXPECT_FALSE(t->SeasonStarted);
    EXPECT_EQ(t->rng.seed, 12345u);
}

TEST_F(StartedApp, LaterResetReadsTheImpedimentTheControlsHaveNow) {
    ResetClick(*t);
    EXPECT_EQ(t->Land.ImpedimentPct, 4);
    EXPECT_EQ(t->Land.OtherLandPct, 26);
    EXPECT_EQ(t->Land.ForestPct, 65);
}

TEST_F(StartedApp, FecundityFollowsItsFormula) {
    EXPECT_EQ(t->Pop.Fecundity[0], 0);
    for (int a = 1; a <= 20; ++a) EXPECT_DOUBLE_EQ(t->Pop.Fecundity[a], fecundityFormula(a)) << a;
    EXPECT_NEAR(t->Pop.Fecundity[2], 0.3485, 5e-4);
    EXPECT_NEAR(t->Pop.Fecundity[4], 1.4625, 5e-4);
    EXPECT_NEAR(t->Pop.Fecundity[8], 1.810, 5e-4);
    for (int a = 17; a <= 20; ++a) EXPECT_LT(t->Pop.Fecundity[a], 0.0015) << a;
}

TEST_F(StartedApp, WeightCurvesFromTheWindowPositions) {
    const THarvestByAge& h = t->Harvest;
    EXPECT_EQ(t->CowWeightParam, 165);
    EXPECT_EQ(t->BullWeightParam, 185);
    EXPECT_EQ(h.FemWeight[5], 193);  // Round((5 * 97.8 + 60) / 2.85)
    EXPECT_EQ(h.FemWeight[0], t->HeiferCalfWeight);
    EXPECT_EQ(h.MaleWeight[0], t->BullCalfWeight);
    double initpop20 = h.MaleWeight[20];
    t->BullWeightParam = 250;
    WeightCurves(*t);
    EXPECT_EQ(h.MaleWeight[20], initpop20);  // index 20 keeps the value Initpop gave it
    EXPECT_GT(h.MaleWeight[10], 200);
}

TEST_F(StartedApp, YoungForestIsCappedAtTheLandThatIsLeft) {
    setPosition(*t, C::trk_ungskog, 1000);
    EXPECT_DOUBLE_EQ(t->Land.YoungForestPct, 100 - 30 - 0);
    EXPECT_EQ(t->Land.ForestPct, 0);
    setPosition(*t, C::trk_ungskog, 120);
    EXPECT_DOUBLE_EQ(t->Land.YoungForestPct, 12);
    EXPECT_EQ(t->Land.ForestPct, 58);
}

TEST_F(StartedApp, ControlsChangeNothingWhileAnAreaIsLoading) {
    t->AreaLoading = true;
    TLandUse before = t->Land;
    double mortality = t->CalfSummerMortality;
    setPosition(*t, C::Trk_barkraftovrig, 400);
    setPosition(*t, C::Trk_kalvdodlighetsommar, 40);
    EXPECT_EQ(std::memcmp(&before, &t->Land, sizeof before), 0);
    EXPECT_EQ(t->CalfSummerMortality, mortality);
    EXPECT_FALSE(t->SettingsChanged);
}

TEST_F(StartedApp, MortalityControlsStoreTheirValuesAndRestartTheRun) {
    Scheduler(*t).runUntil([&] { return !t->timers[1].enabled; });
    struct Case {
        C control;
        int position;
    };
    for (Case c : {Case{C::Trk_kalvdodlighetsommar, 12},
                   {C::Trk_Kalvdodlighetvinter, 7},
                   {C::trk_tjurdodlighet, 5},
                   {C::trk_kododlighet, 4},
                   {C::trk_korisk, 30},
                   {C::Trk_vargmortalitet, 135},
                   {C::Trk_bjornmortalitet, 9}})
        setPosition(*t, c.control, c.position);
    EXPECT_DOUBLE_EQ(t->CalfSummerMortality, 0.12);
    EXPECT_DOUBLE_EQ(t->CalfWinterMortality, 0.07);
    EXPECT_EQ(t->NatMortPctM, 5);
    EXPECT_DOUBLE_EQ(t->MaleMortWeight[10], Dodlighet(10, 5));
    EXPECT_EQ(t->NatMortPctF, 4);
    EXPECT_DOUBLE_EQ(t->FemMortWeight[3], Dodlighet(3, 4));
    EXPECT_DOUBLE_EQ(t->Enc.CowRisk, 0.30);
    EXPECT_EQ(t->Rov.Vargmortalitet, 135);
    EXPECT_EQ(t->Rov.Bjornmortalitet, 9);
    EXPECT_TRUE(t->SettingsChanged);
    EXPECT_TRUE(t->timers[1].enabled);
    EXPECT_EQ(t->Tick, 0);
}

TEST_F(StartedApp, MultifecundKeepsAFloorAndLeavesTheHistoryWithoutForage) {
    t->Winter.WinterStock = 1e6;             // far above the carrying capacity
    EXPECT_DOUBLE_EQ(Multifecund(*t), 0.3);  // (0 + 0.6) / 2
    EXPECT_DOUBLE_EQ(Multifecund(*t), 0.1);  // (0 + 0) / 2, held at the floor
    t->Land.CarryingCapacity = 0;
    double history[10];
    std::memcpy(history, t->Fec.FactorHistory, sizeof history);
    t->AreaLoaded = true;  // the area branch must not divide by a carrying capacity of 0 either
    setTimer(*t, 1, false);
    EXPECT_EQ(Multifecund(*t), 0);
    EXPECT_EQ(std::memcmp(history, t->Fec.FactorHistory, sizeof history), 0);
}

TEST_F(StartedApp, MultifecundAveragesTheLastTwoYears) {
    t->Winter.WinterStock = 0.5 * 250 * 26.4;  // half the carrying capacity on 250 000 ha of land
    double f = Multifecund(*t);
    EXPECT_DOUBLE_EQ(t->Fec.FactorHistory[0], 0.5);
    EXPECT_DOUBLE_EQ(t->Fec.FactorHistory[1], 0.6);
    EXPECT_DOUBLE_EQ(f, 0.55);
}

TEST_F(StartedApp, StoredPositionsComeBackThroughRestore) {
    setPosition(*t, C::Trk_density, 120);
    setPosition(*t, C::trk_kododlighet, 5);
    storetrkvalues(*t);
    EXPECT_EQ(t->Sliders.Slots[SlotDensity], 120);
    EXPECT_EQ(t->Sliders.Slots[SlotKododlighet], 5);
    setPosition(*t, C::Trk_density, 80);
    setPosition(*t, C::trk_kododlighet, 2);
    t->Sliders.Slots[SlotDensity] = 120;
    t->Sliders.Slots[SlotKododlighet] = 5;
    Restoretrkvalues(*t);
    EXPECT_EQ(t->pos(C::Trk_density), 120);
    EXPECT_EQ(t->pos(C::trk_kododlighet), 5);
    EXPECT_EQ(t->NatMortPctF, 5);
}

TEST_F(StartedApp, ResetShowsTheStartGoalsInTheGoalTable) {
    struct Case {
        int row;
        const char* typed;
        float TGoals::*goal;
        float typedValue, start;
    };
    const Case cases[] = {
        {1, "0,8", &TGoals::GoalCalvesPerCow, 0.8f, 0.75f}, {2, "35", &TGoals::GoalBullShare, 35, 40},
        {3, "20", &TGoals::GoalPrimeBulls, 20, 15},         {4, "45", &TGoals::GoalCalfShare, 45, 50},
        {5, "5,5", &TGoals::GoalMeanAgeCows, 5.5f, 4.5f},   {6, "80", &TGoals::GoalQuotaUse, 80, 90},
        {7, "150", &TGoals::GoalBrowsing, 150, 130},
    };
    for (const Case& c : cases) t->Stringgrid5.cell(1, c.row) = c.typed;
    Stringgrid5KeyPress(*t, '0');
    for (const Case& c : cases) ASSERT_EQ(t->Goals.*c.goal, c.typedValue) << c.row;
    ResetClick(*t);
    const Grid design = designStringgrid5();
    for (const Case& c : cases) {
        EXPECT_EQ(t->Goals.*c.goal, c.start) << c.row;
        EXPECT_EQ(t->Stringgrid5.cell(1, c.row), design.cell(1, c.row)) << c.row;
    }
    // The cells are what the next key reads: the goals stay the start goals.
    Stringgrid5KeyPress(*t, '0');
    for (const Case& c : cases) EXPECT_EQ(t->Goals.*c.goal, c.start) << c.row;
}

TEST_F(StartedApp, FactoryResetAsksAndOnlyOkResets) {
    setPosition(*t, C::Trk_density, 150);
    t.prompts.okAbortAnswers = {false};
    Fabriksinstllningar1Click(*t);
    EXPECT_EQ(t->pos(C::Trk_density), 150);
    ASSERT_EQ(t.prompts.warnings.size(), 1u);
    EXPECT_NE(t.prompts.warnings[0].find("Återställ parametrar till grundinställningar."), std::string::npos);
    t.prompts.okAbortAnswers = {true};
    setChecked(*t, C::Advanced, true);
    Fabriksinstllningar1Click(*t);
    EXPECT_EQ(t->pos(C::Trk_density), 80);
    EXPECT_FALSE(t->checked(C::Advanced));
}

}  // namespace
}  // namespace vildo
