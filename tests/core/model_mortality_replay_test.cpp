// A mortality, predator or cow-risk change while a historic replay is on screen: the history is simulated
// again from its first year with the new value.
#include <gtest/gtest.h>

#include <vector>

#include "app/scheduler.h"
#include "app/season_driver.h"
#include "model/parameters.h"
#include "support/historic_area.h"
#include "support/test_app.h"

namespace vildo {
namespace {

// An area with five harvest years from the start year, loaded by hand, and its history replayed.
class ReplayedHistory : public ::testing::Test {
protected:
    void SetUp() override {
        t.startAndSettle();
        Scheduler(*t).runFor(1500);
        test::loadHandMadeArea(*t, std::vector<test::Harvest>(6, {150, 130, 150}));
        t->seasonObserver = [this](const Vildo& a) { seasons.push_back(a.YearNo); };
        SpeedButton1Click(*t);
        ASSERT_EQ(t->YearNo, 5);
        ASSERT_FALSE(t->timers[6].enabled);
        seasons.clear();
    }
    // Runs the timers until the replay has started and come to rest.
    void runReplay() {
        Scheduler(*t).runUntil([&] { return !t->timers[6].enabled && !t->timers[1].enabled; });
    }
    test::TestApp t;
    std::vector<int> seasons;
};

struct Change {
    C control;
    int position;
};
constexpr Change kChanges[] = {
    {C::Trk_kalvdodlighetsommar, 12},
    {C::Trk_Kalvdodlighetvinter, 7},
    {C::trk_tjurdodlighet, 5},
    {C::trk_kododlighet, 4},
    {C::trk_korisk, 30},
    {C::Trk_vargmortalitet, 135},
    {C::Trk_bjornmortalitet, 9},
};

TEST_F(ReplayedHistory, EachUpDownClearsTheHistoryAndReplaysItFromTheFirstYear) {
    for (Change c : kChanges) {
        setPosition(*t, c.control, c.position);
        EXPECT_FALSE(t->SeasonStarted) << t->ctl(c.control).name;
        EXPECT_EQ(t->YearNo, 0) << t->ctl(c.control).name;
        EXPECT_TRUE(t->timers[6].enabled) << t->ctl(c.control).name;
        EXPECT_TRUE(t->charts[5].series[0].points.empty()) << t->ctl(c.control).name;
        runReplay();
        EXPECT_EQ(seasons, (std::vector<int>{1, 2, 3, 4, 5})) << t->ctl(c.control).name;
        EXPECT_TRUE(t->SeasonStarted) << t->ctl(c.control).name;
        seasons.clear();
    }
}

TEST_F(ReplayedHistory, TheReplayedHistoryRunsWithTheNewValue) {
    const double stockBefore = t->Winter.WinterStock;
    setPosition(*t, C::trk_kododlighet, 6);
    runReplay();
    ASSERT_EQ(t->YearNo, 5);
    EXPECT_EQ(t->NatMortPctF, 6);
    EXPECT_LT(t->Winter.WinterStock, stockBefore);
}

TEST_F(ReplayedHistory, NoReplayWithoutAHistoricSeasonOnScreen) {
    struct Case {
        const char* what;
        void (*arrange)(test::TestApp&);
        bool seasonStays;
    };
    const Case cases[] = {
        {"information dialog showing", [](test::TestApp& a) { a->infoShowing = true; }, true},
        {"historic data off", [](test::TestApp& a) { a->ctl(C::chk_stats).position = 0; }, true},
        {"reset of a loaded scenario turned down",
         [](test::TestApp& a) {
             a->ScenarioLoaded = true;
             a.prompts.questionAnswers = {false};
         },
         true},
        {"no season started", [](test::TestApp& a) { btn_rensaClick(*a); }, false},
    };
    for (const Case& c : cases) {
        c.arrange(t);
        const int year = t->YearNo;
        setPosition(*t, C::Trk_kalvdodlighetsommar, t->pos(C::Trk_kalvdodlighetsommar) + 1);
        EXPECT_DOUBLE_EQ(t->CalfSummerMortality, t->pos(C::Trk_kalvdodlighetsommar) * 0.01) << c.what;
        EXPECT_FALSE(t->timers[6].enabled) << c.what;
        EXPECT_EQ(t->SeasonStarted, c.seasonStays) << c.what;
        EXPECT_EQ(t->YearNo, year) << c.what;
        // Back to the replayed history for the next case.
        t->infoShowing = false;
        t->ScenarioLoaded = false;
        t->ctl(C::chk_stats).position = 1;
        if (!t->SeasonStarted) {
            t.settle();
            SpeedButton1Click(*t);
            ASSERT_EQ(t->YearNo, 5) << c.what;
        }
    }
}

}  // namespace
}  // namespace vildo
