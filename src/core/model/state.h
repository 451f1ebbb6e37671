// The one object that owns the whole state: model records, controls, timers, charts and flags.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "area/county_table.h"
#include "area/statistics.h"
#include "hunt/goal_tables.h"
#include "model/records.h"
#include "ui/charts.h"
#include "ui/controls.h"
#include "ui/grids.h"
#include "ui/platform.h"
#include "ui/prompts.h"
#include "ui/timers.h"
#include "util/random.h"

namespace vildo {

class DataService;

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

// Font sizes of the large-text mode, in pixels.
struct WindowFonts {
    int windowPx = 13;
    int chart5AxisPx = 13, chart8AxisPx = 13;
    int chart5LegendPx = 13, chart8LegendPx = 13;
};

struct Vildo {
    Vildo(Prompts& prompts, Platform platform);

    Prompts* prompts;
    Platform platform;
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
    WindowFonts fonts;

    // The information dialog: show-again flags of the numbered messages, and whether it is showing.
    std::array<uint8_t, 51> InfoFlags{};
    bool infoShowing = false;

    // The hunting season: the rule table and its dialog exchange, the season's own results and biodata rows,
    // and the tables of the hunting page.
    TRule Rules[5] = {{1, 0, 0, 0}};  // every rule off; record 0 belongs to the header row
    int32_t RuleDialogRow = 0, RuleDialogFrom = 0, RuleDialogTo = 0;
    int32_t QuotaProgress = 0;         // percent of the season's target shot so far
    std::vector<std::string> Biodata;  // one row per encounter after the header, while "Spara biodata" is on
    Grid StringGrid2 = designStringGrid2();
    Grid Stringgrid5 = designStringgrid5();
    Grid StringGrid3 = designStringGrid3();
    Grid Tabell_utv = designTabell_utv();

    // Area data: the averages of the yearly statistics, the statistics table, the area menu and the service.
    AreaAverages StartAverages{}, RecentAverages{};
    std::vector<int32_t> CCValues;
    Grid StringGrid6 = statisticsGrid();
    CountyMenu Omrde1 = countyMenu();
    DataService* dataService = nullptr;   // not owned; without one every request fails as offline
    uint32_t BatchLan = 0, BatchAfo = 0;  // copies of LanAFO's indexes for the carrying-capacity batch

    // The season driver: the fit of the latest calibration run, and the hourglass cursor of long work.
    double ModelFit = 0;
    bool hourglass = false;

    // Calibration: the winter-population search, the fit measures of the latest historic run, the full
    // calibration with its progress pane, and the carrying-capacity batch.
    double MortalitySignature = 0;
    bool Recalibrate = false, CacheApplied = false;
    int32_t SearchTicks = 0, DensitySteps = 0;
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
    double CalibStart = 0, CalibEnd = 0;  // the platform's wall seconds
    bool WorkingFront = false;            // the progress pane pnl_working lies over the charts
    bool TrimMode = false;
    int32_t CCCount = 0;
    std::string GlobalCCFile = "GlobalCC.csv";  // relative: the working folder
    // Common random numbers: while a calibration runs, season k of every replay is seeded from this base
    // and k, so replays differ only by their setting and the best one can be replayed exactly.
    std::optional<uint32_t> CalibrationSeed;
    std::string ReplayStart;      // the model as it stood when the replay in progress began
    std::string BestReplayStart;  // ... when the best replay so far began
    std::string NextReplayStart;  // where the next replay begins, when it is to repeat the best one
    bool ReplayShotOut = false;   // that replay shot the stock out and the model went back to ReplayStart
    // Every area of the batch's walk starts from the state the walk started from.
    std::shared_ptr<const Vildo> BatchStart;

    // Indicators and charts: the key-figure grid, the largest summer density plotted since the hunt was
    // prepared, and the predator series under a held mouse button (-1: none).
    Grid StringGrid1 = Grid(4, 8);
    int32_t MaxSummerDensity = 0;
    int predatorDrag = -1;
    // Called after each season the forward button completes (the historic replay runs several a press).
    std::function<void(const Vildo&)> seasonObserver;
    // A forecast's replicate: the forward button keeps no year snapshot on disk (it cannot step back).
    bool NoSnapshotFile = false;
    // The active pages of the two page sets (PageControl2 on the left, PageControl1 on the right).
    C activeLeftPage = C::TabSheet8;
    C activeRightPage = C::TabSheet1;

    int64_t clockMs = 0;                 // the scheduler's virtual clock
    bool terminated = false;             // Abort in the error dialog, or "Avsluta": the program ends
    bool settingsWriteReported = false;  // the settings-file message is shown once

    Control& ctl(C id) { return controls[static_cast<int>(id)]; }
    const Control& ctl(C id) const { return controls[static_cast<int>(id)]; }
    int pos(C id) const { return ctl(id).position; }
    bool checked(C id) const { return ctl(id).checked(); }
};

}  // namespace vildo
