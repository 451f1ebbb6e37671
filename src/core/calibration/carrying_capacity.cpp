#include "calibration/carrying_capacity.h"

#include <algorithm>
#include <vector>

#include "calibration/regression.h"

namespace vildo {

namespace {

constexpr double kSlopeLimit = 10;

}  // namespace

// The selected start year's estimate: its forage setting and its winter density.
void storeEstimate(CalibrationState& app) {
    const int64_t p = static_cast<int64_t>(app.pos(C::Combo_Startyear)) + 1;
    if (p < 1 || p >= static_cast<int64_t>(app.Statistics.size())) return;
    TStatistics& slot = app.Statistics[static_cast<size_t>(p)];
    slot.CC = app.pos(C::Trk_barkraftovrig);
    slot.Vildodens = app.pos(C::Trk_density) / 10.0;
}

// The yearly trend of the estimated forage settings. Years without an estimate have no forage setting:
// counting them as 0 would drag the trend to the limit.
double forageTrend(const CalibrationState& app) {
    std::vector<double> years, forage;
    for (int p = 1; p <= app.DataYears && p < static_cast<int>(app.Statistics.size()); ++p) {
        const TStatistics& r = app.Statistics[static_cast<size_t>(p)];
        if (r.CC <= 0) continue;
        years.push_back(r.year);
        forage.push_back(r.CC);
    }
    return std::clamp(Regress(years, forage), -kSlopeLimit, kSlopeLimit);
}

}  // namespace vildo
