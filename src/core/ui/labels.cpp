// The indicator texts: value labels, the key-figure grid, the season grid's current column, the evaluation
// table, the goal status and the chart footers, all from the model state.
#include "ui/labels.h"

#include <algorithm>
#include <exception>

#include "util/errors.h"
#include "util/format.h"
#include "util/parse.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr const char* kNoArea = "Område: Inget område är valt";

// A divisor below 1 counts as 1: the table's shares stay finite for empty counters.
double atLeastOne(double x) { return x < 1 ? 1.0 : x; }

std::string pct(double v) { return fix(v, 6, 0) + " %"; }

std::string& caption(WindowState& app, C id) { return app.ctl(id).caption; }

// The texts of the four mean ages, each with one decimal.
struct MeanAges {
    std::string winterBulls, winterCows, shotBulls, shotCows;
};

MeanAges meanAges(const WindowState& app) {
    return {fix(app.Winter.MeanAgeWinterBulls, 4, 1), fix(app.Winter.MeanAgeWinterCows, 4, 1),
            fix(app.HarvestTot.MeanAgeShotBulls, 4, 1), fix(app.HarvestTot.MeanAgeShotCows, 4, 1)};
}

void valueLabels(WindowState& app) {
    const TFecundityState& f = app.Fec;
    const TSummerTotals& su = app.Summer;
    caption(app, C::LSlaktviktkonsttjur) =
        "Slaktvikt tjur (max):" + fix(app.BullWeightParam * f.MaleWeightFactor, 4, 0) + " kg";
    caption(app, C::LSlaktviktkonstko) =
        "Slaktvikt hondjur (max):" + fix(app.CowWeightParam * f.FemWeightFactor, 4, 0) + " kg";
    caption(app, C::LKalvandel) = "Andel kalv i avskjutning: " + intStr(app.CalfPercent) + " %";
    if (su.SummerAdults > 0)
        caption(app, C::LTjurandel) =
            "Andel tjur (simulerad tjurobs): " + fix(su.SummerBulls * 100 / su.SummerAdults, 4, 0) + " %";
    caption(app, C::LDensityset) = "Vinterstam: " + fix(app.TargetDensity, 4, 1) + " per 1000 ha";
    app.ctl(C::LAlgbonitetChange).visible = app.AreaLoaded;
    caption(app, C::LVargmortalitet) = intStr(app.pos(C::Trk_vargmortalitet));
    caption(app, C::LBjornmortalitet) = intStr(app.pos(C::Trk_bjornmortalitet));
    caption(app, C::LBarkraftovrigmark) = fix(app.pos(C::Trk_barkraftovrig) / 10.0, 4, 1) + " älgar per kHa";
    // The young-forest share in tenths of a per cent.
    caption(app, C::LUngskogsareal) = "Andel ungskog: " + fix(app.pos(C::trk_ungskog) / 10.0, 4, 1) + " %";
    caption(app, C::LKalvdodlighet) =
        intStr(app.pos(C::Trk_kalvdodlighetsommar)) + "%     " + intStr(app.pos(C::Trk_Kalvdodlighetvinter)) + "%";
    caption(app, C::LKorisk) = "Korisk " + intStr(app.pos(C::trk_korisk)) + " %";
    const int p = app.pos(C::trk_sexratio);
    caption(app, C::LSexratio) = "Kalvkvot kvigkalv:tjurkalv " + intStr(p) + ":" + intStr(100 - p);
    caption(app, C::LHarvest) = "Avskjutning: " + fix(app.HarvestSlider, 4, 1) + " per 1000 ha";
    caption(app, C::Lreprod) = "Reproduktion: " + fix(app.ReproSlider, 4, 2) + " kalv/hondjur";
}

// The set level while the realised other mortality agrees with it, else the realised one, at most 10 %.
void mortalityLabel(WindowState& app, C label, C upDown, const std::string& prefix, double realisedRate) {
    const int set = app.pos(upDown);
    caption(app, label) = prefix + intStr(set) + " %";
    const double r = realisedRate * 100;
    if (Round(r) != set) caption(app, label) = prefix + fix(std::min(r, 10.0), 4, 0) + " %";
}

void mortalityLabels(WindowState& app) {
    if (app.Summer.SummerBulls > 0)
        mortalityLabel(app, C::LTjurdodlighet, C::trk_tjurdodlighet, "Tjur\r\n",
                       app.Winter.NatRateBullsWinter + app.Summer.NatRateBullsSummer);
    if (app.Summer.SummerCows > 0)
        mortalityLabel(app, C::LKododlighet, C::trk_kododlighet, "Hondjur\r",
                       app.Winter.NatRateCowsWinter + app.Summer.NatRateCowsSummer);
}

void landUseTexts(WindowState& app) {
    Chart& pie = app.charts[3];
    pie.subFooter = "Aktuell älgbonitet: " + fix(app.Land.CarryingCapacity, 4, 1) + " per kHa";
    const int forage = app.pos(C::Trk_barkraftovrig);
    if (forage > 0) pie.footer = "Årlig förändring: " + fix(app.Header.AreaCCSlope * 100 / forage, 4, 1) + " %";
}

void keyFigures(WindowState& app, const MeanAges& ages) {
    Grid& g = app.StringGrid1;
    const THarvestTotals& h = app.HarvestTot;
    const TLandUse& l = app.Land;
    const double kha = app.AreaKha;
    const double stock = app.Winter.WinterStock;
    const double land = app.Header.Landarea;
    g.cell(1, 0) = "Fällda Totalt: " + fix(checkedDiv(h.AdultsShot + h.CalvesShot, kha), 4, 1) + " per 1000 ha";
    g.cell(1, 1) = "- Ko: " + fix(checkedDiv(h.CowsShot, kha), 4, 2) +
                   " / Tjur: " + fix(checkedDiv(h.BullsShot, kha), 4, 2) +
                   " (kapitala: " + fix(h.PrimeBullsShot * 100 / atLeastOne(h.BullsShot), 4, 0) + " %)";
    g.cell(1, 2) = "- Kalvar: " + fix(checkedDiv(h.CalvesShot, kha), 4, 2);
    g.cell(1, 4) = "Täthetsmått (antal per 1000 ha)";
    g.cell(1, 5) = "Jaktareal (" + intStr(app.AreaKha) + " kHa): " + fix(checkedDiv(stock, kha), 4, 1);
    g.cell(1, 6) = "Produktiv mark: " + fix(checkedDiv(stock, land * 0.001 * 0.01 * (100 - l.ImpedimentPct)), 4, 1);
    if (int64_t{l.ImpedimentPct} + l.OtherLandPct + l.ForestPct < 100 && l.YoungForestPct > 0)
        g.cell(1, 7) = "Ungskog: " + fix(checkedDiv(stock, l.YoungForestPct * land * 0.001 * 0.01), 4, 0);
    else
        g.cell(1, 7) = "Ungskog: --";
    g.cell(3, 0) = "Kvalitet (simul. älgobs):";
    g.cell(3, 1) = "Kalv/hondjur: " + fix(app.CalvesPerCow, 4, 2);
    if (app.Summer.SummerAdults > 0)
        g.cell(3, 2) = "Tjurandel: " + fix(app.Summer.SummerBulls * 100 / app.Summer.SummerAdults, 4, 0) + " %";
    g.cell(3, 4) = "Medelålder vinterstam/tandsnitt";
    g.cell(3, 5) = "Tjur: " + ages.winterBulls + "/" + ages.shotBulls + " år";
    g.cell(3, 6) = "Hondjur: " + ages.winterCows + "/" + ages.shotCows + " år";
    const TShotWeights& w = app.ShotWeights;
    const double meat = checkedDiv(w.MaleWeightShot + w.FemWeightShot + w.CalfWeightShot, kha);
    g.cell(3, 7) = "Köttutbyte: " + fix(meat, 4, 0) + " (kg/kHa)";
}

// The bull, cow and calf cells of a column as integers; a cell that is not one raises the conversion error.
int64_t columnSum(const Grid& g, int col) {
    int64_t sum = 0;
    for (int r = 1; r <= 3; ++r) sum += strToInt(g.cell(col, r));
    return sum;
}

void seasonGrid(WindowState& app, int c) {
    Grid& g = app.StringGrid2;
    const double kha = app.AreaKha;
    g.selCol = c + 1;
    g.selRow = 0;
    if (c == 1) {
        if (areaShown(app) && app.checked(C::chk_stats)) {
            const TStatistics& s = statisticsRecord(app, app.StartIndex);
            g.cell(1, 0) = intStr(s.year);
            g.cell(1, 1) = intStr(s.tjur);
            g.cell(1, 2) = intStr(s.ko);
            g.cell(1, 3) = intStr(s.kalv);
        } else {
            g.cell(1, 0) = intStr(app.platform.currentYear());
            g.cell(1, 1) = fix(app.Goals.BullQuota, 6, 0);
            g.cell(1, 2) = fix(app.Goals.CowQuota, 6, 0);
            g.cell(1, 3) = fix(app.Goals.CalfQuota, 6, 0);
        }
    }
    if (app.SeasonStarted) {
        if (app.YearNo > 6) {
            // The oldest year leaves; the newest column starts empty.
            for (int r = 0; r <= 12; ++r) {
                for (int k = 1; k <= 6; ++k) g.cell(k, r) = g.cell(k + 1, r);
                g.cell(7, r).clear();
            }
        }
        for (int r = 1; r <= 3; ++r)
            if (g.cell(c + 1, r).empty()) g.cell(c + 1, r) = g.cell(c, r);
        if (g.cell(c + 1, 4).empty()) g.cell(c + 1, 4) = intStr(columnSum(g, c));
        if (g.cell(c + 1, 5).empty()) g.cell(c + 1, 5) = fix(checkedDiv(strToFloat(g.cell(c + 1, 4)), kha), 6, 1);
    }
    g.cell(c + 1, 0) = intStr(strToInt(g.cell(c, 0)) + 1);
    const int64_t total = columnSum(g, c);
    g.cell(c, 4) = intStr(total);
    g.cell(c, 5) = fix(checkedDiv(static_cast<double>(total), kha), 6, 1);
    const TWinterTotals& w = app.Winter;
    g.cell(c, 8) = fix(w.WinterBulls, 6, 0);
    g.cell(c, 9) = fix(w.WinterCows, 6, 0);
    g.cell(c, 10) = fix(w.WinterCalves, 6, 0);
    g.cell(c, 11) = fix(w.WinterStock, 6, 0);
    g.cell(c, 12) = fix(w.WinterDensity, 6, 1);
}

std::string meanWeight(double weight, double shot) { return shot > 0 ? intStr(Round(weight / shot)) + " kg" : "-"; }

void evaluationTable(WindowState& app, const MeanAges& ages) {
    Grid& t = app.Tabell_utv;
    const THarvestTotals& h = app.HarvestTot;
    const TEncounters& e = app.Enc;
    const TGoals& g = app.Goals;
    const TWinterTotals& w = app.Winter;
    const TSummerTotals& s = app.Summer;
    const TShotWeights& sw = app.ShotWeights;
    const bool quota = app.checked(C::chk_kvotering);
    const double bullQuota = g.BullQuota, cowQuota = g.CowQuota, calfQuota = g.CalfQuota;
    const double quotaSum = bullQuota + cowQuota + calfQuota;

    t.cell(1, 1) = intStr(Round(h.BullsShot));
    t.cell(2, 1) = intStr(Round(h.CowsShot));
    t.cell(3, 1) = intStr(Round(h.CalvesShot));
    t.cell(4, 1) = intStr(Round(h.TotalShot));

    t.cell(1, 2) = pct(h.BullsShot * 100 / atLeastOne(e.SeenBulls));
    t.cell(2, 2) = pct(h.CowsShot * 100 / atLeastOne(e.SeenCows));
    t.cell(3, 2) = pct(h.CalvesShot * 100 / atLeastOne(e.SeenCowsWithCalf));
    t.cell(4, 2) =
        pct(h.TotalShot * 100 / atLeastOne(static_cast<double>(e.SeenBulls) + e.SeenCows + e.SeenCowsWithCalf));

    t.cell(1, 3) = pct(h.BullsShot * 100 / atLeastOne(e.SeenBullsOpen));
    t.cell(2, 3) = pct(h.CowsShot * 100 / atLeastOne(e.SeenCowsOpen));
    t.cell(3, 3) = pct(h.CalvesShot * 100 / atLeastOne(e.SeenCalvesOpen));
    t.cell(4, 3) =
        pct(h.TotalShot * 100 / atLeastOne(static_cast<double>(e.SeenBullsOpen) + e.SeenCowsOpen + e.SeenCalvesOpen));

    // Share of the target: capped at 100 % for the whole season, not for the first week.
    t.cell(1, 4) = quota ? pct(std::min(h.BullsShot * 100 / atLeastOne(bullQuota), 100.0)) : "-";
    t.cell(2, 4) = quota ? pct(std::min(h.CowsShot * 100 / atLeastOne(cowQuota), 100.0)) : "-";
    t.cell(3, 4) = pct(std::min(h.CalvesShot * 100 / atLeastOne(calfQuota), 100.0));
    t.cell(4, 4) = pct(std::min(h.TotalShot * 100 / atLeastOne(quotaSum), 100.0));

    t.cell(1, 5) = quota ? pct(h.Week1BullsShot * 100 / atLeastOne(bullQuota)) : "-";
    t.cell(2, 5) = quota ? pct(h.Week1CowsShot * 100 / atLeastOne(cowQuota)) : "-";
    t.cell(3, 5) = pct(h.Week1CalvesShot * 100 / atLeastOne(calfQuota));
    t.cell(4, 5) = pct((h.Week1BullsShot + h.Week1CowsShot + h.Week1CalvesShot) * 100 / atLeastOne(quotaSum));

    t.cell(1, 6) = meanWeight(sw.MaleWeightShot, h.BullsShot);
    t.cell(2, 6) = meanWeight(sw.FemWeightShot, h.CowsShot);
    t.cell(3, 6) = meanWeight(sw.CalfWeightShot, h.CalvesShot);
    t.cell(4, 6) = meanWeight(sw.MaleWeightShot + sw.FemWeightShot + sw.CalfWeightShot, h.TotalShot);

    t.cell(1, 7) = ages.shotBulls + " år";
    t.cell(2, 7) = ages.shotCows + " år";
    t.cell(1, 8) = ages.winterBulls + " år";
    t.cell(2, 8) = ages.winterCows + " år";

    const double deadBulls = w.WinterDeadBulls + s.SummerDeadBulls;
    const double deadCows = w.WinterDeadCows + s.SummerDeadCows;
    const double deadCalves = w.WinterDeadCalves + s.SummerDeadCalves;
    const double dead = w.WinterDeaths + s.SummerDeaths;
    t.cell(1, 9) = fix(static_cast<double>(Round(deadBulls)), 6, 0);
    t.cell(2, 9) = fix(static_cast<double>(Round(deadCows)), 6, 0);
    t.cell(3, 9) = fix(static_cast<double>(Round(deadCalves)), 6, 0);
    t.cell(4, 9) = fix(static_cast<double>(Round(dead)), 6, 0);

    t.cell(1, 10) = pct(h.BullsShot * 100 / atLeastOne(deadBulls + h.BullsShot));
    t.cell(2, 10) = pct(h.CowsShot * 100 / atLeastOne(deadCows + h.CowsShot));
    t.cell(3, 10) = pct(h.CalvesShot * 100 / atLeastOne(deadCalves + h.CalvesShot));
    t.cell(4, 10) = pct(h.TotalShot * 100 / atLeastOne(dead + h.TotalShot));
}

void goalStatus(WindowState& app, const MeanAges& ages) {
    Grid& g = app.Stringgrid5;
    const THarvestTotals& h = app.HarvestTot;
    const TSummerTotals& s = app.Summer;
    g.cell(2, 1) = fix(app.CalvesPerCow, 4, 2);
    g.cell(2, 2) = s.SummerAdults > 0 ? fix(s.SummerBulls * 100 / s.SummerAdults, 4, 0) : "0";
    g.cell(2, 3) = h.BullsShot > 0 ? fix(h.PrimeBullsShot * 100 / h.BullsShot, 4, 0) : "0";
    g.cell(2, 4) = h.TotalShot > 0 ? fix(h.CalvesShot * 100 / h.TotalShot, 4, 0) : "0";
    g.cell(2, 5) = ages.shotCows;
    g.cell(2, 6) = intStr(app.QuotaProgress);
    // Without young forest the browsing load is taken over a thousandth of the land.
    const double youngForestKha = app.Header.Landarea * 0.001 * 0.01 * std::max(app.Land.YoungForestPct, 0.001);
    g.cell(2, 7) = fix(checkedDiv(app.Winter.WinterStock, youngForestKha), 4, 0);
}

void run(WindowState& app) {
    const MeanAges ages = meanAges(app);
    valueLabels(app);
    mortalityLabels(app);
    landUseTexts(app);
    keyFigures(app, ages);
    const int c = std::clamp(app.YearNo, 1, 6);
    if (!app.timers[9].enabled) seasonGrid(app, c);
    if (app.SeasonStarted) evaluationTable(app, ages);
    caption(app, C::LSpinn_Avskjutning) = app.StringGrid2.cell(c, 5);
    caption(app, C::LSpinn_Kalvandel) = intStr(app.CalfPercent) + " %";
    const THarvestTotals& h = app.HarvestTot;
    if (h.TotalShot > 0 && app.YearNo == 0 && h.AdultsShot > 0)
        app.Goals.BullShareTarget = static_cast<float>(h.BullsShot / h.AdultsShot);
    caption(app, C::LSpinn_Tjurandel) = app.checked(C::chk_kvotering)
                                            ? fix(app.Goals.BullShareTarget * 100.0, 4, app.YearNo == 0 ? 1 : 0) + " %"
                                            : "---";
    goalStatus(app, ages);
    for (int n : {1, 2}) app.charts[n].footerColour = 0xFFFFFF;
    app.charts[1].footer = ages.winterCows + "   medelålder vinter   " + ages.winterBulls;
    app.charts[2].footer = ages.shotCows + "   medelålder avskjutning   " + ages.shotBulls;
}

}  // namespace

bool areaShown(const WindowState& app) { return app.ctl(C::LOmrade).caption != kNoArea; }

const TStatistics& statisticsRecord(const WindowState& app, int i) {
    if (i < 0 || i >= static_cast<int>(app.Statistics.size())) throw VildoError("Range check error");
    return app.Statistics[static_cast<size_t>(i)];
}

void Labels(WindowState& app) {
    try {
        run(app);
    } catch (const std::exception&) {
        app.prompts->message("Fel i rutinen Labels");
    }
}

}  // namespace vildo
