// An area's yearly statistics: the averages over a start window and over the last three harvest years,
// the model inputs they feed, and the statistics table StringGrid6.
#pragma once
#include <cstdint>
#include <vector>

#include "model/records.h"
#include "util/grid.h"

namespace vildo {

struct AreaState;

struct AreaAverages {
    int32_t HarvestMean = 0;
    int32_t YoungForestMean = 0;
    double CalfShareMean = 0;
    double BullObsMean = 0;
    double ReprodMean = 0;
    double SexRatioMean = 0;
    double BullWeightMean = 0;
    double CowWeightMean = 0;
    double BullCalfWeightMean = 0;
    double HeiferCalfWeightMean = 0;
    double WolfMean = 0, BearMean = 0;  // recorded wolf territories and bears
};

// The start window: n positions from the record of year Y. Positions outside the array count as absent.
AreaAverages startWindowAverages(const std::vector<TStatistics>& stats, int year, int n);
// The last three harvest years at or before position m.
AreaAverages recentAverages(const std::vector<TStatistics>& stats, int m);

// What ApplyAreaAverages sets: the land-use shares and the control positions.
struct AreaInputs {
    double YoungForestPct = 0;
    int32_t OtherLandPct = 0, ImpedimentPct = 0, ForestPct = 0;
    int trk_ungskog = 0, Trk_Kalvskytte = 0, Trk_tjurandel = 0, trk_harvest = 0, trk_reprod = 0, trk_sexratio = 0;
    int Trk_Slaktviktko = 0, trk_slaktvikttjur = 0;
    int32_t BullWeightParam = 0, CowWeightParam = 0, HeiferCalfWeight = 0, BullCalfWeight = 0;
};

// Computed before anything is set, so an area with no land or hunting area fails without side effects.
AreaInputs areaInputs(const TAreaHeader& header, const AreaAverages& start, const AreaAverages& recent);

void AverageFromYear(AreaState& app, int year, int n);
void AverageRecent(AreaState& app, int m);
void ApplyAreaAverages(AreaState& app);
void ShowAreaStatistics(AreaState& app);

// StringGrid6 with its label cells (columns 0 and 2).
Grid statisticsGrid();

}  // namespace vildo
