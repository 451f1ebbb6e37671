#include "app/area_file_menu.h"

#include <algorithm>
#include <filesystem>

#include "app/parameter_handlers.h"
#include "app/saved_work.h"
#include "app/vildo.h"
#include "area/area_file.h"
#include "area/statistics.h"
#include "model/parameters.h"
#include "model/population.h"
#include "ui/area_display.h"
#include "util/cp1252.h"
#include "util/format.h"
#include "util/round.h"

namespace vildo {

namespace {

// Text cut to n characters of the single-byte code page the names are kept in.
std::string cut(const std::string& utf8, size_t n) {
    std::string b = toCp1252(utf8);
    return b.size() <= n ? utf8 : fromCp1252(b.substr(0, n));
}

void predatorChart(Vildo& app) {
    Chart& ch = app.charts[10];
    ch.clearSeries(0);
    ch.clearSeries(1);
    const size_t n = app.Rov.Vargrevir.size();
    const double y0 = app.Statistics.size() > 1 ? app.Statistics[1].year : 0;
    ch.bottom.automatic = false;
    ch.bottom.min = y0;
    ch.bottom.max = y0 + static_cast<double>(n) + 2;
    double wolves = 0, bears = 0;
    for (size_t i = 0; i < n; ++i) {
        double bear = i < app.Rov.Bjornpop.size() ? app.Rov.Bjornpop[i] : 0;
        ch.series[0].points.push_back({y0 + static_cast<double>(i), app.Rov.Vargrevir[i], {}, 0});
        ch.series[1].points.push_back({y0 + static_cast<double>(i), bear, {}, 0});
        wolves = std::max(wolves, app.Rov.Vargrevir[i]);
        bears = std::max(bears, bear);
    }
    ch.left.automatic = ch.right.automatic = false;
    ch.left.max = static_cast<double>(std::max<int64_t>(10, Round(wolves + 2)));
    ch.right.max = static_cast<double>(std::max<int64_t>(10, Round(bears + 2)));
}

}  // namespace

void AreaRefresh(Vildo& app) {
    TAreaHeader& h = app.Header;
    // 1, 2, 3.
    app.HuntAreaHa = h.Jaktarea;
    const auto kha = static_cast<int32_t>(Round(app.HuntAreaHa / 1000.0));
    scaleStockToArea(app, app.AreaKha, kha);
    app.AreaKha = kha;
    const std::string afo = getShort(h.AFO), lan = getShort(h.Lan);
    app.ctl(C::LOmrade).caption = cut(cut(cut("Område: " + afo, 28) + ", ", 30) + lan, 50);
    app.LanAFO.S_Lan = lan;
    app.LanAFO.S_Afo = afo;

    // 4.
    if (app.AreaLoaded) showObservedSeries(app);

    // 5, 6. Before the first season has started the forage setting in use is the base of the change.
    app.Land.Algbonitet = 100;
    app.NatMortPctM = app.pos(C::trk_tjurdodlighet);
    app.NatMortPctF = app.pos(C::trk_kododlighet);
    app.CCSlope = h.AreaCCSlope;
    const double base = app.Land.ForageFactorAtStart != 0 ? app.Land.ForageFactorAtStart
                                                          : static_cast<double>(app.pos(C::Trk_barkraftovrig));
    app.ctl(C::LAlgbonitetChange).caption =
        "Förändring älgbonitet: " + fix(app.CCSlope * 100 / base, 7, 2) + " % per år";

    // 7, 8.
    AverageFromYear(app, app.Statistics.size() > 2 ? app.Statistics[2].year : 0, app.DataYears);
    AverageRecent(app, app.DataYears);
    ShowAreaStatistics(app);
    const int sexRatio = app.pos(C::trk_sexratio);
    app.StringGrid6.cell(1, 2) = intStr(sexRatio) + ":" + intStr(100 - sexRatio);

    // 9.
    app.ctl(C::GroupBox1).visible = true;
    app.ctl(C::TabSheet7).visible = true;
    app.ctl(C::TabSheet6).visible = false;
    app.activeLeftPage = C::TabSheet7;

    // 10. Selecting the first start year here does not run the list's change handler.
    Control& years = app.ctl(C::Combo_Startyear);
    years.items.clear();
    const int lastYear = app.platform.currentYear() - 1;
    for (int i = 2; i <= app.DataYears && i < static_cast<int>(app.Statistics.size()); ++i)
        years.items.push_back(std::to_string(std::min(lastYear, app.Statistics[i].year)));
    years.enabled = true;
    years.position = years.items.empty() ? -1 : 0;

    // 11.
    predatorChart(app);
}

void mnu_SparaomradeClick(Vildo& app) {
    std::optional<std::string> file =
        app.prompts->saveFile({"Spara området till fil", app.Paths.Currentomr, "OMR-file|*.omr", "omr", true});
    // A cancelled dialog keeps the folder the user last chose.
    if (!file) return;
    if (AreaWrite(app, *file)) {
        noteWorkSaved(app);
        noteRecentFile(app, *file);
    }
    app.Paths.Currentomr = std::filesystem::path(*file).parent_path().string();
}

bool mnu_oppnaomradeClick(Vildo& app) {
    std::optional<std::string> file =
        app.prompts->openFile({"Hämta statistik för ett område", app.Paths.Currentomr, "OMR file|*.omr", "omr", false});
    // A file that cannot be read leaves the area that is loaded, and the flag that says so, as they were.
    if (file) {
        if (!app.AreaLoaded) app.WantedBeforeArea = app.TargetDensity;
        if (!AreaRead(app, *file)) return false;
        app.AreaLoaded = true;
        noteRecentFile(app, *file);
    }
    if (!app.AreaLoaded) return false;
    app.AreaLoading = true;
    seriesAt(app.charts[5], 3).active = true;
    Restoretrkvalues(app);
    AreaRefresh(app);
    app.AreaLoading = false;
    app.ctl(C::btn_nykalib).enabled = true;
    app.ShowFit = true;
    trk_ungskogChange(app);
    return true;
}

}  // namespace vildo
