#include "area/data_service.h"

#include <algorithm>

#include "area/area_state.h"
#include "area/service_text.h"
#include "model/record_checks.h"
#include "util/format.h"
#include "util/round.h"

namespace vildo {

namespace {

constexpr const char* kSource = "vildodata";

// The service writes decimals with the locale's comma.
std::string decimals(double v, int d) { return fix(v, 15, d); }

}  // namespace

std::string serviceGet(AreaState& app, const std::string& script, const std::string& query) {
    if (!app.dataService) throw ServiceError("Ingen datatjänst är vald");
    return app.dataService->get(script, query);
}

std::string areaNamesQuery(int countyCode) { return "a=" + intStr(countyCode) + "&b=dummy&c=dummy&d=" + kSource; }

std::string statisticsQuery(int countyCode, int areaIndex, const std::string& c, const std::string& calfMort,
                            const std::string& bullMort, const std::string& cowMort) {
    return "a=" + intStr(countyCode) + "&b=" + intStr(areaIndex) + "&c=" + c + "&d=" + kSource + "&e=" + calfMort +
           "&f=" + bullMort + "&g=" + cowMort;
}

std::string fitQuery(int lankod, int afonr, int startYear, int calfMort, int bullMort, int cowMort) {
    return "a=" + intStr(lankod) + "&b=" + intStr(afonr) + "&c=" + intStr(startYear) + "&d=" + kSource +
           "&e=" + intStr(calfMort) + "&f=" + intStr(bullMort) + "&g=" + intStr(cowMort);
}

std::string uploadQuery(const FitUpload& u) {
    bool zero = u.fitText == "0";
    return "c=" + (zero ? std::string("0,000") : u.fitText) + "&d=" + intStr(Round(u.forage)) +
           "&e=" + (zero ? std::string("0") : decimals(u.startDensity, 3)) +
           "&f=" + intStr(static_cast<int64_t>(u.lankod) * 100 + u.afonr) + intStr(u.startYear) + "&g=" + kSource +
           "&h=" + decimals(u.ccSlope, 3) + "&i=" + intStr(u.calfMort) + "&j=" + intStr(u.bullMort) +
           "&k=" + intStr(u.cowMort) + "&l=" + decimals(u.margin, 3) + "&m=" + intStr(u.years);
}

std::optional<FitCache> parseFitAnswer(const std::string& answer) {
    if (std::count(answer.begin(), answer.end(), ';') >= static_cast<std::ptrdiff_t>(kMaxFieldsPerLine))
        return std::nullopt;
    std::vector<std::string> f = splitStrict(answer, ';');
    if (f.size() < 6 || f[0] != "R2") return std::nullopt;
    auto r2 = serviceReal(f[1]), dens = serviceReal(f[2]), slope = serviceReal(f[4]), error = serviceReal(f[5]);
    auto cc = serviceInt(f[3]);
    if (!r2 || !dens || !cc || !slope || !error) return std::nullopt;
    // The values land in a year's record: one the model cannot use counts as no cached result.
    TStatistics slot{};
    slot.R2 = *r2;
    slot.StartDens = *dens;
    slot.CC = *cc;
    slot.CCSlope = *slope;
    slot.Error = *error;
    if (!plausible(slot)) return std::nullopt;
    return FitCache{*r2, *dens, *cc, *slope, *error};
}

int calfMortalityKey(const AreaState& app) {
    return app.pos(C::Trk_kalvdodlighetsommar) + app.pos(C::Trk_Kalvdodlighetvinter);
}

bool FetchFitCache(AreaState& app, int startYear) {
    std::optional<FitCache> fit;
    try {
        fit = parseFitAnswer(serviceGet(app, "vildosql_R2.php",
                                        fitQuery(app.Header.Lankod, app.Header.AFOnr, startYear, calfMortalityKey(app),
                                                 app.pos(C::trk_tjurdodlighet), app.pos(C::trk_kododlighet))));
    } catch (const ServiceStatusError& e) {
        app.prompts->note(std::string(e.what()) +
                          " på frågan om en sparad kalibrering: ingen sparad kalibrering används.");
        return false;
    } catch (const ServiceError&) {
        return false;
    }
    int64_t slot = static_cast<int64_t>(startYear) - 2011;
    if (!fit || slot < 1 || slot >= static_cast<int64_t>(app.Statistics.size())) return false;
    TStatistics& s = app.Statistics[slot];
    s.R2 = fit->R2;
    s.StartDens = fit->StartDens;
    s.CC = fit->CC;
    s.CCSlope = fit->CCSlope;
    s.Error = fit->Error;
    return true;
}

bool SendFitResult(AreaState& app, const FitUpload& upload) {
    try {
        return serviceGet(app, "vr2sql.php", uploadQuery(upload)) == "Registrerat";
    } catch (const ServiceStatusError& e) {
        app.prompts->message("Något gick fel R2 värde skulle uppdateras. " + std::string(e.what()) + ".");
        return false;
    } catch (const ServiceError&) {
        app.prompts->message("Något gick fel R2 värde skulle uppdateras.");
        return false;
    }
}

}  // namespace vildo
