#include "app/area_loading.h"

#include <gtest/gtest.h>

#include <cstring>

#include "area/county_table.h"
#include "area/statistics_answer.h"
#include "area_fakes.h"
#include "support/test_app.h"

namespace vildo {
namespace {

using test::FakeDataService;
using test::headerFields;
using test::joined;
using test::statisticsAnswer;
using test::yearFields;

constexpr const char* kStatsQuery = "vildosql.php?a=3&b=1&c=1&d=vildodata&e=6&f=2&g=2";

// A started program whose area menu has "Norra|Testområdet|Län" under Uppsala and nothing elsewhere.
class AreaLoading : public ::testing::Test {
protected:
    explicit AreaLoading(int year = 2026) : t(12345, year) {}
    void SetUp() override {
        service.answers["vildoAFOsql.php"] = "";
        service.answers["vildoAFOsql.php?a=3&b=dummy&c=dummy&d=vildodata"] = "Uppsala|Norra|Testområdet|Län";
        t->dataService = &service;
        t.start();
    }
    bool load(const std::string& answer, int areaItem = 1) {
        service.answers["vildosql.php"] = answer;
        return NyttOmrade(*t, 2, areaItem);
    }
    ParsedArea parse(const std::string& answer) { return parseStatisticsAnswer(answer, TAreaHeader{}); }

    FakeDataService service;
    test::TestApp t;
};

TEST_F(AreaLoading, StartUpFetchesTheAreaNamesIntoTheCountyMenu) {
    ASSERT_EQ(t->Omrde1.size(), 21u);
    EXPECT_EQ(t->Omrde1[2].caption, "Uppsala");
    EXPECT_EQ(t->Omrde1[2].areas, (std::vector<std::string>{"Norra", "Testområdet", "Län"}));
    for (size_t i = 0; i < t->Omrde1.size(); ++i) {
        if (i == 2) continue;
        EXPECT_TRUE(t->Omrde1[i].areas.empty()) << t->Omrde1[i].caption;
    }
}

TEST_F(AreaLoading, AreaNamesAreAskedCountyByCountyInMenuOrder) {
    std::vector<std::string> codes;
    for (const auto& c : service.calls) codes.push_back(c.query.substr(2, c.query.find('&') - 2));
    EXPECT_EQ(codes, (std::vector<std::string>{"26", "1",  "3",  "4",  "5",  "6",  "7",  "8",  "10", "12", "13",
                                               "14", "17", "18", "19", "20", "21", "22", "23", "24", "25"}));
    for (size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(countyCode(t->Omrde1[i].caption), std::stoi(codes[i]));
}

TEST_F(AreaLoading, ACountyWithoutAreasStillMovesTheNextCountysAreasToTheirOwnItem) {
    service.answers["vildoAFOsql.php?a=4&b=dummy&c=dummy&d=vildodata"] = "Södermanland|Sörmland Öst";
    service.answers["vildoAFOsql.php?a=25&b=dummy&c=dummy&d=vildodata"] = "Norrbotten|Kust|Fjäll";
    ASSERT_TRUE(FetchAreaNames(*t));
    EXPECT_TRUE(t->Omrde1[1].areas.empty());  // Stockholm answered nothing
    EXPECT_EQ(t->Omrde1[3].areas, std::vector<std::string>{"Sörmland Öst"});
    EXPECT_EQ(t->Omrde1[20].areas, (std::vector<std::string>{"Kust", "Fjäll"}));
    EXPECT_EQ(t->Omrde1[2].areas.size(), 3u);  // a second fetch does not add the same areas again
}

TEST_F(AreaLoading, ALostConnectionDuringTheNamesKeepsTheCountiesAnsweredSoFar) {
    service.offline = [](const FakeDataService::Call& c) { return c.query.rfind("a=13&", 0) == 0; };
    EXPECT_FALSE(FetchAreaNames(*t));
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    // The reason follows the message; the area menu offers to try again, and a fetch that works takes it away.
    EXPECT_EQ(t.prompts.messages[0].rfind("Något gick fel då ÄFO-namn skulle läsas in.\r\nOrsak: ", 0), 0u)
        << t.prompts.messages[0];
    EXPECT_TRUE(t->AreaNamesFailed);
    EXPECT_EQ(t->Omrde1[2].areas.size(), 3u);
    service.offline = nullptr;
    EXPECT_TRUE(FetchAreaNames(*t));
    EXPECT_FALSE(t->AreaNamesFailed);
}

TEST_F(AreaLoading, TwelveYearLinesAndAnR2LineGiveTwelveRecordsAndTheFirstStartYearsCache) {
    ParsedArea a = parse(statisticsAnswer(12, 0, "R2|0,8123|7,5|230|1,25|0,8"));
    ASSERT_EQ(a.Statistics.size(), 14u);  // header, twelve years, the R2 line's empty slot
    EXPECT_EQ(a.DataYears, 12);
    EXPECT_EQ(a.Statistics[1].year, 2011);
    EXPECT_EQ(a.Statistics[12].year, 2022);
    EXPECT_EQ(a.Statistics[13].year, 0);
    EXPECT_DOUBLE_EQ(a.Statistics[12].reprod, 0.62);  // with an R2 line the last year line is read whole
    ASSERT_TRUE(a.r2);
    EXPECT_DOUBLE_EQ(a.r2->R2, 0.8123);
    EXPECT_DOUBLE_EQ(a.r2->StartDens, 7.5);
    EXPECT_EQ(a.r2->CC, 230);
    EXPECT_DOUBLE_EQ(a.r2->CCSlope, 1.25);

    ASSERT_TRUE(load(statisticsAnswer(12, 0, "R2|0,8123|7,5|230|1,25|0,8")));
    EXPECT_EQ(t->Statistics[1].CC, 230);
    EXPECT_DOUBLE_EQ(t->Statistics[1].StartDens, 7.5);
    EXPECT_DOUBLE_EQ(t->Statistics[1].R2, 0.8123);
    EXPECT_DOUBLE_EQ(t->Header.AreaCCSlope, 1.25);
    EXPECT_DOUBLE_EQ(t->CCSlope, 1.25);
    EXPECT_EQ(t->pos(C::Trk_barkraftovrig), 230);
}

TEST_F(AreaLoading, WithoutAnR2LineTheForageSettingIsTheAreasDefault) {
    ASSERT_TRUE(load(statisticsAnswer(12)));
    EXPECT_EQ(t->pos(C::Trk_barkraftovrig), 220);
    EXPECT_DOUBLE_EQ(t->Header.AreaCCSlope, 0.5);
    EXPECT_EQ(t->Statistics[1].R2, 0);
}

TEST_F(AreaLoading, YearLinesAreReadFieldByField) {
    std::vector<std::string> first = yearFields(2011), second = yearFields(2012), last = yearFields(2013);
    first[6] = "NULL";  // bull share
    first[9] = "-1";    // young forest not reported: the next year's
    second[9] = "4200";
    second[7] = "";      // calves per cow
    second[18] = "100";  // unknown traffic kills
    second[15] = "1";
    second[16] = "2";
    second[17] = "3";
    last[5] = "0";
    last[1] = last[2] = last[3] = last[4] = "0";
    last[7] = "0,9";  // the year under way: its calves per cow are not read
    last[9] = "-1";
    std::string answer =
        joined(headerFields(), '|') + ";" + joined(first, '|') + ";" + joined(second, '|') + ";" + joined(last, '|');
    ParsedArea a = parse(answer);
    const TStatistics &s1 = a.Statistics[1], &s2 = a.Statistics[2], &s3 = a.Statistics[3];
    EXPECT_EQ(s1.tjurobs, 0);
    EXPECT_EQ(s1.ungskog, 4200);
    EXPECT_EQ(s2.reprod, 0);
    EXPECT_EQ(s3.reprod, 0);
    EXPECT_EQ(s3.ungskog, 0);
    EXPECT_EQ(s2.TrafikTjur, 36);
    EXPECT_EQ(s2.TrafikHondjur, 48);
    EXPECT_EQ(s2.TrafikKalv, 22);
    EXPECT_EQ(s2.TrafikOkand, 100);
    EXPECT_EQ(s1.vuxna, 180);
    EXPECT_EQ(s1.kalv, 145);
    EXPECT_DOUBLE_EQ(s1.kalvandel, 145.0 / 325);
    EXPECT_DOUBLE_EQ(s1.sexratio, 70.0 / 145);
    EXPECT_DOUBLE_EQ(s1.obs, 0.45);
    EXPECT_DOUBLE_EQ(s1.varg, 1.5);
    EXPECT_DOUBLE_EQ(s1.tjurvikt, 180);
    EXPECT_EQ(s1.regarea, 99000);
    EXPECT_EQ(s3.kalvandel, 0);
    EXPECT_EQ(s3.sexratio, 0);
    EXPECT_EQ(a.DataYears, 2);
}

TEST_F(AreaLoading, UnknownTrafficKillsAreShared35To46ToTheRest) {
    struct Case {
        int unknown, bulls, cows, calves;
    };
    for (Case c : {Case{100, 35, 46, 19}, {10, 4, 5, 1}, {1, 0, 0, 1}, {0, 0, 0, 0}, {3, 1, 1, 1}}) {
        std::vector<std::string> y = yearFields(2011);
        y[15] = y[16] = y[17] = "0";
        y[18] = std::to_string(c.unknown);
        TStatistics s = parse(joined(headerFields(), '|') + ";" + joined(y, '|')).Statistics[1];
        EXPECT_EQ(s.TrafikTjur, c.bulls) << c.unknown;
        EXPECT_EQ(s.TrafikHondjur, c.cows) << c.unknown;
        EXPECT_EQ(s.TrafikKalv, c.calves) << c.unknown;
    }
}

TEST_F(AreaLoading, TheHeaderFillsTheAreaHeaderAndCutsTheNamesTo20Characters) {
    std::vector<std::string> h = headerFields();
    h[13] = "Västra Götalands län, mitten";
    h[14] = "Ett mycket långt områdesnamn";
    TAreaHeader a = parse(joined(h, '|') + ";" + joined(yearFields(2011), '|')).header;
    EXPECT_EQ(a.Jaktarea, 100000);
    EXPECT_EQ(a.HeaderInt1, 11);
    EXPECT_EQ(a.HeaderInt2, 12);
    EXPECT_EQ(a.HeaderInt4, 14);
    EXPECT_EQ(a.HeaderInt5, 15);
    EXPECT_EQ(a.OtherLandHaA, 20000);
    EXPECT_EQ(a.OtherLandHaB, 10000);
    EXPECT_EQ(a.ImpedimentHa, 5000);
    EXPECT_EQ(a.AreaForage, 22);
    EXPECT_EQ(a.Lankod, 3);
    EXPECT_EQ(a.AFOnr, 2);
    EXPECT_EQ(getShort(a.Lan), "Västra Götalands län");
    EXPECT_EQ(getShort(a.AFO), "Ett mycket långt omr");
    EXPECT_DOUBLE_EQ(a.AreaCCSlope, 0.5);
    EXPECT_DOUBLE_EQ(a.HeaderReal17, 60);
    EXPECT_DOUBLE_EQ(a.HeaderReal18, 17);
}

TEST_F(AreaLoading, TheRequestAsksForTheAreaItemWithTheAreaDefaultMortality) {
    ASSERT_TRUE(load(statisticsAnswer(12)));
    EXPECT_EQ(service.calls.back().script, "vildosql.php");
    EXPECT_EQ("vildosql.php?" + service.calls.back().query, kStatsQuery);
}

TEST_F(AreaLoading, ALoadedAreaSetsTheLabelTheInputsAndTheModesOfAnArea) {
    t->Rov.Vargrevir.assign(3, 4.0);
    setPosition(*t, C::trk_kododlighet, 5);
    ASSERT_TRUE(load(statisticsAnswer(12)));
    EXPECT_EQ(t->ctl(C::LOmrade).caption, "Område: Testområdet, Uppsala län");
    EXPECT_EQ(t->LanAFO.S_Lan, "Uppsala län");
    EXPECT_EQ(t->LanAFO.S_Afo, "Testområdet");
    EXPECT_EQ(t->LanAFO.I_Lan, 2u);
    EXPECT_EQ(t->LanAFO.I_Afo, 1u);
    EXPECT_TRUE(t->AreaLoaded);
    EXPECT_FALSE(t->AreaLoading);
    EXPECT_TRUE(t->checked(C::chk_stats));
    EXPECT_TRUE(t->ctl(C::mnu_Sparaomrade).enabled);
    EXPECT_FALSE(t->ctl(C::Laddascenario1).enabled);
    EXPECT_TRUE(t->ctl(C::btn_nykalib).enabled);
    EXPECT_TRUE(t->ctl(C::GroupBox1).visible);
    EXPECT_EQ(t->ctl(C::GroupBox1).caption, "Statistik: Medelvärde de senaste tre åren");
    EXPECT_EQ(t->pos(C::trk_kododlighet), 2);
    EXPECT_EQ(t->NatMortPctF, 2);
    EXPECT_DOUBLE_EQ(t->CalfSummerMortality, 0.03);
    EXPECT_EQ(t->Rov.Vargrevir, std::vector<double>(12, 0.0));  // one entry per harvest year, all zero
    EXPECT_EQ(t->HuntAreaHa, 100000);
    EXPECT_EQ(t->AreaKha, 100);
    EXPECT_EQ(t->DataYears, 12);
    EXPECT_EQ(t->Header.DataYears, 12);
    EXPECT_EQ(t->pos(C::trk_harvest), 32);  // 325 per 100 000 ha: 32.5 tenths, halves to even
    EXPECT_EQ(t->StringGrid6.cell(3, 5), "100");
    // The predator chart shows the area's history, one point a harvest year from the first.
    const Chart& predators = t->charts[10];
    ASSERT_EQ(predators.series[0].points.size(), 12u);
    EXPECT_EQ(predators.series[0].points.front().x, t->Statistics[1].year);
    EXPECT_EQ(predators.left.max, 10);
    ASSERT_EQ(t.prompts.infos.size(), 1u);
    EXPECT_TRUE(t.prompts.infos[0].showBox);  // message 5, the area has been read
    EXPECT_EQ(t.prompts.infos[0].text.rfind("Ett område har lästs in.", 0), 0u);
}

TEST_F(AreaLoading, TheStockKeepsItsDensityOnTheNewAreasHuntingArea) {
    // The stock before any area lives on 250 000 ha; the test area hunts on 100 000 ha.
    ASSERT_EQ(t->AreaKha, 250);
    t->Pop.FemWinter[3] = 50;
    t->Winter.WinterStock = 2000;
    t->Summer.SummerStock = 2500;
    ASSERT_TRUE(load(statisticsAnswer(12)));
    EXPECT_EQ(t->AreaKha, 100);
    EXPECT_DOUBLE_EQ(t->Pop.FemWinter[3], 20);
    EXPECT_DOUBLE_EQ(t->Winter.WinterStock, 800);
    EXPECT_DOUBLE_EQ(t->Summer.SummerStock, 1000);
}

TEST_F(AreaLoading, TheLabelAndTheCountySuffixFollowTheMenu) {
    struct Case {
        int county;
        std::string suffix;
    };
    for (Case c : {Case{0, ""},
                   {1, "s län"},
                   {2, " län"},
                   {7, " län"},
                   {8, " län"},
                   {9, " län"},
                   {13, " län"},
                   {11, "s län"},
                   {20, "s län"}})
        EXPECT_EQ(countySuffix(c.county), c.suffix) << c.county;
    ASSERT_TRUE(load(statisticsAnswer(12), 2));
    EXPECT_EQ(t->ctl(C::LOmrade).caption, "Område: Uppsala län");
}

TEST_F(AreaLoading, StartYearsAreRecordsTwoToDataYearsMinusFour) {
    ASSERT_TRUE(load(statisticsAnswer(10)));
    EXPECT_EQ(t->ctl(C::Combo_Startyear).items, (std::vector<std::string>{"2012", "2013", "2014", "2015", "2016"}));
    EXPECT_TRUE(t->ctl(C::Combo_Startyear).enabled);
    ASSERT_TRUE(load(statisticsAnswer(5)));
    EXPECT_TRUE(t->ctl(C::Combo_Startyear).items.empty());
}

class AreaLoadingIn2015 : public AreaLoading {
protected:
    AreaLoadingIn2015() : AreaLoading(2015) {}
};

TEST_F(AreaLoadingIn2015, AStartYearLaterThanLastYearIsShownAsLastYear) {
    ASSERT_TRUE(load(statisticsAnswer(10)));
    EXPECT_EQ(t->ctl(C::Combo_Startyear).items, (std::vector<std::string>{"2012", "2013", "2014", "2014", "2014"}));
}

// Everything a load replaces, to compare before and after.
struct Snapshot {
    explicit Snapshot(const Vildo& a)
        : stats(a.Statistics),
          header(a.Header),
          dataYears(a.DataYears),
          loaded(a.AreaLoaded),
          harvest(a.pos(C::trk_harvest)),
          forage(a.pos(C::Trk_barkraftovrig)),
          label(a.ctl(C::LOmrade).caption),
          grid(a.StringGrid6.cells),
          land(a.Land),
          lan(a.LanAFO.S_Lan),
          afo(a.LanAFO.S_Afo),
          areaItem(a.LanAFO.I_Afo),
          wolves(a.Rov.Vargrevir),
          wolfPoints(a.charts[10].series.at(0).points.size()) {}
    bool operator==(const Snapshot& o) const {
        return stats.size() == o.stats.size() &&
               std::memcmp(stats.data(), o.stats.data(), stats.size() * sizeof(TStatistics)) == 0 &&
               std::memcmp(&header, &o.header, sizeof header) == 0 && dataYears == o.dataYears && loaded == o.loaded &&
               harvest == o.harvest && forage == o.forage && label == o.label && grid == o.grid &&
               std::memcmp(&land, &o.land, sizeof land) == 0 && lan == o.lan && afo == o.afo &&
               areaItem == o.areaItem && wolves == o.wolves && wolfPoints == o.wolfPoints;
    }
    std::vector<TStatistics> stats;
    TAreaHeader header;
    int dataYears;
    bool loaded;
    int harvest, forage;
    std::string label;
    std::vector<std::string> grid;
    TLandUse land;
    std::string lan, afo;
    uint32_t areaItem;
    std::vector<double> wolves;
    size_t wolfPoints;
};

TEST_F(AreaLoading, ABrokenAnswerOrALostConnectionLeavesThePreviousAreaExactlyAsItWas) {
    ASSERT_TRUE(load(statisticsAnswer(12, 1, "R2|0,8|7|230|1|1")));
    t->Rov.Vargrevir[0] = 2.5;  // the user's predators, on the chart the season reads them from
    t->charts[10].series[0].points.push_back({2011, 2.5, {}, 0});
    const Snapshot before(*t);
    auto withYear = [](int field, const std::string& value) {
        std::vector<std::string> y = yearFields(2011);
        y[field] = value;
        return joined(headerFields(), '|') + ";" + joined(y, '|') + ";" + joined(yearFields(2012), '|');
    };
    auto withHeader = [](int field, const std::string& value) {
        std::vector<std::string> h = headerFields();
        h[field] = value;
        return joined(h, '|') + ";" + joined(yearFields(2011), '|');
    };
    std::vector<std::string> header18 = headerFields();
    header18.pop_back();
    std::vector<std::string> year20 = yearFields(2012);
    year20.pop_back();
    const std::pair<const char*, std::string> broken[] = {
        {"empty answer", ""},
        {"header of 18 fields", joined(header18, '|') + ";" + joined(yearFields(2011), '|')},
        {"year line of 20 fields",
         joined(headerFields(), '|') + ";" + joined(yearFields(2011), '|') + ";" + joined(year20, '|')},
        {"R2 line of 4 fields", statisticsAnswer(3, 0, "R2|0,8|7|230")},
        {"non-integer harvest", withYear(1, "12a")},
        {"decimal with a point", withYear(8, "0.45")},
        {"decimal in an integer field", withYear(11, "180,5")},
        {"integer beyond 32 bits", withYear(5, "4294967296")},
        {"header NULL", withHeader(0, "NULL")},
        {"no land area", withHeader(3, "0")},
        {"no hunting area", withHeader(0, "0")},
        {"trailing separator", statisticsAnswer(3) + ";"},
    };
    for (const auto& [what, answer] : broken) {
        t.prompts.infos.clear();
        EXPECT_FALSE(load(answer, 0)) << what;
        EXPECT_TRUE(Snapshot(*t) == before) << what;
        EXPECT_FALSE(t->AreaLoading) << what;
        ASSERT_EQ(t.prompts.infos.size(), 1u) << what;
        // An answer that came is not a lost connection: the message says what was wrong with it.
        const std::string text = t.prompts.infos[0].text;
        EXPECT_EQ(text.rfind("Fel uppstod då ett område skulle läsas in. Datatjänstens svar går inte att läsa: ", 0),
                  0u)
            << text;
        EXPECT_EQ(text.find("internet"), std::string::npos) << text;
        EXPECT_EQ(text.find("Division"), std::string::npos) << text;
        EXPECT_FALSE(t.prompts.infos[0].showBox);
    }
    service.offline = [](const FakeDataService::Call&) { return true; };
    t.prompts.infos.clear();
    EXPECT_FALSE(load(statisticsAnswer(12)));
    EXPECT_TRUE(Snapshot(*t) == before);
    ASSERT_EQ(t.prompts.infos.size(), 1u);
    EXPECT_EQ(t.prompts.infos[0].text, "Fel uppstod då ett område skulle läsas in. Är du ansluten till internet?");
}

TEST_F(AreaLoading, AnAreaItemOutsideTheMenuDoesNothing) {
    EXPECT_FALSE(NyttOmrade(*t, 2, 3));
    EXPECT_FALSE(NyttOmrade(*t, 21, 0));
    EXPECT_FALSE(NyttOmrade(*t, -1, 0));
    EXPECT_EQ(service.calls.back().script, "vildoAFOsql.php");
}

}  // namespace
}  // namespace vildo
