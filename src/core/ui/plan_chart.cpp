#include "ui/plan_chart.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "ui/chart_colours.h"
#include "ui/forecast_chart.h"
#include "util/format.h"

namespace vildo {

namespace {

std::string percent(double share) { return fix(share * 100, 4, 0) + " %"; }

}  // namespace

uint32_t planColour(size_t k) {
    constexpr uint32_t kColours[] = {kOrange, kBlue, kGreen, kOrchid};
    return kColours[k % std::size(kColours)];
}

Chart plansChart(const Chart& main, const std::vector<NamedPlan>& plans) {
    if (plans.empty()) return forecastChart(main, Forecast{});
    // The first plan's fan chart gives the history and the axes' years; each plan adds its band and median.
    Chart c = forecastChart(main, plans.front().outcome->forecast);
    c.series.resize(kForecastBand);
    c.subTitle = "Median och 80 %-intervall per plan, samma " + intStr(plans.front().outcome->forecast.replicates) +
                 " framtider";
    double top = 0;
    for (size_t k = 0; k < plans.size(); ++k) {
        const Chart one = forecastChart(main, plans[k].outcome->forecast);
        Series b = one.series[kForecastBand], m = one.series[kForecastMedian];
        b.title = plans[k].name + " 80 %";
        m.title = plans[k].name;
        b.colour = m.colour = planColour(k);
        for (const ChartPoint& p : b.points) top = std::max(top, p.y);
        c.series.push_back(std::move(b));
        c.series.push_back(std::move(m));
    }
    c.legendColumns = 4;
    c.left.setRange(0, std::max(c.left.max, std::max(6.0, std::ceil(1.2 * top))));
    return c;
}

Grid plansTable(const std::vector<NamedPlan>& plans, int years) {
    const std::string inYear = " år " + intStr(years);
    const std::vector<std::string> headings = {"Plan",
                                               "Kvot",
                                               "Kalv/ko/tjur %",
                                               "Median" + inYear,
                                               "Inom ±10 % av målet" + inYear,
                                               "Under golvet något år",
                                               "Avskjutning per år",
                                               "Kvoten nås"};
    Grid g(static_cast<int>(headings.size()), static_cast<int>(plans.size()) + 1);
    g.fixedRows = 1;
    for (size_t col = 0; col < headings.size(); ++col) g.cell(static_cast<int>(col), 0) = headings[col];
    for (size_t k = 0; k < plans.size(); ++k) {
        const PlanOutcome& o = *plans[k].outcome;
        const int row = static_cast<int>(k) + 1;
        g.cell(0, row) = plans[k].name;
        if (o.plan) {
            g.cell(1, row) = fix(o.plan->quota, 6, 0);
            g.cell(2, row) = intStr(o.plan->calvesPercent) + "/" + intStr(o.plan->cowsPercent) + "/" +
                             intStr(o.plan->bullsPercent());
        } else {
            g.cell(1, row) = "måltabellen";
            g.cell(2, row) = "–";
        }
        g.cell(3, row) = fix(o.medianWinter, 6, 1);
        g.cell(4, row) = percent(o.nearGoal);
        g.cell(5, row) = percent(o.belowFloor);
        g.cell(6, row) = fix(o.meanHarvest, 6, 0);
        g.cell(7, row) = percent(o.quotaFilled);
    }
    return g;
}

}  // namespace vildo
