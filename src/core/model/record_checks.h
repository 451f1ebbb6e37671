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
// Upper bound of any area in hectares: Sweden is 45 million.
constexpr double kMaxHectares = 1e8;
// What an area of so many hectares can hold at most in a year: moose shot or killed on the roads, and
// predators. Real areas lie far below (a few moose shot, a tenth of a wolf per 1000 ha); an area is taken as
// at least 1000 ha so that a small one is not refused for a handful of animals.
constexpr double kMaxMoosePerKha = 100;
constexpr double kMaxPredatorsPerKha = 10;
double maxMooseIn(double hectares);
double maxPredatorsIn(double hectares);
// The hectares that bound an area's counts: the larger of its hunting and land areas.
double boundingHectares(const TAreaHeader& h);

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
// A yearly record of an area of `hectares`; without the area, only what no area can hold is refused.
bool plausible(const TStatistics& s, double hectares = kMaxHectares);

// The single fields stored beside the records.
bool plausibleShares(int32_t calfPercent, double femaleCalfShare, double calfSummerMortality,
                     double calfWinterMortality, double calvesPerCow);
bool plausibleHuntBudget(int32_t huntTry, int32_t maxTries, double encounterRate);
// Wolf territories or bears of one year in an area of `hectares`.
bool plausiblePredators(double count, double hectares);

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
