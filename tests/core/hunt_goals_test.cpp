// Goals and rules of the hunting page: the target spin buttons, the harvest table, the goal table and
// the rule table with its dialog.
#include <gtest/gtest.h>

#include "app/dispatch.h"
#include "app/goal_handlers.h"
#include "hunt/goal_tables.h"
#include "hunt/goals.h"
#include "hunt/rule_dialog.h"
#include "support/test_app.h"

namespace vildo {
namespace {

using test::TestApp;

class Goals : public ::testing::Test {
protected:
    void SetUp() override { t.start(); }
    Vildo& a() { return *t; }
    // A season under way, with the coming season's column holding a target.
    void inSeason(const char* bulls, const char* cows, const char* calves) {
        a().SeasonStarted = true;
        a().YearNo = 1;
        Grid& g = a().StringGrid2;
        g.cell(targetColumn(a()), 1) = bulls;
        g.cell(targetColumn(a()), 2) = cows;
        g.cell(targetColumn(a()), 3) = calves;
    }
    std::string cell2(int row) { return a().StringGrid2.cell(targetColumn(a()), row); }
    TestApp t;
};

TEST_F(Goals, TheTablesStartWithTheirTexts) {
    EXPECT_EQ(a().StringGrid2.cell(0, 7), "Vinterstam");
    EXPECT_FALSE(a().StringGrid2.enabled);
    EXPECT_EQ(a().Stringgrid5.cell(1, 5), "4,5");
    EXPECT_EQ(a().Stringgrid5.cell(3, 7), "älg per 1000 ha ungskog");
    EXPECT_EQ(a().StringGrid3.cell(0, 4), "- tjur (taggintervall t.ex. 2-4)");
    EXPECT_EQ(a().StringGrid3.cell(1, 3), "Nej");
    EXPECT_EQ(a().Tabell_utv.cell(0, 10), "Jaktens andel av total dödlighet");
    EXPECT_EQ(a().Rules[0].enabled, 1);
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(a().Rules[r].enabled, 0);
}

TEST_F(Goals, SpinButtonOneMovesTheTargetByATenthAndNeverBelowZero) {
    a().Goals.HarvestRate = 0.05f;
    SpinButton1DownClick(a());
    EXPECT_EQ(a().Goals.HarvestRate, 0);
    a().Goals.HarvestRate = 3.0f;
    a().CalfPercent = 50;
    a().Goals.BullShareTarget = 0.4f;
    SpinButton1UpClick(a());
    EXPECT_FLOAT_EQ(a().Goals.HarvestRate, 3.1f);
    EXPECT_NEAR(a().HarvestTot.TotalShot, 775, 1e-4);
    EXPECT_NEAR(a().Goals.BullQuota, 155, 1e-3);
    EXPECT_NEAR(a().Goals.CowQuota, 232.5, 1e-3);
    EXPECT_NEAR(a().Goals.CalfQuota, 387.5, 1e-3);
    EXPECT_EQ(cell2(1), "155");
    EXPECT_EQ(cell2(3), "388");
    EXPECT_EQ(cell2(4), "775");
    EXPECT_EQ(cell2(5), "3,1");
    EXPECT_EQ(a().ctl(C::LSpinn_Avskjutning).caption, "3,1");
}

TEST_F(Goals, SpinButtonsTwoAndThreeMoveThePlanningSlidersBeforeTheFirstSeason) {
    setPosition(a(), C::Trk_tjurandel, 15);
    SpinButton2UpClick(a());  // up lowers the slider
    EXPECT_EQ(a().pos(C::Trk_tjurandel), 15);
    SpinButton2DownClick(a());
    EXPECT_EQ(a().pos(C::Trk_tjurandel), 16);
    setPosition(a(), C::Trk_Kalvskytte, 99);
    SpinButton3UpClick(a());
    EXPECT_EQ(a().pos(C::Trk_Kalvskytte), 99);
    SpinButton3DownClick(a());
    EXPECT_EQ(a().pos(C::Trk_Kalvskytte), 98);
}

TEST_F(Goals, DuringASeasonTheSharesSplitTheColumnAgain) {
    inSeason("100", "100", "200");
    a().CalfPercent = 99;
    a().Goals.BullShareTarget = 0.5f;
    SpinButton3UpClick(a());
    EXPECT_EQ(a().CalfPercent, 99);
    EXPECT_EQ(cell2(3), "396");  // rewritten all the same
    EXPECT_EQ(cell2(1), "2");
    EXPECT_EQ(cell2(2), "2");
    EXPECT_EQ(cell2(4), "400");
    EXPECT_EQ(cell2(5), "1,6");
    EXPECT_EQ(a().ctl(C::LSpinn_Kalvandel).caption, "99 %");

    a().CalfPercent = 50;
    a().Goals.BullShareTarget = 0.005f;
    SpinButton2DownClick(a());
    EXPECT_EQ(a().Goals.BullShareTarget, 0);
    EXPECT_EQ(cell2(1), "0");
    EXPECT_EQ(a().ctl(C::LSpinn_Tjurandel).caption, "0 %");
    SpinButton2UpClick(a());
    EXPECT_FLOAT_EQ(a().Goals.BullShareTarget, 0.01f);
}

TEST_F(Goals, TypedTargetsSetTheSeasonsTargetsAndShares) {
    inSeason("10", "20", "");
    StringGrid2SetEditText(a(), targetColumn(a()), 3, "30");
    EXPECT_FLOAT_EQ(a().Goals.HarvestRate, 0.24f);
    EXPECT_FLOAT_EQ(a().Goals.BullShareTarget, 1.0f / 3);
    EXPECT_EQ(a().CalfPercent, 50);
    EXPECT_EQ(a().Goals.CalfQuota, 30);
    EXPECT_EQ(cell2(4), "60");
    EXPECT_EQ(cell2(5), "0,2");
    EXPECT_EQ(a().TargetTotal, 60);
}

TEST_F(Goals, TypedTargetsNeedThreeWholeNumbers) {
    struct Case {
        const char *bulls, *cows;
    };
    for (Case c : {Case{"10", ""}, {"1,5", "20"}, {"99999999999", "1"}}) {
        inSeason(c.bulls, c.cows, "");
        a().Goals.HarvestRate = 3.0f;
        t.prompts.messages.clear();
        StringGrid2SetEditText(a(), targetColumn(a()), 3, "30");
        EXPECT_EQ(t.prompts.messages,
                  std::vector<std::string>{"Fyll i jakt på tjur, ko och kalv eller lämna alla tre tomma!"});
        EXPECT_EQ(a().Goals.HarvestRate, 3.0f);
        EXPECT_EQ(cell2(3), "30");  // the typed text stays in its cell
    }
    // Before the first season, and for an emptied cell, nothing happens at all.
    inSeason("10", "20", "");
    t.prompts.messages.clear();
    StringGrid2SetEditText(a(), targetColumn(a()), 3, "");
    a().SeasonStarted = false;
    StringGrid2SetEditText(a(), targetColumn(a()), 3, "30");
    EXPECT_TRUE(t.prompts.messages.empty());
    EXPECT_EQ(a().Goals.HarvestRate, 3.0f);
}

TEST_F(Goals, OnlyTheComingSeasonsTargetsCanBeSelectedAndOnlyDigitsTyped) {
    a().YearNo = 8;  // the column stays at 7
    EXPECT_TRUE(StringGrid2SelectCell(a(), 7, 2));
    EXPECT_FALSE(StringGrid2SelectCell(a(), 7, 4));
    EXPECT_FALSE(StringGrid2SelectCell(a(), 6, 2));
    EXPECT_FALSE(StringGrid2SelectCell(a(), 7, 0));
    EXPECT_EQ(StringGrid2KeyPress('7'), '7');
    EXPECT_EQ(StringGrid2KeyPress(8), 8);
    EXPECT_EQ(StringGrid2KeyPress(13), 13);
    EXPECT_EQ(StringGrid2KeyPress(','), 0);
    EXPECT_EQ(StringGrid2KeyPress('a'), 0);
    EXPECT_TRUE(Stringgrid5SelectCell(1, 7));
    EXPECT_FALSE(Stringgrid5SelectCell(2, 3));
    EXPECT_FALSE(Stringgrid5SelectCell(1, 0));
}

TEST_F(Goals, EveryGoalKeyRereadsTheGoalsAsTheCellsStand) {
    a().Stringgrid5.cell(1, 1) = "0,9";
    a().Stringgrid5.cell(1, 7) = "120";
    EXPECT_EQ(Stringgrid5KeyPress(a(), 'x'), 0);  // dropped, but the goals are read all the same
    EXPECT_FLOAT_EQ(a().Goals.GoalCalvesPerCow, 0.9f);
    EXPECT_FLOAT_EQ(a().Goals.GoalBrowsing, 120);
    EXPECT_EQ(Stringgrid5KeyPress(a(), ','), ',');
    EXPECT_EQ(Stringgrid5KeyPress(a(), '3'), '3');
    EXPECT_EQ(Stringgrid5KeyPress(a(), '.'), 0);
}

TEST_F(Goals, AGoalThatDoesNotParseReachesTheErrorHandlerWithTheRowsAboveRead) {
    a().Stringgrid5.cell(1, 1) = "0,8";
    a().Stringgrid5.cell(1, 2) = "35";
    a().Stringgrid5.cell(1, 3) = "";
    a().Stringgrid5.cell(1, 4) = "60";
    t.prompts.abortIgnoreAnswers = {true};  // Abort: the state stays for inspection
    dispatch(a(), [&] { Stringgrid5KeyPress(a(), '5'); });
    ASSERT_EQ(t.prompts.warnings.size(), 1u);
    EXPECT_TRUE(a().terminated);
    EXPECT_FLOAT_EQ(a().Goals.GoalCalvesPerCow, 0.8f);
    EXPECT_FLOAT_EQ(a().Goals.GoalBullShare, 35);
    EXPECT_FLOAT_EQ(a().Goals.GoalPrimeBulls, 15);
    EXPECT_FLOAT_EQ(a().Goals.GoalCalfShare, 50);
}

TEST_F(Goals, CurrentValuesMissingTheirGoalAreRed) {
    struct Case {
        int row;
        const char *goal, *now;
        bool red;
    };
    for (Case c : {Case{6, "90", "90", false},
                   {6, "90", "89", true},
                   {1, "0,75", "0,8", false},
                   {1, "0,75", "0,74", true},
                   {7, "130", "131", true},
                   {7, "130", "130", false},
                   {7, "130", "129", false},
                   {3, "15", "", false},
                   {3, "", "3", false},
                   {2, "4,,", "0", false}}) {
        a().Stringgrid5.cell(1, c.row) = c.goal;
        a().Stringgrid5.cell(2, c.row) = c.now;
        Stringgrid5DrawCell(a(), 2, c.row);
        EXPECT_EQ(a().Stringgrid5.isRed(2, c.row), c.red) << "row " << c.row << ": " << c.now << " against " << c.goal;
    }
}

TEST_F(Goals, TheQuotaSwitchChoosesBetweenTheBullShareAndTheCowRisk) {
    a().Goals.BullShareTarget = 0.54f;
    click(a(), C::chk_kvotering);
    EXPECT_FALSE(a().ctl(C::SpinButton2).enabled);
    EXPECT_TRUE(a().ctl(C::trk_korisk).enabled);
    EXPECT_EQ(a().ctl(C::LSpinn_Tjurandel).caption, "---");
    click(a(), C::chk_kvotering);
    EXPECT_TRUE(a().ctl(C::SpinButton2).enabled);
    EXPECT_FALSE(a().ctl(C::trk_korisk).enabled);
    EXPECT_EQ(a().ctl(C::LSpinn_Tjurandel).caption, "54 %");
}

TEST_F(Goals, RensatabellEmptiesTheYearColumnsAndHeadsTheEvaluation) {
    inSeason("1", "2", "3");
    a().Tabell_utv.cell(2, 5) = "40 %";
    Rensatabell(a());
    for (int c = 1; c <= 7; ++c)
        for (int r = 0; r <= 12; ++r) EXPECT_EQ(a().StringGrid2.cell(c, r), "") << c << "," << r;
    EXPECT_EQ(a().StringGrid2.cell(0, 1), "Tjur");
    EXPECT_EQ(a().Tabell_utv.cell(2, 5), "");
    EXPECT_EQ(a().Tabell_utv.cell(2, 0), "Ko/Kviga");
    EXPECT_EQ(a().Tabell_utv.cell(4, 0), "Totalt");
    EXPECT_EQ(a().Tabell_utv.cell(0, 1), "Fällda djur");
}

// The user's part in the rule dialog: pick from and to, then "Spara".
void choose(int fromIndex, int toIndex, TRegelform& form) {
    form.ComboBox1Index = fromIndex;
    form.ComboBox2Index = toIndex;
    form.ComboBox2Change();
    form.Button1Click();
}

TEST_F(Goals, ARuleSwitchedOnGetsItsIntervalAndKeepsItWhenSwitchedOffAndOn) {
    const Grid& g = a().StringGrid3;
    EXPECT_FALSE(StringGrid3SelectCell(a(), 1, 3));
    EXPECT_EQ(g.cell(1, 3), "Ja");
    EXPECT_EQ(g.cell(2, 3), "Klicka här för att sätta intervall");
    EXPECT_EQ(a().Rules[RuleCow].enabled, 1);
    EXPECT_EQ(a().Rules[RuleCow].intervalSet, 0);

    t.prompts.ruleDialogActions.push_back([](TRegelform& f) {
        EXPECT_EQ(f.ComboBox1Index, 0);  // no interval yet
        EXPECT_EQ(f.ComboBox2Index, 0);
        choose(2, 4, f);
        EXPECT_FALSE(f.open);
    });
    StringGrid3SelectCell(a(), 2, 3);
    EXPECT_EQ(t.prompts.ruleDialogsShown, 1);
    EXPECT_EQ(g.cell(2, 3), "Från jaktvecka 3 t.o.m. jaktvecka 5");
    EXPECT_EQ(a().Rules[RuleCow].from, 3);
    EXPECT_EQ(a().Rules[RuleCow].to, 5);
    EXPECT_EQ(a().Rules[RuleCow].intervalSet, 1);

    StringGrid3SelectCell(a(), 1, 3);
    EXPECT_EQ(g.cell(1, 3), "Nej");
    EXPECT_EQ(g.cell(2, 3), " ");
    EXPECT_EQ(a().Rules[RuleCow].enabled, 0);
    StringGrid3SelectCell(a(), 1, 3);
    EXPECT_EQ(g.cell(2, 3), "Från vecka 3 t.o.m. vecka 5");
    EXPECT_EQ(a().Rules[RuleCow].enabled, 1);

    // The dialog opens on the interval set.
    t.prompts.ruleDialogActions.push_back([](TRegelform& f) {
        EXPECT_EQ(f.ComboBox1Index, 2);
        EXPECT_EQ(f.ComboBox2Index, 4);
    });
    StringGrid3SelectCell(a(), 2, 3);
    EXPECT_EQ(g.cell(2, 3), "Från vecka 3 t.o.m. vecka 5");  // closed without "Spara": nothing changes
}

TEST_F(Goals, TheBullRuleIsAnAntlerInterval) {
    StringGrid3SelectCell(a(), 1, 4);
    t.prompts.ruleDialogActions.push_back([](TRegelform& f) { choose(1, 3, f); });
    StringGrid3SelectCell(a(), 2, 4);
    EXPECT_EQ(a().StringGrid3.cell(2, 4), "Mellan 2 och 4 taggar");
    StringGrid3SelectCell(a(), 1, 4);
    StringGrid3SelectCell(a(), 1, 4);
    EXPECT_EQ(a().StringGrid3.cell(2, 4), "Mellan 2 och 4 taggar");
}

TEST_F(Goals, AnIntervalEndingBeforeItStartsIsCorrected) {
    a().RuleDialogRow = RuleSingleCalf;
    a().RuleDialogFrom = 1000;
    TRegelform form(a());
    form.FormActivate();
    form.ComboBox1Index = 6;
    form.ComboBox2Index = 3;
    form.ComboBox2Change();
    EXPECT_EQ(form.ComboBox2Index, 6);
    EXPECT_EQ(t.prompts.messages, std::vector<std::string>{"TILL-datum kan inte vara före FRÅN-datum!"});
    form.ComboBox2Index = 2;
    form.Button1Click();  // corrected again, and the dialog stays open
    EXPECT_TRUE(form.open);
    EXPECT_EQ(a().RuleDialogFrom, 1000);
    EXPECT_EQ(t.prompts.messages.size(), 2u);
    form.Button1Click();
    EXPECT_FALSE(form.open);
    EXPECT_EQ(a().RuleDialogFrom, 7);
    EXPECT_EQ(a().RuleDialogTo, 7);
}

TEST_F(Goals, RulesWaitWhileHistoricYearsAreReplayed) {
    a().ctl(C::chk_stats).position = 1;
    a().DataYears = 5;
    a().YearNo = 2;
    StringGrid3SelectCell(a(), 1, 2);
    EXPECT_EQ(t.prompts.messages,
              std::vector<std::string>{
                  "Regler är inaktiva då historisk avskjutning används. Vänta till historiska avskjutning är slut."});
    EXPECT_EQ(a().StringGrid3.cell(1, 2), "Nej");
    EXPECT_EQ(a().Rules[RuleTwinCalf].enabled, 0);
    a().YearNo = 5;  // the record is used up
    StringGrid3SelectCell(a(), 1, 2);
    EXPECT_EQ(a().StringGrid3.cell(1, 2), "Ja");
}

}  // namespace
}  // namespace vildo
