// The hunt, encounter by encounter: targets, the animal met, calves, antlers, rules and the calendar.
#include "hunt/hunt.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/goal_handlers.h"
#include "hunt/biodata.h"
#include "hunt/goal_tables.h"
#include "hunt/goals.h"
#include "hunt_support.h"

namespace vildo {
namespace {

using test::Alder;
using test::Djur;
using test::Falld;
using test::Last;
using test::SeasonTest;
using test::TestApp;
using test::Totalt;
using test::Vecka;

TEST(HuntCalendar, TheSeasonIsFrontLoaded) {
    struct Case {
        int huntTry, maxTries, week, day;
    };
    for (Case c : {Case{12, 400, 1, 2}, {1, 1000, 1, 1}, {200, 400, 4, 28}, {300, 400, 9, 61}, {360, 400, 14, 100}}) {
        HuntDate d = huntCalendar(c.huntTry, c.maxTries);
        EXPECT_EQ(d.week, c.week) << c.huntTry << "/" << c.maxTries;
        EXPECT_EQ(d.day, c.day) << c.huntTry << "/" << c.maxTries;
    }
    EXPECT_THROW(huntCalendar(1, 0), VildoError);
}

TEST(Biodata, RowOfACowShotAtTheTwelfthEncounter) {
    const HuntDate d = huntCalendar(12, 400);
    EXPECT_EQ(biodataRow({12, 400, d.week, d.day, 9, true, 3, "Ko", 7, 0}), "12;400;2;1;9;J;3;Ko;7;0");
    EXPECT_EQ(biodataRow({1, 10, 1, 1, 0, false, 0, "Kalv", 11, 2}), "1;10;1;1;0;N;0;Kalv;11;2");
    // Negative and very large values take the slow conversion, whole and with their sign.
    EXPECT_EQ(biodataRow({-1, 10, 1, 1, -7, false, -4294967297, "Kalv", -11, -2}),
              "-1;10;1;1;-7;N;-4294967297;Kalv;-11;-2");
    EXPECT_EQ(biodataRow({1, 10, 1, 1, 4294967296, true, 4294967295, "Ko", 1, 0}),
              "1;10;1;1;4294967296;J;4294967295;Ko;1;0");
}

TEST(Biodata, TheListIsWrittenAsWindows1252LinesEndedByCrLf) {
    // The header's letters are one byte each and every row ends in CRLF.
    std::string text = biodataHeaderLine();
    appendBiodataLines(text, {{1, 10, 1, 1, 0, false, 0, "Tjur", 4, 6}, {2, 10, 3, 1, 3, true, 2, "Kalv", 9, 1}});
    const std::string header =
        "HT;MHT;DAG;Vecka;Totalt;F\xe4lld (J/N);Kumul;Djur;\xc5lder/kons \xe5lder);Taggar/kalvar\r\n";
    EXPECT_EQ(text, header + "1;10;1;1;0;N;0;Tjur;4;6\r\n2;10;1;3;3;J;2;Kalv;9;1\r\n");
    std::string none;
    appendBiodataLines(none, {});
    EXPECT_EQ(none, "");
}

TEST(Ruleactive, OnlyAnEnabledIntervalInItsWeeksBeyondTheHistoricRecordUnlessAlways) {
    struct Case {
        bool always;
        int dataYears, yearNo, startIndex;
        TRule rule;
        int week;
        bool active;
    };
    const TRule on{1, 1, 3, 5};
    for (Case c : {Case{true, 10, 1, 1, on, 3, true},
                   {true, 10, 1, 1, on, 5, true},
                   {true, 10, 1, 1, on, 2, false},
                   {true, 10, 1, 1, on, 6, false},
                   {false, 10, 1, 1, on, 4, false},
                   {false, 0, 2, 0, on, 4, true},
                   {false, 1, 2, 0, on, 4, false},
                   {true, 0, 1, 0, TRule{1, 0, 3, 5}, 4, false},
                   {true, 0, 1, 0, TRule{0, 1, 3, 5}, 4, false}}) {
        TestApp t;
        t->RulesAlways = c.always;
        t->DataYears = c.dataYears;
        t->YearNo = c.yearNo;
        t->StartIndex = c.startIndex;
        t->Rules[RuleCow] = c.rule;
        EXPECT_EQ(Ruleactive(*t, c.week, RuleCow), c.active)
            << "always " << c.always << " data " << c.dataYears << " year " << c.yearNo << " week " << c.week;
    }
}

TEST_F(SeasonTest, HistoricTargetsAreSplitAsTheSeasonRoundsThem) {
    int c = targetColumn(a());
    a().StringGrid2.cell(c, 1) = "120";
    a().StringGrid2.cell(c, 2) = "150";
    StringGrid2SetEditText(a(), c, 3, "130");
    SeasonPlan p = seasonTargets(a());
    EXPECT_NEAR(a().Goals.BullQuota, 120.889, 0.001);
    EXPECT_EQ(a().Goals.CowQuota, 151);
    EXPECT_EQ(a().Goals.CalfQuota, 128);
    EXPECT_EQ(p.bullsLeft, 121);
    EXPECT_EQ(p.total, 400);
    EXPECT_EQ(p.adults, 272);
}

TEST_F(SeasonTest, ZeroTargetsInQuotaModeMeetOneAnimalAndShootNothing) {
    a().Goals.HarvestRate = 0;
    ASSERT_TRUE(a().checked(C::chk_kvotering));
    Planering(a());
    EXPECT_EQ(a().HuntTry, 1);
    EXPECT_EQ(a().HarvestTot.TotalShot, 0);
    ASSERT_EQ(a().Biodata.size(), 1u);
    EXPECT_EQ(rows()[0][Falld], "N");
    EXPECT_EQ(a().QuotaProgress, 0);
}

TEST_F(SeasonTest, AStockBelowTheTargetIsNotHuntedButTheYearRuns) {
    a().Goals.HarvestRate = 100;  // 25 000 animals
    // Figures of an earlier season must not pass for this one's.
    a().QuotaProgress = 55;
    a().HarvestTot.Week1BullsShot = 7;
    Planering(a());
    EXPECT_EQ(a().HuntTry, 0);
    EXPECT_TRUE(a().Biodata.empty());
    EXPECT_EQ(a().HarvestTot.TotalShot, 0);
    EXPECT_EQ(a().QuotaProgress, 0);
    EXPECT_EQ(a().HarvestTot.Week1BullsShot, 0);
    EXPECT_GT(a().Winter.WinterDeaths, 0);
    EXPECT_DOUBLE_EQ(a().Winter.WinterStock, a().Winter.WinterAdults + a().Summer.CalvesBorn);
}

TEST_F(SeasonTest, AFemaleWithCalvesIsNeverShotHerself) {
    clearStock();
    addCows(5, 0, 0, 200);
    a().Enc.CowRisk = 0;  // every cow met without calf is shot
    SeasonPlan p = plan(false, 0, 1e9, 0);
    hunt(a(), p);
    int cowRowsShot = 0, calfRows = 0;
    for (const auto& r : rows()) {
        if (r[Djur] == "Kalv") {
            ++calfRows;
            EXPECT_EQ(r[Falld], "N");
        }
        if (r[Djur] == "Ko" && r[Falld] == "J") ++cowRowsShot;
    }
    EXPECT_GT(calfRows, 0);
    EXPECT_EQ(a().Enc.SeenCowsWithCalf, calfRows);
    EXPECT_EQ(a().HarvestTot.CowsShot, cowRowsShot);
    EXPECT_EQ(a().Harvest.FemShot[5], cowRowsShot);
    EXPECT_EQ(a().Pop.FemSummer[5], 200 - cowRowsShot);
}

TEST_F(SeasonTest, AfterHerSingleCalfIsShotTheMotherIsWithoutCalf) {
    clearStock();
    addCows(5, 0, 100, 0);
    SeasonPlan calfOnly = plan(true, 0, 0, 1);
    hunt(a(), calfOnly);
    EXPECT_EQ(a().HarvestTot.CalvesShot, 1);
    EXPECT_EQ(a().HarvestTot.CowsShot, 0);
    EXPECT_EQ(a().Pop.CowsOneCalf[5], 99);
    EXPECT_EQ(a().Pop.CowsNoCalf[5], 1);
    // Now she can be shot.
    SeasonPlan oneCow = plan(true, 0, 1, 0);
    hunt(a(), oneCow);
    EXPECT_EQ(a().HarvestTot.CowsShot, 1);
    EXPECT_EQ(a().Pop.CowsNoCalf[5], 0);
    EXPECT_EQ(a().Pop.FemSummer[5], 99);
}

TEST_F(SeasonTest, ACalfTargetOfZeroShootsNoCalfEvenWithoutTheQuota) {
    setChecked(a(), C::chk_kvotering, false);
    a().CalfPercent = 0;
    Planering(a());
    EXPECT_GT(a().Enc.SeenCowsWithCalf, 0);
    EXPECT_EQ(a().Enc.SeenCalvesOpen, 0);
    EXPECT_EQ(a().HarvestTot.CalvesShot, 0);
    EXPECT_GT(a().HarvestTot.AdultsShot, 0);
}

TEST_F(SeasonTest, WithoutTheQuotaAnEligibleCowIsShotWithProbabilityOneMinusCowRisk) {
    struct Case {
        bool quota;
        int korisk;
        double shotShare;
    };
    for (Case c : {Case{false, 0, 1.0}, {false, 30, 0.7}, {false, 50, 0.5}, {false, 60, 0.4}, {true, 50, 1.0}}) {
        clearStock();
        addCows(6, 100000, 0, 0);
        a().MaxTries = 20000;
        a().Enc.CowRisk = c.korisk * 0.01;
        SeasonPlan p = plan(c.quota, 0, 1e9, 0);
        hunt(a(), p);
        ASSERT_GT(a().Enc.SeenCowsOpen, 19000);
        EXPECT_NEAR(a().HarvestTot.CowsShot / a().Enc.SeenCowsOpen, c.shotShare, 0.02)
            << "quota " << c.quota << ", trk_korisk " << c.korisk;
    }
}

TEST_F(SeasonTest, TheAntlerRuleSparesBullsInItsIntervalButNeverOnesWithoutPoints) {
    struct Case {
        bool historicData;
        int dataYears;
        bool ruleApplies;
    };
    // Inside the historic record with historic data on, the protection does not apply.
    for (Case c : {Case{false, 0, true}, {true, 0, true}, {true, 5, false}}) {
        clearStock();
        addBulls(1, 100000);  // yearlings: mostly one or two points, now and then none
        a().MaxTries = 20000;
        a().Rules[RuleBull] = {1, 1, 1, 30};
        a().ctl(C::chk_stats).position = c.historicData;
        a().DataYears = c.dataYears;
        a().YearNo = 1;
        a().StartIndex = 1;
        SeasonPlan p = plan(false, 1e9, 0, 0);
        hunt(a(), p);
        int withoutPoints = 0;
        for (const auto& r : rows()) {
            bool none = r[Last] == "0";
            withoutPoints += none;
            EXPECT_EQ(r[Falld] == "J", none || !c.ruleApplies) << "points " << r[Last];
        }
        EXPECT_GT(withoutPoints, 20);
    }
}

TEST_F(SeasonTest, AWeekRuleSparesTheAnimalsOfItsRowMetInItsWeeks) {
    struct Case {
        const char* what;
        int row;
        int none, one, twins;  // the cows of the stock by their calves
        double cowTarget;
        int calfTarget;
        const char* animal;  // the rows the rule is about
        const char* calves;  // their last field
    } cases[] = {
        {"cows", RuleCow, 100000, 0, 0, 1e9, 0, "Ko", "0"},
        {"single calves", RuleSingleCalf, 0, 100000, 0, 0, 1000000, "Kalv", "1"},
        {"one calf of twins", RuleTwinCalf, 0, 0, 100000, 0, 1000000, "Kalv", "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clearStock();
        addCows(4, c.none, c.one, c.twins);
        a().MaxTries = 1000;
        for (int r : {RuleSingleCalf, RuleTwinCalf, RuleCow}) a().Rules[r] = {0, 0, 0, 0};
        a().Rules[c.row] = {1, 1, 3, 5};
        SeasonPlan p = plan(true, 0, c.cowTarget, c.calfTarget);
        hunt(a(), p);
        // The rule sees the week as it stood when the encounter began; the row shows it after.
        int week = 1, spared = 0, shot = 0;
        for (const auto& r : rows()) {
            if (r[Djur] == c.animal && r[Last] == c.calves) {
                bool inRule = week >= 3 && week <= 5;
                spared += inRule;
                shot += !inRule;
                EXPECT_EQ(r[Falld], inRule ? "N" : "J") << "week " << week;
            }
            week = std::stoi(r[Vecka]);
        }
        EXPECT_GT(spared, 50);
        EXPECT_GT(shot, 50);
    }
}

TEST_F(SeasonTest, PrimeBullsAreTheBullsShotAgedSixToTwelve) {
    for (auto [age, prime] : {std::pair{5, 0}, {6, 1}, {12, 1}, {13, 0}}) {
        clearStock();
        addBulls(age, 1000);
        SeasonPlan oneBull = plan(true, 1, 0, 0);
        hunt(a(), oneBull);
        ASSERT_EQ(a().HarvestTot.BullsShot, 1) << age;
        EXPECT_EQ(a().HarvestTot.PrimeBullsShot, prime) << age;
    }
}

TEST_F(SeasonTest, TheHuntEndsWhenWeek19HasPassed) {
    clearStock();
    addCows(3, 100000, 0, 0);
    a().MaxTries = 1000;
    SeasonPlan p = plan(true, 0, 1e9, 0);
    hunt(a(), p);
    int last = 1;
    while (huntCalendar(last, 1000).week <= 19) ++last;
    EXPECT_EQ(a().HuntTry, last);
    EXPECT_NEAR(last / 1000.0, 0.988, 0.002);
    EXPECT_EQ(rows().back()[Vecka], "20");
}

TEST_F(SeasonTest, WeekOneFiguresAreTheHarvestAndTheBullShareMetAtTheEndOfWeekOne) {
    Planering(a());
    const THarvestTotals& h = a().HarvestTot;
    int bullsMet = 0, femalesMet = 0;
    std::vector<std::string> lastOfWeek1;
    for (const auto& r : rows()) {
        if (r[Vecka] != "1") break;
        (r[Djur] == "Tjur" ? bullsMet : femalesMet) += 1;
        lastOfWeek1 = r;
    }
    ASSERT_FALSE(lastOfWeek1.empty());
    EXPECT_EQ(h.Week1BullsShot + h.Week1CowsShot + h.Week1CalvesShot, std::stod(lastOfWeek1[Totalt]));
    EXPECT_DOUBLE_EQ(h.ObsBullShare, static_cast<double>(bullsMet) / (bullsMet + femalesMet));
    EXPECT_LT(h.Week1BullsShot + h.Week1CowsShot + h.Week1CalvesShot, h.TotalShot);
}

TEST_F(SeasonTest, LessThanOneAnimalOfTheSexMetIsTakenFromTheOldestClassHoldingAny) {
    clearStock();
    addBulls(3, 0.4);
    addBulls(5, 0.3);
    for (int i = 0; i < 50; ++i) {
        AdultMet m = Selectadult(a());
        EXPECT_EQ(m.sex, Male);
        EXPECT_EQ(m.age, 5);
    }
    SeasonPlan p = plan(false, 10, 0, 0);
    hunt(a(), p);
    EXPECT_EQ(a().HuntTry, 1);  // the shot leaves no adults
    EXPECT_EQ(a().Harvest.MaleShot[5], 1);
    EXPECT_EQ(a().Harvest.MaleShot[20], 0);
    EXPECT_EQ(a().Pop.MaleSummer[5], 0);
    EXPECT_EQ(a().Pop.MaleSummer[3], 0.4);
}

TEST_F(SeasonTest, WithOneSexAbsentEveryEncounterIsOfTheOther) {
    clearStock();
    addCows(5, 50, 0, 0);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(Selectadult(a()).sex, Female);
    clearStock();
    addBulls(5, 50);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(Selectadult(a()).sex, Male);
}

// A zero adult target without the sex quota closes only when the adult harvest equals it after an
// encounter: once an adult is shot it can no longer close, and adults are shot until another end.
TEST_F(SeasonTest, AZeroAdultTargetWithoutTheQuotaClosesOnlyIfTheFirstEncounterSparesTheAdult) {
    clearStock();
    addBulls(4, 1000);
    SeasonPlan shootsFirst = plan(false, 0, 0, 3);
    hunt(a(), shootsFirst);
    EXPECT_EQ(a().HarvestTot.BullsShot, 3);  // ended when the remaining targets summed to 0 (3 calves, -3 bulls)
    EXPECT_EQ(a().HuntTry, 3);
    EXPECT_FALSE(shootsFirst.adultTargetReached);

    clearStock();
    addBulls(4, 1000);
    a().Rules[RuleBull] = {1, 1, 0, 255};  // the first bull is spared
    SeasonPlan sparesFirst = plan(false, 0, 0, 3);
    hunt(a(), sparesFirst);
    EXPECT_TRUE(sparesFirst.adultTargetReached);
    EXPECT_EQ(a().Enc.SeenBullsOpen, 1);
    EXPECT_EQ(a().HarvestTot.BullsShot, 0);
}

TEST_F(SeasonTest, AnErrorDuringTheHuntIsReportedAndKeepsWhatWasDone) {
    const double winterStock = a().Winter.WinterStock;
    a().MaxTries = 0;
    Planering(a());
    EXPECT_EQ(t.prompts.messages, std::vector<std::string>{"Ett fel uppstod under jakten. Avbryter."});
    EXPECT_EQ(a().Enc.SeenBulls + a().Enc.SeenCows, 1);
    EXPECT_EQ(a().HuntTry, 1);  // counted before the calendar failed
    EXPECT_GT(a().Summer.SummerStock, 0);
    EXPECT_EQ(a().Winter.WinterStock, winterStock);  // the winter was not computed
}

}  // namespace
}  // namespace vildo
