// The calibration end to end, headless on the virtual clock, against the stand-in service on loopback:
// area load, start year, search, full calibration, upload and verdict; then the cached path.
#include <gtest/gtest.h>

#include "area/data_service.h"
#include "area/http_data_service.h"
#include "calibration/fit_upload.h"
#include "calibration/full_calibration.h"
#include "calibration/start_year.h"
#include "service/server.h"
#include "service_test_support.h"
#include "ui/scheduler.h"
#include "util/file_io.h"
#include "util/format.h"

namespace vildo {
namespace {

constexpr const char* kVerdict = "Älgstammen har beräknats till:";

class CalibrationOverHttp : public ::testing::Test {
protected:
    void SetUp() override {
        // One seed area, Norra Roslagen (Stockholm, area number 1), with its true densities beside it.
        seed.add("01_01.csv", readWholeFile(std::filesystem::path(VILDO_DATA_DIR) / "areas" / "01_01.csv").value());
        server = std::make_unique<service::BackgroundService>(seed.db, seed.seed);
        client = std::make_unique<HttpDataService>(server->url());
    }

    // A program started afresh that loads the area and runs whatever its start-year change starts.
    struct Run {
        std::unique_ptr<test::TestApp> t = std::make_unique<test::TestApp>();
        int startedBy = 0;  // the timer the start-year change started
        bool verdict = false;
    };
    Run calibrate() {
        Run r;
        test::TestApp& t = *r.t;
        t->dataService = client.get();
        t.start();
        // The start-up's own season reset comes first, as it does before a user can pick an area.
        Scheduler(*t).runUntil([&] { return !t->timers[13].enabled && !t->timers[1].enabled; });
        EXPECT_TRUE(areaItemClick(*t, 1, 0));
        for (int n : {2, 6, 12})
            if (t->timers[n].enabled) r.startedBy = n;
        Scheduler(*t).runUntil([&] { return !calibrationRunning(*t); });
        for (const auto& info : t.prompts.infos)
            if (info.text.rfind(kVerdict, 0) == 0) r.verdict = true;
        return r;
    }

    test::SeedFolder seed;
    std::unique_ptr<service::BackgroundService> server;
    std::unique_ptr<HttpDataService> client;
};

TEST_F(CalibrationOverHttp, AnAreaIsCalibratedToAVerdictAndItsResultIsCachedForTheNextLoad) {
    Run first = calibrate();
    Vildo& a = **first.t;
    EXPECT_EQ(first.startedBy, 2);  // nothing cached yet: the search first
    ASSERT_TRUE(first.verdict);
    EXPECT_TRUE(first.t->prompts.messages.empty());
    EXPECT_FALSE(a.WorkingFront);
    EXPECT_GT(a.BestFit, 0.3);
    EXPECT_GE(a.HistoricRuns, 31);
    // The verdict's stock comes from the replay of the best setting, over the years 2012..2025.
    EXPECT_EQ(a.pos(C::Trk_density), a.BestDensity);
    EXPECT_EQ(a.YearNo, 14);
    // The true winter density of 2025 is 9.8 per 1000 ha; the estimate is of that order.
    EXPECT_GT(a.Winter.WinterDensity, 4.9);
    EXPECT_LT(a.Winter.WinterDensity, 14.7);
    EXPECT_EQ(a.Statistics[1].R2, a.BestFit);

    // The service keeps the best fit with the setting that gave it.
    std::optional<FitCache> cached = parseFitAnswer(client->get("vildosql_R2.php", fitQuery(1, 1, 2012, 6, 2, 2)));
    ASSERT_TRUE(cached);
    EXPECT_EQ(fix(cached->R2, 15, 4), fix(a.BestFit, 15, 4));
    EXPECT_EQ(cached->CC, a.BestForage);
    EXPECT_DOUBLE_EQ(cached->StartDens, a.BestDensity / 10);

    // A second load of the area starts from the cached setting.
    Run second = calibrate();
    EXPECT_EQ(second.startedBy, 12);
    EXPECT_TRUE(second.verdict);
}

}  // namespace
}  // namespace vildo
