#include "app/area_loading.h"

#include <algorithm>

#include "app/parameter_handlers.h"
#include "app/saved_work.h"
#include "app/season_driver.h"
#include "app/vildo.h"
#include "area/county_table.h"
#include "area/data_service.h"
#include "area/statistics.h"
#include "area/statistics_answer.h"
#include "model/parameters.h"
#include "model/population.h"
#include "model/state_files.h"
#include "ui/area_display.h"
#include "ui/chart_ops.h"
#include "ui/info_dialog.h"
#include "util/round.h"

namespace vildo {

namespace {

int yearAt(const std::vector<TStatistics>& stats, int64_t p) {
    return p >= 0 && p < static_cast<int64_t>(stats.size()) ? stats[p].year : 0;
}

void setAxis(Axis& axis, double min, double max) {
    axis.automatic = false;
    axis.min = min;
    axis.max = max;
}

void removeFirstAmpersand(std::string& s) {
    size_t at = s.find('&');
    if (at != std::string::npos) s.erase(at, 1);
}

// The predator chart's axes follow the area's years; the arrays get one entry per harvest year.
void predatorChart(Vildo& app) {
    Chart& ch = app.charts[10];
    const int n = app.DataYears;
    setAxis(ch.bottom, yearAt(app.Statistics, 2), yearAt(app.Statistics, n) + 3);
    ch.clearSeries(0);
    ch.clearSeries(1);
    app.Rov.Vargrevir.resize(n);
    app.Rov.Bjornpop.resize(n);
    int64_t wolves = 10, bears = 10;
    for (int p = 1; p <= n && p < static_cast<int>(app.Statistics.size()); ++p) {
        wolves = std::max(wolves, Round(app.Statistics[p].varg) + 2);
        bears = std::max(bears, Round(app.Statistics[p].bjorn) + 2);
    }
    setAxis(ch.left, ch.left.min, static_cast<double>(wolves));
    setAxis(ch.right, ch.right.min, static_cast<double>(bears));
}

}  // namespace

bool DownloadArea(Vildo& app, int countyCode, int areaIndex, const std::string& c, const std::string& calfMort,
                  const std::string& bullMort, const std::string& cowMort, std::string* whyNot) {
    ParsedArea a;
    AreaAverages start, recent;
    AreaInputs inputs;
    int64_t areaKha = 0;
    try {
        std::string answer =
            serviceGet(app, "vildosql.php", statisticsQuery(countyCode, areaIndex, c, calfMort, bullMort, cowMort));
        a = parseStatisticsAnswer(answer, app.Header);
        // Everything that can fail is computed before the state is touched.
        const int64_t lines = static_cast<int64_t>(a.Statistics.size());
        start =
            startWindowAverages(a.Statistics, yearAt(a.Statistics, 1), static_cast<int>(std::min<int64_t>(lines, 2)));
        recent = recentAverages(a.Statistics, a.DataYears);
        inputs = areaInputs(a.header, start, recent);
        areaKha = Round(a.header.Jaktarea / 1000.0);
    } catch (const ServiceStatusError& e) {
        if (whyNot) *whyNot = std::string(e.what()) + ".";
        return false;
    } catch (const ServiceError&) {
        if (whyNot) *whyNot = "Är du ansluten till internet?";
        return false;
    } catch (const std::exception& e) {
        if (whyNot) *whyNot = std::string("Datatjänstens svar går inte att läsa: ") + e.what() + ".";
        return false;
    }

    app.Statistics = std::move(a.Statistics);
    app.CCValues.assign(app.Statistics.size(), 0);
    app.DataYears = a.DataYears;
    app.Header = a.header;
    app.StartAverages = start;
    app.RecentAverages = recent;
    ApplyAreaAverages(app);
    app.HuntAreaHa = app.Header.Jaktarea;
    scaleStockToArea(app, app.AreaKha, static_cast<int32_t>(areaKha));
    app.AreaKha = static_cast<int32_t>(areaKha);

    if (a.r2 && app.Statistics.size() > 1) {
        TStatistics& first = app.Statistics[1];
        first.CC = a.r2->CC;
        first.StartDens = a.r2->StartDens;
        first.R2 = a.r2->R2;
        app.Header.AreaCCSlope = a.r2->CCSlope;
        setPosition(app, C::Trk_barkraftovrig, first.CC);
    } else {
        // Held to the control's range by setPosition; the product is taken where it cannot overflow.
        setPosition(app, C::Trk_barkraftovrig,
                    static_cast<int>(std::clamp<int64_t>(int64_t{app.Header.AreaForage} * 10, INT32_MIN, INT32_MAX)));
    }

    ShowAreaStatistics(app);
    app.ctl(C::GroupBox1).visible = true;
    predatorChart(app);
    app.Rov.Changed = true;
    app.Tick = 0;
    setChecked(app, C::chk_stats, true);
    app.AreaLoaded = true;
    return true;
}

bool NyttOmrade(Vildo& app, int countyItem, int areaItem) {
    if (countyItem < 0 || countyItem >= static_cast<int>(app.Omrde1.size())) return false;
    const CountyItem& county = app.Omrde1[countyItem];
    if (areaItem < 0 || areaItem >= static_cast<int>(county.areas.size())) return false;

    if (!app.AreaLoaded) app.WantedBeforeArea = app.TargetDensity;
    // 1. The predator chart is emptied by the download itself: the season takes its predators from that
    // chart, so a failed download must not empty it.
    app.ctl(C::GroupBox1).visible = true;
    btn_rensaClick(app);
    app.activeLeftPage = C::TabSheet7;
    if (!app.checked(C::Advanced)) app.ctl(C::TabSheet6).visible = false;

    // 2. The area's default mortality; the predator series are cleared once the new area is in.
    app.NatMortPctM = 2;
    app.NatMortPctF = 2;
    setPosition(app, C::trk_kododlighet, 2);
    setPosition(app, C::trk_tjurdodlighet, 2);
    app.CalfSummerMortality = 0.03;
    app.CalfWinterMortality = 0.03;
    setPosition(app, C::Trk_kalvdodlighetsommar, 3);
    setPosition(app, C::Trk_Kalvdodlighetvinter, 3);

    // 3.
    if (!app.checked(C::Advanced)) app.ctl(C::btn_jaktareal).enabled = false;
    app.ctl(C::Laddascenario1).enabled = false;
    app.ctl(C::Sparascenario1).enabled = false;
    app.ShowFit = true;
    for (C id : {C::Combo_Startyear, C::btn_nykalib, C::Spin_density, C::Spin_algbonitet, C::btn_helpomrade})
        app.ctl(id).enabled = true;

    // 4. Set directly: a position set by code does not run the up-down's click. Nothing of the previous
    // area's estimate may steer this one: its density axis and its mortality signature go too.
    app.MaxSummerDensity = 0;
    app.DensitySteps = 0;
    app.Land.Algbonitet = 100;
    app.ctl(C::UD_Lutning).position = 0;
    // The signature of the defaults set in step 2: the previous area's must not decide whether this one
    // is searched again.
    app.MortalitySignature =
        (app.CalfSummerMortality + app.CalfWinterMortality) * 100 + app.NatMortPctF + app.NatMortPctM;

    // 5. A failed download keeps the loaded area, and so the names and indexes that go with it.
    const TLanAFO previous = app.LanAFO;
    const uint32_t previousBatchLan = app.BatchLan, previousBatchAfo = app.BatchAfo;
    app.LanAFO.S_Lan = county.caption;
    app.LanAFO.S_Afo = county.areas[areaItem];
    app.LanAFO.I_Lan = static_cast<uint32_t>(countyItem);
    app.LanAFO.I_Afo = static_cast<uint32_t>(areaItem);
    app.BatchLan = app.LanAFO.I_Lan;
    app.BatchAfo = app.LanAFO.I_Afo;
    app.AreaLoading = true;
    removeFirstAmpersand(app.LanAFO.S_Afo);
    removeFirstAmpersand(app.LanAFO.S_Lan);

    // 6, 7.
    std::optional<int> code = countyCode(app.LanAFO.S_Lan);
    // Only a lost connection asks after the internet; an answer that came names what was wrong with it.
    std::string whyNot = "Är du ansluten till internet?";
    if (!code || !DownloadArea(app, *code, areaItem, "1", "6", "2", "2", &whyNot)) {
        app.LanAFO = previous;
        app.BatchLan = previousBatchLan;
        app.BatchAfo = previousBatchAfo;
        Visainfo(app, "Fel uppstod då ett område skulle läsas in. " + whyNot, "OK", 0);
        app.AreaLoading = false;
        return false;
    }
    std::fill(app.Rov.Vargrevir.begin(), app.Rov.Vargrevir.end(), 0.0);
    std::fill(app.Rov.Bjornpop.begin(), app.Rov.Bjornpop.end(), 0.0);

    // 8, 9.
    app.LanAFO.S_Lan += countySuffix(countyItem);
    app.ctl(C::LOmrade).caption =
        "Område: " + (app.LanAFO.S_Afo == "Län" ? std::string() : app.LanAFO.S_Afo + ", ") + app.LanAFO.S_Lan;
    app.ctl(C::mnu_Sparaomrade).enabled = true;
    app.ctl(C::GroupBox1).caption = "Statistik: Medelvärde de senaste tre åren";

    // 10.
    if (app.AreaLoaded) showObservedSeries(app);

    // 11.
    app.AreaLoading = false;
    app.CCSlope = app.Header.AreaCCSlope;

    // 12.
    if (app.InfoFlags[5])
        Visainfo(app,
                 "Ett område har lästs in. Vildo försöker nu beräkna älgstammens täthet baserat på de uppgifter som "
                 "lästs in. Älgstammen utveckling skattas därefter.\r\n\r\nNär modellberäkningen är klar visas en "
                 "beräknad utveckling av älgstammen baserat på den faktiska avskjutning.",
                 "OK", 5);

    // 13, 14. The start years: positions 2 .. DataYears - 4, none later than last year.
    Control& years = app.ctl(C::Combo_Startyear);
    years.items.clear();
    years.position = -1;
    const int lastYear = app.platform.currentYear() - 1;
    for (int p = 2; p <= app.DataYears - 4 && p < static_cast<int>(app.Statistics.size()); ++p)
        years.items.push_back(std::to_string(std::min(app.Statistics[p].year, lastYear)));
    years.enabled = true;
    Cleargraph(app);
    Rovdjursgraf(app);
    trk_ungskogChange(app);
    noteAreaLoaded(app);
    return true;
}

void noteAreaLoaded(Vildo& app) {
    app.AreaLoadStart = snapshotBytes(app);
    app.AreaLoadDensity = app.pos(C::Trk_density);
    app.AreaLoadForage = app.pos(C::Trk_barkraftovrig);
    noteWorkSaved(app);
}

}  // namespace vildo
