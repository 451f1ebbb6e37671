// Plausibility of records that come from outside (state files, area files, service answers): every value finite
// and within what the model can hold, so that a damaged or hostile input is refused before it is applied.
#pragma once
#include <cstdint>
#include <string>

#include "model/records.h"

namespace vildo {

// The refusal of a file whose records fail these checks.
std::string damagedFileText(const std::string& file);

// Upper bound of any animal count; Sweden holds a few hundred thousand moose.
constexpr double kMaxAnimals = 1e8;

bool plausible(const TPopulation& p);
bool plausible(const THarvestByAge& h);
bool plausible(const TGoals& g);
bool plausible(const TFecundityState& f);
bool plausible(const TSummerTotals& s);
bool plausible(const TWinterTotals& w);
bool plausible(const THarvestTotals& h);
bool plausible(const TEncounters& e);
bool plausible(const TLandUse& l);
bool plausible(const TAreaHeader& h);
bool plausible(const TShotWeights& w);
bool plausible(const TSliderValues& s);
bool plausible(const TGrid2Cells& g);
bool plausible(const TStatistics& s);

// The single fields stored beside the records.
bool plausibleShares(int32_t calfPercent, double femaleCalfShare, double calfSummerMortality,
                     double calfWinterMortality, double calvesPerCow);
bool plausibleHuntBudget(int32_t huntTry, int32_t maxTries, double encounterRate);
// Wolf territories or bears of one year.
bool plausiblePredators(double count);

// The model blocks that a year snapshot and an area file both carry, under the state's field names.
template <class Blocks>
bool plausibleModelBlocks(const Blocks& b) {
    return plausible(b.Pop) && plausible(b.Harvest) && plausible(b.Goals) && plausible(b.Fec) && plausible(b.Summer) &&
           plausible(b.Winter) && plausible(b.HarvestTot) && plausible(b.Enc) && plausible(b.Land) &&
           plausible(b.Header) && plausible(b.ShotWeights) && plausible(b.Sliders) && plausible(b.Grid2Cells) &&
           plausibleShares(b.CalfPercent, b.FemaleCalfShare, b.CalfSummerMortality, b.CalfWinterMortality,
                           b.CalvesPerCow) &&
           plausibleHuntBudget(b.HuntTry, b.MaxTries, b.EncounterRate);
}

}  // namespace vildo
