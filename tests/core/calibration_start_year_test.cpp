#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "app/full_calibration.h"
#include "app/start_year.h"
#include "calibration/search_step.h"
#include "calibration_fixture.h"
#include "support/test_app.h"

namespace vildo {
namespace {

TEST(SearchStep, OneStepByTheFirstMatchingRow) {
    struct Case {
        const char* what;
        int Ho;
        double H;
        int Ro;
        double R;
        bool step;
        C control;
        int delta;
    } cases[] = {
        {"more harvest seen, fewer calves: denser", 30, 26, 70, 75, true, C::Trk_density, 1},
        {"harvest matched, 4 calves more seen", 30, 30, 70, 66, true, C::Trk_barkraftovrig, 3},
        {"harvest matched, 2 calves more seen", 30, 30, 68, 66, true, C::Trk_barkraftovrig, 1},
        {"harvest matched, 6 calves fewer seen", 30, 30, 60, 66, true, C::Trk_barkraftovrig, -3},
        {"harvest matched, 1 calf fewer seen", 30, 30, 65, 66, true, C::Trk_barkraftovrig, -1},
        {"harvest matched, 2 calves fewer seen", 30, 30, 64, 66, true, C::Trk_barkraftovrig, -1},
        {"fewer calves seen, harvest below the model's", 20, 30, 60, 66, true, C::Trk_barkraftovrig, -3},
        {"less harvest seen, far", 20, 26, 66, 66, true, C::Trk_density, -3},
        {"less harvest seen, 2 below", 24, 26, 66, 66, true, C::Trk_density, -1},
        {"less harvest seen, near, calves near", 25, 26, 68, 66, true, C::Trk_density, -1},
        {"less harvest seen, near, calves far", 25, 26, 70, 66, true, C::Trk_density, -3},
        {"more harvest seen, calves equal", 30, 26, 66, 66, false, C::Trk_density, 0},
        {"all equal", 30, 30, 66, 66, false, C::Trk_density, 0},
    };
    for (const Case& c : cases) {
        std::optional<SearchStep> s = searchStep(c.Ho, c.H, c.Ro, c.R);
        ASSERT_EQ(s.has_value(), c.step) << c.what;
        if (!s) continue;
        EXPECT_EQ(s->control, c.control) << c.what;
        EXPECT_EQ(s->delta, c.delta) << c.what;
    }
}

using StartYear = test::CalibrationTest;

TEST_F(StartYear, TheCachedFitChoosesSearchReplayOrFullCalibration) {
    struct Case {
        const char* answer;
        int timer;
        bool applied;
    } cases[] = {
        {"R2;0;0;0;0;0", 2, false},
        {"R2;1,2;7,5;231;1,25;0,8", 6, true},
        {"R2;0,5;7,5;231;1,25;0,8", 12, true},
        {"R2;0;0;0;0;0", 2, false},  // the setting applied for the start year before does not count here
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        service.answers["vildosql_R2.php"] = c.answer;
        load();
        setPosition(a(), C::Trk_density, 80);
        Combo_StartyearChange(a());
        EXPECT_EQ(a().StartIndex, 2);
        EXPECT_EQ(queries("vildosql_R2.php").back(), "a=3&b=2&c=2012&d=vildodata&e=6&f=2&g=2");
        for (int n : {2, 6, 12}) EXPECT_EQ(a().timers[n].enabled, n == c.timer) << "Timer" << n;
        EXPECT_EQ(a().Recalibrate, c.timer == 2);
        EXPECT_EQ(a().CacheApplied, c.applied);
        EXPECT_EQ(a().pos(C::Trk_density), c.applied ? 75 : 80);
        if (c.applied) {
            EXPECT_EQ(a().pos(C::Trk_barkraftovrig), 231);
            EXPECT_DOUBLE_EQ(a().CCSlope, 1.25);
        }
        EXPECT_TRUE(a().AreaLoaded);
        EXPECT_TRUE(a().checked(C::chk_stats));
        EXPECT_EQ(a().StringGrid6.cell(3, 5), "100");
        EXPECT_EQ(a().SearchTicks, 1);
        for (int n : {2, 6, 12}) setTimer(a(), n, false);
    }
}

TEST_F(StartYear, AFailedFetchSearchesFromTheAreasForageChange) {
    service.answers["vildosql_R2.php"] = "R2;0,5;7,5;231;1,25;0,8";
    load();
    a().Statistics[1].R2 = 0.7;  // an earlier value in the slot does not count without the fetch
    service.offline = [](const test::FakeDataService::Call& c) { return c.script == "vildosql_R2.php"; };
    Combo_StartyearChange(a());
    EXPECT_TRUE(a().timers[2].enabled);
    EXPECT_DOUBLE_EQ(a().CCSlope, 0.5);
    EXPECT_EQ(a().ctl(C::LAlgbonitetChange).caption, "Förändring älgbonitet: 0,23 % per år");
}

TEST_F(StartYear, AnAreaItemClickSelectsTheFirstStartYearOrTheLastInBatchMode) {
    ASSERT_TRUE(areaItemClick(a(), 2, 0));
    EXPECT_EQ(a().pos(C::Combo_Startyear), 0);
    EXPECT_EQ(a().CCCount, 1);
    EXPECT_TRUE(a().timers[2].enabled);

    setChecked(a(), C::chk_trimming, true);
    ASSERT_TRUE(areaItemClick(a(), 2, 0));
    EXPECT_TRUE(a().TrimMode);
    EXPECT_EQ(a().pos(C::Combo_Startyear), 6);  // start years 2012..2018
    EXPECT_EQ(a().StartIndex, 8);
}

TEST_F(StartYear, AnAreaWithTooFewYearsHasNoStartYearToChange) {
    service.answers["vildosql.php"] = test::statisticsAnswer(5);
    ASSERT_TRUE(areaItemClick(a(), 2, 0));
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0], "Området har för få år med avskjutning för att välja ett startår.");
    EXPECT_FALSE(calibrationRunning(a()));
}

// The search with the model frozen at harvest H and calves per cow R.
class Search : public test::CalibrationTest {
protected:
    void SetUp() override {
        CalibrationTest::SetUp();
        load();
        Combo_StartyearChange(a());  // no cached fit: the search runs
        ASSERT_TRUE(a().timers[2].enabled);
        t.prompts.infos.clear();
    }
};

TEST_F(Search, ASearchStuckAtABoundEndsAfter400Comparisons) {
    struct Case {
        const char* what;
        C control;
        int start, bound;
        double H, R;
    } cases[] = {
        {"density", C::Trk_density, 296, 300, 2.6, 0.75},
        {"forage", C::Trk_barkraftovrig, 992, 1000, 3.2, 0.55},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        t.prompts.messages.clear();
        setPosition(a(), C::trk_harvest, 32);
        setPosition(a(), C::trk_reprod, c.control == C::Trk_density ? 70 : 62);
        setPosition(a(), c.control, c.start);
        freezeModel(c.H, c.R);
        KalibClick(a());
        run(60'000);
        EXPECT_EQ(a().pos(c.control), c.bound);
        EXPECT_FALSE(a().timers[2].enabled);
        EXPECT_EQ(a().SearchTicks, 401);
        ASSERT_EQ(t.prompts.messages.size(), 1u);
        EXPECT_EQ(t.prompts.messages[0], "Lyckades inte beräkna vinterstammen. Svåra ingångsvärden.");
    }
}

TEST_F(Search, ConvergenceHandsOverByTheSearchsPurpose) {
    // The fake area's observed harvest is 3.2 per 1000 ha and 0.62 calves per cow.
    freezeModel(3.2, 0.62);
    a().Recalibrate = false;
    setPosition(a(), C::Trk_density, 84);
    run(100);
    EXPECT_FALSE(a().timers[2].enabled);
    ASSERT_EQ(t.prompts.infos.size(), 1u);
    EXPECT_EQ(t.prompts.infos[0].text,
              "Vinterstammen för år 2012 har beräknats till 8,4 per 1000 hektar.\r\n\r\nEn beräkning av "
              "älgstammens utveckling kommer nu att genomföras.\r\n\r\nObservera att annan dödlighet påverkar "
              "skattningen av älgstammens storlek. Uppgifter om trafikdödlighet hämtas från databas men inte "
              "annan dödlighet.");
    EXPECT_DOUBLE_EQ(a().MortalitySignature, 10);

    // With the estimate message switched off only the short note shows.
    a().InfoFlags[2] = 0;
    a().ModelYears = 0;
    KalibClick(a());
    run(100);
    ASSERT_EQ(t.prompts.infos.size(), 2u);
    EXPECT_EQ(t.prompts.infos[1].text,
              "\r\n\r\nVinterstammen har beräknats till 8,4 per 1000 hektar.\r\n\r\nIterationer: 0\r\n\r\n\r\n\r\n");

    // A search the calibration asked for goes on to the full calibration.
    a().InfoFlags[2] = 1;
    a().Recalibrate = true;
    KalibClick(a());
    run(100);
    EXPECT_FALSE(a().Recalibrate);
    EXPECT_TRUE(a().timers[9].enabled);
    EXPECT_EQ(a().HistoricRuns, 1);  // its first historic run is done
    EXPECT_EQ(t.prompts.infos.size(), 2u);
}

TEST_F(Search, AnEquilibriumThatLeavesNoStockStartsTheSearchOverOnceFromTheLoadedArea) {
    const TPopulation loaded = a().Pop;
    const int density = a().pos(C::Trk_density), forage = a().pos(C::Trk_barkraftovrig);
    // The predators of the start window kill the stock the search has walked to.
    const auto dieOut = [&] {
        setTimer(a(), 1, false);
        a().Pop = TPopulation{};
        a().Winter.WinterStock = 0;
        a().HarvestTot.HarvestPerArea = 0;
        a().CalvesPerCow = 0;
        a().ctl(C::Trk_density).position = 150;
        a().ctl(C::Trk_barkraftovrig).position = 1000;
        a().SearchTicks = 57;
    };
    dieOut();
    Timer2Timer(a());
    EXPECT_TRUE(a().SearchRestarted);
    EXPECT_EQ(a().pos(C::Trk_density), density);
    EXPECT_EQ(a().pos(C::Trk_barkraftovrig), forage);
    EXPECT_EQ(std::memcmp(&a().Pop, &loaded, sizeof loaded), 0);
    EXPECT_GT(a().Winter.WinterStock, 0);
    EXPECT_EQ(a().SearchTicks, 1);
    EXPECT_TRUE(a().timers[1].enabled);  // a new equilibrium from there
    EXPECT_TRUE(a().timers[2].enabled);

    // Dead again in the same search: no second start, the search goes on to its limit.
    dieOut();
    Timer2Timer(a());
    EXPECT_EQ(a().SearchTicks, 58);
    EXPECT_EQ(a().pos(C::Trk_density), 150);

    // A new start year, or the search's button, may start over once more.
    for (int n = 0; n < 2; ++n) {
        a().SearchRestarted = true;
        if (n == 0)
            Combo_StartyearChange(a());
        else
            KalibClick(a());
        EXPECT_FALSE(a().SearchRestarted);
    }
}

TEST_F(Search, ItComparesOnlyAfterTheEquilibriumRunAndCountsEachComparison) {
    freezeModel(2.6, 0.75);
    setPosition(a(), C::trk_harvest, 30);
    setPosition(a(), C::trk_reprod, 70);
    setPosition(a(), C::Trk_density, 80);
    KalibClick(a());
    setTimer(a(), 1, true);
    Timer2Timer(a());  // the model is still running: nothing happens
    EXPECT_EQ(a().pos(C::Trk_density), 80);
    EXPECT_EQ(a().SearchTicks, 1);
    run(25);  // the run settles within 5 ms; the search's first tick is at 20 ms
    EXPECT_EQ(a().pos(C::Trk_density), 81);
    EXPECT_EQ(a().SearchTicks, 2);
    EXPECT_EQ(a().SearchNote, "Behöver göra en omkalibrering av området.  2");
}

TEST_F(StartYear, ManualStepsMoveOneControlAndReplay) {
    load();
    Combo_StartyearChange(a());
    setTimer(a(), 2, false);
    const int density = a().pos(C::Trk_density), forage = a().pos(C::Trk_barkraftovrig);
    Spin_densityUpClick(a());
    EXPECT_EQ(a().pos(C::Trk_density), density - 1);
    EXPECT_EQ(a().DensitySteps, 1);
    EXPECT_TRUE(a().timers[6].enabled);
    Spin_densityDownClick(a());
    Spin_densityDownClick(a());
    EXPECT_EQ(a().pos(C::Trk_density), density + 1);
    EXPECT_EQ(a().DensitySteps, -1);

    Spin_algbonitetUpClick(a());
    EXPECT_EQ(a().pos(C::Trk_barkraftovrig), forage + 5);
    EXPECT_EQ(a().Land.Algbonitet, 101);
    EXPECT_EQ(a().Land.ForageFactor, forage + 5);

    // Following the cached forage series: c1 (c1 / c0) Algbonitet / 100.
    a().Statistics[2].CC = 200;
    setChecked(a(), C::chk_simbonitet, true);
    Spin_algbonitetDownClick(a());
    EXPECT_EQ(a().Land.Algbonitet, 100);
    EXPECT_EQ(a().pos(C::Trk_barkraftovrig), 200);
}

TEST_F(StartYear, ForageChangeAndSlidersShowTheirValues) {
    load();
    Combo_StartyearChange(a());
    setTimer(a(), 2, false);
    setPosition(a(), C::UD_Lutning, 3);
    EXPECT_TRUE(a().timers[6].enabled);
    setPosition(a(), C::trk_harvest, 45);
    setPosition(a(), C::trk_reprod, 71);
    EXPECT_DOUBLE_EQ(a().HarvestSlider, 4.5);
    EXPECT_DOUBLE_EQ(a().ReproSlider, 0.71);
    EXPECT_EQ(a().ctl(C::LHarvest).caption, "Avskjutning: 4,5 per 1000 ha");
    EXPECT_EQ(a().ctl(C::Lreprod).caption, "Reproduktion: 0,71 kalv/hondjur");
}

TEST_F(StartYear, TheHuntingAreaInputAsksUntilAtLeast2000HectaresOrCancel) {
    a().Traffic = TTraffic{100, 50, 25, {}};
    t.prompts.textAnswers = {std::string("1999"), std::nullopt};
    btn_jaktarealClick(a());
    EXPECT_EQ(t.prompts.textPrompts.size(), 2u);
    EXPECT_EQ(a().HuntAreaHa, 250000);

    t.prompts.textAnswers = {std::string("två"), std::string("2000")};
    btn_jaktarealClick(a());
    EXPECT_EQ(t.prompts.textPrompts.size(), 4u);
    EXPECT_EQ(t.prompts.textPrompts.back(), "Areal:");
    EXPECT_EQ(a().HuntAreaHa, 2000);
    EXPECT_EQ(a().Header.Landarea, 2000);
    EXPECT_EQ(a().AreaKha, 2);
    EXPECT_EQ(a().Traffic.TrafficBulls, 1);  // 100 × 2000 / 250000 = 0.8
    EXPECT_EQ(a().Traffic.TrafficCows, 0);
    EXPECT_EQ(a().Land.OtherLandPct, 30);
    EXPECT_EQ(a().Land.ImpedimentPct, 0);
    EXPECT_TRUE(a().timers[1].enabled);
}

}  // namespace
}  // namespace vildo

namespace vildo {
namespace {

TEST(OpenAreaFile, AFileThatCannotBeReadLeavesTheLoadedAreaAlone) {
    test::TestApp t;
    t.startAndSettle();
    t->AreaLoaded = true;  // an area is on screen already
    const std::string bad = (t.dir.path / "trasig.omr").string();
    std::ofstream(bad, std::ios::binary) << "kort";
    t.prompts.fileAnswers = {bad};
    openAreaFile(*t);
    EXPECT_FALSE(t->timers[6].enabled);  // no replay of the old area
    EXPECT_FALSE(t->timers[2].enabled);
    EXPECT_TRUE(t->AreaLoaded);
    EXPECT_FALSE(t.prompts.messages.empty() && t.prompts.infos.empty());
}

}  // namespace
}  // namespace vildo
