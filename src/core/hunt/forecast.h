// A forecast: replicate futures of the coming seasons, summarised year by year as spreads and shares.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vildo {

// What one replicate future gives for one season.
struct ForecastSeason {
    double winterDensity = 0;  // moose per 1000 ha after the season
    double summerDensity = 0;
    double harvest = 0;    // moose shot
    double target = 0;     // the season's harvest target
    double bullShare = 0;  // percent bulls among adults in the winter stock
    double calvesPerCow = 0;
    bool extinct = false;  // the stock was shot out in this season or before; densities, shares 0
};

// The 10th, 50th and 90th percentiles over the replicates, interpolated linearly between the closest ranks.
struct Spread {
    double p10 = 0, p50 = 0, p90 = 0;
};

// The percentile p (0..1) of values sorted ascending; 0 for none.
double percentile(const std::vector<double>& sorted, double p);
// The 10th, 50th and 90th percentiles of the values, in any order.
Spread spreadOf(std::vector<double> values);

struct ForecastYear {
    int season = 0;  // 1 for the first season after the forecast's start
    int year = 0;    // its calendar year, 0 when the model runs without years
    Spread winterDensity, summerDensity, harvest, bullShare, calvesPerCow;
    double quotaFilled = 0;  // share of replicates whose harvest reached 95 % of the target
    double nearWanted = 0;   // share ending within 10 % of the wanted winter density
    double extinct = 0;      // share shot out by this season
};

struct Forecast {
    int replicates = 0;  // replicates run to the end (fewer than asked when cancelled)
    bool cancelled = false;
    double wantedDensity = 0;  // the wanted winter density the shares are measured against
    double floor = 0;          // the winter density below which a future counts as having fallen too low
    double belowFloor = 0;     // share of futures below the floor after any season (a shot-out stock is)
    double meanHarvest = 0;    // moose shot per season, over every future and season
    std::vector<ForecastYear> years;
};

// Year-by-year summary of the replicates' seasons; every replicate holds the same number of seasons.
Forecast summariseForecast(const std::vector<std::vector<ForecastSeason>>& replicates, double wantedDensity,
                           int firstYear, double floor = 0);

// The per-year table as Swedish-Excel CSV: ';', decimal comma, Windows-1252, CRLF.
std::string forecastCsv(const Forecast& forecast);

}  // namespace vildo
