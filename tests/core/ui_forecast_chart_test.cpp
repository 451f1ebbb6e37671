#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/forecast_chart.h"
#include "ui/plan_chart.h"

namespace vildo {
namespace {

ForecastYear year(int season, int calendarYear, Spread winter, double quota, double near, double extinct) {
    ForecastYear y;
    y.season = season;
    y.year = calendarYear;
    y.winterDensity = winter;
    y.quotaFilled = quota;
    y.nearWanted = near;
    y.extinct = extinct;
    return y;
}

Forecast threeYears(int firstYear) {
    Forecast f;
    f.replicates = 500;
    f.wantedDensity = 8;
    for (int s = 1; s <= 3; ++s)
        f.years.push_back(year(s, firstYear ? firstYear + s - 1 : 0, {6.0 + s, 8.0 + s, 10.0 + s}, 0.9, 0.5, 0.0));
    return f;
}

// The main chart after three simulated years 2023..2025 with the area's estimates beside them.
Chart mainChart() {
    Chart main = designCharts()[5];
    for (int i = 0; i < 3; ++i) {
        main.series[1].points.push_back({2023.0 + i, 7.0 + i, {}, 0});
        main.series[4].points.push_back({2023.0 + i, 7.5 + i, {}, 0});
    }
    main.series[0].points.push_back({2025, 14, {}, 0});  // the summer stock stays out
    return main;
}

std::vector<double> xs(const Series& s) {
    std::vector<double> out;
    for (const ChartPoint& p : s.points) out.push_back(p.x);
    return out;
}

std::vector<double> ys(const Series& s) {
    std::vector<double> out;
    for (const ChartPoint& p : s.points) out.push_back(p.y);
    return out;
}

TEST(ForecastChart, FanOpensFromTheLastWinterDensityAfterTheHistory) {
    const Chart c = forecastChart(mainChart(), threeYears(2026));
    ASSERT_EQ(c.series.size(), 4u);
    const Series& history = c.series[kForecastHistory];
    EXPECT_EQ(history.title, "Vinterstam");
    EXPECT_EQ(xs(history), (std::vector<double>{2023, 2024, 2025}));
    EXPECT_EQ(ys(history), (std::vector<double>{7, 8, 9}));
    EXPECT_TRUE(c.series[kForecastEstimates].active);
    EXPECT_EQ(ys(c.series[kForecastEstimates]), (std::vector<double>{7.5, 8.5, 9.5}));

    const Series& band = c.series[kForecastBand];
    EXPECT_EQ(band.kind, SeriesKind::Band);
    EXPECT_EQ(xs(band), (std::vector<double>{2025, 2026, 2027, 2028}));
    EXPECT_EQ(ys(band), (std::vector<double>{9, 11, 12, 13}));
    EXPECT_EQ(band.lows, (std::vector<double>{9, 7, 8, 9}));
    const Series& median = c.series[kForecastMedian];
    EXPECT_EQ(xs(median), (std::vector<double>{2025, 2026, 2027, 2028}));
    EXPECT_EQ(ys(median), (std::vector<double>{9, 9, 10, 11}));

    EXPECT_EQ(c.bottom.min, 2023);
    EXPECT_EQ(c.bottom.max, 2029);
    EXPECT_FALSE(c.bottom.automatic);
    // A fifth above the highest 90th percentile (13), rounded up.
    EXPECT_EQ(c.left.min, 0);
    EXPECT_EQ(c.left.max, 16);
    EXPECT_EQ(c.subTitle, "Median och 80 %-intervall av 500 framtider");
}

// After steps back the main chart still holds later years: they are no history of this forecast, and the
// fan starts on its own.
TEST(ForecastChart, YearsFromTheForecastOnAreLeftOutOfTheHistory) {
    const Chart c = forecastChart(mainChart(), threeYears(2024));
    EXPECT_EQ(xs(c.series[kForecastHistory]), (std::vector<double>{2023}));
    EXPECT_EQ(xs(c.series[kForecastEstimates]), (std::vector<double>{2023}));
    EXPECT_EQ(xs(c.series[kForecastMedian]), (std::vector<double>{2023, 2024, 2025, 2026}));

    Chart main = mainChart();
    main.series[1].points.pop_back();  // 2025 missing: no anchor for a forecast from 2026
    const Chart gap = forecastChart(main, threeYears(2026));
    EXPECT_EQ(xs(gap.series[kForecastMedian]), (std::vector<double>{2026, 2027, 2028}));
    EXPECT_EQ(gap.series[kForecastBand].lows.size(), gap.series[kForecastBand].points.size());
}

TEST(ForecastChart, SeasonsWithoutCalendarYearsFollowTheMainChart) {
    const Chart c = forecastChart(mainChart(), threeYears(0));
    EXPECT_EQ(xs(c.series[kForecastMedian]), (std::vector<double>{2025, 2026, 2027, 2028}));

    // Nothing simulated yet: seasons 1..3 with no history.
    const Chart fresh = forecastChart(designCharts()[5], threeYears(0));
    EXPECT_TRUE(fresh.series[kForecastHistory].points.empty());
    EXPECT_FALSE(fresh.series[kForecastHistory].active);
    EXPECT_FALSE(fresh.series[kForecastEstimates].active);
    EXPECT_EQ(xs(fresh.series[kForecastMedian]), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(fresh.bottom.min, 1);
    EXPECT_EQ(fresh.left.max, 16);
}

TEST(ForecastChart, HiddenEstimatesStayHidden) {
    Chart main = mainChart();
    main.series[4].active = false;
    const Chart c = forecastChart(main, threeYears(2026));
    EXPECT_FALSE(c.series[kForecastEstimates].active);
    EXPECT_TRUE(c.series[kForecastEstimates].points.empty());
}

TEST(ForecastChart, LowStockKeepsTheSmallestDensityAxis) {
    Forecast f;
    f.replicates = 20;
    f.years.push_back(year(1, 2026, {0.5, 1.0, 2.0}, 0, 0, 0.25));
    const Chart c = forecastChart(designCharts()[5], f);
    EXPECT_EQ(c.left.max, 6);
}

TEST(ForecastTable, HeadingsThenOneRowAYearWithDecimalCommas) {
    Forecast f;
    f.replicates = 500;
    f.years.push_back(year(1, 2026, {6.94, 8.26, 10.04}, 0.952, 0.5, 0));
    f.years.push_back(year(2, 2027, {0, 3.5, 12.26}, 1, 0.123, 0.063));
    const Grid g = forecastTable(f);
    ASSERT_EQ(g.colCount, 6);
    ASSERT_EQ(g.rowCount, 3);
    EXPECT_EQ(g.fixedRows, 1);
    const std::vector<std::vector<std::string>> expected = {
        {"År", "Vinterstam (median)", "80 %-intervall", "Kvoten nås", "Inom ±10 % av målet", "Utdöd"},
        {"2026", "8,3", "6,9–10,0", "95,2 %", "50,0 %", "0,0 %"},
        {"2027", "3,5", "0,0–12,3", "100,0 %", "12,3 %", "6,3 %"},
    };
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 6; ++col)
            EXPECT_EQ(g.cell(col, row), expected[static_cast<size_t>(row)][static_cast<size_t>(col)])
                << col << "," << row;
}

TEST(ForecastTable, SeasonNumbersWithoutCalendarYears) {
    const Grid g = forecastTable(threeYears(0));
    EXPECT_EQ(g.cell(0, 1), "1");
    EXPECT_EQ(g.cell(0, 3), "3");
}

// Each plan its band and median in its own colour after the shared history; a row a plan in the table.
TEST(PlansChart, EachPlanItsBandAndMedianAndItsRow) {
    PlanOutcome today = planOutcome(std::nullopt, threeYears(2026));
    Forecast more = threeYears(2026);
    for (ForecastYear& y : more.years) y.winterDensity = {4, 5, 6};
    more.belowFloor = 0.25;
    more.meanHarvest = 512.4;
    PlanOutcome held = planOutcome(HarvestPlan{512, 30, 40}, more);
    const Chart c = plansChart(mainChart(), {{"Som nu", &today}, {"Plan 1", &held}});
    ASSERT_EQ(c.series.size(), 6u);
    EXPECT_EQ(c.series[kForecastHistory].title, "Vinterstam");
    EXPECT_EQ(c.series[2].kind, SeriesKind::Band);
    EXPECT_EQ(c.series[3].title, "Som nu");
    EXPECT_EQ(c.series[5].title, "Plan 1");
    EXPECT_NE(c.series[3].colour, c.series[5].colour);
    EXPECT_EQ(c.series[4].colour, c.series[5].colour);
    EXPECT_EQ(ys(c.series[5]), (std::vector<double>{9, 5, 5, 5}));  // opens from the last winter density

    const Grid g = plansTable({{"Som nu", &today}, {"Plan 1", &held}}, 3);
    ASSERT_EQ(g.rowCount, 3);
    EXPECT_EQ(g.cell(3, 0), "Median år 3");
    EXPECT_EQ(g.cell(1, 1), "måltabellen");
    EXPECT_EQ(g.cell(1, 2), "512");
    EXPECT_EQ(g.cell(2, 2), "30/40/30");
    EXPECT_EQ(g.cell(3, 2), "5,0");
    EXPECT_EQ(g.cell(5, 2), "25 %");
    EXPECT_EQ(g.cell(6, 2), "512");
}

}  // namespace
}  // namespace vildo
