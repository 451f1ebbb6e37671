#include "model/parameters.h"

#include <algorithm>
#include <cmath>

#include "model/settings_file.h"
#include "util/errors.h"
#include "util/parse.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr const char* kUnspecified = "Ospecificerat";

// The goal values written in the goal table at start.
constexpr float kGoalStart[] = {0.75f, 40.0f, 15.0f, 50.0f, 4.5f, 90.0f, 130.0f};

void mortalityCurves(ModelState& app) {
    for (int a = 1; a <= 20; ++a) {
        app.MaleMortWeight[a] = Dodlighet(a, app.NatMortPctM);
        app.FemMortWeight[a] = Dodlighet(a, app.NatMortPctF);
    }
}

}  // namespace

double Dodlighet(double age, double dodsrisk) {
    if (age < 1 || dodsrisk < 1) return 0;
    double r = dodsrisk / 100.0;
    return r + (1 - r) * std::pow(age / 20.0, (1 - r) * (16 - std::pow(1000 * r, 0.55)));
}

double CallCC(const ModelState& app) {
    const TLandUse& l = app.Land;
    return (l.ForestPct * 1.0 + l.YoungForestWeight * l.YoungForestPct + l.OtherLandPct) * l.ForageFactor / 1000.0;
}

double MFactorfloor(double d, double k) {
    double q = checkedDiv(d, 0.8 * k);
    return std::min(1.0, q * q * q * q * q);
}

double MFactorlimit(double x, double d, double k) { return std::max(MFactorfloor(d, k), x); }

double Multifecund(ModelState& app) {
    int n = static_cast<int>(strToInt(app.ctl(C::Edit1).caption));
    double cc = app.Land.CarryingCapacity;
    double* hist = app.Fec.FactorHistory;
    if (n <= 0 || n > 10) throw VildoError("Division by zero");
    if (cc <= 0) return 0;  // no births; the history stays
    if (app.AreaLoaded && app.CalvesPerCow > 0 && app.YearNo == 0 && !app.timers[1].enabled) {
        double perLand = checkedDiv(app.Winter.WinterStock, app.Header.Landarea / 1000);
        std::fill(hist, hist + 10, std::max(0.0, 1 - perLand / cc));
    }
    for (int i = 8; i >= 0; --i) hist[i + 1] = hist[i];
    hist[0] = std::max(0.0, 1 - checkedDiv(app.Winter.WinterStock, 0.001 * app.Header.Landarea * cc));
    double sum = 0;
    for (int i = 0; i < n; ++i) sum += hist[i];
    return std::max(sum / n, 0.1);
}

void WeightCurves(ModelState& app) {
    THarvestByAge& h = app.Harvest;
    for (int a = 1; a <= 19; ++a) {
        h.FemWeight[a] = static_cast<double>(
            Round((a * (0.52 * app.CowWeightParam + 12) + app.HeiferCalfWeight) / (1 + 0.3 * a + 0.014 * a * a)));
        h.MaleWeight[a] = static_cast<double>(
            Round((a * (0.62 * app.BullWeightParam + 10) + app.BullCalfWeight) / (1 + 0.36 * a + 0.01 * a * a)));
    }
    h.FemWeight[0] = app.HeiferCalfWeight;
    h.MaleWeight[0] = app.BullCalfWeight;
}

void Initpop(ModelState& app) {
    TPopulation& p = app.Pop;
    for (int a = 0; a <= 20; ++a) {
        double c = (a == 20) ? 0.0 : std::pow(19.0 - a, 3);
        p.FemWinter[a] = 0.48 * c;
        p.MaleWinter[a] = 0.52 * c;
        p.FemSummer[a] = 0.58 * c;
        p.MaleSummer[a] = 0.62 * c;
    }
    mortalityCurves(app);
    p.Fecundity[0] = 0;
    for (int a = 1; a <= 20; ++a) {
        double x = a;
        p.Fecundity[a] = (2 - 2 * std::pow(x / 20, 3.4)) * std::exp(-std::pow(x / 2.5, -2.5) - std::pow(x / 15, 15));
    }
    for (int a = 0; a <= 20; ++a) {
        app.Harvest.FemWeight[a] = static_cast<double>(
            Round((a * (0.678 * app.CowWeightParam + 20) + app.HeiferCalfWeight) / (1 + 0.3 * a + 0.014 * a * a)));
        app.Harvest.MaleWeight[a] = static_cast<double>(
            Round((a * (0.7635 * app.BullWeightParam + 21) + app.BullCalfWeight) / (1 + 0.4 * a + 0.01 * a * a)));
    }
    WriteSettings(app);
}

void storetrkvalues(ModelState& app) { app.Sliders = trackValues(app); }

TSliderValues trackValues(const ModelState& app) {
    TSliderValues values = app.Sliders;
    int32_t* s = values.Slots;
    s[SlotDensity] = app.pos(C::Trk_density);
    s[SlotUngskog] = app.pos(C::trk_ungskog);
    s[SlotImpediment] = app.pos(C::trk_impediment);
    s[SlotKalvskytte] = app.pos(C::Trk_Kalvskytte);
    s[SlotTjurandel] = app.pos(C::Trk_tjurandel);
    s[SlotSlaktvikttjur] = app.pos(C::trk_slaktvikttjur);
    s[SlotTjurdodlighet] = app.pos(C::trk_tjurdodlighet);
    s[SlotKalvdodlighetsommar] = app.pos(C::Trk_kalvdodlighetsommar);
    s[SlotKalvdodlighetvinter] = app.pos(C::Trk_Kalvdodlighetvinter);
    s[SlotKododlighet] = app.pos(C::trk_kododlighet);
    s[SlotSlaktviktko] = app.pos(C::Trk_Slaktviktko);
    s[SlotTaggar] = app.pos(C::trk_taggar);
    s[SlotKviga] = app.pos(C::trk_kviga);
    s[SlotSexratio] = app.pos(C::trk_sexratio);
    s[SlotBarkraftovrig] = app.pos(C::Trk_barkraftovrig);
    s[SlotUngskogskonstant] = app.pos(C::Trk_ungskogskonstant);
    s[SlotKorisk] = app.pos(C::trk_korisk);
    s[SlotHarvest] = app.pos(C::trk_harvest);
    s[SlotReprod] = app.pos(C::trk_reprod);
    s[SlotStartyear] = app.pos(C::Combo_Startyear);
    s[SlotVargmortalitet] = app.pos(C::Trk_vargmortalitet);
    s[SlotBjornmortalitet] = app.pos(C::Trk_bjornmortalitet);
    return values;
}

void Restoretrkvalues(ModelState& app) {
    // Copied first: the handlers run by each assignment store the positions again.
    const TSliderValues saved = app.Sliders;
    const int32_t* s = saved.Slots;
    setPosition(app, C::Trk_density, s[SlotDensity]);
    setPosition(app, C::trk_ungskog, s[SlotUngskog]);
    setPosition(app, C::trk_impediment, s[SlotImpediment]);
    setPosition(app, C::Trk_Kalvskytte, s[SlotKalvskytte]);
    setPosition(app, C::Trk_tjurandel, s[SlotTjurandel]);
    setPosition(app, C::trk_slaktvikttjur, s[SlotSlaktvikttjur]);
    setPosition(app, C::trk_tjurdodlighet, s[SlotTjurdodlighet]);
    setPosition(app, C::Trk_kalvdodlighetsommar, s[SlotKalvdodlighetsommar]);
    setPosition(app, C::Trk_Kalvdodlighetvinter, s[SlotKalvdodlighetvinter]);
    setPosition(app, C::trk_kododlighet, s[SlotKododlighet]);
    setPosition(app, C::trk_korisk, s[SlotKorisk]);
    setPosition(app, C::Trk_Slaktviktko, s[SlotSlaktviktko]);
    setPosition(app, C::trk_taggar, s[SlotTaggar]);
    setPosition(app, C::trk_kviga, s[SlotKviga]);
    setPosition(app, C::trk_sexratio, s[SlotSexratio]);
    setPosition(app, C::Trk_barkraftovrig, s[SlotBarkraftovrig]);
    setPosition(app, C::Trk_ungskogskonstant, s[SlotUngskogskonstant]);
    setPosition(app, C::trk_harvest, s[SlotHarvest]);
    setPosition(app, C::trk_reprod, s[SlotReprod]);
    setPosition(app, C::Combo_Startyear, s[SlotStartyear]);
    setPosition(app, C::Trk_vargmortalitet, s[SlotVargmortalitet]);
    setPosition(app, C::Trk_bjornmortalitet, s[SlotBjornmortalitet]);
}

}  // namespace vildo
