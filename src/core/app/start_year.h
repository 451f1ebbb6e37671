// The start year of an area's calibration and the winter-population search: the density and forage
// setting whose equilibrium reproduces the observed harvest and calves per cow, one step per tick; and
// the manual steps, sliders and hunting-area input of the estimation.
#pragma once
#include <optional>
#include <string>

namespace vildo {

struct Vildo;
enum class C;

// Who changed the start year. Only an area file's opening differs: it starts no estimation.
enum class StartYearSender { List, AreaItem, Window, AreaFile };

// Averages the start window, fetches or applies the cached calibration of the start year, and starts the
// search, a replay or the full calibration.
void Combo_StartyearChange(Vildo& app, StartYearSender sender = StartYearSender::List);

// "Beräkna älgstam": starts the winter-population search.
void KalibClick(Vildo& app);
// One search tick: one step of density or forage once the equilibrium run has settled.
void Timer2Timer(Vildo& app);

// The manual steps; "up" lowers the density, which raises the simulated reproduction.
void Spin_densityUpClick(Vildo& app);
void Spin_densityDownClick(Vildo& app);
void Spin_algbonitetUpClick(Vildo& app);
void Spin_algbonitetDownClick(Vildo& app);
// The extra yearly forage change of the historic run.
void UD_LutningClick(Vildo& app);
// The observed harvest and reproduction sliders.
void trk_harvestChange(Vildo& app);
void trk_reprodChange(Vildo& app);
// "Jaktareal": asks for the hunting area until a whole number of at least 2000 ha or a cancel.
void btn_jaktarealClick(Vildo& app);

// "Förändring älgbonitet: ...": the yearly forage change in per cent of the given forage setting.
std::string forageChangeText(double ccSlope, double forage);

// A click on an area item of the "Område" menu: the area load, then its first start year (the last in
// batch mode), or the given item of the start-year list. True when the area was loaded.
bool areaItemClick(Vildo& app, int countyItem, int areaItem, std::optional<int> startItem = std::nullopt);
// "Öppna område": the area file, then its first start year without a fetch, then the replay.
void openAreaFile(Vildo& app);

void wireCalibrationHandlers(Vildo& app);

}  // namespace vildo
