#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/chart_editing.h"
#include "app/view_menu.h"
#include "support/test_app.h"
#include "ui/chart_ops.h"

namespace vildo {
namespace {

constexpr int kYear = 2026;
constexpr double kY0 = kYear - 1;

class Charts : public ::testing::Test {
protected:
    void SetUp() override { t.startAndSettle(); }
    Chart& chart(int n) { return t->charts[n]; }
    Series& series(int n, size_t i) { return t->charts[n].series.at(i); }
    void expertMode() {
        click(*t, C::Advanced);
        click(*t, C::Expertmode1);
    }
    // An area with records 1..n, years from 2010 on.
    void loadRecords(int n) {
        t->Statistics.assign(static_cast<size_t>(n) + 1, TStatistics{});
        for (int i = 1; i <= n; ++i) {
            TStatistics& s = t->Statistics[static_cast<size_t>(i)];
            s.year = 2009 + i;
            s.varg = i;
            s.bjorn = 2 * i;
            s.reprod = 0.5 + 0.01 * i;
            s.tjurobs = 0.3;
        }
        t->DataYears = n;
        t->ctl(C::LOmrade).caption = "Område: Testområde";
    }
    test::TestApp t{12345, kYear};
};

TEST_F(Charts, InitialisationSetsYearAxesTenPredatorYearsAndHidesSecondarySeries) {
    for (int n : {5, 8, 10}) {
        EXPECT_EQ(chart(n).bottom.min, kY0);
        EXPECT_EQ(chart(n).bottom.max, kY0 + 10);
    }
    for (size_t s : {0, 1}) {
        ASSERT_EQ(series(10, s).points.size(), 10u);
        EXPECT_EQ(series(10, s).points.front().x, kY0);
        EXPECT_EQ(series(10, s).points.back().x, kY0 + 9);
        EXPECT_EQ(series(10, s).largestY(), 0);
    }
    for (size_t s = 0; s <= 10; ++s) EXPECT_EQ(series(5, s).active, s < 3) << s;
    EXPECT_FALSE(series(8, 1).active || series(8, 3).active);
    EXPECT_TRUE(series(8, 0).active && series(8, 2).active);
    EXPECT_EQ(chart(10).background, 0x333333u);
    // The empty density chart spans twice the wanted winter density (8,0 per 1000 ha).
    EXPECT_TRUE(series(5, 0).points.empty());
    EXPECT_FALSE(chart(5).left.automatic);
    EXPECT_EQ(chart(5).left.min, 0);
    EXPECT_DOUBLE_EQ(chart(5).left.max, 16);
}

TEST_F(Charts, SettledRunDrawsThePyramidsAndTheParameterGraphs) {
    for (int n : {1, 2})
        for (size_t s : {0, 1}) EXPECT_EQ(series(n, s).points.size(), 20u);
    // Females to the left, positions 1..20 for ages 0..19.
    EXPECT_LT(series(1, 1).points[3].x, 0);
    EXPECT_EQ(series(1, 1).points[3].y, 4);
    EXPECT_EQ(series(6, 0).points.size(), 21u);
    EXPECT_EQ(series(4, 0).points.size(), 21u);
    EXPECT_EQ(series(7, 1).points.size(), 21u);
    EXPECT_EQ(series(9, 5).points.at(0).label, "Kalv");
    EXPECT_EQ(series(3, 0).points.size(), 4u);
}

TEST_F(Charts, PyramidBarsAreRoundedToOneDecimalHalvesToEven) {
    t->Pop.MaleWinter[0] = 0.25;
    t->Pop.FemWinter[0] = 0.75;
    t->Harvest.MaleShot[0] = 1.04;
    clearPyramids(*t);
    Graph(*t, 0);
    EXPECT_DOUBLE_EQ(series(1, 0).points.at(0).x, 0.2);
    EXPECT_DOUBLE_EQ(series(1, 1).points.at(0).x, -0.8);
    EXPECT_DOUBLE_EQ(series(2, 0).points.at(0).x, 1.0);
    EXPECT_EQ(series(1, 0).points.at(0).y, 1);
}

TEST_F(Charts, LandUsePieHasItsFourSlicesInOrder) {
    t->Land.ImpedimentPct = 4;
    t->Land.OtherLandPct = 26;
    t->Land.YoungForestPct = 5.5;
    t->Land.ForestPct = 64;
    landUsePie(*t);
    const auto& p = series(3, 0).points;
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].label, "Tätort");
    EXPECT_EQ(p[0].colour, 0x808080u);
    EXPECT_EQ(p[1].label, "Övrig öppen");
    EXPECT_EQ(p[2].label, "Ungskog");
    EXPECT_EQ(p[2].y, 5.5);
    EXPECT_EQ(p[3].label, "Skogsmark");
    EXPECT_EQ(p[3].colour, 0x006400u);
}

TEST_F(Charts, FecundityBarsFollowTheMouseButtonsWithinZeroToThree) {
    expertMode();
    struct Case {
        double start;
        MouseButton button;
        double expected;
    } cases[] = {
        {2.95, MouseButton::Left, 3.0}, {3.0, MouseButton::Left, 3.0},   {1.0, MouseButton::Right, 0.9},
        {0.05, MouseButton::Right, 0},  {1.0, MouseButton::Middle, 1.0},
    };
    for (const Case& c : cases) {
        t->Pop.Fecundity[5] = c.start;
        Chart6ClickSeries(*t, 5, c.button);
        EXPECT_DOUBLE_EQ(t->Pop.Fecundity[5], c.expected) << c.start;
    }
    EXPECT_TRUE(t->SettingsChanged);
    EXPECT_EQ(t->Tick, 0);
    Chart6ClickSeries(*t, 5, MouseButton::Left);
    ASSERT_TRUE(t->checked(C::CheckBox1));
    EXPECT_DOUBLE_EQ(series(6, 0).points.at(5).y, 1.1 * t->Fec.FecundityFactor);
}

TEST_F(Charts, FecundityEditingNeedsExpertModeAndRestartsTheRunOnlyInTheFirstSeasonYear) {
    t->Pop.Fecundity[5] = 1.0;
    Chart6ClickSeries(*t, 5, MouseButton::Left);
    EXPECT_DOUBLE_EQ(t->Pop.Fecundity[5], 1.0);
    expertMode();
    Chart6ClickSeries(*t, 5, MouseButton::Left);
    EXPECT_FALSE(t->timers[1].enabled);
    t->YearNo = 1;
    Chart6ClickSeries(*t, 5, MouseButton::Left);
    EXPECT_TRUE(t->timers[1].enabled);
    EXPECT_DOUBLE_EQ(t->Pop.Fecundity[5], 1.2);
}

TEST_F(Charts, CarcassWeightsFollowTheMouseButtonsWithinZeroTo300) {
    expertMode();
    struct Case {
        int series;
        double start;
        MouseButton button;
        double expected;
    } cases[] = {
        {0, 0, MouseButton::Right, 0},
        {0, 120, MouseButton::Left, 121},
        {1, 300, MouseButton::Left, 300},
        {1, 150, MouseButton::Right, 149},
    };
    for (const Case& c : cases) {
        double& w = c.series == 0 ? t->Harvest.FemWeight[3] : t->Harvest.MaleWeight[3];
        w = c.start;
        Chart4ClickSeries(*t, c.series, 3, c.button);
        EXPECT_DOUBLE_EQ(w, c.expected) << c.series << " " << c.start;
        EXPECT_DOUBLE_EQ(series(4, static_cast<size_t>(c.series)).points.at(3).y, c.expected);
    }
    click(*t, C::Expertmode1);
    Chart4ClickSeries(*t, 0, 3, MouseButton::Left);
    EXPECT_DOUBLE_EQ(t->Harvest.FemWeight[3], 121);
}

TEST_F(Charts, DraggingTheWolfCurveStoresHalvesNeverNegativeAndRaisesTheAxis) {
    const double y = chart(10).bottom.min;
    Chart10MouseDown(*t, MouseButton::Left);
    Chart10MouseMove(*t, y + 2.2, -3);
    EXPECT_EQ(series(10, 0).points[2].y, 0);
    Chart10MouseMove(*t, y + 1.9, 12.3);
    EXPECT_EQ(series(10, 0).points[2].y, 12.5);
    EXPECT_EQ(chart(10).left.max, 14.5);
    Chart10MouseMove(*t, y + 40, 5);         // no point there
    Chart10MouseUp(*t, MouseButton::Right);  // not the button that was pressed
    EXPECT_EQ(t->predatorDrag, 0);
    Chart10MouseUp(*t, MouseButton::Left);
    EXPECT_EQ(t->predatorDrag, -1);
    EXPECT_EQ(chart(10).left.max, 14);  // round(12.5 + 2) = 14, halves to even
    EXPECT_EQ(chart(10).right.max, 10);
    ASSERT_EQ(t->Rov.Vargrevir.size(), 10u);
    EXPECT_EQ(t->Rov.Vargrevir[2], 12.5);
    EXPECT_EQ(t->Rov.Bjornpop.size(), 10u);
    EXPECT_FALSE(t->Rov.Changed);  // the first year did not move
    EXPECT_TRUE(t->SettingsChanged);
    EXPECT_TRUE(t->timers[1].enabled);  // the land-use update restarts the run
    // Without a held button a move changes nothing.
    Chart10MouseMove(*t, y + 3, 7);
    EXPECT_EQ(series(10, 0).points[3].y, 0);
}

TEST_F(Charts, TheRightButtonDragsTheBearsOnTheRightAxis) {
    const double y = chart(10).bottom.min;
    Chart10MouseDown(*t, MouseButton::Right);
    Chart10MouseMove(*t, y, 11.74);
    EXPECT_EQ(series(10, 1).points[0].y, 11.5);
    EXPECT_EQ(chart(10).right.max, 13.5);
    EXPECT_EQ(chart(10).left.max, 10);
    Chart10MouseUp(*t, MouseButton::Right);
    EXPECT_EQ(t->Rov.Bjornpop.at(0), 11.5);
    EXPECT_TRUE(t->Rov.Changed);
}

TEST_F(Charts, AMoveOfTheFirstYearByMoreThanItsOwnSizeMarksThePredatorsChanged) {
    struct Case {
        double stored, dragged;
        bool changed;
    } cases[] = {{4, 8, false}, {4, 8.5, true}, {0.5, 1.5, false}, {0.5, 2, true}, {0, 1, false}};
    const double y = chart(10).bottom.min;
    for (const Case& c : cases) {
        t->Rov.Vargrevir.assign(10, c.stored);
        t->Rov.Bjornpop.assign(10, 0);
        t->Rov.Changed = false;
        for (size_t s : {0, 1}) series(10, s).points.at(0).y = s == 0 ? c.stored : 0;
        Chart10MouseDown(*t, MouseButton::Left);
        Chart10MouseMove(*t, y, c.dragged);
        Chart10MouseUp(*t, MouseButton::Left);
        EXPECT_EQ(t->Rov.Changed, c.changed) << c.stored << " -> " << c.dragged;
    }
}

TEST_F(Charts, PredatorEditingWaitsWhileTheChartIsDisabled) {
    chart(10).enabled = false;
    Chart10MouseDown(*t, MouseButton::Left);
    Chart10MouseMove(*t, chart(10).bottom.min, 4);
    EXPECT_EQ(series(10, 0).points[0].y, 0);
}

TEST_F(Charts, MortalityViewRoundsItsAxisUpToTheNextTen) {
    click(*t, C::Ddlighet1);
    struct Case {
        double largest, axisMax;
    } cases[] = {{37, 40}, {40, 50}, {0, 10}, {9.6, 20}, {-15, 10}};
    for (const Case& c : cases) {
        for (size_t s = 7; s <= 10; ++s) series(5, s).points.clear();
        series(5, 8).points.push_back({kY0 - 5, c.largest, {}, 0});
        PopGraph(*t, 0);
        EXPECT_EQ(chart(5).left.max, c.axisMax) << c.largest;
        EXPECT_EQ(chart(5).left.increment, 10);
    }
}

TEST_F(Charts, DensityViewScalesToTheLargestSummerDensitySeen) {
    t->MaxSummerDensity = 0;
    t->Summer.SummerDensity = 3.4;
    PopGraph(*t, 0);
    EXPECT_EQ(chart(5).left.max, 6);
    t->Summer.SummerDensity = 10.5;  // rounds to 10
    PopGraph(*t, 1);
    EXPECT_EQ(t->MaxSummerDensity, 10);
    EXPECT_DOUBLE_EQ(chart(5).left.max, 12);
    t->Summer.SummerDensity = 2;
    PopGraph(*t, 2);
    EXPECT_DOUBLE_EQ(chart(5).left.max, 12);
}

TEST_F(Charts, TheYearAxisGrowsTwoYearsBeyondTheLastSeason) {
    PopGraph(*t, 3);
    EXPECT_EQ(chart(5).bottom.min, kY0);
    EXPECT_EQ(chart(5).bottom.max, kY0 + 10);
    PopGraph(*t, 20);
    EXPECT_EQ(chart(5).bottom.max, kY0 + 22);
    EXPECT_EQ(chart(8).bottom.max, kY0 + 22);
    EXPECT_EQ(series(5, 0).points.back().x, kY0 + 20);
}

TEST_F(Charts, AYearDrawnTwiceKeepsOnePoint) {
    Cleargraph(*t);
    PopGraph(*t, 0);
    t->Summer.SummerDensity = 99;
    PopGraph(*t, 0);  // a view change redraws the current year
    ASSERT_EQ(series(5, 0).points.size(), 1u);
    EXPECT_EQ(series(5, 0).points[0].y, 99);
}

TEST_F(Charts, YearlyCurvesPlotDeathsByCauseAndHabitatChange) {
    Cleargraph(*t);
    t->BaseForageFactor = 200;
    t->Land.ForageFactor = 220;
    t->BaseYoungForestPct = 0;  // no base: no point
    t->Winter.WinterDeaths = 30;
    t->Summer.SummerDeaths = 20;
    t->Traffic.TrafficBulls = 2;
    t->Traffic.TrafficCows = 3;
    t->Traffic.TrafficCalves = 5;
    t->Rov.Vargdodade = 12;
    t->Rov.Bjorndodade = 4;
    PopGraph(*t, 1);
    EXPECT_NEAR(series(5, 5).points.at(0).y, 10, 1e-9);
    EXPECT_TRUE(series(5, 6).points.empty());
    EXPECT_EQ(series(5, 7).points.at(0).y, 50 - (10 + 12 + 4));
    EXPECT_EQ(series(5, 8).points.at(0).y, 10);
    EXPECT_EQ(series(5, 9).points.at(0).y, 12);
    EXPECT_EQ(series(5, 10).points.at(0).y, 4);
    EXPECT_EQ(series(5, 10).points.at(0).x, kY0 + 1);
}

TEST_F(Charts, WithHistoricDataTheFirstSeasonIsPlottedAtTheFirstHistoricYear) {
    loadRecords(12);
    t->ctl(C::chk_stats).position = 1;
    t->StartIndex = 3;
    Cleargraph(*t);
    EXPECT_EQ(chart(5).bottom.min, 2012);
    PopGraph(*t, 1);
    EXPECT_EQ(series(5, 0).points.at(0).x, 2012);
    EXPECT_DOUBLE_EQ(series(8, 1).points.at(0).y, 0.53);  // the observed reproduction of the record shown
    PopGraph(*t, 2);
    EXPECT_EQ(series(5, 0).points.at(1).x, 2013);
    EXPECT_DOUBLE_EQ(series(8, 1).points.at(1).y, 0.54);
    EXPECT_EQ(series(8, 3).points.at(1).y, 0.3);
}

TEST_F(Charts, TheLastPredatorYearCarriesOnIntoTheNext) {
    Cleargraph(*t);
    series(10, 0).points[9].y = 3.5;
    series(10, 1).points[9].y = 6;
    PopGraph(*t, 5);  // not yet at the last year: nothing carries on
    EXPECT_EQ(series(10, 0).points.size(), 10u);
    PopGraph(*t, 9);
    ASSERT_EQ(series(10, 0).points.size(), 11u);
    EXPECT_EQ(series(10, 0).points[10].x, kY0 + 10);
    EXPECT_EQ(series(10, 0).points[10].y, 3.5);
    EXPECT_EQ(series(10, 1).points[10].y, 6);
    // Without an area the arrays were empty: they take the chart's years before the new one.
    ASSERT_EQ(t->Rov.Vargrevir.size(), 11u);
    EXPECT_EQ(t->Rov.Vargrevir[9], 3.5);
    EXPECT_EQ(t->Rov.Vargrevir[10], 3.5);
    EXPECT_EQ(t->Rov.Bjornpop[10], 6);
    EXPECT_EQ(chart(10).bottom.max, kY0 + 11 + 2);
}

TEST_F(Charts, ClearingEmptiesTheYearlyChartsAndFitsThePredatorYears) {
    PopGraph(*t, 4);
    t->Rov.Vargrevir.assign(12, 0);
    Cleargraph(*t);
    for (const Series& s : chart(5).series) EXPECT_TRUE(s.points.empty());
    for (const Series& s : chart(8).series) EXPECT_TRUE(s.points.empty());
    EXPECT_EQ(chart(10).bottom.max, kY0 + 14);
    t->Rov.Vargrevir.assign(7, 0);
    Cleargraph(*t);
    EXPECT_EQ(chart(10).bottom.max, kY0 + 10);
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST_F(Charts, ClearingWithAMissingHistoricRecordReportsAndKeepsTheCharts) {
    PopGraph(*t, 4);
    t->ctl(C::chk_stats).position = 1;  // no records behind it
    Cleargraph(*t);
    EXPECT_EQ(t.prompts.messages, std::vector<std::string>{"Fel när diagrammet skulle rensas."});
    EXPECT_EQ(series(5, 0).points.size(), 1u);
    EXPECT_EQ(chart(5).bottom.max, kY0 + 10);
}

TEST_F(Charts, PredatorHistoryComesFromTheAreasRecords) {
    loadRecords(4);
    Rovdjursgraf(*t);
    ASSERT_EQ(series(10, 0).points.size(), 4u);
    EXPECT_EQ(series(10, 0).points[0].x, 2010);
    EXPECT_EQ(series(10, 0).points[3].x, 2013);
    EXPECT_EQ(series(10, 0).points[3].y, 4);
    EXPECT_EQ(series(10, 1).points[3].y, 8);
}

TEST_F(Charts, FecundityShowsTheCurrentOrTheBaseCurveNeverBelowZero) {
    t->Pop.Fecundity[2] = -0.4;
    t->Pop.Fecundity[6] = 1.5;
    t->Fec.FecundityFactor = 0.5;
    Fekgraph(*t);
    EXPECT_EQ(series(6, 0).points[2].y, 0);
    EXPECT_EQ(series(6, 0).points[6].y, 0.75);
    click(*t, C::CheckBox1);
    EXPECT_EQ(series(6, 0).points[6].y, 1.5);
}

TEST_F(Charts, MortalityGraphStartsWithTheCalvesBothMonthsTogether) {
    t->CalfSummerMortality = 0.04;
    t->CalfWinterMortality = 0.05;
    Dodlighetgraf(*t);
    EXPECT_DOUBLE_EQ(series(7, 0).points[0].y, 9);
    EXPECT_DOUBLE_EQ(series(7, 1).points[0].y, 9);
    EXPECT_DOUBLE_EQ(series(7, 1).points[20].y, t->MaleMortWeight[20] * 100);
}

TEST_F(Charts, ALandUseChangeRedrawsTheCarcassWeights) {
    setPosition(*t, C::trk_slaktvikttjur, 220);
    EXPECT_DOUBLE_EQ(series(4, 1).points[5].y, t->Harvest.MaleWeight[5]);
    EXPECT_EQ(t->ctl(C::LSlaktviktkonsttjur).caption, "Slaktvikt tjur (max):220 kg");
}

TEST_F(Charts, LeftViewsShowExactlyTheirCharts) {
    auto shown = [&] {
        std::vector<int> v;
        for (int n : {1, 2, 8, 9})
            if (chart(n).visible) v.push_back(n);
        return v;
    };
    EXPECT_EQ(shown(), std::vector<int>{8});
    click(*t, C::Demografi1);
    EXPECT_EQ(shown(), (std::vector<int>{1, 2}));
    EXPECT_FALSE(t->checked(C::ReproduktionochTjurandel1));
    click(*t, C::Demografi1);  // the checked item stays checked
    EXPECT_TRUE(t->checked(C::Demografi1));
    EXPECT_EQ(shown(), (std::vector<int>{1, 2}));
    click(*t, C::Avskjutning1);
    EXPECT_EQ(shown(), std::vector<int>{9});
    EXPECT_FALSE(series(9, 0).active);
    EXPECT_TRUE(series(9, 5).active);
    EXPECT_FALSE(chart(9).bottom.visible);
    click(*t, C::Medellder1);
    EXPECT_TRUE(series(9, 1).active);
    EXPECT_FALSE(series(9, 2).active);
    EXPECT_TRUE(chart(9).bottom.visible);
    EXPECT_FALSE(t->checked(C::Avskjutning1));
}

TEST_F(Charts, RightViewsSwitchTheCurveGroupsAndRedrawTheYear) {
    series(5, 4).active = true;
    click(*t, C::Ddlighet1);
    for (size_t s = 0; s <= 10; ++s) EXPECT_EQ(series(5, s).active, s >= 7 || s == 4) << s;
    EXPECT_FALSE(t->checked(C::lgtthetochAvskjutning1));
    EXPECT_EQ(series(5, 7).points.size(), 1u);
    t->ctl(C::Foderochlgbonitet1).enabled = true;
    click(*t, C::Foderochlgbonitet1);
    EXPECT_TRUE(series(5, 5).active && series(5, 6).active);
    EXPECT_FALSE(series(5, 7).active);
    EXPECT_EQ(chart(5).left.min, -100);
    click(*t, C::lgtthetochAvskjutning1);
    EXPECT_TRUE(series(5, 3).active);
    EXPECT_FALSE(series(5, 5).active);
}

TEST_F(Charts, EachRightViewTitlesItsAxisWithItsUnit) {
    t->ctl(C::Foderochlgbonitet1).enabled = true;
    const struct {
        C view;
        const char* title;
    } cases[] = {{C::Ddlighet1, "Döda älgar per år"},
                 {C::Foderochlgbonitet1, "Förändring från utgångsläget (%)"},
                 {C::lgtthetochAvskjutning1, "Älgar per 1000 ha"}};
    for (const auto& c : cases) {
        click(*t, c.view);
        EXPECT_EQ(chart(5).left.title, c.title);
        EXPECT_EQ(chart(5).bottom.title, "År");
    }
}

TEST_F(Charts, TheBandAtTheMainChartsTopRightShowsTheMeanAges) {
    struct Case {
        int leftOfRight, belowTop;
        bool meanAges;
    } cases[] = {{19, 10, false}, {101, 10, false}, {50, 0, false}, {50, 30, false}, {20, 1, true}, {100, 29, true}};
    for (const Case& c : cases) {
        click(*t, C::ReproduktionochTjurandel1);
        Chart5Click(*t, c.leftOfRight, c.belowTop);
        EXPECT_EQ(t->checked(C::Medellder1), c.meanAges) << c.leftOfRight << "," << c.belowTop;
        EXPECT_EQ(chart(9).visible, c.meanAges);
    }
}

TEST(ChartLayout, AxisLabelsKeepTheirStepWhileTheyFitAndCoarsenOnlyWhenTheyWouldOverlap) {
    struct Case {
        const char* what;
        double lo, hi, step, pixels, labelPixels, expected;
    };
    const Case cases[] = {
        {"ages every 2 on a wide chart", -1, 21, 2, 400, 30, 2},
        {"ages at exactly the label distance", -1, 21, 2, 330, 30, 2},
        {"ages on a narrow chart", -1, 21, 2, 200, 30, 4},
        {"density every 1 where it fits", 0, 16, 1, 300, 16, 1},
        {"density on a low chart", 0, 16, 1, 200, 16, 2},
        {"tenths of a calf", -0.1, 3, 0.1, 200, 16, 0.5},
        {"an automatic axis", 0, 1000, 0, 400, 40, 100},
        {"an automatic axis with room", 0, 10, 0, 1000, 40, 0.5},
        {"labels that never fit take the whole range", 0, 10, 1, 20, 40, 10},
        {"an empty range keeps the step", 5, 5, 2, 300, 30, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DOUBLE_EQ(axisLabelStep(c.lo, c.hi, c.step, c.pixels, c.labelPixels), c.expected);
    }
}

TEST(ChartLayout, AMarkThatWouldOverlapADrawnOneIsLeftOut) {
    struct Case {
        const char* what;
        std::vector<MarkBox> boxes;
        std::vector<bool> drawn;
    };
    const Case cases[] = {
        {"the same place twice", {{10, 10, 30, 15}, {10, 10, 30, 15}}, {true, false}},
        {"side by side, touching", {{10, 10, 30, 15}, {40, 10, 30, 15}}, {true, true}},
        {"partly over each other", {{10, 10, 30, 15}, {35, 20, 30, 15}}, {true, false}},
        {"over a left-out mark only", {{10, 10, 30, 15}, {35, 10, 30, 15}, {62, 10, 30, 15}}, {true, false, true}},
        {"none", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(marksDrawn(c.boxes), c.drawn);
    }
}

TEST(ChartLayout, TheLegendWrapsIntoRowsBelowThePlot) {
    struct Case {
        const char* what;
        std::vector<double> widths;
        double available;
        int columns;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {"all on one line", {100, 100, 100, 100}, 500, 0, {4}},
        {"two lines", {100, 100, 100, 100}, 250, 0, {2, 2}},
        {"at most four a row", std::vector<double>(11, 50), 2000, 4, {4, 4, 3}},
        {"too wide for any row", {100, 400, 100}, 300, 0, {1, 1, 1}},
        {"no entries", {}, 300, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(legendRows(c.widths, c.available, 10, c.columns), c.rows);
    }
}

}  // namespace
}  // namespace vildo
