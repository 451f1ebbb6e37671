// The fixed-layout records of the model state; their bytes are the layouts of the state and area files.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>

#include "util/cp1252.h"

namespace vildo {

static_assert(std::endian::native == std::endian::little, "the files are raw little-endian dumps");

constexpr int kAges = 21;        // age classes 0..20 of the population and flow arrays
constexpr int kHarvestAges = 22;  // age classes 0..21 of the harvest and carcass-weight arrays

#pragma pack(push, 1)

struct TPopulation {
    double FemWinter[kAges];
    double FemSummer[kAges];
    double MaleWinter[kAges];
    double MaleSummer[kAges];
    double FemHuntStart[kAges];
    double MaleHuntStart[kAges];
    double MaleDeadWinter[kAges];
    double FemDeadWinter[kAges];
    double MaleDeadSummer[kAges];
    double FemDeadSummer[kAges];
    double Reserved1[kAges];
    double Reserved2[kAges];
    double Reserved3[kAges];
    double Fecundity[kAges];
    int32_t CowsNoCalf[kAges];
    int32_t CowsOneCalf[kAges];
    int32_t CowsTwins[kAges];
    uint8_t Padding[4];
};
static_assert(sizeof(TPopulation) == 2608);
static_assert(offsetof(TPopulation, FemSummer) == 168 && offsetof(TPopulation, MaleWinter) == 336);
static_assert(offsetof(TPopulation, MaleSummer) == 504 && offsetof(TPopulation, FemHuntStart) == 672);
static_assert(offsetof(TPopulation, MaleHuntStart) == 840 && offsetof(TPopulation, MaleDeadWinter) == 1008);
static_assert(offsetof(TPopulation, FemDeadWinter) == 1176 && offsetof(TPopulation, MaleDeadSummer) == 1344);
static_assert(offsetof(TPopulation, FemDeadSummer) == 1512 && offsetof(TPopulation, Reserved1) == 1680);
static_assert(offsetof(TPopulation, Fecundity) == 2184 && offsetof(TPopulation, CowsNoCalf) == 2352);
static_assert(offsetof(TPopulation, CowsOneCalf) == 2436 && offsetof(TPopulation, CowsTwins) == 2520);
static_assert(offsetof(TPopulation, Padding) == 2604);

struct TFecundityState {
    double FecundityFactor;
    double MaleWeightFactor;
    double FemWeightFactor;
    double FactorHistory[10];
};
static_assert(sizeof(TFecundityState) == 104 && offsetof(TFecundityState, FactorHistory) == 24);

struct THarvestByAge {
    double MaleShot[kHarvestAges];
    double FemShot[kHarvestAges];
    double MaleWeight[kHarvestAges];
    double FemWeight[kHarvestAges];
};
static_assert(sizeof(THarvestByAge) == 704 && offsetof(THarvestByAge, FemShot) == 176);
static_assert(offsetof(THarvestByAge, MaleWeight) == 352 && offsetof(THarvestByAge, FemWeight) == 528);

struct THarvestTotals {
    double BullsShot;
    double CowsShot;
    double CalvesShot;
    double AdultsShot;
    double TotalShot;
    double MeanAgeShotBulls;
    double MeanAgeShotCows;
    double HarvestPerArea;
    double Week1BullsShot;
    double Week1CowsShot;
    double Week1CalvesShot;
    double PrimeBullsShot;
    double ObsBullShare;
};
static_assert(sizeof(THarvestTotals) == 104 && offsetof(THarvestTotals, HarvestPerArea) == 56);
static_assert(offsetof(THarvestTotals, ObsBullShare) == 96);

struct TTraffic {
    uint16_t TrafficBulls;
    uint16_t TrafficCows;
    uint16_t TrafficCalves;
    uint8_t Reserved[10];
};
static_assert(sizeof(TTraffic) == 16);

struct TShotWeights {
    double MaleWeightShot;
    double FemWeightShot;
    double CalfWeightShot;
};
static_assert(sizeof(TShotWeights) == 24);

struct TLandUse {
    int32_t ImpedimentPct;
    int32_t ForestPct;
    int32_t OtherLandPct;
    int32_t Algbonitet;
    int32_t YoungForestWeight;
    uint8_t Reserved[12];
    double CarryingCapacity;
    double CarryingCapacityAtStart;
    double YoungForestPct;
    double ForageFactor;
    double ForageFactorAtStart;
};
static_assert(sizeof(TLandUse) == 72 && offsetof(TLandUse, CarryingCapacity) == 32);
static_assert(offsetof(TLandUse, YoungForestPct) == 48 && offsetof(TLandUse, ForageFactorAtStart) == 64);

struct TWinterTotals {
    double WinterBulls;
    double WinterCows;
    double WinterCalves;
    double WinterAdults;
    double WinterStock;
    double MeanAgeWinterBulls;
    double MeanAgeWinterCows;
    double Reserved;
    double WinterDensity;
    double WinterDeaths;
    double WinterDeadBulls;
    double WinterDeadCows;
    double NatDeadCowsWinter;
    double NatDeadBullsWinter;
    double NatRateCowsWinter;
    double NatRateBullsWinter;
    double WinterDeadCalves;
};
static_assert(sizeof(TWinterTotals) == 136 && offsetof(TWinterTotals, WinterDensity) == 64);
static_assert(offsetof(TWinterTotals, WinterDeadCalves) == 128);

struct TSummerTotals {
    double SummerBulls;
    double SummerCows;
    double CalvesBorn;
    double SummerAdults;
    double SummerStock;
    double Reserved1[3];
    double SummerDensity;
    double SummerDeaths;
    double SummerDeadCows;
    double SummerDeadBulls;
    double SummerDeadCalves;
    double NatDeadCowsSummer;
    double NatDeadBullsSummer;
    double NatRateCowsSummer;
    double NatRateBullsSummer;
    double MaleShareSummer;
    double Reserved2[2];
};
static_assert(sizeof(TSummerTotals) == 160 && offsetof(TSummerTotals, SummerDensity) == 64);
static_assert(offsetof(TSummerTotals, MaleShareSummer) == 136);

struct TEncounters {
    int32_t SeenBullsOpen;
    int32_t SeenCowsOpen;
    int32_t SeenCalvesOpen;
    int32_t SeenBulls;
    int32_t SeenCows;
    int32_t SeenCowsWithCalf;
    double CowRisk;
};
static_assert(sizeof(TEncounters) == 32 && offsetof(TEncounters, CowRisk) == 24);

struct TGoals {
    float GoalCalvesPerCow;
    float GoalBullShare;
    float BullShareTarget;
    float GoalPrimeBulls;
    float GoalCalfShare;
    float GoalMeanAgeCows;
    float GoalQuotaUse;
    float GoalBrowsing;
    float HarvestRate;
    float BullQuota;
    float CowQuota;
    float CalfQuota;
};
static_assert(sizeof(TGoals) == 48 && offsetof(TGoals, HarvestRate) == 32 && offsetof(TGoals, CalfQuota) == 44);

struct TAreaHeader {
    int32_t Jaktarea;
    int32_t HeaderInt1;
    int32_t HeaderInt2;
    int32_t Landarea;
    int32_t HeaderInt5;
    int32_t HeaderInt4;
    uint8_t Reserved1[4];
    int32_t OtherLandHaB;
    int32_t ImpedimentHa;
    int32_t OtherLandHaA;
    int32_t AreaForage;
    int32_t DataYears;
    uint8_t Reserved2[4];
    int32_t Lankod;
    int32_t AFOnr;
    ShortString<20> Lan;
    ShortString<20> AFO;
    uint8_t Reserved3[2];
    double AreaCCSlope;
    double HeaderReal18;
    double HeaderReal17;
};
static_assert(sizeof(TAreaHeader) == 128 && offsetof(TAreaHeader, Landarea) == 12);
static_assert(offsetof(TAreaHeader, OtherLandHaB) == 28 && offsetof(TAreaHeader, DataYears) == 44);
static_assert(offsetof(TAreaHeader, Lankod) == 52 && offsetof(TAreaHeader, Lan) == 60);
static_assert(offsetof(TAreaHeader, AFO) == 81 && offsetof(TAreaHeader, AreaCCSlope) == 104);
static_assert(offsetof(TAreaHeader, HeaderReal17) == 120);

// Slot order of the saved control positions.
enum SliderSlot {
    SlotDensity, SlotUngskog, SlotImpediment, SlotKalvskytte, SlotTjurandel, SlotSlaktvikttjur,
    SlotTjurdodlighet, SlotKalvdodlighetsommar, SlotKalvdodlighetvinter, SlotKododlighet, SlotSlaktviktko,
    SlotTaggar, SlotKviga, SlotSexratio, SlotBarkraftovrig, SlotUngskogskonstant, SlotKorisk, SlotHarvest,
    SlotReprod, SlotStartyear, SlotVargmortalitet, SlotBjornmortalitet, SlotCount
};

struct TSliderValues {
    int32_t Slots[SlotCount];
};
static_assert(sizeof(TSliderValues) == 88);

// The harvest-goal table's text, columns 1..7 by rows 0..12, column by column.
struct TGrid2Cells {
    ShortString<10> Cells[7][13];
};
static_assert(sizeof(TGrid2Cells) == 1001);

// One year of an area's statistics.
struct TStatistics {
    int32_t year, tjur, ko, vuxna, tjurkalv, kvigkalv, kalv, totalt, ungskog, regarea, CC;
    int32_t kalvmort, tjurmort, komort;
    int32_t TrafikTjur, TrafikHondjur, TrafikKalv, TrafikOkand;
    double obs, tjurobs, kalvandel, reprod, sexratio;
    double tjurvikt, kovikt, tjurkalvvikt, kvigkalvvikt;
    double varg, bjorn;
    double StartDens, R2, Vildodens, Stddens, CCSlope, Error;
};
static_assert(sizeof(TStatistics) == 208 && offsetof(TStatistics, CC) == 40);
static_assert(offsetof(TStatistics, TrafikTjur) == 56 && offsetof(TStatistics, obs) == 72);
static_assert(offsetof(TStatistics, tjurvikt) == 112 && offsetof(TStatistics, varg) == 144);
static_assert(offsetof(TStatistics, StartDens) == 160 && offsetof(TStatistics, Error) == 200);

#pragma pack(pop)

}  // namespace vildo
