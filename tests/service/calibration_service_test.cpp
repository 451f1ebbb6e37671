// The calibration end to end, headless on the virtual clock, against the stand-in service on loopback:
// area load, start year, search, full calibration, upload and verdict; then the cached path.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/season_driver.h"
#include "app/start_year.h"
#include "area/area_file.h"
#include "area/data_service.h"
#include "area/http_data_service.h"
#include "calibration/fit_upload.h"
#include "model/state_files.h"
#include "service/server.h"
#include "service_test_support.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/round.h"

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
    // watch: called before each timer of the calibration fires.
    Run calibrate(const std::function<void(Vildo&)>& watch = {}) {
        Run r;
        test::TestApp& t = *r.t;
        t->dataService = client.get();
        t.start();
        // The start-up's own season reset comes first, as it does before a user can pick an area.
        Scheduler(*t).runUntil([&] { return !t->timers[13].enabled && !t->timers[1].enabled; });
        EXPECT_TRUE(areaItemClick(*t, 1, 0));
        for (int n : {2, 6, 12})
            if (t->timers[n].enabled) r.startedBy = n;
        Scheduler(*t).runUntil([&] {
            if (watch) watch(*t);
            return !calibrationRunning(*t);
        });
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

    // The verdict is the best run itself: every replay drew season k from the calibration's seed and k, so
    // the finishing replay of the best setting is that run again.
    EXPECT_EQ(a.ModelFit, a.BestFit);
    EXPECT_FALSE(a.CalibrationSeed);
    // The slot keeps the whole setting for an area file.
    EXPECT_DOUBLE_EQ(a.Statistics[1].StartDens, a.BestDensity / 10);
    EXPECT_DOUBLE_EQ(a.Statistics[1].CCSlope, a.BestCCSlope);
    EXPECT_DOUBLE_EQ(a.Statistics[1].Error, a.DensityMargin);

    // A second load of the area starts from the cached setting.
    Run second = calibrate();
    EXPECT_EQ(second.startedBy, 12);
    EXPECT_TRUE(second.verdict);
}

// The finishing replay of the best setting is the best run again, season by season: the same stock and the
// same simulated calves per cow and bull share as the run that gave the best fit.
TEST_F(CalibrationOverHttp, TheFinishingReplayReproducesTheBestRunsSeries) {
    auto series = [](const Vildo& a) {
        std::vector<double> v;
        for (const auto& [chart, index] : {std::pair{5, 0}, {8, 0}, {8, 2}})
            for (const auto& p : a.charts[chart].series[static_cast<size_t>(index)].points) v.push_back(p.y);
        return v;
    };
    // A run's series are taken when it has reached the last harvest year, before its score is kept.
    double runFit = -1, best = 0;
    std::vector<double> runSeries, bestSeries;
    int runs = 0;
    Run r = calibrate([&](Vildo& a) {
        if (a.BestFit > best && a.BestFit == runFit) {
            best = a.BestFit;
            bestSeries = runSeries;
        }
        if (a.timers[9].enabled && a.StartIndex - 1 + a.YearNo == a.DataYears && a.ModelFit != runFit) {
            runFit = a.ModelFit;
            runSeries = series(a);
            ++runs;
        }
    });
    const Vildo& a = **r.t;
    ASSERT_TRUE(r.verdict);
    EXPECT_GT(runs, 30);
    ASSERT_GT(best, 0);
    EXPECT_EQ(a.BestFit, best);
    EXPECT_EQ(a.ModelFit, best);
    const std::vector<double> finalSeries = series(a);
    ASSERT_EQ(finalSeries.size(), bestSeries.size());
    for (size_t i = 0; i < finalSeries.size(); ++i) EXPECT_EQ(finalSeries[i], bestSeries[i]) << "point " << i;
}

// Västra Blekinge calibrates to a yearly forage change of about -2.8: an area file must carry it.
TEST(AreaFileAfterCalibration, ACalibratedAreaSavedAndOpenedAgainReplaysItsBestSetting) {
    test::SeedFolder seed;
    seed.add("10_01.csv", readWholeFile(std::filesystem::path(VILDO_DATA_DIR) / "areas" / "10_01.csv").value());
    service::BackgroundService server(seed.db, seed.seed);
    HttpDataService client(server.url());
    auto started = [&](test::TestApp& t) {
        t->dataService = &client;
        t.start();
        Scheduler(*t).runUntil([&] { return !t->timers[13].enabled && !t->timers[1].enabled; });
    };
    test::TestApp first;
    started(first);
    Vildo& a = *first;
    ASSERT_TRUE(areaItemClick(a, 8, 0));
    Scheduler(a).runUntil([&] { return !calibrationRunning(a); });
    ASSERT_NE(a.BestCCSlope, 0);
    const std::string file = (first.dir.path / "area.omr").string();
    ASSERT_TRUE(AreaWrite(a, file));
    // The best setting replayed outside a calibration, as the opened file replays it.
    btn_rensaClick(a);
    Scheduler(a).runUntil([&] { return !a.timers[1].enabled; });
    SpeedButton1Click(a);
    const double fit = a.ModelFit;

    test::TestApp t;
    started(t);
    if (!t->checked(C::lgtthetochAvskjutning1)) click(*t, C::lgtthetochAvskjutning1);
    t.prompts.fileAnswers.push_back(file);
    openAreaFile(*t);
    Scheduler(*t).runUntil([&] { return !calibrationRunning(*t); });
    EXPECT_EQ(t->pos(C::Trk_density), a.BestDensity);
    EXPECT_EQ(t->pos(C::Trk_barkraftovrig), a.BestForage);
    EXPECT_DOUBLE_EQ(t->CCSlope, a.BestCCSlope);
    EXPECT_EQ(t->YearNo, a.YearNo);
    EXPECT_NEAR(t->ModelFit, fit, 0.02);
}

// The area loaded with its start year chosen and nothing started, with 400 wolf territories from its first
// replayed year on: every replay shoots the stock out in its first years.
class ShotOutReplays : public CalibrationOverHttp {
protected:
    test::TestApp t;
    void SetUp() override {
        CalibrationOverHttp::SetUp();
        t->dataService = client.get();
        t.start();
        Scheduler(*t).runUntil([&] { return !t->timers[13].enabled && !t->timers[1].enabled; });
        ASSERT_TRUE(areaItemClick(*t, 1, 0));
        for (int n : {2, 6, 12}) setTimer(*t, n, false);
        t->Recalibrate = false;
        Scheduler(*t).runUntil([&] { return !t->timers[1].enabled; });
        for (ChartPoint& p : t->charts[10].series[0].points) p.y = 400;
        t->Rov.Changed = false;
        t->MortalitySignature = mortalitySignature(*t);
    }
    bool verdictShown() {
        for (const auto& info : t.prompts.infos)
            if (info.text.rfind(kVerdict, 0) == 0) return true;
        return false;
    }
};

TEST_F(ShotOutReplays, InsideACalibrationAShotOutReplayIsTheWorstFitAskedNothingAndUploadsNothing) {
    const std::string before = snapshotBytes(*t);
    const int density = t->pos(C::Trk_density);
    // The first historic run, which the calibration starts before its own timer runs.
    btn_nykalibClick(*t);
    EXPECT_TRUE(t.prompts.questions.empty());
    EXPECT_TRUE(t->AreaLoaded);
    EXPECT_TRUE(t->ReplayShotOut);
    EXPECT_TRUE(t->timers[9].enabled);
    // The model is back where the replay began, so the next equilibrium starts from a stock.
    EXPECT_TRUE(snapshotBytes(*t).substr(0, sizeof(TPopulation)) == before.substr(0, sizeof(TPopulation)));
    EXPECT_GT(t->Winter.WinterStock, 0);

    // Scored as a quiet round; the next step raises the stock by a tenth.
    Timer9Timer(*t);
    EXPECT_FALSE(t->ReplayShotOut);
    EXPECT_EQ(t->QuietRounds, 1);
    EXPECT_EQ(t->BestFit, 0);
    EXPECT_EQ(t->pos(C::Trk_density), density + Round(density / 10.0));
    EXPECT_TRUE(t->timers[6].enabled);

    // A calibration whose every replay dies, the finish's replay included, still ends with a verdict.
    Scheduler(*t).runUntil([&] { return !calibrationRunning(*t); });
    EXPECT_TRUE(t.prompts.questions.empty());
    EXPECT_TRUE(verdictShown());
    EXPECT_TRUE(t->AreaLoaded);
    EXPECT_GT(t->Winter.WinterStock, 0);
    EXPECT_FALSE(t->CalibrationSeed);
    // Only the finish uploaded, with the fit 0: no shot-out run sent a fit of its own.
    std::optional<FitCache> c = parseFitAnswer(client->get("vildosql_R2.php", fitQuery(1, 1, 2012, 6, 2, 2)));
    EXPECT_TRUE(!c || c->R2 == 0);
}

TEST_F(ShotOutReplays, OutsideACalibrationTheForwardButtonStillAsks) {
    endCalibration(*t);  // what the start-year change had begun
    SpeedButton1Click(*t);
    ASSERT_EQ(t.prompts.questions.size(), 1u);
    EXPECT_EQ(t.prompts.questions[0], kShotOutQuestion);
}

// Every area of the batch starts from the same state: an area's line is the same whether the walk starts
// with it or reaches it after another area.
TEST(CarryingCapacityBatch, AnAreasLineDoesNotDependOnTheAreasBeforeIt) {
    test::SeedFolder seed;
    for (const char* f : {"01_01.csv", "01_02.csv"})
        seed.add(f, readWholeFile(std::filesystem::path(VILDO_DATA_DIR) / "areas" / f).value());
    service::BackgroundService server(seed.db, seed.seed);
    HttpDataService client(server.url());
    auto walk = [&](int firstArea) {
        test::TestApp t;
        t->dataService = &client;
        t.start();
        Scheduler(*t).runUntil([&] { return !t->timers[13].enabled && !t->timers[1].enabled; });
        t->GlobalCCFile = (t.dir.path / "GlobalCC.csv").string();
        t->InfoFlags[2] = t->InfoFlags[5] = 0;
        setChecked(*t, C::chk_trimming, true);
        EXPECT_TRUE(areaItemClick(*t, 1, firstArea));
        Scheduler(*t).runUntil([&] { return !calibrationRunning(*t); });
        EXPECT_FALSE(t->BatchStart);
        return readWholeFile(t->GlobalCCFile).value_or("");
    };
    const std::string both = walk(0), second = walk(1);
    const size_t header = second.find("\r\n") + 2;
    ASSERT_GT(header, 1u);
    const std::string line = second.substr(header);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(both.substr(both.size() - line.size()), line) << both << second;
}

}  // namespace
}  // namespace vildo
