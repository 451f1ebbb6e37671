#include <gtest/gtest.h>

#include "app/area_loading.h"
#include "area/county_table.h"
#include "area/data_service.h"
#include "area/http_data_service.h"
#include "area/statistics_answer.h"
#include "service/server.h"
#include "service_test_support.h"

namespace vildo {
namespace {

using test::areaCsv;

class OverHttp : public ::testing::Test {
protected:
    void SetUp() override {
        seed.add("03_01.csv", areaCsv(3, 1, "Norra Uppland"));
        start();
    }
    void start() {
        server = std::make_unique<service::BackgroundService>(seed.db, seed.seed);
        client = std::make_unique<HttpDataService>(server->url());
    }
    test::SeedFolder seed;
    std::unique_ptr<service::BackgroundService> server;
    std::unique_ptr<HttpDataService> client;
};

TEST_F(OverHttp, TheClientGetsEachScriptsAnswer) {
    EXPECT_EQ(client->get("vildoAFOsql.php", areaNamesQuery(3)), "Uppsala|Norra Uppland");
    std::string stats = client->get("vildosql.php", statisticsQuery(3, 0, "1", "6", "2", "2"));
    ParsedArea a = parseStatisticsAnswer(stats, TAreaHeader{});
    EXPECT_EQ(a.DataYears, 2);
    EXPECT_EQ(getShort(a.header.AFO), "Norra Uppland");
    EXPECT_EQ(client->get("vildosql_R2.php", fitQuery(3, 1, 2012, 6, 2, 2)), "R2;0;0;0;0;0");
    FitUpload u{"0,7512", 231, 8.4, 3, 1, 2012, 0.25, 6, 2, 2, 1.5, 10};
    EXPECT_EQ(client->get("vr2sql.php", uploadQuery(u)), "Registrerat");
    auto fit = parseFitAnswer(client->get("vildosql_R2.php", fitQuery(3, 1, 2012, 6, 2, 2)));
    ASSERT_TRUE(fit);
    EXPECT_DOUBLE_EQ(fit->R2, 0.7512);
    EXPECT_EQ(fit->CC, 231);
}

// The body of an error status is never taken for data.
TEST_F(OverHttp, AnErrorStatusAndNoConnectionAreFailures) {
    EXPECT_THROW(client->get("vildosql.php", "a=x"), ServiceError);
    EXPECT_THROW(client->get("vildosql.php", statisticsQuery(3, 7, "1", "6", "2", "2")), ServiceError);
    EXPECT_THROW(client->get("nothing.txt", ""), ServiceError);
    HttpDataService wrongPath(server->url() + "elsewhere/");
    EXPECT_THROW(wrongPath.get("vildoAFOsql.php", areaNamesQuery(3)), ServiceError);
    std::string url = server->url();
    server.reset();
    HttpDataService gone(url, 1, 1);
    EXPECT_THROW(gone.get("vildoAFOsql.php", areaNamesQuery(3)), ServiceError);
}

TEST_F(OverHttp, AnUploadIsKeptAcrossARestart) {
    FitUpload u{"0,6612", 228, 7.25, 3, 1, 2012, -0.5, 6, 2, 2, 0.9, 10};
    ASSERT_EQ(client->get("vr2sql.php", uploadQuery(u)), "Registrerat");
    server.reset();
    start();
    EXPECT_EQ(client->get("vildosql_R2.php", fitQuery(3, 1, 2012, 6, 2, 2)), "R2;0,6612;7,25;228;-0,5;0,9");
    EXPECT_NE(client->get("vildosql.php", statisticsQuery(3, 0, "1", "6", "2", "2")).find(";R2|0,6612|"),
              std::string::npos);
}

TEST_F(OverHttp, ARestartDoesNotImportTheSeedAgain) {
    server.reset();
    seed.add("03_02.csv", areaCsv(3, 2, "Södra Uppland"));
    start();
    EXPECT_EQ(client->get("vildoAFOsql.php", areaNamesQuery(3)), "Uppsala|Norra Uppland");
}

TEST_F(OverHttp, AnAreaIsLoadedThroughTheService) {
    test::TestApp t;
    t->dataService = client.get();
    t.start();
    ASSERT_EQ(t->Omrde1[2].areas, std::vector<std::string>{"Norra Uppland"});
    ASSERT_TRUE(NyttOmrade(*t, 2, 0));
    EXPECT_EQ(t->ctl(C::LOmrade).caption, "Område: Norra Uppland, Uppsala län");
    EXPECT_EQ(t->DataYears, 2);
    EXPECT_EQ(t->Statistics[2].ungskog, 3900);  // "-1": the following year's young forest
}

// The seed data set as shipped: every county item has areas, and every area downloads and reads.
TEST(SeedData, EveryAreaOfEveryCountyDownloadsAndReads) {
    test::TempDir dir;
    service::BackgroundService server(dir.path / "seed.db", VILDO_DATA_DIR);
    HttpDataService client(server.url());
    test::TestApp t;
    t->dataService = &client;
    t.start();
    ASSERT_TRUE(t.prompts.messages.empty());
    int areas = 0;
    for (size_t i = 0; i < t->Omrde1.size(); ++i) {
        const CountyItem& county = t->Omrde1[i];
        EXPECT_GE(county.areas.size(), 2u) << county.caption;
        const int code = *countyCode(county.caption);
        for (size_t j = 0; j < county.areas.size(); ++j) {
            const std::string what = county.caption + " / " + county.areas[j];
            std::string answer =
                client.get("vildosql.php", statisticsQuery(code, static_cast<int>(j), "1", "6", "2", "2"));
            try {
                ParsedArea a = parseStatisticsAnswer(answer, TAreaHeader{});
                EXPECT_EQ(a.DataYears, 15) << what;
                EXPECT_EQ(a.Statistics[1].year, 2011) << what;
                EXPECT_EQ(a.header.Lankod, code) << what;
                EXPECT_EQ(getShort(a.header.AFO), fromCp1252(toCp1252(county.areas[j]).substr(0, 20))) << what;
            } catch (const VildoError& e) {
                ADD_FAILURE() << what << ": " << e.what();
            }
            t.prompts.infos.clear();
            EXPECT_TRUE(NyttOmrade(*t, static_cast<int>(i), static_cast<int>(j))) << what;
            EXPECT_EQ(t->ctl(C::Combo_Startyear).items.size(), 10u) << what;
            ++areas;
        }
    }
    EXPECT_GE(areas, 60);
}

}  // namespace
}  // namespace vildo
