// The estimate's uncertainty by a residual bootstrap: pseudo-histories made of the best replay's simulated
// series and its resampled residuals, the perturbed settings the members' refits start from, and the interval
// of the members' estimates with the verdict's texts.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calibration/calibration_state.h"

namespace vildo {

// The setting a calibration moves: the density and forage positions and the yearly forage change.
struct CalibrationSetting {
    double density = 0, forage = 0, ccSlope = 0;
};

// The best replay's misfit year by year, on the scales the fit uses: the observations per man-hour as the log
// ratio of the scaled observation to the simulated summer density (the noise of a count index is relative),
// calves per cow and bull share as differences. A year without an observation has no residual.
struct Residuals {
    std::vector<std::optional<double>> obs, calves, bulls;
};
Residuals replayResiduals(const CalibrationState& best);

// The years of a moving block: neighbouring years' residuals are correlated, so they are drawn together.
int bootstrapBlockLength(size_t years);

// Replaces the observations of the run's years in the member's statistics by the best replay's simulated
// series plus residuals drawn in moving blocks (the same years for all three series, so that their
// correlation stays). A year that has no observation keeps none.
void applyPseudoHistory(CalibrationState& member, const CalibrationState& best, uint32_t seed);

// Where a member's refit starts: the best setting moved at random, so that the members do not all search
// the same valley of the fit.
CalibrationSetting perturbedStart(const CalibrationSetting& best, uint32_t seed);

// What one member's refit gives for the last historic year; a shot-out stock counts with density 0.
struct MemberEstimate {
    double winterDensity = 0, summerDensity = 0;
};
// The members' 10th to 90th percentiles, widened about their median in log density by kIntervalWidening.
EstimateInterval summariseMembers(const std::vector<MemberEstimate>& members);

// The bootstrap's members spread less than the truth does: they share the model's structure and the fixed
// inputs, which no resampling of residuals varies. The 80th percentile, over the 96 seed areas with seed 1, of
// the widening each area's interval needed to reach its true density is 1.31; seeds 2 and 3 check it.
constexpr double kIntervalWidening = 1.31;
// A density moved away from the members' median as the interval is widened: median (d / median)^k.
double widenedDensity(double density, double median);
// The member's stock scaled to its widened winter density, so that the futures started from the members
// spread as the interval does.
MemberStock widenedStock(const MemberStock& stock, double median);

// "Med 80 % sannolikhet mellan A och B per 1000 hektar efter jakt."
std::string intervalLine(const EstimateInterval& interval);
// One sentence when the estimate is uncertain: the best run outside the members' own 10th to 90th percentiles,
// or an interval wider than ±50 % of the estimate; empty otherwise.
std::string uncertaintyNote(const EstimateInterval& interval, double estimate);

// A member's stock as the model holds it, and back: a forecast's future starts from it.
MemberStock takeStock(const ModelState& m, bool shotOut);
void putStock(ModelState& m, const MemberStock& stock);

}  // namespace vildo
