#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/scheduler.h"
#include "app/season_driver.h"
#include "model/state_files.h"
#include "support/historic_area.h"
#include "support/test_app.h"
#include "util/file_io.h"

namespace vildo {
namespace {

class Driver : public ::testing::Test {
protected:
    void SetUp() override {
        t.startAndSettle();
        Scheduler(*t).runFor(1500);  // the season page's reset after the start
    }
    std::string snapshots() { return (std::filesystem::path(t->Paths.Appdata) / "Annualstat.vrd").string(); }
    test::TestApp t;
};

TEST_F(Driver, TheFirstPressStartsTheSeasonWithoutASnapshot) {
    SpeedButton1Click(*t);
    EXPECT_TRUE(t->SeasonStarted);
    EXPECT_EQ(t->YearNo, 1);
    EXPECT_TRUE(t->RulesAlways);
    EXPECT_FALSE(std::filesystem::exists(snapshots()));
    EXPECT_FALSE(t->ctl(C::GroupBox4).enabled);  // the parameter panels wait for the reset
    EXPECT_GT(t->HarvestTot.TotalShot, 0);
}

// Each snapshot holds the table copy taken at its own press, so each step back restores the table of the
// year it returns to.
TEST_F(Driver, BackRestoresSlotsOneThenZeroWithTheirTables) {
    SpeedButton1Click(*t);
    SpeedButton1Click(*t);
    const std::string afterSeason1 = *readBytesAt(snapshots(), 0, kSnapshotSize);
    const TGrid2Cells copyAtPress2 = t->Grid2Cells;
    SpeedButton1Click(*t);
    const std::string afterSeason2 = *readBytesAt(snapshots(), kSnapshotSlot, kSnapshotSize);
    const TGrid2Cells copyAtPress3 = t->Grid2Cells;
    ASSERT_EQ(t->YearNo, 3);

    SpeedButton2Click(*t);
    EXPECT_EQ(t->YearNo, 2);
    EXPECT_EQ(snapshotBytes(*t).substr(0, 3312), afterSeason2.substr(0, 3312));
    EXPECT_EQ(std::memcmp(&t->Grid2Cells, &copyAtPress3, sizeof copyAtPress3), 0);
    EXPECT_EQ(t->StringGrid2.cell(3, 0), getShort(copyAtPress3.Cells[2][0]));
    SpeedButton2Click(*t);
    EXPECT_EQ(t->YearNo, 1);
    EXPECT_EQ(snapshotBytes(*t).substr(0, 3312), afterSeason1.substr(0, 3312));
    EXPECT_EQ(std::memcmp(&t->Grid2Cells, &copyAtPress2, sizeof copyAtPress2), 0);
    const std::string before = snapshotBytes(*t);
    SpeedButton2Click(*t);  // at the first season: nothing
    EXPECT_EQ(t->YearNo, 1);
    EXPECT_EQ(snapshotBytes(*t), before);
}

TEST_F(Driver, ResetReturnsToThePlanningMode) {
    SpeedButton1Click(*t);
    SpeedButton1Click(*t);
    btn_rensaClick(*t);
    EXPECT_FALSE(t->SeasonStarted);
    EXPECT_EQ(t->YearNo, 0);
    EXPECT_TRUE(t->ctl(C::GroupBox4).enabled);
    EXPECT_TRUE(t->timers[1].enabled);
    EXPECT_TRUE(t->ctl(C::TabSheet2).hint.empty());
}

TEST_F(Driver, ResetWithALoadedScenarioAsksFirst) {
    SpeedButton1Click(*t);
    t->ScenarioLoaded = true;
    t.prompts.questionAnswers = {false, true};
    btn_rensaClick(*t);
    EXPECT_TRUE(t->SeasonStarted);
    EXPECT_TRUE(t->ScenarioLoaded);
    btn_rensaClick(*t);
    EXPECT_FALSE(t->SeasonStarted);
    EXPECT_FALSE(t->ScenarioLoaded);
    ASSERT_EQ(t.prompts.questions.size(), 2u);
    EXPECT_EQ(t.prompts.questions[0], "Ett scenario är inläst. Vill du verkligen återställa?");
}

TEST_F(Driver, AShotOutStockAsksAndAvbrytLeavesItOnScreen) {
    SpeedButton1Click(*t);
    // Nothing left to winter.
    std::fill(std::begin(t->Pop.FemWinter), std::end(t->Pop.FemWinter), 0.0);
    std::fill(std::begin(t->Pop.MaleWinter), std::end(t->Pop.MaleWinter), 0.0);
    t.prompts.questionAnswers = {false};
    SpeedButton1Click(*t);
    ASSERT_EQ(t.prompts.questions.size(), 1u);
    EXPECT_EQ(t.prompts.questions[0], kShotOutQuestion);
    EXPECT_TRUE(t->SeasonStarted);
    EXPECT_LE(t->Winter.WinterStock, 0);
}

TEST_F(Driver, HistoricDataRefusesWithoutAnAreaOrDuringASeason) {
    EXPECT_FALSE(chk_statsMouseDown(*t));
    EXPECT_EQ(t.prompts.messages.back(), "Du måste först läsa in historiska data!");
    t->AreaLoaded = true;
    EXPECT_TRUE(chk_statsMouseDown(*t));
    SpeedButton1Click(*t);
    EXPECT_FALSE(chk_statsMouseDown(*t));
    EXPECT_EQ(t.prompts.messages.back(), "Återställ innan du aktiverar historiska data!");
}

}  // namespace
}  // namespace vildo

namespace vildo {
namespace {

// An area with five harvest years from the first start year, loaded by hand.
class Replay : public ::testing::Test {
protected:
    void SetUp() override {
        t.startAndSettle();
        Scheduler(*t).runFor(1500);
        test::loadHandMadeArea(*t, std::vector<test::Harvest>(6, {150, 130, 150}));
    }
    test::TestApp t;
};

TEST_F(Replay, OnePressReplaysEveryHistoricYearAndStopsAtTheEndOfTheRecord) {
    std::vector<int> years;
    t->seasonObserver = [&](const Vildo& a) { years.push_back(a.YearNo); };
    SpeedButton1Click(*t);
    EXPECT_EQ(years, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(t->YearNo, 5);
    EXPECT_FALSE(t->RulesAlways);
    // Each season's target was the harvest recorded for its year.
    EXPECT_EQ(t->StringGrid2.cell(5, 0), "2020");
    SpeedButton1Click(*t);  // past the record the hunt goes on one season a press
    EXPECT_EQ(t->YearNo, 6);
}

}  // namespace
}  // namespace vildo

namespace vildo {
namespace {

TEST_F(Driver, AShotOutStockEndsARunningCalibrationAndItsPane) {
    SpeedButton1Click(*t);
    setTimer(*t, 9, true);
    t->WorkingFront = t->hourglass = true;
    std::fill(std::begin(t->Pop.FemWinter), std::end(t->Pop.FemWinter), 0.0);
    std::fill(std::begin(t->Pop.MaleWinter), std::end(t->Pop.MaleWinter), 0.0);
    t.prompts.questionAnswers = {false};
    SpeedButton1Click(*t);
    ASSERT_EQ(t.prompts.questions.size(), 1u);
    EXPECT_FALSE(t->timers[9].enabled);
    EXPECT_FALSE(t->WorkingFront);
    EXPECT_FALSE(t->hourglass);
}

}  // namespace
}  // namespace vildo
