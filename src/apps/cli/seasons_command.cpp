// vildo-cli seasons: the season mode without a window, from the planning model's steady state.
#include <iostream>
#include <optional>

#include "app/dispatch.h"
#include "app/forecast.h"
#include "app/scenarios.h"
#include "app/season_driver.h"
#include "cli_common.h"
#include "commands.h"
#include "hunt/biodata.h"
#include "hunt/exports.h"
#include "service_connection.h"
#include "ui_dump.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/json_writer.h"
#include "util/parse.h"

namespace vildo::cli {

namespace {

struct Options : SeasonStart {
    int years = 0;
    std::optional<std::string> biodataFile;
    std::optional<std::string> dumpFile;
    std::optional<std::string> scenarioSave, scenarioLoad, demographyFile;
    int back = 0;
    bool saveStats = false;
    bool json = false;
};

int countOption(const std::vector<std::string>& args, size_t& i, int max) {
    const std::string name = args[i];
    std::string v = optionValue(args, i);
    auto n = parseInt(v);
    if (!n || *n < 0 || *n > max)
        throw UsageError(name + " ska vara ett heltal 0.." + std::to_string(max) + ", fick: " + v);
    return static_cast<int>(*n);
}

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    bool haveYears = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--years") {
            o.years = countOption(args, i, 10000);
            haveYears = true;
        } else if (a == "--back") {
            o.back = countOption(args, i, 10000);
        } else if (a == "--no-estimate") {
            o.estimate = false;
        } else if (a == "--save-stats") {
            o.saveStats = true;
        } else if (a == "--scenario-save") {
            o.scenarioSave = optionValue(args, i);
        } else if (a == "--scenario-load") {
            o.scenarioLoad = optionValue(args, i);
        } else if (a == "--county-item") {
            o.countyItem = countOption(args, i, 1000);
        } else if (a == "--area-item") {
            o.areaItem = countOption(args, i, 1000);
        } else if (a == "--service") {
            o.service = optionValue(args, i);
        } else if (a == "--db") {
            o.db = optionValue(args, i);
        } else if (a == "--demography") {
            o.demographyFile = optionValue(args, i);
        } else if (a == "--seed") {
            std::string v = optionValue(args, i);
            auto n = parseInt(v);
            if (!n || *n < 0 || *n > 4294967295LL)
                throw UsageError("--seed ska vara ett heltal 0..4294967295, fick: " + v);
            o.seed = static_cast<uint32_t>(*n);
        } else if (a == "--set") {
            o.settings.push_back(parseSetting(optionValue(args, i)));
        } else if (a == "--biodata") {
            o.biodataFile = optionValue(args, i);
        } else if (takeDumpUiOption(args, i, o.dumpFile)) {
        } else if (a == "--json") {
            o.json = true;
        } else {
            throw UsageError("Okänt argument: " + a);
        }
    }
    if (o.countyItem.has_value() != o.areaItem.has_value()) throw UsageError("--county-item och --area-item hör ihop");
    if (!haveYears && o.countyItem) o.years = 1, haveYears = true;  // one press replays the whole history
    if (!haveYears) throw UsageError("--years saknas");
    return o;
}

// With an area a season is named by its calendar year, as the window's tables do.
int seasonYear(const Vildo& a, bool calendar) { return calendar ? firstForecastYear(a) - 1 : a.YearNo; }

void printJson(const Vildo& a, bool calendar) {
    JsonWriter j;
    j.beginObject();
    j.key("YearNo").value(a.YearNo);
    if (calendar) j.key("Year").value(seasonYear(a, true));
    j.key("SummerStock").value(a.Summer.SummerStock);
    j.key("WinterStock").value(a.Winter.WinterStock);
    j.key("WinterDensity").value(a.Winter.WinterDensity);
    j.key("BullsShot").value(a.HarvestTot.BullsShot);
    j.key("CowsShot").value(a.HarvestTot.CowsShot);
    j.key("CalvesShot").value(a.HarvestTot.CalvesShot);
    j.key("TotalShot").value(a.HarvestTot.TotalShot);
    j.key("CalvesPerCow").value(a.CalvesPerCow);
    j.key("HuntTry").value(a.HuntTry);
    j.key("MaxTries").value(a.MaxTries);
    j.key("QuotaProgress").value(a.QuotaProgress);
    j.key("BullQuota").value(static_cast<double>(a.Goals.BullQuota));
    j.key("CowQuota").value(static_cast<double>(a.Goals.CowQuota));
    j.key("CalfQuota").value(static_cast<double>(a.Goals.CalfQuota));
    j.key("SeenBullsOpen").value(a.Enc.SeenBullsOpen);
    j.key("SeenCowsOpen").value(a.Enc.SeenCowsOpen);
    j.key("SeenCalvesOpen").value(a.Enc.SeenCalvesOpen);
    j.key("SeenBulls").value(a.Enc.SeenBulls);
    j.key("SeenCows").value(a.Enc.SeenCows);
    j.key("SeenCowsWithCalf").value(a.Enc.SeenCowsWithCalf);
    j.key("SummerBulls").value(a.Summer.SummerBulls);
    j.key("SummerCows").value(a.Summer.SummerCows);
    j.key("CalvesBorn").value(a.Summer.CalvesBorn);
    j.key("WinterBulls").value(a.Winter.WinterBulls);
    j.key("WinterCows").value(a.Winter.WinterCows);
    j.key("WinterCalves").value(a.Winter.WinterCalves);
    j.key("EncounterRate").value(a.EncounterRate);
    j.endObject();
    std::cout << j.str() << '\n';
}

void printText(const Vildo& a, bool calendar) {
    const THarvestTotals& h = a.HarvestTot;
    const TEncounters& e = a.Enc;
    const TGoals& g = a.Goals;
    std::cout << "År " << seasonYear(a, calendar) << ": sommarstam " << fix(a.Summer.SummerStock, 8, 0)
              << ", vinterstam " << fix(a.Winter.WinterStock, 8, 0) << " (" << fix(a.Winter.WinterDensity, 4, 2)
              << " per 1000 ha), fällda " << fix(h.BullsShot, 6, 0) << " tjur, " << fix(h.CowsShot, 6, 0) << " ko, "
              << fix(h.CalvesShot, 6, 0) << " kalv (" << fix(h.TotalShot, 6, 0) << " av mål " << fix(g.BullQuota, 6, 0)
              << "/" << fix(g.CowQuota, 6, 0) << "/" << fix(g.CalfQuota, 6, 0) << ", " << a.QuotaProgress
              << " %), kalv per ko " << fix(a.CalvesPerCow, 4, 2) << ", skottillfällen " << a.HuntTry << " av "
              << a.MaxTries << ", sedda tjur " << e.SeenBulls << " (lovliga " << e.SeenBullsOpen << "), ko "
              << e.SeenCows << " (lovliga " << e.SeenCowsOpen << "), ko med kalv " << e.SeenCowsWithCalf << " (lovliga "
              << e.SeenCalvesOpen << ")\n";
}

}  // namespace

int seasonsCommand(const std::vector<std::string>& args) {
    Options o = parseOptions(args);
    Session s;
    Vildo& app = *s.app;
    std::unique_ptr<ServiceConnection> service;
    if (!startSeasons(s, o, service)) return 1;
    // "Spara biodata" on without its check of the working folder's Biodata.csv: the rows go to the given file.
    if (o.biodataFile) app.ctl(C::chk_biodata).position = 1;
    if (o.saveStats) dispatch(app, [&] { setChecked(app, C::chk_save, true); });

    std::string biodata = biodataHeaderLine();
    app.seasonObserver = [&](const Vildo& a) {
        o.json ? printJson(a, o.countyItem.has_value()) : printText(a, o.countyItem.has_value());
        // The file has the header once, then every season's rows.
        appendBiodataLines(biodata, a.Biodata);
    };
    if (o.scenarioLoad) {
        s.prompts.fileAnswers.push_back(*o.scenarioLoad);
        dispatch(app, [&] { Laddascenario1Click(app); });
        // Its message is out; the seasons must not go on from the equilibrium as if it had been read.
        if (!app.ScenarioLoaded) return 1;
    }
    for (int k = 1; k <= o.years && !app.terminated; ++k) dispatch(app, [&] { SpeedButton1Click(app); });
    // A press with an area replays every historic year: the seasons run, not the presses, bound the steps back.
    if (o.back > 0 && o.back >= app.YearNo)
        throw UsageError("--back kan inte gå förbi det första året: " + std::to_string(app.YearNo) +
                         " säsonger kördes");
    for (int k = 1; k <= o.back && !app.terminated; ++k) {
        const int year = app.YearNo;
        dispatch(app, [&] { SpeedButton2Click(app); });
        // A step back that finds no saved year leaves the year as it was.
        if (app.YearNo != year - 1) {
            std::cerr << "Kan inte gå tillbaka till år " << year - 1 << ": årsdata saknas eller kan inte läsas.\n";
            return 1;
        }
    }
    if (o.scenarioSave) {
        s.prompts.fileAnswers.push_back(*o.scenarioSave);
        dispatch(app, [&] { Sparascenario1Click(app); });
    }
    bool demographySaved = true;
    if (o.demographyFile) dispatch(app, [&] { demographySaved = savetofile(app, *o.demographyFile); });
    if (app.terminated || !demographySaved) return 1;
    if (o.biodataFile && !writeFileAtomic(*o.biodataFile, biodata)) {
        std::cerr << "Kan inte skriva till fil: " << *o.biodataFile << '\n';
        return 1;
    }
    return writeUiDump(app, o.dumpFile) ? 0 : 1;
}

}  // namespace vildo::cli
