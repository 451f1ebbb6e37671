// The population model's part of the state: the records the state files hold, the model's scalars, the
// control positions it reads, the timers that pace it, and the prompts it reports through.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/controls.h"
#include "model/prompts.h"
#include "model/records.h"
#include "model/timers.h"
#include "util/random.h"

namespace vildo {

// One stock of the harvest-pressure controller.
struct StockRecord {
    std::vector<double> input;
    std::vector<double> Output;
    double X1 = 0, X2 = 0, Level = 0, Eul1 = 0, Eul2 = 0;
    bool Nonneg = false;
};
using TStock = std::vector<StockRecord>;

struct TRov {
    int32_t Vargmortalitet = 0;
    int32_t Bjornmortalitet = 0;
    int32_t Vargdodade = 0;
    int32_t Bjorndodade = 0;
    std::vector<double> Vargrevir;
    std::vector<double> Bjornpop;
    bool Changed = false;
};

struct TLanAFO {
    std::string S_Lan, S_Afo;
    uint32_t I_Lan = 0, I_Afo = 0;
};

struct TPaths {
    std::string Exefile, MyDocs, Appdata, Currentomr, Currentscn;
    bool Writegrants = false;
};

struct ModelState {
    Prompts* prompts = nullptr;
    Lcg rng;

    // Records written to the state files. The records are packed; aligned here so that their doubles are.
    alignas(8) TPopulation Pop{};
    alignas(8) TFecundityState Fec{};
    alignas(8) THarvestByAge Harvest{};
    alignas(8) THarvestTotals HarvestTot{};
    alignas(8) TTraffic Traffic{};
    alignas(8) TShotWeights ShotWeights{};
    alignas(8) TLandUse Land{};
    alignas(8) TWinterTotals Winter{};
    alignas(8) TSummerTotals Summer{};
    alignas(8) TEncounters Enc{};
    alignas(8) TGoals Goals{};
    alignas(8) TAreaHeader Header{};
    alignas(8) TSliderValues Sliders{};
    alignas(8) TGrid2Cells Grid2Cells{};
    TRov Rov;

    // Scalars written to files.
    int32_t CalfPercent = 0;
    double FemaleCalfShare = 0;
    double CalfSummerMortality = 0;
    double CalfWinterMortality = 0;
    double CalvesPerCow = 0;
    int32_t HuntTry = 0;
    int32_t MaxTries = 0;
    double EncounterRate = 0;
    int32_t AreaKha = 0;
    int32_t NatMortPctF = 0;
    int32_t NatMortPctM = 0;

    // Carcass-weight parameters.
    int32_t BullWeightParam = 0, CowWeightParam = 0, BullCalfWeight = 0, HeiferCalfWeight = 0;

    // Model scalars not written to files.
    int32_t HuntAreaHa = 0;
    double FemMortWeight[21]{};  // entries 1..20 used
    double MaleMortWeight[21]{};
    double PotentialBirths = 0;
    double PrevWinterStock = 0;
    double BaseTargetDensity = 0, BaseForageFactor = 0, BaseYoungForestPct = 0;
    double TargetTotal = 0;
    double TargetDensity = 0;
    double TargetBullShare = 0;
    double BullShareAdjust = 0;
    double CalfProtection = 0;
    double HarvestSlider = 0, ReproSlider = 0;
    double ModelDensity = 0;
    double HarvestPressure = 0;
    double DensityPull = 0, DensityChange = 0, ControllerGain = 0, ChangeSum = 0;
    TStock Controller;
    int32_t Tick = 0;
    int32_t YearsPerTick = 0;
    int32_t ModelYears = 0;
    double CCSlope = 0;
    int32_t YearNo = 0;
    int32_t StartIndex = 0;
    bool RulesAlways = false;
    int32_t DataYears = 0;
    TLanAFO LanAFO;
    TPaths Paths;

    // State flags.
    bool SeasonStarted = false;
    bool AreaLoaded = false;
    bool AreaLoading = false;
    bool SettingsChanged = false;
    bool ScenarioLoaded = false;
    bool NoFitFetch = false;
    bool ShowFit = false;
    bool settingsWriteReported = false;  // the settings-file message is shown once

    // The controls as data, and the timers with the scheduler's virtual clock.
    Controls controls;
    Timers timers;
    int64_t clockMs = 0;

    Control& ctl(C id) { return controls[static_cast<int>(id)]; }
    const Control& ctl(C id) const { return controls[static_cast<int>(id)]; }
    int pos(C id) const { return ctl(id).position; }
    bool checked(C id) const { return ctl(id).checked(); }
};

}  // namespace vildo
