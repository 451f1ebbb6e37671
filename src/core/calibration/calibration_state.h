// The calibration's part of the state: the fit of the latest run, the winter-population search, the fit
// measures, the full calibration with its progress pane, the carrying-capacity batch and the common random
// numbers of the replays.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "area/area_state.h"

namespace vildo {

// The latest replay's simulated series, one value per season from the start year (index 0): what the fit
// measures compare with the observations, kept here so that a copy of the state can be scored without charts.
struct ReplaySeries {
    std::vector<double> summerDensity, winterDensity, calvesPerCow, bullShare;
    std::vector<double> scaledObs;  // the observations per man-hour on the stock's scale, set by FitMeasures
};

// The interval of the estimate: percentiles of the ensemble members' estimates for the last historic year.
struct EstimateInterval {
    double level = 0.8;  // the 10th to the 90th percentile
    double winterLow = 0, winterHigh = 0, summerLow = 0, summerHigh = 0;
    double median = 0, summerMedian = 0;  // of the members' winter and summer densities
    double membersLow = 0, membersHigh = 0;  // the members' own 10th and 90th winter percentiles, not widened
    int members = 0;
};

// A member's stock at the end of its fitted history, where a forecast's future can start.
struct MemberStock {
    bool shotOut = false;
    TPopulation Pop{};
    TFecundityState Fec{};
    TSummerTotals Summer{};
    TWinterTotals Winter{};
    THarvestTotals HarvestTot{};
    double ForageFactor = 0, CarryingCapacity = 0;  // of the member's fitted forage, not the land the user sets
    double CalvesPerCow = 0, EncounterRate = 0;
    int32_t HuntTry = 0;
};

// The ensemble behind the interval, and where in the history its members' stocks stand.
struct EstimateEnsemble {
    EstimateInterval interval;
    std::vector<MemberStock> stocks;  // member order
    int64_t startIndex = 0;
    int32_t yearNo = 0;
};

struct CalibrationState : AreaState {
    // The season driver: the fit of the latest calibration run, and the hourglass cursor of long work.
    double ModelFit = 0;
    bool hourglass = false;

    // Calibration: the winter-population search, the fit measures of the latest historic run, the full
    // calibration with its progress pane, and the carrying-capacity batch.
    double MortalitySignature = 0;
    bool Recalibrate = false, CacheApplied = false;
    int32_t SearchTicks = 0, DensitySteps = 0;
    // The model and the two searched positions as the area was loaded: a search whose equilibrium leaves no
    // stock starts over from them, once per search.
    std::string AreaLoadStart;
    int32_t AreaLoadDensity = 0, AreaLoadForage = 0;
    bool SearchRestarted = false;
    std::string SearchNote;  // the search's line on the progress pane
    double ObsScale = 0, ObsFit = 0, ObsSlope = 0, ModelSlope = 0, SlopeDiff = 0;
    double ReprodSum = 0, ReprodFit = 0, ReprodSlope = 0, ReprodDiff = 0;
    double BullShareSum = 0, BullShareFit = 0, BullShareSlope = 0, BullShareDiff = 0;
    int32_t HistoricRuns = 0;  // fit measures taken since the full calibration started
    double BestFit = 0, BestDensity = 0, BestForage = 0, BestCCSlope = 0;
    double FitDensityMin = 0, FitDensityMax = 0, DensityMargin = 0, FitTrend = 0;
    std::vector<double> DensityHistory;  // the last 11 winter densities, newest first
    double DensityStdDev = 0;
    bool StepDensityNext = true;
    int32_t QuietRounds = 0, Progress = 0, MaxQuietRounds = 30;
    // Replays the adjustments of this calibration started, and whether their cap ended it before the fit
    // settled.
    int32_t CalibrationReplays = 0;
    bool StoppedAtReplayLimit = false;
    double CalibStart = 0, CalibEnd = 0;  // the platform's wall seconds
    bool WorkingFront = false;            // the progress pane pnl_working lies over the charts
    bool TrimMode = false;
    bool BatchSearchFailed = false;  // the batch's search gave up in this area: its line has no estimate
    int32_t CCCount = 0;
    std::string GlobalCCFile = "GlobalCC.csv";  // relative: the working folder
    // Common random numbers: while a calibration runs, season k of every replay is seeded from this base
    // and k, so replays differ only by their setting and the best one can be replayed exactly.
    std::optional<uint32_t> CalibrationSeed;
    std::string ReplayStart;      // the model as it stood when the replay in progress began
    std::string BestReplayStart;  // ... when the best replay so far began
    std::string NextReplayStart;  // where the next replay begins, when it is to repeat the best one
    bool ReplayShotOut = false;   // that replay shot the stock out and the model went back to ReplayStart
    ReplaySeries Replay;
    // The verdict's interval: members refitted before it is shown (0: none), and the last ensemble.
    int IntervalMembers = 40;
    std::optional<EstimateEnsemble> Ensemble;
};

}  // namespace vildo
