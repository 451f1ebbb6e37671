#include <gtest/gtest.h>

#include "calibration/fit_measures.h"
#include "calibration/regression.h"
#include "calibration_fixture.h"
#include "ui/area_display.h"

namespace vildo {
namespace {

using Values = std::vector<double>;

TEST(Regress, IsTheLeastSquaresSlopeAndZeroWhenItHasNone) {
    struct Case {
        Values x, y;
        double slope;
    } cases[] = {
        {{0, 1, 2}, {1, 3, 5}, 2},
        {{0, 1, 2, 3}, {4, 3, 2, 1}, -1},
        {{0, 1, 2}, {1, 3}, 0},     // lengths differ
        {{5, 5, 5}, {1, 2, 3}, 0},  // a constant X
        {{}, {}, 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(Regress(c.x, c.y), c.slope) << testing::PrintToString(c.x);
}

TEST(FitR2, ComparesElementsAfterTheFirstAgainstTheFirstSeriesVariance) {
    struct Case {
        const char* what;
        Values x, y;
        double fit;
    } cases[] = {
        {"identical after element 0", {9, 2, 4, 6}, {-3, 2, 4, 6}, 1},
        {"two elements", {1, 2}, {1, 2}, 0},
        {"lengths differ", {0, 2, 4, 6}, {0, 2, 4}, 0},
        {"no positive sum", {5, -2, -4, -6}, {0, 2, 4, 6}, 0},
        {"constant after zeroing", {7, 0, 0, 0}, {0, 1, 1, 1}, 0},
        // A = 0,2,4,6 (mean 3, SStot 20); B = 0,4,4,6: SSres 4, r = 0.8.
        {"a partial fit", {0, 2, 4, 6}, {0, 4, 4, 6}, 0.64},
        // B = 0,6,0,2: SSres 16 + 16 + 16 = 48, r = -1.4: the square of the clamped coefficient exceeds 1.
        {"worse than the mean", {0, 2, 4, 6}, {0, 6, 0, 2}, 1.96},
    };
    for (const Case& c : cases) EXPECT_NEAR(FitR2(c.x, c.y), c.fit, 1e-12) << c.what;
}

TEST(CombinedFit, WeighsObservationsReproductionTrendAndBullShare) {
    EXPECT_DOUBLE_EQ(combinedFit(1, 1, 0, 1), 1);
    EXPECT_DOUBLE_EQ(combinedFit(0, 0, 0, 0), 2.0 / 13);
    EXPECT_DOUBLE_EQ(combinedFit(0.5, 0.25, -0.5, 0.5), (3 + 1 + 1 + 0.25) / 13);
}

// A historic run of N years in the replay's series, observations in the records from StartIndex 1.
class FitMeasuresTest : public test::CalibrationTest {
protected:
    void SetUp() override {
        CalibrationTest::SetUp();
        load();
        a().StartIndex = 1;
    }
    void run(const Values& stock, const Values& obs, const Values& simCalves, const Values& obsCalves,
             const Values& simBulls, const Values& obsBulls) {
        a().YearNo = static_cast<int>(stock.size());
        a().Replay = {stock, {}, simCalves, simBulls, {}};
        for (size_t i = 0; i < stock.size(); ++i) {
            a().Statistics[i + 1].obs = obs[i];
            a().Statistics[i + 1].reprod = obsCalves[i];
            a().Statistics[i + 1].tjurobs = obsBulls[i];
        }
        FitMeasures(a());
        showScaledObservations(a());
    }
};

const Values kStock = {10, 11, 12, 11, 13, 14};
const Values kCalves = {0.5, 0.6, 0.55, 0.65, 0.6, 0.7};
const Values kBulls = {0.4, 0.42, 0.41, 0.45, 0.44, 0.46};

TEST_F(FitMeasuresTest, SeriesThatAgreeFitPerfectly) {
    // Observations proportional to the stock scale back onto it exactly.
    Values obs;
    for (double s : kStock) obs.push_back(s * 0.05);
    run(kStock, obs, kCalves, kCalves, kBulls, kBulls);
    EXPECT_NEAR(a().ObsScale, 20, 1e-9);
    EXPECT_NEAR(a().ObsFit, 1, 1e-12);
    EXPECT_NEAR(a().SlopeDiff, 0, 1e-12);
    EXPECT_NEAR(a().ReprodFit, 1, 1e-12);
    EXPECT_NEAR(a().ReprodDiff, 0, 1e-12);
    EXPECT_NEAR(a().BullShareFit, 1, 1e-12);
    EXPECT_NEAR(a().ModelFit, 1, 1e-12);
    EXPECT_EQ(a().ctl(C::LSqrroot).caption, "R2: 1,0000");
    EXPECT_FALSE(a().ctl(C::LSqrroot).visible);
    const Series& scaled = a().charts[5].series[3];
    ASSERT_EQ(scaled.points.size(), 6u);
    EXPECT_EQ(scaled.points[2].x, 2013);
    EXPECT_NEAR(scaled.points[2].y, 12, 1e-9);
    EXPECT_TRUE(scaled.active);
}

TEST_F(FitMeasuresTest, WithoutObservationsTheObservationFitIsZero) {
    run(kStock, Values(6, 0.0), kCalves, kCalves, kBulls, kBulls);
    EXPECT_EQ(a().ObsScale, 0);
    EXPECT_EQ(a().ObsFit, 0);
    for (const ChartPoint& p : a().charts[5].series[3].points) EXPECT_EQ(p.y, 0);
    EXPECT_NEAR(a().ModelFit, (4 + 2 + 1) / 13.0, 1e-12);
}

TEST_F(FitMeasuresTest, AReproductionBiasOfOneOrMoreIsNoFitHoweverAlikeTheShapes) {
    // Binary fractions, so that a shift of a quarter over four years sums to exactly 1.
    const Values exact = {0.5, 0.625, 0.5625, 0.75};
    struct Case {
        const char* what;
        Values observed;
        double shift, sum, tolerance;
        bool fits;
    } cases[] = {
        {"1.2 over six years", kCalves, 0.2, 1.2, 1e-9, false},
        {"exactly 1", exact, 0.25, 1, 0, false},
        {"exactly -1", exact, -0.25, -1, 0, false},
        {"0.75", exact, 0.1875, 0.75, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const size_t n = c.observed.size();
        Values simulated;
        for (double v : c.observed) simulated.push_back(v + c.shift);
        const Values stock(kStock.begin(), kStock.begin() + n), bulls(kBulls.begin(), kBulls.begin() + n);
        run(stock, Values(n, 0.0), simulated, c.observed, bulls, bulls);
        EXPECT_NEAR(a().ReprodSum, c.sum, c.tolerance);
        if (c.fits) {
            EXPECT_GT(a().ReprodFit, 0);
        } else {
            EXPECT_EQ(a().ReprodFit, 0);
        }
        EXPECT_NEAR(a().ReprodDiff, 0, 1e-12);
    }
}

TEST_F(FitMeasuresTest, ABetterFitThanTheCachedOneIsUploadedOnlyWhileTheFullCalibrationRuns) {
    a().BaseForageFactor = 231;
    a().BaseTargetDensity = 8.4;
    a().CCSlope = 0.25;
    a().BestCCSlope = -1.5;  // what the upload sends: the best yearly forage change, not the current one
    run(kStock, Values(6, 0.0), kCalves, kCalves, kBulls, kBulls);
    EXPECT_TRUE(queries("vr2sql.php").empty());

    setTimer(a(), 9, true);
    run(kStock, Values(6, 0.0), kCalves, kCalves, kBulls, kBulls);
    ASSERT_EQ(queries("vr2sql.php").size(), 1u);
    EXPECT_EQ(queries("vr2sql.php")[0],
              "c=0,5385&d=231&e=8,400&f=3022012&g=vildodata&h=-1,500&i=6&j=2&k=2&l=0,200&m=12");
    EXPECT_DOUBLE_EQ(a().Statistics[1].R2, a().ModelFit);
    // The slot now holds this fit: the same fit again is not uploaded.
    run(kStock, Values(6, 0.0), kCalves, kCalves, kBulls, kBulls);
    EXPECT_EQ(queries("vr2sql.php").size(), 1u);
}

TEST_F(FitMeasuresTest, DensityBandsSpreadTheScaledObservationsOverNeighbouringYears) {
    // Five years; obs 1,2,3,2,1 and batch densities summing to 18 against 9 observations: b = 2.
    a().DataYears = 5;
    const double obs[] = {1, 2, 3, 2, 1}, dens[] = {4, 4, 4, 3, 3};
    for (int p = 1; p <= 5; ++p) {
        a().Statistics[p].obs = obs[p - 1];
        a().Statistics[p].Vildodens = dens[p - 1];
    }
    a().YearNo = 3;
    a().charts[5].series[4].points.clear();
    DensityBands(a());
    showBatchDensities(a());
    // v = 2,4,6,4,2: ends over two values (sd of 2,4 is sqrt 2) times 3; inside over three.
    EXPECT_NEAR(a().Statistics[1].Stddens, 3 * std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(a().Statistics[2].Stddens, 2, 1e-12);
    EXPECT_NEAR(a().Statistics[3].Stddens, std::sqrt(4.0 / 3), 1e-12);
    EXPECT_NEAR(a().Statistics[5].Stddens, 3 * std::sqrt(2.0), 1e-12);
    const Series& batch = a().charts[5].series[4];
    ASSERT_EQ(batch.points.size(), 3u);
    EXPECT_EQ(batch.points[0].x, 2011);
    EXPECT_EQ(batch.points[2].y, 4);

    // The error bars: Stddens / Vildodens, the previous share where there is no density.
    a().Statistics[2].Vildodens = 0;
    std::vector<double> shares = errorBarShares(a());
    ASSERT_EQ(shares.size(), 3u);
    EXPECT_NEAR(shares[0], 3 * std::sqrt(2.0) / 4, 1e-12);
    EXPECT_EQ(shares[1], shares[0]);
    EXPECT_NEAR(shares[2], std::sqrt(4.0 / 3) / 4, 1e-12);
}

TEST_F(FitMeasuresTest, WithoutBatchDensitiesNoPointsAreAdded) {
    a().charts[5].series[4].points.clear();
    a().YearNo = 3;
    DensityBands(a());
    showBatchDensities(a());
    EXPECT_TRUE(a().charts[5].series[4].points.empty());
    EXPECT_EQ(a().Statistics[2].Stddens, 0);
}

}  // namespace
}  // namespace vildo
