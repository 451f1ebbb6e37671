// The one object that owns the whole state: model records, controls, timers, charts and flags.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/records.h"
#include "ui/charts.h"
#include "ui/controls.h"
#include "ui/grids.h"
#include "ui/platform.h"
#include "ui/prompts.h"
#include "ui/timers.h"
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

struct Vildo {
    Vildo(Prompts& prompts, Platform platform);

    Prompts* prompts;
    Platform platform;
    Lcg rng;

    // Records written to the state files.
    TPopulation Pop{};
    TFecundityState Fec{};
    THarvestByAge Harvest{};
    THarvestTotals HarvestTot{};
    TTraffic Traffic{};
    TShotWeights ShotWeights{};
    TLandUse Land{};
    TWinterTotals Winter{};
    TSummerTotals Summer{};
    TEncounters Enc{};
    TGoals Goals{};
    TAreaHeader Header{};
    TSliderValues Sliders{};
    TGrid2Cells Grid2Cells{};
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
    std::vector<TStatistics> Statistics;

    // State flags.
    bool SeasonStarted = false;
    bool AreaLoaded = false;
    bool AreaLoading = false;
    bool SettingsChanged = false;
    bool ScenarioLoaded = false;
    bool NoFitFetch = false;
    bool ShowFit = false;

    // The window as data.
    Controls controls;
    Timers timers;
    Charts charts;

    // The information dialog: show-again flags of the numbered messages, and whether it is showing.
    std::array<uint8_t, 51> InfoFlags{};
    bool infoShowing = false;

    int64_t clockMs = 0;      // the scheduler's virtual clock
    bool terminated = false;  // Abort in the error dialog, or "Avsluta": the program ends
    bool settingsWriteReported = false;  // the settings-file message is shown once

    Control& ctl(C id) { return controls[static_cast<int>(id)]; }
    const Control& ctl(C id) const { return controls[static_cast<int>(id)]; }
    int pos(C id) const { return ctl(id).position; }
    bool checked(C id) const { return ctl(id).checked(); }
};

}  // namespace vildo
