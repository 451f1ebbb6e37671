#include <gtest/gtest.h>

#include <cstring>

#include "app/area_loading.h"
#include "area/data_service.h"
#include "area/http_data_service.h"
#include "area_fakes.h"
#include "support/test_app.h"

namespace vildo {
namespace {

using test::FakeDataService;

TEST(ServiceRequests, KeysAreSentInTheirOrder) {
    EXPECT_EQ(areaNamesQuery(26), "a=26&b=dummy&c=dummy&d=vildodata");
    EXPECT_EQ(statisticsQuery(14, 3, "1", "6", "2", "2"), "a=14&b=3&c=1&d=vildodata&e=6&f=2&g=2");
    EXPECT_EQ(fitQuery(3, 2, 2014, 8, 1, 3), "a=3&b=2&c=2014&d=vildodata&e=8&f=1&g=3");
}

TEST(ServiceRequests, AnUploadWritesDecimalsWithACommaAndTheAreaKeyBeforeTheStartYear) {
    FitUpload u{"0,8523", 219.6, 8.25, 3, 2, 2014, -1.5, 6, 2, 2, 1.2346, 7};
    EXPECT_EQ(uploadQuery(u), "c=0,8523&d=220&e=8,250&f=3022014&g=vildodata&h=-1,500&i=6&j=2&k=2&l=1,235&m=7");
    u.fitText = "0";
    u.lankod = 14;
    u.afonr = 12;
    EXPECT_EQ(uploadQuery(u), "c=0,000&d=220&e=0&f=14122014&g=vildodata&h=-1,500&i=6&j=2&k=2&l=1,235&m=7");
}

TEST(ServiceRequests, ACachedFitIsReadOnlyInItsLayout) {
    auto fit = parseFitAnswer("R2;0,8123;7,5;230;1,25;0,8");
    ASSERT_TRUE(fit);
    EXPECT_DOUBLE_EQ(fit->R2, 0.8123);
    EXPECT_DOUBLE_EQ(fit->StartDens, 7.5);
    EXPECT_EQ(fit->CC, 230);
    EXPECT_DOUBLE_EQ(fit->CCSlope, 1.25);
    EXPECT_DOUBLE_EQ(fit->Error, 0.8);
    for (const char* bad : {"", "R2;0;0;0;0", "X;0;0;0;0;0", "R2;0.5;0;0;0;0", "R2;0;0;2,5;0;0", "Not Found"})
        EXPECT_FALSE(parseFitAnswer(bad)) << bad;
}

TEST(HttpAddress, TheBaseAddressGetsAFinalSlashAndMustBeHttp) {
    HttpDataService a("http://127.0.0.1:8080");
    EXPECT_EQ(a.hostPart(), "http://127.0.0.1:8080");
    EXPECT_EQ(a.pathPart(), "/");
    HttpDataService b("https://example.org/vildo");
    EXPECT_EQ(b.hostPart(), "https://example.org");
    EXPECT_EQ(b.pathPart(), "/vildo/");
    for (const char* bad : {"", "127.0.0.1:8080", "ftp://host/", "http://"})
        EXPECT_THROW(HttpDataService{bad}, ServiceError) << bad;
}

class FitCache : public ::testing::Test {
protected:
    void SetUp() override {
        service.answers["vildoAFOsql.php"] = "";
        service.answers["vildoAFOsql.php?a=3&b=dummy&c=dummy&d=vildodata"] = "Uppsala|Testområdet";
        service.answers["vildosql.php"] = test::statisticsAnswer(10);
        t->dataService = &service;
        t.start();
        ASSERT_TRUE(NyttOmrade(*t, 2, 0));
    }
    FakeDataService service;
    test::TestApp t;
};

TEST_F(FitCache, AFetchedResultGoesToTheSlotOfItsStartYear) {
    service.answers["vildosql_R2.php"] = "R2;0,7;9,5;240;-0,5;1,1";
    setPosition(*t, C::trk_tjurdodlighet, 4);
    ASSERT_TRUE(FetchFitCache(*t, 2014));
    EXPECT_EQ(service.calls.back().query, "a=3&b=2&c=2014&d=vildodata&e=6&f=4&g=2");
    const TStatistics& slot = t->Statistics[3];
    EXPECT_DOUBLE_EQ(slot.R2, 0.7);
    EXPECT_DOUBLE_EQ(slot.StartDens, 9.5);
    EXPECT_EQ(slot.CC, 240);
    EXPECT_DOUBLE_EQ(slot.CCSlope, -0.5);
    EXPECT_DOUBLE_EQ(slot.Error, 1.1);
}

TEST_F(FitCache, AFetchThatFailsOrPointsOutsideTheRecordsWritesNothing) {
    const std::vector<TStatistics> before = t->Statistics;
    service.answers["vildosql_R2.php"] = "R2;0,7;9,5;240;-0,5;1,1";
    EXPECT_FALSE(FetchFitCache(*t, 2011));  // slot 0 is no year
    EXPECT_FALSE(FetchFitCache(*t, 2040));
    service.answers["vildosql_R2.php"] = "Okänt område";
    EXPECT_FALSE(FetchFitCache(*t, 2014));
    service.offline = [](const FakeDataService::Call&) { return true; };
    EXPECT_FALSE(FetchFitCache(*t, 2014));
    EXPECT_EQ(std::memcmp(before.data(), t->Statistics.data(), before.size() * sizeof(TStatistics)), 0);
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST_F(FitCache, AnUploadSucceedsOnlyForRegistrerat) {
    FitUpload u{"0,8", 220, 8, 3, 2, 2014, 0, 6, 2, 2, 0.2, 5};
    service.answers["vr2sql.php"] = "Registrerat";
    EXPECT_TRUE(SendFitResult(*t, u));
    service.answers["vr2sql.php"] = "Felaktig förfrågan";
    EXPECT_FALSE(SendFitResult(*t, u));
    EXPECT_TRUE(t.prompts.messages.empty());
    service.offline = [](const FakeDataService::Call&) { return true; };
    EXPECT_FALSE(SendFitResult(*t, u));
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0], "Något gick fel R2 värde skulle uppdateras.");
}

}  // namespace
}  // namespace vildo
