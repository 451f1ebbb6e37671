// The forecast: replicate futures of the forward button, their summary and its CSV.
#include "app/forecast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

#include "app/scheduler.h"
#include "app/season_driver.h"
#include "hunt/forecast.h"
#include "hunt/goals.h"
#include "model/controls.h"
#include "model/state_files.h"
#include "support/historic_area.h"
#include "support/test_app.h"
#include "ui/ui_dump.h"
#include "util/file_io.h"
#include "util/random.h"

namespace vildo {
namespace {

ForecastSeason season(double winter, double harvest, double target, bool extinct = false) {
    ForecastSeason s;
    s.winterDensity = winter;
    s.summerDensity = 2 * winter;
    s.harvest = harvest;
    s.target = target;
    s.bullShare = 10 * winter;
    s.calvesPerCow = winter / 10;
    s.extinct = extinct;
    return s;
}

// Five replicates of two seasons. Percentiles interpolate between ranks: over 1..5 the 10th is 1.4.
TEST(ForecastSummary, PercentilesAndSharesPerYear) {
    const std::vector<std::vector<ForecastSeason>> reps = {
        {season(5, 10, 10), season(4, 9, 10)},     {season(1, 10, 10), season(0, 0, 10, true)},
        {season(3, 9.5, 10), season(3.3, 10, 10)}, {season(2, 9.4, 10), season(2.7, 12, 10)},
        {season(4, 3, 10), season(2, 1, 10)},
    };
    const Forecast f = summariseForecast(reps, 3.0, 2027);
    EXPECT_EQ(f.replicates, 5);
    EXPECT_DOUBLE_EQ(f.wantedDensity, 3.0);
    ASSERT_EQ(f.years.size(), 2u);
    const ForecastYear& y1 = f.years[0];
    EXPECT_EQ(y1.season, 1);
    EXPECT_EQ(y1.year, 2027);
    EXPECT_DOUBLE_EQ(y1.winterDensity.p10, 1.4);
    EXPECT_DOUBLE_EQ(y1.winterDensity.p50, 3);
    EXPECT_DOUBLE_EQ(y1.winterDensity.p90, 4.6);
    EXPECT_DOUBLE_EQ(y1.summerDensity.p50, 6);
    EXPECT_DOUBLE_EQ(y1.bullShare.p90, 46);
    EXPECT_DOUBLE_EQ(y1.calvesPerCow.p10, 0.14);
    EXPECT_DOUBLE_EQ(y1.harvest.p10, 3 + 0.4 * (9.4 - 3));  // sorted 3, 9.4, 9.5, 10, 10
    EXPECT_DOUBLE_EQ(y1.quotaFilled, 0.6);                  // 10, 10 and 9.5 reach 95 % of 10
    EXPECT_DOUBLE_EQ(y1.nearWanted, 0.2);                   // 3 only: 2 and 4 lie a third away
    EXPECT_DOUBLE_EQ(y1.extinct, 0);
    const ForecastYear& y2 = f.years[1];
    EXPECT_EQ(y2.year, 2028);
    EXPECT_DOUBLE_EQ(y2.winterDensity.p50, 2.7);  // sorted 0, 2, 2.7, 3.3, 4
    EXPECT_DOUBLE_EQ(y2.nearWanted, 0.4);         // 2.7 and 3.3
    EXPECT_DOUBLE_EQ(y2.quotaFilled, 0.4);        // 10 and 12
    EXPECT_DOUBLE_EQ(y2.extinct, 0.2);

    EXPECT_EQ(summariseForecast(reps, 3.0, 0).years[1].year, 0);  // a model without years
    const Forecast one = summariseForecast({{season(2.5, 1, 1)}}, 2.5, 0);
    EXPECT_DOUBLE_EQ(one.years[0].winterDensity.p10, 2.5);
    EXPECT_DOUBLE_EQ(one.years[0].winterDensity.p90, 2.5);
    EXPECT_TRUE(summariseForecast({}, 1.0, 0).years.empty());

    // Exactly 10 % from the wanted density is near it, on either side; a hair beyond is not.
    const Forecast bound = summariseForecast({{season(9, 1, 1)}, {season(11, 1, 1)}, {season(11.01, 1, 1)}}, 10, 0);
    EXPECT_DOUBLE_EQ(bound.years[0].nearWanted, 2.0 / 3);
}

TEST(ForecastCsv, SwedishExcelBytes) {
    Forecast f;
    ForecastYear y;
    y.season = 1;
    y.year = 2027;
    y.winterDensity = {2.5, 3.126, 4};
    y.summerDensity = {5, 6, 7};
    y.harvest = {100, 120.26, 12345.5};
    y.bullShare = {30, 40, 50};
    y.calvesPerCow = {0.5, 0.6, 0.7};
    y.quotaFilled = 0.5;
    y.nearWanted = 0.25;
    y.extinct = 0;
    f.years = {y};
    const std::string csv = forecastCsv(f);
    const std::string header =
        "\xC5r;S\xE4song;Vinterstam p10;Vinterstam p50;Vinterstam p90;Sommarstam p10;Sommarstam p50;Sommarstam p90;"
        "Avskjutning p10;Avskjutning p50;Avskjutning p90;Tjurandel p10;Tjurandel p50;Tjurandel p90;"
        "Kalvar per ko p10;Kalvar per ko p50;Kalvar per ko p90;Andel kvot fylld;Andel inom 10 %;Andel utd\xF6"
        "d\r\n";
    EXPECT_EQ(csv, header +
                       "2027;1;2,50;3,13;4,00;5,00;6,00;7,00;100,0;120,3;12345,5;30,0;40,0;50,0;0,50;0,60;0,70;"
                       "0,500;0,250;0,000\r\n");
}

// A settled state with the season page's reset done, as a user finds it.
class ForecastRun : public ::testing::Test {
protected:
    void SetUp() override {
        t.startAndSettle();
        Scheduler(*t).runFor(1500);
    }
    test::TestApp t;
};

void expectSameForecast(const Forecast& a, const Forecast& b) {
    ASSERT_EQ(a.years.size(), b.years.size());
    EXPECT_EQ(a.replicates, b.replicates);
    for (size_t k = 0; k < a.years.size(); ++k) {
        const ForecastYear &x = a.years[k], &y = b.years[k];
        for (auto s : {&ForecastYear::winterDensity, &ForecastYear::summerDensity, &ForecastYear::harvest,
                       &ForecastYear::bullShare, &ForecastYear::calvesPerCow}) {
            EXPECT_EQ((x.*s).p10, (y.*s).p10) << "year " << k;
            EXPECT_EQ((x.*s).p50, (y.*s).p50) << "year " << k;
            EXPECT_EQ((x.*s).p90, (y.*s).p90) << "year " << k;
        }
        EXPECT_EQ(x.quotaFilled, y.quotaFilled);
        EXPECT_EQ(x.nearWanted, y.nearWanted);
        EXPECT_EQ(x.extinct, y.extinct);
    }
}

TEST_F(ForecastRun, OneThreadAndFourGiveTheSameForecast) {
    SpeedButton1Click(*t);
    ForecastRequest r{.years = 4, .replicates = 12, .seed = 77, .threads = 1};
    const Forecast one = runForecast(*t, r);
    r.threads = 4;
    const Forecast four = runForecast(*t, r);
    expectSameForecast(one, four);
    EXPECT_FALSE(one.cancelled);
    EXPECT_EQ(one.replicates, 12);
    // The replicates differ from each other: the spread is not a single future.
    EXPECT_LT(one.years[3].winterDensity.p10, one.years[3].winterDensity.p90);
    r.seed = 78;
    EXPECT_NE(runForecast(*t, r).years[3].winterDensity.p50, four.years[3].winterDensity.p50);
}

// A replicate is exactly that many presses of the forward button with its own seeds, from wherever the button
// stands: the equilibrium, a few presses on, or a historic replay not yet run (one press, several seasons).
TEST_F(ForecastRun, AReplicateIsThePressesOfTheForwardButton) {
    struct Case {
        const char* name;
        int pressesBefore;
        bool history;
    };
    for (const Case& c : {Case{"equilibrium", 0, false}, Case{"two presses on", 2, false},
                          Case{"before the historic replay", 0, true}}) {
        test::TestApp u;
        u.startAndSettle();
        Scheduler(*u).runFor(1500);
        if (c.history) {
            std::vector<test::Harvest> years;
            for (int p = 1; p <= 6; ++p) years.push_back({150 + 20 * p, 130 + 10 * p, 120 + 10 * p});
            test::loadHandMadeArea(*u, years);
        }
        for (int p = 0; p < c.pressesBefore; ++p) SpeedButton1Click(*u);
        const int startYear = u->YearNo;
        const uint32_t seed = 5;
        const Forecast f = runForecast(*u, {.years = 3, .replicates = 1, .seed = seed, .threads = 1});

        Vildo copy = *u;
        copy.platform.clockSeed = [base = mixSeed(seed, 0), k = 0u]() mutable { return mixSeed(base, k++); };
        std::vector<double> winter, harvest;
        copy.seasonObserver = [&](const Vildo& a) {
            winter.push_back(a.Winter.WinterDensity);
            harvest.push_back(a.HarvestTot.TotalShot);
        };
        while (winter.size() < 3) SpeedButton1Click(copy);
        ASSERT_EQ(f.years.size(), 3u) << c.name;
        for (size_t k = 0; k < 3; ++k) {
            EXPECT_EQ(f.years[k].winterDensity.p50, winter[k]) << c.name << " season " << k + 1;
            EXPECT_EQ(f.years[k].harvest.p50, harvest[k]) << c.name << " season " << k + 1;
            EXPECT_EQ(f.years[k].extinct, 0) << c.name;
        }
        const int firstYear = c.history ? 2016 : 2026 + startYear;
        EXPECT_EQ(f.years[0].year, firstYear) << c.name;
        EXPECT_EQ(f.years[2].year, firstYear + 2) << c.name;
    }
}

// Every file under the folder with its bytes.
std::map<std::filesystem::path, std::string> filesUnder(const std::filesystem::path& dir) {
    std::map<std::filesystem::path, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
        if (e.is_regular_file()) files[e.path()] = readWholeFile(e.path()).value_or("");
    return files;
}

// With the exports on, the user's state, the window and the disk stay as they were, and nobody is asked
// anything, not even when the stock is shot out.
TEST_F(ForecastRun, LeavesTheStateTheWindowAndTheDiskAsTheyWere) {
    t->ctl(C::chk_save).position = 1;
    t->ctl(C::chk_biodata).position = 1;
    SpeedButton1Click(*t);
    SpeedButton1Click(*t);
    int observed = 0;
    t->seasonObserver = [&](const Vildo&) { ++observed; };
    for (bool shotOut : {false, true}) {
        if (shotOut) {
            std::fill(std::begin(t->Pop.FemWinter), std::end(t->Pop.FemWinter), 0.0);
            std::fill(std::begin(t->Pop.MaleWinter), std::end(t->Pop.MaleWinter), 0.0);
        }
        const std::string state = snapshotBytes(*t);
        const std::string window = uiDumpJson(*t);
        const auto files = filesUnder(t.dir.path);
        const size_t shown =
            t.prompts.messages.size() + t.prompts.questions.size() + t.prompts.infos.size() + t.prompts.warnings.size();

        runForecast(*t, {.years = 6, .replicates = 4, .seed = 1, .threads = 2});
        EXPECT_EQ(snapshotBytes(*t), state);
        EXPECT_EQ(uiDumpJson(*t), window);
        EXPECT_EQ(filesUnder(t.dir.path), files);
        EXPECT_EQ(
            t.prompts.messages.size() + t.prompts.questions.size() + t.prompts.infos.size() + t.prompts.warnings.size(),
            shown);
        EXPECT_EQ(observed, 0);
        EXPECT_EQ(t->YearNo, 2);
    }
}

// A stock with nothing left to winter is shot out at the first season: from then on every replicate counts as
// extinct, with nothing left to count and its target unmet.
TEST_F(ForecastRun, AShotOutStockCountsAsExtinctFromThatSeasonOn) {
    SpeedButton1Click(*t);
    std::fill(std::begin(t->Pop.FemWinter), std::end(t->Pop.FemWinter), 0.0);
    std::fill(std::begin(t->Pop.MaleWinter), std::end(t->Pop.MaleWinter), 0.0);
    const Forecast f = runForecast(*t, {.years = 4, .replicates = 3, .seed = 3});
    ASSERT_EQ(f.years.size(), 4u);
    for (const ForecastYear& y : f.years) {
        EXPECT_EQ(y.extinct, 1.0) << "season " << y.season;
        EXPECT_EQ(y.winterDensity.p90, 0);
        EXPECT_EQ(y.summerDensity.p90, 0);
        EXPECT_EQ(y.bullShare.p90, 0);
        EXPECT_EQ(y.calvesPerCow.p90, 0);
        EXPECT_EQ(y.quotaFilled, 0);
        EXPECT_EQ(y.nearWanted, 0);
    }
    EXPECT_EQ(f.years[1].harvest.p90, 0);
}

// The season never starts a hunt whose target exceeds the summer stock less its deaths: a quota far above the
// stock shoots nothing and leaves the stock to grow, so it shows as a quota never filled, not as extinction.
TEST_F(ForecastRun, AQuotaFarAboveTheStockIsNeverFilled) {
    SpeedButton1Click(*t);
    t->Goals.HarvestRate = 60;
    const Forecast f = runForecast(*t, {.years = 5, .replicates = 4, .seed = 3});
    for (const ForecastYear& y : f.years) {
        EXPECT_EQ(y.quotaFilled, 0) << "season " << y.season;
        EXPECT_EQ(y.harvest.p90, 0);
        EXPECT_EQ(y.extinct, 0);
    }
    EXPECT_GT(f.years.back().winterDensity.p50, f.years.front().winterDensity.p50);
}

// Without hunt or predators the seasons carry on the equilibrium: a wanted density beyond the carrying capacity
// leaves the equilibrium unhunted, so its first targets are 0. Each year's median winter density stays within
// 5 % of the equilibrium's.
TEST(ForecastFromAnUnhuntedEquilibrium, TheMedianFollowsTheEquilibrium) {
    test::TestApp t;
    t.start();
    setPosition(*t, C::Trk_vargmortalitet, 0);
    setPosition(*t, C::Trk_bjornmortalitet, 0);
    setPosition(*t, C::Trk_density, 300);
    t.settle();
    Scheduler(*t).runFor(1500);
    ASSERT_EQ(t->HarvestTot.TotalShot, 0);
    const double equilibrium = t->Winter.WinterDensity;
    const Forecast f = runForecast(*t, {.years = 10, .replicates = 8, .seed = 9});
    for (const ForecastYear& y : f.years) {
        EXPECT_NEAR(y.winterDensity.p50, equilibrium, 0.05 * equilibrium) << "season " << y.season;
        EXPECT_EQ(y.harvest.p90, 0);
        EXPECT_EQ(y.quotaFilled, 1.0);  // nothing to shoot: a target of 0 is met
        EXPECT_EQ(y.extinct, 0);
    }
}

TEST_F(ForecastRun, ReportsEachFinishedReplicate) {
    std::vector<int> seen;
    std::mutex m;
    const Forecast f = runForecast(*t, {.years = 1, .replicates = 6, .seed = 1, .threads = 2}, [&](int done) {
        std::lock_guard<std::mutex> lock(m);
        seen.push_back(done);
        return true;
    });
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(f.cancelled);
    EXPECT_EQ(f.replicates, 6);
}

TEST_F(ForecastRun, ACancelledRunCountsOnlyItsFinishedReplicates) {
    const Forecast f =
        runForecast(*t, {.years = 2, .replicates = 10, .seed = 1, .threads = 1}, [](int done) { return done < 3; });
    EXPECT_TRUE(f.cancelled);
    EXPECT_EQ(f.replicates, 3);
    EXPECT_EQ(f.years.size(), 2u);
}

TEST_F(ForecastRun, RefusesRequestsOutsideItsRange) {
    for (ForecastRequest r :
         {ForecastRequest{.years = 0}, ForecastRequest{.years = 21}, ForecastRequest{.years = 5, .replicates = 0}})
        EXPECT_THROW(runForecast(*t, r), std::invalid_argument);
}

}  // namespace
}  // namespace vildo
