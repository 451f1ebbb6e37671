#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_app.h"
#include "ui/labels.h"

namespace vildo {
namespace {

class LabelsTest : public ::testing::Test {
protected:
    void SetUp() override { t.startAndSettle(); }
    std::string caption(C id) { return t->ctl(id).caption; }
    test::TestApp t;
};

TEST_F(LabelsTest, SettledRunShowsItsKeyFiguresAndFooters) {
    EXPECT_EQ(caption(C::LDensityset), "Vinterstam: 8,0 per 1000 ha");
    EXPECT_EQ(caption(C::LKalvdodlighet), "3%     3%");
    EXPECT_EQ(caption(C::LSexratio), "Kalvkvot kvigkalv:tjurkalv 48:52");
    EXPECT_EQ(caption(C::LBarkraftovrigmark), "22,0 älgar per kHa");
    EXPECT_EQ(caption(C::LUngskogsareal), "Andel ungskog: 5,0 %");
    EXPECT_EQ(t->StringGrid1.cell(1, 5), "Jaktareal (250 kHa): 8,0");
    EXPECT_EQ(t->StringGrid1.cell(1, 4), "Täthetsmått (antal per 1000 ha)");
    EXPECT_EQ(t->StringGrid1.cell(3, 2), "Tjurandel: 40 %");
    EXPECT_EQ(t->StringGrid1.cell(1, 3), "");  // the spacer row stays empty
    EXPECT_EQ(t->charts[3].subFooter, "Aktuell älgbonitet: 26,4 per kHa");
    const std::string cows = t->StringGrid1.cell(3, 6);
    // The pyramids' footers: cows' mean age on the left, bulls' on the right.
    EXPECT_NE(t->charts[1].footer.find("   medelålder vinter   "), std::string::npos);
    EXPECT_EQ(t->charts[1].footerColour, 0xFFFFFFu);
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST_F(LabelsTest, TheYoungForestCaptionFollowsItsSliderInTenthsOfAPerCent) {
    for (auto [position, text] : {std::pair{0, "Andel ungskog: 0,0 %"}, std::pair{125, "Andel ungskog: 12,5 %"},
                                  std::pair{1000, "Andel ungskog: 100,0 %"}}) {
        setPosition(*t, C::trk_ungskog, position);
        Labels(*t);
        EXPECT_EQ(caption(C::LUngskogsareal), text);
    }
}

TEST_F(LabelsTest, NoAdultsKeepTheBullShareTexts) {
    t->ctl(C::LTjurandel).caption = "before";
    t->StringGrid1.cell(3, 2) = "kept";
    t->Summer.SummerAdults = 0;
    t->Summer.SummerBulls = t->Summer.SummerCows = 0;
    Labels(*t);
    EXPECT_EQ(caption(C::LTjurandel), "before");
    EXPECT_EQ(t->StringGrid1.cell(3, 2), "kept");
    EXPECT_EQ(t->Stringgrid5.cell(2, 2), "0");
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST_F(LabelsTest, OtherMortalityShowsTheSetLevelOrTheRealisedOneUpToTenPercent) {
    struct Case {
        int position;
        double winterRate, summerRate;
        const char* text;
    } cases[] = {
        {2, 0.015, 0.005, "Tjur\r\n2 %"},   // realised agrees with the set level
        {2, 0.100, 0.024, "Tjur\r\n10 %"},  // 12.4 % is shown as at most 10 %
        {2, 0.040, 0.014, "Tjur\r\n5 %"},   // 5.4 %
        {0, 0.004, 0.0, "Tjur\r\n0 %"},     // 0.4 % rounds to the set 0
    };
    for (const Case& c : cases) {
        t->ctl(C::trk_tjurdodlighet).position = c.position;
        t->Winter.NatRateBullsWinter = c.winterRate;
        t->Summer.NatRateBullsSummer = c.summerRate;
        Labels(*t);
        EXPECT_EQ(caption(C::LTjurdodlighet), c.text) << c.winterRate + c.summerRate;
    }
    t->ctl(C::trk_kododlighet).position = 3;
    t->Winter.NatRateCowsWinter = 0.02;
    t->Summer.NatRateCowsSummer = 0.01;
    Labels(*t);
    EXPECT_EQ(caption(C::LKododlighet), "Hondjur\r3 %");
    t->Summer.SummerBulls = 0;
    t->ctl(C::LTjurdodlighet).caption = "kept";
    Labels(*t);
    EXPECT_EQ(caption(C::LTjurdodlighet), "kept");
}

TEST_F(LabelsTest, WithoutYoungForestTheDensityCellHasNoValueAndTheLoadUsesAThousandth) {
    t->Land.YoungForestPct = 0;
    t->Winter.WinterStock = 2000;
    Labels(*t);
    EXPECT_EQ(t->StringGrid1.cell(1, 7), "Ungskog: --");
    // 2000 / (250000 ha * 0.001 * 0.01 * 0.001) = 800 000: beyond four digits, so in exponent form.
    EXPECT_EQ(t->Stringgrid5.cell(2, 7), "8,000E+5");
    t->Land.YoungForestPct = 5;
    Labels(*t);
    EXPECT_EQ(t->StringGrid1.cell(1, 7), "Ungskog: 160");
    EXPECT_EQ(t->Stringgrid5.cell(2, 7), "160");
}

TEST_F(LabelsTest, ValuesFromTenThousandOnAreInExponentForm) {
    struct Case {
        double density;
        const char* text;
    } cases[] = {{9999.9, "Vinterstam: 9999,9 per 1000 ha"}, {12345.6, "Vinterstam: 1,235E+4 per 1000 ha"}};
    for (const Case& c : cases) {
        t->TargetDensity = c.density;
        Labels(*t);
        EXPECT_EQ(caption(C::LDensityset), c.text);
    }
}

class EvaluationTable : public LabelsTest {
protected:
    void SetUp() override {
        LabelsTest::SetUp();
        Vildo& a = *t;
        a.SeasonStarted = true;
        a.YearNo = 2;
        THarvestTotals& h = a.HarvestTot;
        h.BullsShot = 40;
        h.CowsShot = 50;
        h.CalvesShot = 0;
        h.AdultsShot = 90;
        h.TotalShot = 90;
        h.Week1BullsShot = 20;
        h.Week1CowsShot = 10;
        h.Week1CalvesShot = 0;
        a.Enc = TEncounters{};
        a.Enc.SeenBulls = 80;
        a.Enc.SeenCows = 0;  // an empty counter divides by 1
        a.Enc.SeenCowsWithCalf = 20;
        a.Enc.SeenBullsOpen = 50;
        a.Goals.BullQuota = 30;
        a.Goals.CowQuota = 60;
        a.Goals.CalfQuota = 0;
        a.ShotWeights = {8000, 7551, 0};
        a.Winter.WinterDeadBulls = 6;
        a.Summer.SummerDeadBulls = 4.4;
        a.Winter.WinterDeadCows = 0.2;
        a.Summer.SummerDeadCows = 0.2;
        a.Winter.WinterDeadCalves = a.Summer.SummerDeadCalves = 0;
        a.Winter.WinterDeaths = 6.2;
        a.Summer.SummerDeaths = 4.6;
        for (int c = 1; c <= 2; ++c)
            for (int r = 0; r <= 3; ++r) a.StringGrid2.cell(c, r) = std::to_string(c == 1 ? 2020 + 10 * r : 2021);
    }
    std::vector<std::string> row(int r) {
        std::vector<std::string> v;
        for (int c = 1; c <= 4; ++c) v.push_back(t->Tabell_utv.cell(c, r));
        return v;
    }
};

TEST_F(EvaluationTable, WithQuotaEveryCellFollowsItsFormula) {
    Labels(*t);
    using V = std::vector<std::string>;
    EXPECT_EQ(row(1), (V{"40", "50", "0", "90"}));
    EXPECT_EQ(row(2), (V{"50 %", "5000 %", "0 %", "90 %"}));
    EXPECT_EQ(row(3), (V{"80 %", "5000 %", "0 %", "180 %"}));
    EXPECT_EQ(row(4), (V{"100 %", "83 %", "0 %", "100 %"}));    // capped at 100 %
    EXPECT_EQ(row(5), (V{"67 %", "17 %", "0 %", "33 %"}));      // not capped
    EXPECT_EQ(row(6), (V{"200 kg", "151 kg", "-", "173 kg"}));  // no calf shot
    EXPECT_EQ(row(9), (V{"10", "0", "0", "11"}));
    EXPECT_EQ(row(10), (V{"79 %", "99 %", "0 %", "89 %"}));
    EXPECT_EQ(t->Tabell_utv.cell(3, 7), "");  // no mean age for calves
    EXPECT_EQ(caption(C::LSpinn_Tjurandel).back(), '%');
}

TEST_F(EvaluationTable, WithoutQuotaTheAdultTargetCellsAndTheBullShareHaveNoValue) {
    t->ctl(C::chk_kvotering).position = 0;
    Labels(*t);
    using V = std::vector<std::string>;
    EXPECT_EQ(row(4), (V{"-", "-", "0 %", "100 %"}));
    EXPECT_EQ(row(5), (V{"-", "-", "0 %", "33 %"}));
    EXPECT_EQ(caption(C::LSpinn_Tjurandel), "---");
}

TEST_F(EvaluationTable, IsLeftAloneInThePlanningMode) {
    t->SeasonStarted = false;
    t->Tabell_utv.cell(1, 1) = "kept";
    Labels(*t);
    EXPECT_EQ(t->Tabell_utv.cell(1, 1), "kept");
}

TEST_F(LabelsTest, BullShareTargetIsTakenFromThePlanningHarvestOnly) {
    THarvestTotals& h = t->HarvestTot;
    h.BullsShot = 27;
    h.CowsShot = 73;
    h.AdultsShot = 100;
    h.TotalShot = 150;
    t->YearNo = 0;
    Labels(*t);
    EXPECT_FLOAT_EQ(t->Goals.BullShareTarget, 0.27f);
    EXPECT_EQ(caption(C::LSpinn_Tjurandel), "27,0 %");
    t->YearNo = 1;
    h.BullsShot = 50;
    h.CowsShot = 50;
    Labels(*t);
    EXPECT_FLOAT_EQ(t->Goals.BullShareTarget, 0.27f);
    EXPECT_EQ(caption(C::LSpinn_Tjurandel), "27 %");
}

// The season grid as Labels leaves it: columns 1..7 of rows 0..5.
class SeasonGrid : public LabelsTest {
protected:
    void SetUp() override {
        LabelsTest::SetUp();
        t->SeasonStarted = true;
        Grid& g = t->StringGrid2;
        for (int c = 1; c <= 7; ++c) {
            g.cell(c, 0) = std::to_string(2019 + c);
            for (int r = 1; r <= 3; ++r) g.cell(c, r) = std::to_string(10 * r + c);
            g.cell(c, 4) = g.cell(c, 5) = "";
        }
        t->Winter.WinterStock = 2000;
        t->Winter.WinterDensity = 8;
    }
    Grid& g() { return t->StringGrid2; }
};

TEST_F(SeasonGrid, FromYearSevenTheOldestYearLeavesAndTheNewestIsAppended) {
    t->YearNo = 7;
    Labels(*t);
    EXPECT_EQ(g().cell(1, 0), "2021");
    EXPECT_EQ(g().cell(6, 0), "2026");
    EXPECT_EQ(g().cell(7, 0), "2027");
    // The new year starts with the last year's plan.
    EXPECT_EQ(g().cell(7, 1), "17");
    EXPECT_EQ(g().cell(7, 3), "37");
    EXPECT_EQ(g().cell(7, 4), "81");
    EXPECT_EQ(g().cell(7, 5), "0,3");
    EXPECT_EQ(g().cell(6, 4), "81");
    EXPECT_EQ(g().cell(6, 11), "2000");
    EXPECT_EQ(g().cell(6, 12), "8,0");
    EXPECT_EQ(g().selCol, 7);
    EXPECT_EQ(caption(C::LSpinn_Avskjutning), "0,3");
}

TEST_F(SeasonGrid, UpToYearSixTheColumnsStayAndTheNextYearIsFilledWhereEmpty) {
    t->YearNo = 3;
    g().cell(4, 2) = "99";
    g().cell(4, 1) = g().cell(4, 3) = "";
    Labels(*t);
    EXPECT_EQ(g().cell(1, 0), "2020");
    EXPECT_EQ(g().cell(4, 0), "2023");
    EXPECT_EQ(g().cell(4, 1), "13");
    EXPECT_EQ(g().cell(4, 2), "99");  // typed by the user: kept
    EXPECT_EQ(g().cell(4, 3), "33");
    EXPECT_EQ(g().cell(3, 4), "69");
    EXPECT_EQ(g().selCol, 4);
}

TEST_F(SeasonGrid, TheFirstYearShowsTheHistoricRecordWhenAnAreaIsReplayed) {
    t->YearNo = 1;
    t->ctl(C::LOmrade).caption = "Område: Testområde";
    t->ctl(C::chk_stats).position = 1;
    t->Statistics.assign(3, TStatistics{});
    t->Statistics[2].year = 2015;
    t->Statistics[2].tjur = 120;
    t->Statistics[2].ko = 150;
    t->Statistics[2].kalv = 130;
    t->StartIndex = 2;
    Labels(*t);
    EXPECT_EQ(g().cell(1, 0), "2015");
    EXPECT_EQ(g().cell(1, 1), "120");
    EXPECT_EQ(g().cell(1, 4), "400");
    EXPECT_EQ(g().cell(1, 5), "1,6");
    EXPECT_EQ(g().cell(2, 0), "2016");
    t->StartIndex = 3;  // outside the records
    Labels(*t);
    EXPECT_EQ(t.prompts.messages, std::vector<std::string>{"Fel i rutinen Labels"});
}

TEST_F(SeasonGrid, IsLeftAloneWhileTheCalibrationRuns) {
    t->YearNo = 7;
    t->timers[9].enabled = true;
    Labels(*t);
    EXPECT_EQ(g().cell(1, 0), "2020");
    EXPECT_EQ(g().cell(7, 4), "");
}

TEST_F(SeasonGrid, ACellThatIsNotANumberEndsLabelsAndKeepsWhatWasWritten) {
    t->YearNo = 2;
    g().cell(2, 1) = "tolv";
    t->TargetDensity = 9.5;
    t->ctl(C::LSpinn_Kalvandel).caption = "before";
    Labels(*t);
    EXPECT_EQ(t.prompts.messages, std::vector<std::string>{"Fel i rutinen Labels"});
    EXPECT_EQ(caption(C::LDensityset), "Vinterstam: 9,5 per 1000 ha");  // written before the error
    EXPECT_EQ(caption(C::LSpinn_Kalvandel), "before");                  // after it: untouched
}

}  // namespace
}  // namespace vildo
