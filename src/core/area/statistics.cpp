#include "area/statistics.h"

#include <algorithm>

#include "area/area_state.h"
#include "util/errors.h"
#include "util/format.h"
#include "util/round.h"

namespace vildo {

namespace {

// The running mean of one quantity with its own counter.
struct Running {
    int count = 0;
    void add(double& mean, double x) {
        ++count;
        mean = (mean * (count - 1) + x) / count;
    }
    // Integer means are rounded after every step.
    void add(int32_t& mean, double x) {
        ++count;
        mean = static_cast<int32_t>(Round((static_cast<double>(mean) * (count - 1) + x) / count));
    }
};

struct Averager {
    AreaAverages a;
    Running harvest, youngForest, calfShare, bullObs, reprod, sexRatio, bullW, cowW, bullCalfW, heiferCalfW, wolves,
        bears;

    // A missing bull share resets the running mean to 0.22 in the start window only.
    void add(const TStatistics& s, bool bullObsDefault) {
        harvest.add(a.HarvestMean, s.totalt);
        if (s.ungskog >= 1) youngForest.add(a.YoungForestMean, s.ungskog);
        if (s.kalvandel > 0) calfShare.add(a.CalfShareMean, s.kalvandel);
        if (s.tjurobs > 0)
            bullObs.add(a.BullObsMean, s.tjurobs);
        else if (bullObsDefault)
            a.BullObsMean = 0.22;
        if (s.reprod > 0) reprod.add(a.ReprodMean, s.reprod);
        if (s.sexratio > 0)
            sexRatio.add(a.SexRatioMean, s.kalv >= 1 ? static_cast<double>(s.kvigkalv) / s.kalv : s.sexratio);
        if (s.tjurvikt > 0) bullW.add(a.BullWeightMean, s.tjurvikt);
        if (s.kovikt > 0) cowW.add(a.CowWeightMean, s.kovikt);
        if (s.tjurkalvvikt > 0) bullCalfW.add(a.BullCalfWeightMean, s.tjurkalvvikt);
        if (s.kvigkalvvikt > 0) heiferCalfW.add(a.HeiferCalfWeightMean, s.kvigkalvvikt);
        wolves.add(a.WolfMean, s.varg);
        bears.add(a.BearMean, s.bjorn);
    }
};

bool isYear(const std::vector<TStatistics>& stats, int64_t p) {
    return p >= 1 && p < static_cast<int64_t>(stats.size());
}

int roundInt(double x) { return static_cast<int>(Round(x)); }

}  // namespace

AreaAverages startWindowAverages(const std::vector<TStatistics>& stats, int year, int n) {
    Averager avg;
    if (stats.size() >= 2) {
        int64_t first = static_cast<int64_t>(year) - stats[1].year + 1;
        for (int64_t p = first; p < first + n; ++p)
            if (isYear(stats, p) && stats[p].totalt >= 1) avg.add(stats[p], true);
    }
    if (avg.a.ReprodMean == 0) avg.a.ReprodMean = 0.65;
    return avg.a;
}

AreaAverages recentAverages(const std::vector<TStatistics>& stats, int m) {
    Averager avg;
    int counted = 0;
    for (int64_t p = std::min<int64_t>(m, static_cast<int64_t>(stats.size()) - 1); p >= 1 && counted < 3; --p) {
        if (stats[p].totalt < 1) continue;
        avg.add(stats[p], false);
        ++counted;
    }
    return avg.a;
}

AreaInputs areaInputs(const TAreaHeader& h, const AreaAverages& s, const AreaAverages& r) {
    AreaInputs in;
    double land = h.Landarea;
    in.YoungForestPct = checkedDiv(s.YoungForestMean * 100.0, land);
    in.OtherLandPct = roundInt(checkedDiv((static_cast<double>(h.OtherLandHaB) + h.OtherLandHaA) * 100, land));
    in.ImpedimentPct = roundInt(checkedDiv(h.ImpedimentHa * 100.0, land));
    in.ForestPct = static_cast<int32_t>(100 - Round(in.YoungForestPct) - in.OtherLandPct - in.ImpedimentPct);
    in.trk_ungskog = roundInt(checkedDiv(s.YoungForestMean * 1000.0, land));
    in.Trk_Kalvskytte = roundInt(s.CalfShareMean * 100);
    in.Trk_tjurandel = roundInt(s.BullObsMean * 100);
    in.trk_harvest = roundInt(checkedDiv(s.HarvestMean * 10000.0, h.Jaktarea));
    in.trk_reprod = roundInt(s.ReprodMean * 100);
    in.trk_sexratio = roundInt(std::clamp(s.SexRatioMean * 100, 48.0, 52.0));
    in.Trk_Slaktviktko = roundInt(r.CowWeightMean);
    in.trk_slaktvikttjur = roundInt(r.BullWeightMean);
    in.BullWeightParam = roundInt(r.BullWeightMean);
    in.CowWeightParam = roundInt(r.CowWeightMean);
    in.HeiferCalfWeight = roundInt(r.HeiferCalfWeightMean);
    in.BullCalfWeight = roundInt(r.BullCalfWeightMean);
    return in;
}

void AverageFromYear(AreaState& app, int year, int n) {
    app.StartAverages = startWindowAverages(app.Statistics, year, n);
}

void AverageRecent(AreaState& app, int m) { app.RecentAverages = recentAverages(app.Statistics, m); }

void ApplyAreaAverages(AreaState& app) {
    const AreaInputs in = areaInputs(app.Header, app.StartAverages, app.RecentAverages);
    app.Land.YoungForestPct = in.YoungForestPct;
    app.Land.OtherLandPct = in.OtherLandPct;
    app.Land.ImpedimentPct = in.ImpedimentPct;
    app.Land.ForestPct = in.ForestPct;
    setPosition(app, C::trk_ungskog, in.trk_ungskog);
    setPosition(app, C::Trk_Kalvskytte, in.Trk_Kalvskytte);
    setPosition(app, C::Trk_tjurandel, in.Trk_tjurandel);
    setPosition(app, C::trk_harvest, in.trk_harvest);
    setPosition(app, C::trk_reprod, in.trk_reprod);
    setPosition(app, C::trk_sexratio, in.trk_sexratio);
    setPosition(app, C::Trk_Slaktviktko, in.Trk_Slaktviktko);
    setPosition(app, C::trk_slaktvikttjur, in.trk_slaktvikttjur);
    app.BullWeightParam = in.BullWeightParam;
    app.CowWeightParam = in.CowWeightParam;
    app.HeiferCalfWeight = in.HeiferCalfWeight;
    app.BullCalfWeight = in.BullCalfWeight;
}

void ShowAreaStatistics(AreaState& app) {
    const AreaAverages& r = app.RecentAverages;
    Grid& g = app.StringGrid6;
    g.cell(1, 0) = fix(checkedDiv(r.HarvestMean * 1000.0, app.Header.Jaktarea), 7, 1);
    g.cell(1, 1) = fix(r.ReprodMean, 7, 2);
    g.cell(1, 2) = intStr(Round(r.SexRatioMean * 100)) + ":" + intStr(Round((1 - r.SexRatioMean) * 100));
    g.cell(1, 3) = intStr(Round(r.CalfShareMean * 100));
    g.cell(1, 4) = intStr(Round(r.BullObsMean * 100));
    g.cell(1, 5) = intStr(Round(r.BullWeightMean));
    g.cell(3, 0) = intStr(Round(r.CowWeightMean));
    g.cell(3, 1) = intStr(Round(r.BullCalfWeightMean));
    g.cell(3, 2) = intStr(Round(r.HeiferCalfWeightMean));
    g.cell(3, 3) = intStr(Round(app.Land.YoungForestPct));
    g.cell(3, 4) = intStr(app.Land.ForestPct);
    g.cell(3, 5) = intStr(app.Header.Jaktarea / 1000);
}

Grid statisticsGrid() {
    Grid g(4, 6);
    static constexpr const char* kLabels[2][6] = {
        {"Årlig avskjutning", "Reproduktion (kalv/hondjur)", "Könskvot kalvar (hona:hane)",
         "Andel kalv i avskjutning (%)", "Tjur enl. älgobs (%)", "Slaktvikt tjur (kg)"},
        {"Slaktvikt hondjur (kg)", "Slaktvikt tjurkalv (kg)", "Slaktvikt kvigkalv (kg)", "Andel ungskog (%)",
         "Andel skogsmark (%)", "Jaktareal (1000 ha)"}};
    for (int row = 0; row < 6; ++row) {
        g.cell(0, row) = kLabels[0][row];
        g.cell(2, row) = kLabels[1][row];
    }
    return g;
}

}  // namespace vildo
