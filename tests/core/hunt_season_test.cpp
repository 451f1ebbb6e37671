// The first season and the seasons after it: targets from the planning model, the encounter budget,
// and the same seed giving the same seasons.
#include <gtest/gtest.h>

#include <cstring>

#include "app/season_driver.h"
#include "hunt/biodata.h"
#include "hunt/hunt.h"
#include "hunt/season.h"
#include "model/parameters.h"
#include "support/test_app.h"
#include "util/round.h"

namespace vildo {
namespace {

using test::TestApp;

// The forward button as far as the season model goes: the generator seeded as the clock would, then
// the first or the next season.
void forward(Vildo& app, uint32_t seed) {
    app.rng.seed = seed;
    if (!app.SeasonStarted) {
        app.SeasonStarted = true;
        app.RulesAlways = true;
        Initierajakt(app);
    } else {
        Huntayear(app);
    }
}

TEST(Initierajakt, TheFirstSeasonTakesTheEquilibriumHarvestAsItsTarget) {
    TestApp t;
    t.startAndSettle();
    Vildo& a = *t;
    const THarvestTotals eq = a.HarvestTot;
    const double summerStock = a.Summer.SummerStock;
    const float sum =
        static_cast<float>(eq.BullsShot) + static_cast<float>(eq.CowsShot) + static_cast<float>(eq.CalvesShot);
    forward(a, 1);
    EXPECT_EQ(a.YearNo, 1);
    EXPECT_FLOAT_EQ(a.Goals.HarvestRate, sum / 250);
    EXPECT_EQ(a.CalfPercent, Round(100 * static_cast<float>(eq.CalvesShot) / sum));
    EXPECT_FLOAT_EQ(a.Goals.BullShareTarget, static_cast<float>(eq.BullsShot / (eq.BullsShot + eq.CowsShot)));
    // 2.5 encounters per animal of the target, passed through the summer stock to Huntayear.
    EXPECT_EQ(a.MaxTries, Round(sum * 2.5));
    EXPECT_GT(a.HuntTry, 0);
    EXPECT_DOUBLE_EQ(a.EncounterRate, 1.5 * a.HuntTry / a.Summer.SummerStock);
    EXPECT_NE(a.Summer.SummerStock, summerStock);
    EXPECT_TRUE(a.ctl(C::SpinButton1).enabled);
    EXPECT_TRUE(a.StringGrid2.enabled);
    EXPECT_EQ(a.Tabell_utv.cell(1, 0), "Tjur");
    EXPECT_EQ(a.Tick, 0);
    EXPECT_TRUE(t.prompts.messages.empty());
}

TEST(Huntayear, TheBudgetComesFromLastSeasonsSummerStock) {
    TestApp t;
    t.startAndSettle();
    Vildo& a = *t;
    forward(a, 1);
    const double rate = a.EncounterRate;
    const double lastSummer = a.Summer.SummerStock;
    forward(a, 2);
    EXPECT_EQ(a.YearNo, 2);
    EXPECT_EQ(a.MaxTries, std::max<int64_t>(1, Round(rate * lastSummer)));
    EXPECT_EQ(a.EncounterRate, rate);  // without historic data it stays
}

TEST(Initierajakt, AnErrorInTheFirstSeasonIsReported) {
    TestApp t;
    t.startAndSettle();
    t->Land.CarryingCapacity = 0;  // the summer's mortality limit divides by it
    forward(*t, 1);
    EXPECT_EQ(t.prompts.messages, std::vector<std::string>{"Något blev galet!"});
    EXPECT_TRUE(t->SeasonStarted);
    EXPECT_EQ(t->YearNo, 1);
}

TEST(Seasons, TheSameSeedGivesTheSameSeasonsToTheLastBiodataRow) {
    auto run = [](uint32_t seed) {
        auto t = std::make_unique<TestApp>(seed);
        t->startAndSettle();
        (*t)->ctl(C::chk_biodata).position = 1;
        std::vector<std::string> rows;
        for (uint32_t k = 1; k <= 4; ++k) {
            forward(**t, seed + k - 1);
            for (const BiodataRow& r : (*t)->Biodata) rows.push_back(biodataRow(r));
        }
        return std::make_pair(std::move(t), rows);
    };
    auto [first, rowsA] = run(77);
    auto [second, rowsB] = run(77);
    auto [other, rowsC] = run(78);
    EXPECT_GT(rowsA.size(), 1000u);
    EXPECT_EQ(rowsA, rowsB);
    EXPECT_NE(rowsA, rowsC);
    EXPECT_EQ(std::memcmp(&(*first)->Pop, &(*second)->Pop, sizeof(TPopulation)), 0);
    EXPECT_EQ(std::memcmp(&(*first)->Winter, &(*second)->Winter, sizeof(TWinterTotals)), 0);
}

TEST(Seasons, ManySeasonsKeepEveryClassNonNegativeAndTheStorageClassesEmpty) {
    TestApp t;
    t.startAndSettle();
    Vildo& a = *t;
    for (uint32_t k = 1; k <= 40; ++k) {
        forward(a, k);
        const TPopulation& p = a.Pop;
        for (int i = 0; i < kAges; ++i) {
            ASSERT_GE(p.FemWinter[i], 0) << "season " << k << " class " << i;
            ASSERT_GE(p.MaleWinter[i], 0) << "season " << k << " class " << i;
            ASSERT_GE(p.CowsNoCalf[i], 0);
            ASSERT_GE(p.CowsOneCalf[i], 0);
            ASSERT_GE(p.CowsTwins[i], 0);
        }
        for (const double* arr : {p.FemWinter, p.MaleWinter, p.FemSummer, p.MaleSummer})
            ASSERT_EQ(arr[20], 0) << "season " << k;
        for (const double* arr : {a.Harvest.FemShot, a.Harvest.MaleShot}) {
            ASSERT_EQ(arr[20], 0) << "season " << k;
            ASSERT_EQ(arr[21], 0) << "season " << k;
        }
        ASSERT_GE(a.Winter.WinterCalves, 0);
    }
    EXPECT_TRUE(t.prompts.messages.empty());
}

}  // namespace
}  // namespace vildo
