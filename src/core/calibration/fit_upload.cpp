#include "calibration/fit_upload.h"

#include <algorithm>

#include "area/data_service.h"
#include "calibration/calibration_state.h"
#include "util/format.h"
#include "util/parse.h"

namespace vildo {

std::optional<int> selectedStartYear(const CalibrationState& app) {
    const Control& years = app.ctl(C::Combo_Startyear);
    if (years.position < 0 || years.position >= static_cast<int>(years.items.size())) return std::nullopt;
    std::optional<long long> y = parseInt(years.items[static_cast<size_t>(years.position)]);
    if (!y) return std::nullopt;
    return static_cast<int>(*y);
}

namespace {

// The slot's position in the statistics, or nothing.
std::optional<size_t> slotPosition(const CalibrationState& app) {
    const int64_t p = static_cast<int64_t>(app.pos(C::Combo_Startyear)) + 1;
    if (p < 1 || p >= static_cast<int64_t>(app.Statistics.size())) return std::nullopt;
    return static_cast<size_t>(p);
}

}  // namespace

TStatistics* fitSlot(CalibrationState& app) {
    std::optional<size_t> p = slotPosition(app);
    return p ? &app.Statistics[*p] : nullptr;
}

double cachedFit(const CalibrationState& app) {
    std::optional<size_t> p = slotPosition(app);
    return p ? app.Statistics[*p].R2 : 0;
}

double densityMargin(const CalibrationState& app) {
    if (app.BestFit <= 0) return 0.2;
    return std::max(0.2, (app.FitDensityMax - app.FitDensityMin) / (2 * app.BestFit));
}

// The forage and start density with which the last run began, and the best yearly forage change so far.
UploadSetting lastRunSetting(const CalibrationState& app) {
    return {app.BaseForageFactor, app.BaseTargetDensity, app.BestCCSlope};
}

bool uploadCalibration(CalibrationState& app, const std::string& fitText, const UploadSetting& setting) {
    app.DensityMargin = densityMargin(app);
    FitUpload u;
    u.fitText = fitText;
    u.forage = setting.forage;
    u.startDensity = setting.startDensity;
    u.lankod = app.Header.Lankod;
    u.afonr = app.Header.AFOnr;
    u.startYear = selectedStartYear(app).value_or(0);
    u.ccSlope = setting.ccSlope;
    u.calfMort = calfMortalityKey(app);
    u.bullMort = app.pos(C::trk_tjurdodlighet);
    u.cowMort = app.pos(C::trk_kododlighet);
    u.margin = app.DensityMargin;
    u.years = app.DataYears - app.pos(C::Combo_Startyear);
    const bool registered = SendFitResult(app, u);
    if (TStatistics* slot = fitSlot(app)) slot->R2 = app.ModelFit;
    return registered;
}

void sendZeroFit(CalibrationState& app) {
    if (!app.AreaLoaded) return;  // no area, no result to forget
    uploadCalibration(app, "0", {app.BaseForageFactor, 0, app.BestCCSlope});
}

}  // namespace vildo
