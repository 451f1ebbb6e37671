// The fit cache of the selected start year and the upload of a calibration result to the data service.
#pragma once
#include <optional>
#include <string>

namespace vildo {

struct CalibrationState;
struct TStatistics;

// The selected start year, read from the list's text; nothing when no item is selected.
std::optional<int> selectedStartYear(const CalibrationState& app);
// The fit-cache slot of the selected start year (the record of the year before it); null without one.
TStatistics* fitSlot(CalibrationState& app);
// R2 of that slot; 0 without one.
double cachedFit(const CalibrationState& app);

// The "+-" of the verdict: max(0.2, (FitDensityMax - FitDensityMin) / (2 BestFit)), 0.2 without a best fit.
double densityMargin(const CalibrationState& app);

// The setting an upload reports: forage position, start density (moose per 1000 ha), yearly forage change.
struct UploadSetting {
    double forage = 0, startDensity = 0, ccSlope = 0;
};
// Sets DensityMargin and uploads; afterwards the slot's R2 is the current ModelFit, whatever the answer.
// True only for the answer "Registrerat".
bool uploadCalibration(CalibrationState& app, const std::string& fitText, const UploadSetting& setting);
// The setting with which the last historic run began, with the best yearly forage change.
UploadSetting lastRunSetting(const CalibrationState& app);

// Ctrl+R: the upload with the fit "0", which asks the service to forget its results for the start year.
void sendZeroFit(CalibrationState& app);

}  // namespace vildo
