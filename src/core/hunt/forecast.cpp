#include "hunt/forecast.h"

#include <algorithm>
#include <cmath>

#include "util/cp1252.h"
#include "util/format.h"

namespace vildo {

// The percentile p (0..1) of sorted values by linear interpolation between the closest ranks: rank h = (n - 1) p,
// the value x[floor h] + (h - floor h) (x[floor h + 1] - x[floor h]) (Excel's PERCENTILE.INC). It needs no
// smoothing choice and gives the median of an even count as the mean of the middle two.
double percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    const double h = (static_cast<double>(sorted.size()) - 1) * p;
    const size_t lo = static_cast<size_t>(std::floor(h));
    const size_t hi = std::min(lo + 1, sorted.size() - 1);
    return sorted[lo] + (h - static_cast<double>(lo)) * (sorted[hi] - sorted[lo]);
}

Spread spreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {percentile(values, 0.1), percentile(values, 0.5), percentile(values, 0.9)};
}

Forecast summariseForecast(const std::vector<std::vector<ForecastSeason>>& replicates, double wantedDensity,
                           int firstYear, double floor) {
    Forecast f;
    f.replicates = static_cast<int>(replicates.size());
    f.wantedDensity = wantedDensity;
    f.floor = floor;
    const size_t seasons = replicates.empty() ? 0 : replicates.front().size();
    const double n = static_cast<double>(replicates.size());
    for (size_t k = 0; k < seasons; ++k) {
        ForecastYear y;
        y.season = static_cast<int>(k) + 1;
        y.year = firstYear > 0 ? firstYear + static_cast<int>(k) : 0;
        std::vector<double> winter, summer, harvest, bulls, calves;
        int filled = 0, near = 0, extinct = 0;
        for (const std::vector<ForecastSeason>& r : replicates) {
            const ForecastSeason& s = r[k];
            winter.push_back(s.winterDensity);
            summer.push_back(s.summerDensity);
            harvest.push_back(s.harvest);
            bulls.push_back(s.bullShare);
            calves.push_back(s.calvesPerCow);
            if (s.harvest >= 0.95 * s.target) ++filled;
            if (!s.extinct && std::abs(s.winterDensity - wantedDensity) <= 0.1 * wantedDensity) ++near;
            if (s.extinct) ++extinct;
        }
        y.winterDensity = spreadOf(std::move(winter));
        y.summerDensity = spreadOf(std::move(summer));
        y.harvest = spreadOf(std::move(harvest));
        y.bullShare = spreadOf(std::move(bulls));
        y.calvesPerCow = spreadOf(std::move(calves));
        y.quotaFilled = filled / n;
        y.nearWanted = near / n;
        y.extinct = extinct / n;
        f.years.push_back(y);
    }
    int below = 0;
    double shot = 0;
    for (const std::vector<ForecastSeason>& r : replicates) {
        below += std::any_of(r.begin(), r.end(),
                             [&](const ForecastSeason& s) { return s.extinct || s.winterDensity < floor; });
        for (const ForecastSeason& s : r) shot += s.harvest;
    }
    if (!replicates.empty()) {
        f.belowFloor = below / n;
        f.meanHarvest = seasons > 0 ? shot / (n * static_cast<double>(seasons)) : 0;
    }
    return f;
}

std::string forecastCsv(const Forecast& forecast) {
    std::string out =
        "År;Säsong;Vinterstam p10;Vinterstam p50;Vinterstam p90;Sommarstam p10;Sommarstam p50;Sommarstam p90;"
        "Avskjutning p10;Avskjutning p50;Avskjutning p90;Tjurandel p10;Tjurandel p50;Tjurandel p90;"
        "Kalvar per ko p10;Kalvar per ko p50;Kalvar per ko p90;Andel kvot fylld;Andel inom 10 %;Andel utdöd\r\n";
    auto spread = [&](const Spread& s, int d) {
        for (double v : {s.p10, s.p50, s.p90}) out += ";" + fix(v, 15, d);
    };
    for (const ForecastYear& y : forecast.years) {
        out += intStr(y.year) + ";" + intStr(y.season);
        spread(y.winterDensity, 2);
        spread(y.summerDensity, 2);
        spread(y.harvest, 1);
        spread(y.bullShare, 1);
        spread(y.calvesPerCow, 2);
        for (double share : {y.quotaFilled, y.nearWanted, y.extinct}) out += ";" + fix(share, 15, 3);
        out += "\r\n";
    }
    return toCp1252(out);
}

}  // namespace vildo
