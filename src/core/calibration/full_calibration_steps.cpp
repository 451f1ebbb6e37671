#include "calibration/full_calibration_steps.h"

#include <algorithm>
#include <cmath>

namespace vildo {

namespace {

constexpr double kSlopeStep = 0.4, kSlopeLimit = 15;
constexpr int kReplaysPerQuietRound = 10;

}  // namespace

namespace {

bool densityTurn(const CalibrationState& c) { return c.StepDensityNext && c.SlopeDiff > -0.4; }

}  // namespace

SpinPress pendingPress(const CalibrationState& c) {
    if (densityTurn(c)) {
        if (std::fabs(c.ReprodSum) <= 0.05) return SpinPress::None;
        return c.ReprodSum < 0 ? SpinPress::DensityUp : SpinPress::DensityDown;
    }
    return c.SlopeDiff < 0 ? SpinPress::ForageUp : SpinPress::ForageDown;
}

SpinPress nextAdjustment(CalibrationState& c) {
    const SpinPress press = pendingPress(c);
    if (!densityTurn(c)) {
        c.StepDensityNext = true;
        return press;
    }
    if (press == SpinPress::None && std::fabs(c.SlopeDiff) < 0.2) {
        const double step = c.ReprodDiff < 0 ? kSlopeStep : -kSlopeStep;
        c.CCSlope = std::clamp(c.CCSlope + step, -kSlopeLimit, kSlopeLimit);
    }
    c.StepDensityNext = false;
    return press;
}

bool blockedAtLimit(const ModelState& app, SpinPress press) {
    const auto atMin = [&](C id) { return app.ctl(id).position <= app.ctl(id).min; };
    const auto atMax = [&](C id) { return app.ctl(id).position >= app.ctl(id).max; };
    switch (press) {
        case SpinPress::DensityUp: return atMin(C::Trk_density);  // "up" lowers the density
        case SpinPress::DensityDown: return atMax(C::Trk_density);
        case SpinPress::ForageUp: return atMax(C::Trk_barkraftovrig);
        case SpinPress::ForageDown: return atMin(C::Trk_barkraftovrig);
        case SpinPress::None: return false;
    }
    return false;
}

int replayLimit(const CalibrationState& c) { return kReplaysPerQuietRound * c.MaxQuietRounds; }

double progressShare(const CalibrationState& c) {
    if (c.MaxQuietRounds <= 0) return 0;
    const double rounds = static_cast<double>(c.Progress) / c.MaxQuietRounds;
    const double replays = static_cast<double>(c.CalibrationReplays) / replayLimit(c);
    return std::clamp(std::max(rounds, replays), 0.0, 1.0);
}

double sampleStdDev(const std::vector<double>& v) {
    if (v.size() < 2) return 0;
    double mean = 0;
    for (double x : v) mean += x;
    mean /= static_cast<double>(v.size());
    double ss = 0;
    for (double x : v) ss += (x - mean) * (x - mean);
    return std::sqrt(ss / static_cast<double>(v.size() - 1));
}

void endCalibration(CalibrationState& app) {
    app.CalibrationSeed.reset();
    for (std::string* s : {&app.ReplayStart, &app.BestReplayStart, &app.NextReplayStart}) s->clear();
    app.ReplayShotOut = false;
}

double mortalitySignature(const ModelState& app) {
    return (app.CalfSummerMortality + app.CalfWinterMortality) * 100 + app.NatMortPctF + app.NatMortPctM;
}

bool calibrationRunning(const ModelState& app) {
    for (int n : {2, 4, 5, 6, 9, 11, 12})
        if (app.timers[n].enabled) return true;
    return false;
}

}  // namespace vildo
