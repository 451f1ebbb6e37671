// The estimate's interval end to end over loopback: the ensemble behind the verdict, its independence of the
// thread count, and the forecast that starts from its members.
#include "app/estimate_ensemble.h"

#include <gtest/gtest.h>

#include "app/forecast.h"
#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/season_driver.h"
#include "app/start_year.h"
#include "area/http_data_service.h"
#include "calibration/estimate_interval.h"
#include "calibration/full_calibration_steps.h"
#include "model/state_files.h"
#include "service/server.h"
#include "service_test_support.h"
#include "ui/area_display.h"
#include "util/file_io.h"

namespace vildo {
namespace {

// A seed area calibrated from its first start year to the verdict, with a small ensemble, over loopback.
class EstimateEnsembleTest : public ::testing::Test {
protected:
    void SetUp() override {
        seed.add("01_01.csv", readWholeFile(std::filesystem::path(VILDO_DATA_DIR) / "areas" / "01_01.csv").value());
        server = std::make_unique<service::BackgroundService>(seed.db, seed.seed);
        client = std::make_unique<HttpDataService>(server->url());
    }
    Vildo& a() { return *t; }
    void calibrate(int members) {
        t->dataService = client.get();
        t.start();
        Scheduler(*t).runUntil([&] { return !t->timers[13].enabled && !t->timers[1].enabled; });
        t->IntervalMembers = members;
        ASSERT_TRUE(areaItemClick(*t, 1, 0));
        Scheduler(*t).runUntil([&] { return !calibrationRunning(*t); });
    }
    std::string verdict() const {
        for (const auto& info : t.prompts.infos)
            if (info.text.rfind("Älgstammen har beräknats till:", 0) == 0) return info.text;
        return "";
    }

    test::SeedFolder seed;
    std::unique_ptr<service::BackgroundService> server;
    std::unique_ptr<HttpDataService> client;
    test::TestApp t;
};

TEST_F(EstimateEnsembleTest, TheVerdictWaitsForTheIntervalAndShowsItBeforeTheMortalityReminder) {
    calibrate(4);
    ASSERT_TRUE(a().Ensemble.has_value());
    const EstimateInterval& e = a().Ensemble->interval;
    EXPECT_EQ(e.members, 4);
    EXPECT_LE(e.winterLow, e.median);
    EXPECT_LE(e.median, e.winterHigh);
    EXPECT_LE(e.summerLow, e.summerHigh);
    const std::string v = verdict();
    const size_t line = v.find(intervalLine(e) + "\r\n\r\n");
    ASSERT_NE(line, std::string::npos) << v;
    EXPECT_LT(line, v.find("Kontrollera annan dödlighet"));
    EXPECT_GT(line, v.find("Efter jakt: "));
    // The main chart shows it over the last historic year.
    const Series& band = a().charts[5].series.at(kEstimateIntervalSeries);
    ASSERT_EQ(band.points.size(), 2u);
    EXPECT_EQ(band.kind, SeriesKind::Band);
    EXPECT_DOUBLE_EQ(band.points[0].y, e.winterHigh);
    EXPECT_DOUBLE_EQ(band.lows[1], e.winterLow);
}

TEST_F(EstimateEnsembleTest, WithoutMembersTheVerdictIsTheOneItWas) {
    calibrate(0);
    EXPECT_FALSE(a().Ensemble.has_value());
    EXPECT_EQ(verdict().find("sannolikhet"), std::string::npos);
    EXPECT_NE(verdict().find("Kontrollera annan dödlighet"), std::string::npos);
}

TEST_F(EstimateEnsembleTest, TheEnsembleIsTheSameOnOneAndTwoThreadsAndLeavesTheStateAsItWas) {
    calibrate(0);
    ASSERT_TRUE(ensembleApplies(a()));
    const std::string before = snapshotBytes(a());
    const auto base = ensembleBase(a());
    const auto one = runEstimateEnsemble(*base, {.members = 6, .seed = 9, .threads = 1});
    const auto two = runEstimateEnsemble(*base, {.members = 6, .seed = 9, .threads = 2});
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->interval.winterLow, two->interval.winterLow);
    EXPECT_EQ(one->interval.winterHigh, two->interval.winterHigh);
    EXPECT_EQ(one->interval.median, two->interval.median);
    for (size_t b = 0; b < 6; ++b)
        EXPECT_EQ(one->stocks[b].Winter.WinterStock, two->stocks[b].Winter.WinterStock) << "member " << b;
    EXPECT_EQ(snapshotBytes(a()), before);
    // Members refit on their own random numbers: they do not all agree.
    EXPECT_LT(one->interval.winterLow, one->interval.winterHigh);

    int calls = 0;
    const auto cancelled = runEstimateEnsemble(*base, {.members = 6, .seed = 9, .threads = 1}, [&](int) {
        ++calls;
        return false;
    });
    EXPECT_FALSE(cancelled.has_value());
    EXPECT_EQ(calls, 1);
}

TEST_F(EstimateEnsembleTest, AForecastAfterTheEstimateStartsFromTheMembersAndMeasuresAgainstTheGoal) {
    calibrate(6);
    ASSERT_TRUE(forecastFromEnsemble(a()));
    const Forecast with = runForecast(a(), {.years = 2, .replicates = 24, .seed = 5});
    // The first year's band holds the members' spread; from one stock the hunt alone spreads it far less.
    const Spread first = with.years.at(0).winterDensity;
    EXPECT_GT(first.p90 - first.p10, 0);
    std::optional<EstimateEnsemble> kept = a().Ensemble;
    a().Ensemble.reset();
    const Forecast without = runForecast(a(), {.years = 2, .replicates = 24, .seed = 5});
    EXPECT_GT(first.p90 - first.p10, without.years.at(0).winterDensity.p90 - without.years.at(0).winterDensity.p10);
    a().Ensemble = kept;

    // The goal is the wanted density set before the area, unless one is given.
    EXPECT_DOUBLE_EQ(with.wantedDensity, 8.0);
    const Forecast goal = runForecast(a(), {.years = 2, .replicates = 24, .seed = 5, .goal = first.p50});
    EXPECT_DOUBLE_EQ(goal.wantedDensity, first.p50);
    EXPECT_GT(goal.years[0].nearWanted, 0);
    EXPECT_THROW(runForecast(a(), {.years = 2, .replicates = 4, .seed = 5, .goal = 0.0}), std::invalid_argument);

    // A step on leaves the end of the history: the futures start from the state as it is.
    SpeedButton1Click(a());
    EXPECT_FALSE(forecastFromEnsemble(a()));
}

}  // namespace
}  // namespace vildo
