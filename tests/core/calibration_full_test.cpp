#include <gtest/gtest.h>

#include "app/full_calibration.h"
#include "app/start_year.h"
#include "calibration_fixture.h"
#include "ui/working_pane.h"
#include "util/format.h"

namespace vildo {
namespace {

// The full calibration driven tick by tick: each runDone() stands for a historic run that has reached
// the last harvest year with the given measures.
class FullCalibration : public test::CalibrationTest {
protected:
    void SetUp() override {
        CalibrationTest::SetUp();
        loadAndChoose();
        t.prompts.infos.clear();
    }
    // The calibration as from its button, without its first run.
    void start() {
        a().SeasonStarted = true;
        btn_nykalibClick(a());
        ASSERT_TRUE(a().timers[9].enabled);
    }
    void runDone(double fit, double reprodSum = 0, double slopeDiff = 0, double reprodDiff = 0) {
        a().SeasonStarted = true;
        a().YearNo = a().DataYears - a().StartIndex + 1;
        a().ModelFit = fit;
        a().ReprodSum = reprodSum;
        a().SlopeDiff = slopeDiff;
        a().ReprodDiff = reprodDiff;
        Timer9Timer(a());
    }
    // Further runs of the same fit until the calibration finishes; how many it took.
    int runsUntilFinished(double fit, int limit = 100) {
        int n = 0;
        while (a().timers[9].enabled && n < limit) {
            runDone(fit);
            ++n;
        }
        return n;
    }
};

TEST_F(FullCalibration, ItWaitsForTheHistoricRunToReachTheLastHarvestYear) {
    start();
    a().YearNo = 3;
    a().ModelFit = 0.5;
    Timer9Timer(a());
    EXPECT_EQ(a().BestFit, 0);
    setTimer(a(), 2, true);  // nor while a search runs
    a().YearNo = a().DataYears - a().StartIndex + 1;
    Timer9Timer(a());
    EXPECT_EQ(a().BestFit, 0);
    setTimer(a(), 2, false);
    Timer9Timer(a());
    EXPECT_EQ(a().BestFit, 0.5);
    EXPECT_FALSE(a().timers[1].enabled);
}

TEST_F(FullCalibration, AFitThatNeverImprovesStopsAfter30QuietRoundsAndKeepsTheBest) {
    start();
    runDone(0.5);  // the first run is the best so far
    EXPECT_EQ(a().BestDensity, 80);
    EXPECT_EQ(a().BestForage, 220);
    EXPECT_EQ(runsUntilFinished(0.5), 30);
    EXPECT_EQ(a().Progress, 30);

    ASSERT_EQ(queries("vr2sql.php").size(), 1u);
    EXPECT_EQ(queries("vr2sql.php")[0],
              "c=0,5000&d=220&e=8,000&f=3022012&g=vildodata&h=0,500&i=6&j=2&k=2&l=0,200&m=12");
    EXPECT_EQ(a().pos(C::Trk_density), 80);
    EXPECT_EQ(a().pos(C::Trk_barkraftovrig), 220);
    EXPECT_DOUBLE_EQ(a().CCSlope, 0.5);
    const TStatistics& slot = a().Statistics[1];
    EXPECT_EQ(slot.CC, 220);
    EXPECT_EQ(slot.StartDens, 8);
    EXPECT_EQ(slot.R2, 0.5);
    EXPECT_FALSE(a().SeasonStarted);
    EXPECT_TRUE(a().timers[6].enabled);
    EXPECT_TRUE(a().timers[11].enabled);
}

TEST_F(FullCalibration, AFitThatAlwaysImprovesEndsAtTheReplayCapWithTheBestRun) {
    start();
    // Every round alternates a slope step, which reruns nothing, with a forage step, which reruns the years.
    int rounds = 0;
    while (a().timers[9].enabled && rounds < 1000) {
        ++rounds;
        runDone(0.3 + rounds * 0.0005);
        EXPECT_EQ(a().QuietRounds, 0);
    }
    EXPECT_EQ(a().CalibrationReplays, 300);  // 10 × the 30 quiet rounds
    EXPECT_EQ(rounds, 601);
    EXPECT_TRUE(a().StoppedAtReplayLimit);
    EXPECT_DOUBLE_EQ(a().BestFit, 0.3 + 601 * 0.0005);
    EXPECT_EQ(a().pos(C::Trk_barkraftovrig), positionOf(a().BestForage));
    ASSERT_TRUE(a().timers[11].enabled);
    Timer11Timer(a());
    ASSERT_FALSE(t.prompts.infos.empty());
    EXPECT_NE(t.prompts.infos[0].text.find("Skattningen stannade vid sin gräns på 300 körningar, och den bästa "
                                           "passningen hittills används.\r\n\r\nKontrollera annan dödlighet"),
              std::string::npos);

    // The next calibration starts with the cap unused, and its verdict says nothing of it.
    t.prompts.infos.clear();
    start();
    EXPECT_EQ(a().CalibrationReplays, 0);
    EXPECT_FALSE(a().StoppedAtReplayLimit);
    EXPECT_EQ(runsUntilFinished(0.5), 31);
    Timer11Timer(a());
    EXPECT_EQ(t.prompts.infos[0].text.find("gräns"), std::string::npos);
}

TEST_F(FullCalibration, ARoundBlockedAtAControlsLimitIsQuiet) {
    struct Case {
        const char* what;
        int density, forage;
        bool densityNext;
        double reprodSum, slopeDiff;
        int quiet;
    } cases[] = {
        {"more forage at its maximum", 80, 1000, false, 0, -0.73, 1},
        {"less forage at its minimum", 80, 1, false, 0, 0.73, 1},
        {"lower density at its minimum", 1, 220, true, -2, 0, 1},
        {"higher density at its maximum", 300, 220, true, 2, 0, 1},
        {"more forage below its maximum", 80, 999, false, 0, -0.73, 0},
        {"higher density below its maximum", 299, 220, true, 2, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setPosition(a(), C::Trk_density, c.density);
        setPosition(a(), C::Trk_barkraftovrig, c.forage);
        start();
        runDone(0.5);  // the best run: nothing quiet yet
        a().StepDensityNext = c.densityNext;
        runDone(0.5, c.reprodSum, c.slopeDiff);
        EXPECT_EQ(a().QuietRounds, c.quiet);
        setTimer(a(), 6, false);
    }
    // A stock that keeps falling too fast with the forage at its maximum: 30 such rounds end the calibration.
    setPosition(a(), C::Trk_barkraftovrig, 1000);
    start();
    int rounds = 0;
    while (a().timers[9].enabled && rounds < 100) {
        ++rounds;
        runDone(0.5, 0, -0.73);
    }
    EXPECT_EQ(rounds, 31);
    EXPECT_FALSE(a().StoppedAtReplayLimit);
}

TEST_F(FullCalibration, AFirstRunNearTheCachedFitShortensTheCalibration) {
    struct Case {
        double fit;
        int quietAfterFirst, runsAfterFirst;
    } cases[] = {
        {0.80, 0, 30},   // not above 0.8
        {0.81, 15, 15},  // above 0.92 × 0.85 and above 0.8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fit);
        a().Statistics[1].R2 = 0.85;
        a().Statistics[1].Error = 1.5;
        a().CacheApplied = true;
        a().Winter.WinterDensity = 10;
        start();
        runDone(c.fit);
        EXPECT_EQ(a().QuietRounds, c.quietAfterFirst);
        EXPECT_FALSE(a().CacheApplied);
        if (c.quietAfterFirst) {
            EXPECT_NEAR(a().FitDensityMin, 10 - 0.85 * 1.5, 1e-12);
            EXPECT_NEAR(a().FitDensityMax, 10 + 0.85 * 1.5, 1e-12);
            EXPECT_EQ(a().DensityMargin, 1.5);
        }
        EXPECT_EQ(runsUntilFinished(c.fit), c.runsAfterFirst);
    }
}

// A poisoned upload: a fit of 0.99 kept with a density and forage that the area's replay fits only poorly.
// Below half the cached fit the cache counts as missing: the user is told, the slot is emptied, and the
// calibration starts over with the winter-population search. At half or above the calibration goes on.
TEST_F(FullCalibration, AFirstRunFarBelowTheCachedFitRefutesTheCache) {
    struct Case {
        double fit;
        bool refuted;
    };
    for (Case c : {Case{0.3, true}, Case{0.49, true}, Case{0.5, false}, Case{0.7, false}}) {
        SCOPED_TRACE(c.fit);
        loadAndChoose();
        t.prompts.notes.clear();
        a().Statistics[1] = {};
        a().Statistics[1].R2 = 0.99;
        a().Statistics[1].StartDens = 30;
        a().Statistics[1].CC = 1000;
        a().Statistics[1].Error = 0.5;
        a().CacheApplied = true;
        start();
        runDone(c.fit);
        EXPECT_FALSE(a().CacheApplied);
        if (c.refuted) {
            ASSERT_EQ(t.prompts.notes.size(), 1u);
            EXPECT_EQ(t.prompts.notes[0], "Den sparade kalibreringen (passning 0,99) ger bara passningen " +
                                              fix(c.fit, 15, 2) + " för området och används inte.");
            EXPECT_EQ(a().Statistics[1].R2, 0);
            EXPECT_EQ(a().Statistics[1].StartDens, 0);
            EXPECT_EQ(a().BestFit, 0);
            EXPECT_TRUE(a().timers[2].enabled);  // the search first
            EXPECT_TRUE(a().Recalibrate);
        } else {
            EXPECT_TRUE(t.prompts.notes.empty());
            EXPECT_EQ(a().Statistics[1].R2, 0.99);
            EXPECT_FALSE(a().timers[2].enabled);
        }
        for (int n : {1, 2, 6, 9, 11, 12}) setTimer(a(), n, false);
        a().Recalibrate = false;
    }
}

TEST_F(FullCalibration, EachRunMakesOneAdjustmentInTurn) {
    struct Case {
        const char* what;
        bool densityNext;
        double reprodSum, slopeDiff, reprodDiff, ccSlope;
        int density, forage;
        double ccSlopeAfter;
        bool densityNextAfter;
    } cases[] = {
        {"too few calves: lower density", true, -0.2, 0, 0, 0.5, 79, 220, 0.5, false},
        {"too many calves: higher density", true, 0.2, 0, 0, 0.5, 81, 220, 0.5, false},
        {"calves match, trend matches: slope up", true, 0.01, 0.1, -0.1, 0.5, 80, 220, 0.9, false},
        {"calves match, trend matches: slope down", true, 0.01, 0.1, 0.1, 0.5, 80, 220, 0.1, false},
        {"the slope stays within 15", true, 0.01, 0.1, -0.1, 14.9, 80, 220, 15, false},
        {"calves match, trends apart: nothing", true, 0.01, 0.3, 0, 0.5, 80, 220, 0.5, false},
        {"stock falls too fast: more forage", true, -0.2, -0.5, 0, 0.5, 80, 225, 0.5, true},
        {"forage's turn, stock rises too fast", false, -0.2, 0.3, 0, 0.5, 80, 215, 0.5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setPosition(a(), C::Trk_density, 80);
        setPosition(a(), C::Trk_barkraftovrig, 220);
        a().CCSlope = c.ccSlope;
        start();
        a().StepDensityNext = c.densityNext;
        runDone(0.5, c.reprodSum, c.slopeDiff, c.reprodDiff);
        EXPECT_EQ(a().pos(C::Trk_density), c.density);
        EXPECT_EQ(a().pos(C::Trk_barkraftovrig), c.forage);
        EXPECT_NEAR(a().CCSlope, c.ccSlopeAfter, 1e-12);
        EXPECT_EQ(a().StepDensityNext, c.densityNextAfter);
        // A step reruns the historic years; a slope step or none does not.
        EXPECT_EQ(a().timers[6].enabled, c.density != 80 || c.forage != 220);
        setTimer(a(), 6, false);
    }
}

TEST_F(FullCalibration, NewMortalityOrPredatorsSearchTheWinterPopulationFirst) {
    struct Case {
        bool predatorsChanged;
        int mortalityRise;
        bool search;
    } cases[] = {{false, 12, false}, {false, 13, true}, {true, 0, true}};
    // Mortalities with an exact signature: (0.25 + 0.25) × 100 + 2 + 2 = 54.
    a().CalfSummerMortality = a().CalfWinterMortality = 0.25;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mortalityRise);
        a().Rov.Changed = c.predatorsChanged;
        a().MortalitySignature = mortalitySignature(a()) - c.mortalityRise;
        a().Recalibrate = false;
        setTimer(a(), 2, false);
        start();
        EXPECT_EQ(a().timers[2].enabled, c.search);
        EXPECT_EQ(a().Recalibrate, c.search);
        EXPECT_FALSE(a().Rov.Changed);
        EXPECT_TRUE(a().WorkingFront);
        EXPECT_FALSE(a().ctl(C::Lwinterdensity).visible);
        EXPECT_FALSE(a().charts[10].enabled);
    }
}

TEST_F(FullCalibration, CancelRestoresTheBestSettingAndUploadsNothing) {
    start();
    runDone(0.4, -0.2);  // best at 80; the density step lowers it to 79
    runDone(0.3, -0.2);  // forage step
    runDone(0.35, -0.2);
    ASSERT_NE(a().pos(C::Trk_density), 80);
    setTimer(a(), 2, true);  // a search the calibration asked for is cancelled with it

    PaintBox1MouseDown(a(), 650, 30, 800);  // on the box's edge: outside
    EXPECT_TRUE(a().timers[9].enabled);
    PaintBox1MouseDown(a(), 700, 30, 800);
    EXPECT_FALSE(a().timers[9].enabled);
    EXPECT_FALSE(a().timers[2].enabled);
    EXPECT_EQ(a().pos(C::Trk_density), 80);
    EXPECT_EQ(a().pos(C::Trk_barkraftovrig), 220);
    EXPECT_DOUBLE_EQ(a().Header.AreaCCSlope, 0.5);
    EXPECT_TRUE(queries("vr2sql.php").empty());
    EXPECT_EQ(a().Statistics[1].R2, 0);
    EXPECT_FALSE(a().CacheApplied);  // a cached setting confirms only the first run after it was applied
    EXPECT_EQ(t.prompts.messages,
              std::vector<std::string>{"Skattningen avbröts. Den bästa passningen hittills används."});
    EXPECT_FALSE(a().WorkingFront);
    EXPECT_TRUE(a().timers[6].enabled);
    EXPECT_TRUE(a().ctl(C::Panel_Dodlighet).enabled);
}

TEST(PaneCursor, IsAnArrowOverTheCancelBox) {
    EXPECT_TRUE(paneArrowCursor(700, 30, 800));
    EXPECT_FALSE(paneArrowCursor(640, 30, 800));
    EXPECT_FALSE(paneArrowCursor(700, 70, 800));
    EXPECT_FALSE(paneArrowCursor(770, 30, 800));
}

TEST_F(FullCalibration, TheVerdictGivesBothStocksWithTheirMarginAndTheWeakFits) {
    a().Summer.SummerStock = 1786.78;
    a().Summer.SummerDensity = 8.80;
    a().Winter.WinterStock = 1488.4;
    a().Winter.WinterDensity = 7.33;
    a().DensityMargin = 2.72;
    a().ObsFit = 0.59;
    a().ReprodFit = 0.6;
    a().BullShareFit = 0.8;
    a().BullShareSum = -0.25;
    a().CCSlope = -1.2;
    setTimer(a(), 11, true);
    Timer11Timer(a());
    EXPECT_FALSE(a().timers[11].enabled);
    ASSERT_EQ(t.prompts.infos.size(), 2u);
    EXPECT_EQ(t.prompts.infos[0].text,
              "Älgstammen har beräknats till:\r\n\r\nFöre jakt: 1 787 st. Täthet: 8,8 +- 2,7 per 1000 hektar\r\n\r\n"
              "Efter jakt: 1 488 st. Täthet: 7,3 +- 2,7 per 1000 hektar\r\n\r\n"
              "Passning mellan Älgobs per mantimma och älgtäthet är bristfällig\r\n\r\n"
              "Passning mellan tjurandel enligt älgobs och simulerad tjurandel är bristfällig. Justera dödlighet "
              "för tjur och hondjur för en bättre passning. Detta kommer att påverka vinterstammens "
              "numerär.\r\n\r\nKontrollera annan dödlighet vilken har inverkan på resultatet.");
    EXPECT_FALSE(t.prompts.infos[0].showBox);
    EXPECT_TRUE(t.prompts.infos[1].showBox);
    EXPECT_EQ(t.prompts.infos[1].text.rfind("Historiska avskjutningsdata är slut.", 0), 0u);
    EXPECT_DOUBLE_EQ(a().Header.AreaCCSlope, -1.2);
    EXPECT_TRUE(a().charts[10].enabled);

    a().InfoFlags[6] = 0;
    Timer11Timer(a());
    EXPECT_EQ(t.prompts.infos.size(), 3u);
}

TEST_F(FullCalibration, UploadsSendTheMarginAndStoreTheFitWhateverTheAnswer) {
    a().ModelFit = 0.42;
    a().BaseForageFactor = 215;
    a().BestCCSlope = -0.4;
    sendZeroFit(a());
    ASSERT_EQ(queries("vr2sql.php").size(), 1u);
    EXPECT_EQ(queries("vr2sql.php")[0], "c=0,000&d=215&e=0&f=3022012&g=vildodata&h=-0,400&i=6&j=2&k=2&l=0,200&m=12");
    EXPECT_EQ(a().Statistics[1].R2, 0.42);

    a().BestFit = 0.5;
    a().FitDensityMin = 6;
    a().FitDensityMax = 9;
    a().ModelFit = 0.55;
    service.offline = [](const test::FakeDataService::Call& c) { return c.script == "vr2sql.php"; };
    EXPECT_FALSE(uploadCalibration(a(), "0,5500", lastRunSetting(a())));
    EXPECT_DOUBLE_EQ(a().DensityMargin, 3);
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0], "Något gick fel R2 värde skulle uppdateras.");
    EXPECT_EQ(a().Statistics[1].R2, 0.55);
}

TEST_F(FullCalibration, TheProgressPaneShowsTheRoundsAndTheMeasures) {
    a().Progress = 6;
    WorkingPane p = Working(a(), 900, 600);
    EXPECT_EQ(p.cancelBox.left, 750);
    EXPECT_EQ(p.progressFrame.left, 300);
    EXPECT_EQ(p.progressFill.right, 300 + 60);  // 6 of 30 rounds of 300 px
    a().CalibrationReplays = 150;               // further on: half the replays of the cap
    EXPECT_EQ(Working(a(), 900, 600).progressFill.right, 300 + 150);
    a().CalibrationReplays = 0;
    auto has = [&](const WorkingPane& pane, const std::string& text) {
        for (const PaneText& x : pane.texts)
            if (x.text == text) return true;
        return false;
    };
    EXPECT_TRUE(has(p, "Avbryt"));
    EXPECT_TRUE(has(p, "Glöm inte att komplettera med rovdjursdödlighet om varg eller björn förekommer i området."));
    EXPECT_TRUE(has(p, "Tid: 0 s"));
    EXPECT_TRUE(has(p, "CC:          2,20"));
    a().Progress = 15;
    EXPECT_TRUE(has(Working(a(), 900, 600),
                    "Du vet väl att du kan spara området till vald mapp under arkiv! Då sparas inställningar för "
                    "t.ex. predation."));
}

}  // namespace
}  // namespace vildo
