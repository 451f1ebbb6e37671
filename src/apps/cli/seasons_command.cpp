// vildo-cli seasons: the season mode without a window, from the planning model's steady state.
#include <iostream>
#include <optional>

#include "cli_common.h"
#include "commands.h"
#include "ui_dump.h"
#include "hunt/hunt.h"
#include "hunt/season.h"
#include "model/parameters.h"
#include "ui/dispatch.h"
#include "util/cp1252.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/json_writer.h"
#include "util/parse.h"

namespace vildo::cli {

namespace {

struct Options {
    int years = 0;
    std::optional<uint32_t> seed;
    std::vector<ControlSetting> settings;
    std::optional<std::string> biodataFile;
    std::optional<std::string> dumpFile;
    bool json = false;
};

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    bool haveYears = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--years") {
            std::string v = optionValue(args, i);
            auto n = parseInt(v);
            if (!n || *n < 1 || *n > 10000) throw UsageError("--years ska vara ett heltal 1..10000, fick: " + v);
            o.years = static_cast<int>(*n);
            haveYears = true;
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
    if (!haveYears) throw UsageError("--years saknas");
    return o;
}

// One press of the forward button as far as the season model goes: the generator reseeded, then the
// first season or the next one.
void forwardPress(Vildo& app, int k, std::optional<uint32_t> seed) {
    app.rng.seed = seed ? *seed + static_cast<uint32_t>(k - 1) : app.platform.clockSeed();
    if (!app.SeasonStarted) {
        app.RulesAlways = !(app.AreaLoaded && app.checked(C::chk_stats));
        app.SeasonStarted = true;
        Initierajakt(app);
    } else {
        Huntayear(app);
        app.Land.CarryingCapacity = CallCC(app);
    }
}

void printJson(const Vildo& a) {
    JsonWriter j;
    j.beginObject();
    j.key("YearNo").value(a.YearNo);
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

void printText(const Vildo& a) {
    const THarvestTotals& h = a.HarvestTot;
    const TEncounters& e = a.Enc;
    const TGoals& g = a.Goals;
    std::cout << "År " << a.YearNo << ": sommarstam " << fix(a.Summer.SummerStock, 8, 0) << ", vinterstam "
              << fix(a.Winter.WinterStock, 8, 0) << " (" << fix(a.Winter.WinterDensity, 4, 2)
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
    if (o.seed) app.platform.clockSeed = [seed = *o.seed] { return seed; };
    s.start(o.settings);
    if (!s.settle()) return 1;
    // "Spara biodata" on without its check of the program's own Biodata.csv: the rows go to the given file.
    if (o.biodataFile) app.ctl(C::chk_biodata).position = 1;

    std::string biodata = toCp1252(kBiodataHeader) + "\r\n";
    for (int k = 1; k <= o.years; ++k) {
        dispatch(app, [&] { forwardPress(app, k, o.seed); });
        if (app.terminated) return 1;
        o.json ? printJson(app) : printText(app);
        // Each season's list starts with the header; the file has it once.
        for (size_t i = 1; i < app.Biodata.size(); ++i) biodata += toCp1252(app.Biodata[i]) + "\r\n";
    }
    if (o.biodataFile && !writeFileAtomic(*o.biodataFile, biodata)) {
        std::cerr << "Kan inte skriva till fil: " << *o.biodataFile << '\n';
        return 1;
    }
    return writeUiDump(app, o.dumpFile) ? 0 : 1;
}

}  // namespace vildo::cli
