#include <gtest/gtest.h>

#include "service/answers.h"
#include "service/server.h"
#include "service_test_support.h"

namespace vildo::service {
namespace {

using test::areaCsv;

Params query(std::initializer_list<std::pair<const std::string, std::string>> keys) { return Params(keys); }

Params statsQuery(int county, int index, int calf = 6) {
    return query({{"a", std::to_string(county)},
                  {"b", std::to_string(index)},
                  {"c", "1"},
                  {"d", "vildodata"},
                  {"e", std::to_string(calf)},
                  {"f", "2"},
                  {"g", "2"}});
}

Params fitQueryFor(int county, int afonr, int year) {
    return query({{"a", std::to_string(county)},
                  {"b", std::to_string(afonr)},
                  {"c", std::to_string(year)},
                  {"d", "vildodata"},
                  {"e", "6"},
                  {"f", "2"},
                  {"g", "2"}});
}

Params upload(const std::string& fit, const std::string& areaKey, const std::string& density = "8,500") {
    return query({{"c", fit},
                  {"d", "230"},
                  {"e", density},
                  {"f", areaKey},
                  {"g", "vildodata"},
                  {"h", "-0,500"},
                  {"i", "6"},
                  {"j", "2"},
                  {"k", "2"},
                  {"l", "1,200"},
                  {"m", "10"}});
}

class Answers : public ::testing::Test {
protected:
    void SetUp() override {
        seed.add("03_02.csv", areaCsv(3, 2, "Södra Uppland"));
        seed.add("03_01.csv", areaCsv(3, 1, "Norra Uppland"));
        seed.add("25_01.csv", areaCsv(25, 1, "Kust", "Norrbotten"));
        db = openServiceDatabase(seed.db, seed.seed);
    }
    Answer ask(const std::string& script, const Params& p) { return answer(*db, script, p); }
    test::SeedFolder seed;
    std::unique_ptr<ServiceDatabase> db;
};

TEST_F(Answers, AreaNamesComeInMenuOrderAfterTheCountyName) {
    auto names = [&](int code) {
        return ask("vildoAFOsql.php",
                   query({{"a", std::to_string(code)}, {"b", "dummy"}, {"c", "dummy"}, {"d", "vildodata"}}));
    };
    EXPECT_EQ(names(3).body, "Uppsala|Norra Uppland|Södra Uppland");
    EXPECT_EQ(names(25).body, "Norrbotten|Kust");
    EXPECT_EQ(names(1).body, "");   // a county without areas
    EXPECT_EQ(names(99).body, "");  // no such county
    EXPECT_EQ(names(3).status, 200);
}

TEST_F(Answers, StatisticsAreTheHeaderAndTheYearsWithDecimalCommasAndNull) {
    Answer a = ask("vildosql.php", statsQuery(3, 1));
    ASSERT_EQ(a.status, 200);
    EXPECT_EQ(a.body,
              "100000|1|2|98000|70000|5|15000|8000|3000|2000|110000|22|3|Uppsala|Södra Uppland|2|50|60000|17000;"
              "2011|90|90|75|70|325|0,35|0,62|0,45|4000|99000|180|160|65|60|5|6|3|2|1,5|0;"
              "2012|80|95|70|65|310|NULL|0,6|0,5|-1|99000|178|158|64|59|4|5|2|0|1,5|0;"
              "2013|0|0|0|0|0|NULL|NULL|NULL|3900|99000|NULL|NULL|NULL|NULL|1|1|0|0|1|0");
    EXPECT_EQ(ask("vildosql.php", statsQuery(3, 2)).status, 404);
    EXPECT_EQ(ask("vildosql.php", statsQuery(1, 0)).status, 404);
}

TEST_F(Answers, AMalformedRequestGetsStatus400AndAShortText) {
    const std::pair<const char*, Params> bad[] = {
        {"no key a", query({{"b", "0"}, {"c", "1"}, {"d", "vildodata"}, {"e", "6"}, {"f", "2"}, {"g", "2"}})},
        {"a not a number",
         query({{"a", "x"}, {"b", "0"}, {"c", "1"}, {"d", "vildodata"}, {"e", "6"}, {"f", "2"}, {"g", "2"}})},
        {"a beyond 32 bits",
         query({{"a", "99999999999"}, {"b", "0"}, {"c", "1"}, {"d", "vildodata"}, {"e", "6"}, {"f", "2"}, {"g", "2"}})},
        {"unknown source",
         query({{"a", "3"}, {"b", "0"}, {"c", "1"}, {"d", "other"}, {"e", "6"}, {"f", "2"}, {"g", "2"}})},
        {"no mortality", query({{"a", "3"}, {"b", "0"}, {"c", "1"}, {"d", "vildodata"}})},
        {"SQL in a key", query({{"a", "3; DROP TABLE area"},
                                {"b", "0"},
                                {"c", "1"},
                                {"d", "vildodata"},
                                {"e", "6"},
                                {"f", "2"},
                                {"g", "2"}})},
    };
    for (const auto& [what, p] : bad) {
        Answer a = ask("vildosql.php", p);
        EXPECT_EQ(a.status, 400) << what;
        EXPECT_EQ(a.body.rfind("Felaktig förfrågan", 0), 0u) << what;
    }
    EXPECT_EQ(ask("vildosql.php", statsQuery(3, 0)).status, 200);  // the tables are still there
    EXPECT_EQ(ask("other.php", statsQuery(3, 0)).status, 404);
    for (const char* key : {"2012", "3012", "30x2012", ""})
        EXPECT_EQ(ask("vr2sql.php", upload("0,8", key)).status, 400) << key;
    EXPECT_EQ(ask("vr2sql.php", upload("hög", "3012012")).status, 400);
}

TEST_F(Answers, AnUploadIsServedBackAsTheBestFitOfItsAreaStartYearAndMortality) {
    EXPECT_EQ(ask("vildosql_R2.php", fitQueryFor(3, 1, 2012)).body, "R2;0;0;0;0;0");
    EXPECT_EQ(ask("vr2sql.php", upload("0,8123", "3012012")).body, "Registrerat");
    // Only a fit that beats the kept one is kept; a worse one, or the same again, is not.
    EXPECT_EQ(ask("vr2sql.php", upload("0,6000", "3012012", "9,000")).body,
              "Inte registrerat: en bättre anpassning finns redan");
    EXPECT_EQ(ask("vr2sql.php", upload("0,8123", "3012012", "9,000")).body,
              "Inte registrerat: en bättre anpassning finns redan");
    EXPECT_EQ(ask("vildosql_R2.php", fitQueryFor(3, 1, 2012)).body, "R2;0,8123;8,5;230;-0,5;1,2");
    EXPECT_EQ(ask("vildosql_R2.php", fitQueryFor(3, 1, 2013)).body, "R2;0;0;0;0;0");
    EXPECT_EQ(ask("vildosql_R2.php", fitQueryFor(3, 2, 2012)).body, "R2;0;0;0;0;0");
    // The first start year's result travels with the statistics, for the same mortality only.
    EXPECT_NE(ask("vildosql.php", statsQuery(3, 0)).body.find(";R2|0,8123|8,5|230|-0,5|1,2"), std::string::npos);
    EXPECT_EQ(ask("vildosql.php", statsQuery(3, 0, 10)).body.find("R2"), std::string::npos);
    // A fit of 0 forgets what was kept.
    EXPECT_EQ(ask("vr2sql.php", upload("0,000", "3012012", "0")).body, "Registrerat");
    EXPECT_EQ(ask("vildosql_R2.php", fitQueryFor(3, 1, 2012)).body, "R2;0;0;0;0;0");
    EXPECT_EQ(ask("vr2sql.php", upload("0,8", "3092012")).status, 404);  // no area 9 in Uppsala
}

TEST_F(Answers, ImportingAnAreaAgainReplacesItsYearsAndKeepsItsResults) {
    ask("vr2sql.php", upload("0,8", "3012012"));
    std::string again = areaCsv(3, 1, "Norra Uppland, ny");
    again = again.substr(0, again.find("2012;"));  // one year only
    db->importArea(parseAreaCsv(again));
    EXPECT_EQ(ask("vildoAFOsql.php", query({{"a", "3"}, {"d", "vildodata"}})).body,
              "Uppsala|Norra Uppland, ny|Södra Uppland");
    std::string body = ask("vildosql.php", statsQuery(3, 0)).body;
    EXPECT_EQ(std::count(body.begin(), body.end(), ';'), 1);
    EXPECT_EQ(ask("vildosql_R2.php", fitQueryFor(3, 1, 2012)).body.substr(0, 8), "R2;0,8;8");
}

TEST(AreaCsv, ReadsBackWhatItWritesAndNamesTheLineThatDoesNotRead) {
    AreaData a = parseAreaCsv(areaCsv(3, 1, "Norra Uppland"));
    EXPECT_EQ(parseAreaCsv(formatAreaCsv(a)).years.size(), 3u);
    EXPECT_EQ(formatAreaCsv(parseAreaCsv(formatAreaCsv(a))), formatAreaCsv(a));
    EXPECT_EQ(a.name(), "Norra Uppland");
    EXPECT_TRUE(a.years[2][6].null);
    EXPECT_DOUBLE_EQ(a.years[1][8].number, 0.5);  // a decimal point is accepted in a file

    std::string cp1252 =
        "100000;1;2;98000;0;0;0;0;0;0;0;22;3;Uppsala;Gr\xe4nsomr\xe5"
        "det;1;0;0;0\n";
    EXPECT_EQ(parseAreaCsv(cp1252).name(), "Gränsområdet");

    const std::pair<const char*, std::string> bad[] = {
        {"rad 3", "# c\n" + areaCsv(3, 1, "A").substr(7, 95)},
        {"rad 3, fält 1 (tjur)",
         "100000;1;2;98000;0;0;0;0;0;0;0;22;3;U;A;1;0;0;0\n\n2011;x;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0\n"},
        {"fält 14 (afo)", "100000;1;2;98000;0;0;0;0;0;0;0;22;3;U;A|B;1;0;0;0\n"},
        {"finns redan",
         "100000;1;2;98000;0;0;0;0;0;0;0;22;3;U;A;1;0;0;0\n2011;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0\n2011;0;0;0;0;"
         "0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0\n"},
        {"rubrikrad", "# nothing\n"},
        {"fält 0 (ar)",
         "100000;1;2;98000;0;0;0;0;0;0;0;22;3;U;A;1;0;0;0\nNULL;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0;0\n"},
    };
    for (const auto& [expected, text] : bad) {
        try {
            parseAreaCsv(text);
            ADD_FAILURE() << expected << " was read";
        } catch (const DataError& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace vildo::service
