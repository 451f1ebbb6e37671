// The season-year's phases around the hunt: summer, births and cow-calf groups, winter.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "hunt/hunt.h"
#include "hunt/season_phases.h"
#include "hunt_support.h"
#include "model/parameters.h"

namespace vildo {
namespace {

using test::SeasonTest;
using test::TestApp;

TEST(Nrofcalves, SharesOfCowsWithoutCalfWithOneAndWithTwins) {
    struct Case {
        double rate, none, one, twins;
    };
    for (Case c : {Case{1.0, 0.18946, 0.62107, 0.18946},
                   {0.6, 0.44023, 0.51955, 0.04023},
                   {1.5, 0.01863, 0.46275, 0.51863},
                   {0.3, 0.69378, 0.31244, -0.00622},
                   {0.0, 1, 0, 0}}) {
        CalfShares s = calfShares(c.rate);
        EXPECT_NEAR(s.none, c.none, 5e-5) << "rate " << c.rate;
        EXPECT_NEAR(s.one, c.one, 5e-5) << "rate " << c.rate;
        EXPECT_NEAR(s.twins, c.twins, 5e-5) << "rate " << c.rate;
    }
}

TEST(Nrofcalves, GroupsAddUpToTheClassWithOneCorrectionOnTheOneCalfGroup) {
    struct Case {
        double females, rate;
        int none, one, twins;
    };
    for (Case c : {Case{3, 1.0, 1, 1, 1},
                   {2, 1.0, 0, 2, 0},
                   {1000, 1.0, 189, 622, 189},
                   {100, 0.3, 69, 31, 0},
                   {0, 1.0, 0, 0, 0}}) {
        TestApp t;
        t->Pop.FemSummer[7] = c.females;
        nrofcalves(*t, 7, c.rate);
        EXPECT_EQ(t->Pop.CowsNoCalf[7], c.none) << c.females << " at rate " << c.rate;
        EXPECT_EQ(t->Pop.CowsOneCalf[7], c.one) << c.females << " at rate " << c.rate;
        EXPECT_EQ(t->Pop.CowsTwins[7], c.twins) << c.females << " at rate " << c.rate;
    }
}

class Phases : public SeasonTest {
protected:
    // Deaths from wolves alone: no natural mortality, traffic, bears or calf losses of their own.
    void wolvesOnly(int kills) {
        a().NatMortPctF = a().NatMortPctM = 0;
        std::fill(std::begin(a().FemMortWeight), std::end(a().FemMortWeight), 0.0);
        std::fill(std::begin(a().MaleMortWeight), std::end(a().MaleMortWeight), 0.0);
        a().CalfSummerMortality = a().CalfWinterMortality = 0;
        a().Traffic = TTraffic{};
        a().Rov.Bjorndodade = 0;
        a().Rov.Vargdodade = kills;
    }
    double cowGroups(const int32_t* group) { return std::accumulate(group, group + kAges, 0.0); }
};

TEST_F(Phases, WolfKillsSplitOverSeasonsAndAges) {
    wolvesOnly(30);
    Planering(a());
    const TSummerTotals& su = a().Summer;
    const TWinterTotals& wi = a().Winter;
    EXPECT_NEAR(su.SummerDeadCalves, 9, 1e-9);
    EXPECT_NEAR(su.SummerDeadCows + su.SummerDeadBulls, 1, 1e-9);
    EXPECT_NEAR(wi.WinterDeadCalves, 14, 1e-9);
    EXPECT_NEAR(wi.WinterDeadCows + wi.WinterDeadBulls, 6, 1e-9);
}

TEST_F(Phases, NaturalSummerDeathsOfCowsAreAThirdOfTheYearlyPercentage) {
    wolvesOnly(0);
    a().NatMortPctF = 2;
    for (int age = 1; age <= 20; ++age) a().FemMortWeight[age] = Dodlighet(age, 2);
    a().Land.CarryingCapacity = 1e6;  // far from the density limit on mortality
    const TPopulation& p = a().Pop;
    double cows = std::accumulate(p.FemWinter, p.FemWinter + kAges, 0.0) - p.FemWinter[19];
    Planering(a());
    EXPECT_NEAR(a().Summer.NatDeadCowsSummer, 0.02 / 3 * cows, 1e-9 * cows);
    EXPECT_NEAR(a().Summer.SummerDeadCows, a().Summer.NatDeadCowsSummer, 1e-9 * cows);
}

TEST_F(Phases, NoBullsLastWinterMeansNoCalvesAndEveryCowWithoutCalf) {
    std::fill(std::begin(a().Pop.MaleWinter), std::end(a().Pop.MaleWinter), 0.0);
    a().Winter.WinterBulls = 0;
    Planering(a());
    const TPopulation& p = a().Pop;
    EXPECT_EQ(a().Summer.CalvesBorn, 0);
    EXPECT_EQ(p.FemSummer[0], 0);
    EXPECT_EQ(p.MaleSummer[0], 0);
    EXPECT_EQ(cowGroups(p.CowsOneCalf) + cowGroups(p.CowsTwins), 0);
    EXPECT_GT(cowGroups(p.CowsNoCalf), 0);
    // No calf that was never born is shot, and none winters.
    EXPECT_EQ(a().HarvestTot.CalvesShot, 0);
    EXPECT_EQ(a().Winter.WinterCalves, 0);
    EXPECT_GT(a().HarvestTot.CowsShot, 0);
}

TEST_F(Phases, NoAdultFemalesMeansEmptyGroupsAndNoCalves) {
    std::fill(std::begin(a().Pop.FemWinter), std::end(a().Pop.FemWinter), 0.0);
    Planering(a());
    const TPopulation& p = a().Pop;
    EXPECT_EQ(cowGroups(p.CowsNoCalf) + cowGroups(p.CowsOneCalf) + cowGroups(p.CowsTwins), 0);
    EXPECT_EQ(a().Summer.CalvesBorn, 0);
    EXPECT_EQ(a().HarvestTot.CowsShot, 0);
    EXPECT_GT(a().HarvestTot.BullsShot, 0);
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST_F(Phases, WithoutBirthsToTakeLossesFromNoCalfIsBorn) {
    struct Case {
        bool fecund;
        double calfSummerMortality;
    };
    for (Case c : {Case{false, 0.03}, Case{true, 1.0}}) {
        TestApp fresh;
        fresh.startAndSettle();
        Vildo& v = *fresh;
        v.SeasonStarted = true;
        v.MaxTries = 400;
        if (!c.fecund) std::fill(std::begin(v.Pop.Fecundity), std::end(v.Pop.Fecundity), 0.0);
        v.CalfSummerMortality = c.calfSummerMortality;
        Planering(v);
        EXPECT_TRUE(fresh.prompts.messages.empty());
        EXPECT_EQ(v.Summer.CalvesBorn, 0) << "fecund " << c.fecund;
        EXPECT_EQ(cowGroups(v.Pop.CowsOneCalf) + cowGroups(v.Pop.CowsTwins), 0);
        EXPECT_GT(cowGroups(v.Pop.CowsNoCalf), 0);
    }
}

TEST_F(Phases, AfterTheYearTheSummerClassesShowTheHuntStart) {
    Planering(a());
    const TPopulation& p = a().Pop;
    ASSERT_GT(a().HarvestTot.AdultsShot, 0);
    double shotCows = 0;
    for (int age = 1; age <= 19; ++age) {
        EXPECT_EQ(p.FemSummer[age], p.FemHuntStart[age]);
        EXPECT_EQ(p.MaleSummer[age], p.MaleHuntStart[age]);
        EXPECT_LE(p.FemDeadWinter[age], p.FemHuntStart[age] - a().Harvest.FemShot[age] + 1e-9);
        EXPECT_GE(p.FemWinter[age], 0);
        shotCows += a().Harvest.FemShot[age];
    }
    EXPECT_EQ(shotCows, a().HarvestTot.CowsShot);
    EXPECT_DOUBLE_EQ(a().Winter.WinterCalves, a().Summer.CalvesBorn - a().HarvestTot.CalvesShot);
    EXPECT_DOUBLE_EQ(a().HarvestTot.TotalShot,
                     a().HarvestTot.BullsShot + a().HarvestTot.CowsShot + a().HarvestTot.CalvesShot);
}

}  // namespace
}  // namespace vildo
