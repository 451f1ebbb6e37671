// vildo-cli calibrate: loads an area, runs its start-year change and everything it starts (the
// winter-population search, the full calibration, the upload) on the virtual clock, and prints the verdict.
#include <algorithm>
#include <chrono>
#include <iostream>

#include "app/area_loading.h"
#include "app/dispatch.h"
#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/start_year.h"
#include "area/county_table.h"
#include "calibration/estimate_interval.h"
#include "calibration/fit_upload.h"
#include "cli_common.h"
#include "commands.h"
#include "service_connection.h"
#include "util/format.h"
#include "util/json_writer.h"
#include "util/parse.h"
#include "util/random.h"

namespace vildo::cli {

namespace {

constexpr const char* kVerdictStart = "Älgstammen har beräknats till:";

// The terminal's prompts, noting whether the verdict was shown.
class VerdictPrompts : public TerminalPrompts {
public:
    bool verdict = false;
    bool info(const std::string& text, const std::string& okCaption, bool showBox) override {
        if (text.rfind(kVerdictStart, 0) == 0) verdict = true;
        return TerminalPrompts::info(text, okCaption, showBox);
    }
};

struct Options {
    int countyItem = -1, areaItem = -1;
    std::optional<int> startYear;
    std::string service;
    std::filesystem::path db;  // empty: the program's own database
    std::optional<uint32_t> seed;
    bool json = false;
    int members = 40;  // 0: no interval
};

int intOption(const std::vector<std::string>& args, size_t& i) {
    std::string name = args[i];
    auto v = parseInt(optionValue(args, i));
    if (!v || *v < 0 || *v > 1000000) throw UsageError(name + " väntar ett heltal 0 eller större");
    return static_cast<int>(*v);
}

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--county-item")
            o.countyItem = intOption(args, i);
        else if (a == "--area-item")
            o.areaItem = intOption(args, i);
        else if (a == "--start-year")
            o.startYear = intOption(args, i);
        else if (a == "--service")
            o.service = optionValue(args, i);
        else if (a == "--db")
            o.db = optionValue(args, i);
        else if (a == "--json")
            o.json = true;
        else if (a == "--seed")
            o.seed = seedOption(args, i);
        else if (a == "--no-interval")
            o.members = 0;
        else if (a == "--members") {
            o.members = intOption(args, i);
            if (o.members < 2 || o.members > 10000) throw UsageError("--members ska vara ett heltal 2..10000");
        } else
            throw UsageError("okänt argument: " + a);
    }
    if (o.countyItem < 0 || o.areaItem < 0) throw UsageError("calibrate väntar --county-item I och --area-item J");
    return o;
}

// What the start-year change started: a search, the full calibration from the cached setting, or a replay.
const char* pathTaken(const Vildo& a) {
    if (a.timers[2].enabled) return "search";
    if (a.timers[12].enabled) return "cached";
    if (a.timers[6].enabled) return "replay";
    return "none";
}

struct Result {
    std::string path;
    bool verdict = false;
    double seconds = 0;
};

void printJson(const Vildo& a, const Result& r) {
    JsonWriter j;
    j.beginObject();
    j.key("Area").value(getShort(a.Header.AFO)).key("County").value(getShort(a.Header.Lan));
    j.key("Lankod").value(a.Header.Lankod).key("AFOnr").value(a.Header.AFOnr);
    j.key("StartYear").value(selectedStartYear(a).value_or(0));
    j.key("Path").value(r.path).key("Verdict").value(r.verdict);
    j.key("SummerStock").value(a.Summer.SummerStock).key("SummerDensity").value(a.Summer.SummerDensity);
    j.key("WinterStock").value(a.Winter.WinterStock).key("WinterDensity").value(a.Winter.WinterDensity);
    j.key("DensityMargin").value(a.DensityMargin);
    j.key("ModelFit").value(a.ModelFit).key("ObsFit").value(a.ObsFit);
    j.key("ReprodFit").value(a.ReprodFit).key("BullShareFit").value(a.BullShareFit);
    j.key("BestDensity").value(a.BestDensity).key("BestForage").value(a.BestForage);
    j.key("BestCCSlope").value(a.BestCCSlope).key("BestFit").value(a.BestFit);
    j.key("Replays").value(a.HistoricRuns);
    if (a.Ensemble) {
        const EstimateInterval& e = a.Ensemble->interval;
        j.key("Interval").beginObject();
        j.key("Level").value(e.level);
        j.key("WinterDensityLow").value(e.winterLow).key("WinterDensityHigh").value(e.winterHigh);
        j.key("SummerDensityLow").value(e.summerLow).key("SummerDensityHigh").value(e.summerHigh);
        j.key("Median").value(e.median).key("SummerMedian").value(e.summerMedian);
        j.key("MembersWinterLow").value(e.membersLow).key("MembersWinterHigh").value(e.membersHigh);
        j.key("Members").value(e.members);
        j.endObject();
    }
    j.endObject();
    std::cout << j.str() << '\n';
}

void printText(const Vildo& a, const Result& r) {
    std::cout << a.ctl(C::LOmrade).caption << ", startår " << selectedStartYear(a).value_or(0) << " (" << r.path
              << ")\n"
              << "Före jakt: " << grouped(a.Summer.SummerStock, 0) << " st, " << fix(a.Summer.SummerDensity, 15, 2)
              << " per 1000 ha\n"
              << "Efter jakt: " << grouped(a.Winter.WinterStock, 0) << " st, " << fix(a.Winter.WinterDensity, 15, 2)
              << " +- " << fix(a.DensityMargin, 15, 2) << " per 1000 ha\n"
              << "Passning: ModelFit " << fix(a.ModelFit, 15, 4) << ", ObsFit " << fix(a.ObsFit, 15, 4)
              << ", ReprodFit " << fix(a.ReprodFit, 15, 4) << ", BullShareFit " << fix(a.BullShareFit, 15, 4) << '\n'
              << "Bästa inställning: täthet " << fix(a.BestDensity / 10, 15, 1) << ", foder "
              << fix(a.BestForage, 15, 0) << ", förändring per år " << fix(a.BestCCSlope, 15, 2) << " (passning "
              << fix(a.BestFit, 15, 4) << ")\n"
              << "Körningar: " << a.HistoricRuns << (r.verdict ? "" : ", ingen slutsats") << '\n';
    if (a.Ensemble) {
        const EstimateInterval& e = a.Ensemble->interval;
        std::cout << intervalLine(e) << '\n'
                  << "Före jakt mellan " << fix(e.summerLow, 15, 1) << " och " << fix(e.summerHigh, 15, 1)
                  << " per 1000 hektar; medianen av " << e.members << " omräkningar: " << fix(e.median, 15, 2)
                  << " efter jakt\n";
        const std::string note = uncertaintyNote(e, a.Winter.WinterDensity);
        if (!note.empty()) std::cout << note << '\n';
    }
}

}  // namespace

int calibrateCommand(const std::vector<std::string>& args) {
    Options o = parseOptions(args);
    Session s;
    VerdictPrompts prompts;
    // With a seed every draw of the clock is a function of it and of the draws before, so the run repeats.
    if (o.seed) s.app->platform.clockSeed = [seed = *o.seed, draws = 0u]() mutable { return mixSeed(seed, draws++); };
    s.start({});
    ServiceConnection service(o.service, o.db.empty() ? programDatabase(*s.app) : o.db);
    Vildo& app = *s.app;
    app.prompts = &prompts;
    app.dataService = service.client();
    bool names = false;
    dispatch(app, [&] { names = FetchAreaNames(app); });
    if (!names) return 1;
    if (o.countyItem >= static_cast<int>(app.Omrde1.size()))
        throw UsageError("--county-item ska vara 0.." + std::to_string(app.Omrde1.size() - 1));
    const CountyItem& county = app.Omrde1[static_cast<size_t>(o.countyItem)];
    if (o.areaItem >= static_cast<int>(county.areas.size()))
        throw UsageError(county.caption + " har " + std::to_string(county.areas.size()) +
                         " områden i datatjänsten; --area-item ska vara mindre");
    // The start-up finishes first, as before a user's first click: its season reset would cut into the run.
    Scheduler(app).runUntil(
        [&] { return !app.timers[7].enabled && !app.timers[13].enabled && !app.timers[1].enabled; });
    // Without a window nobody reads the search's message: the search always goes on to the full calibration.
    app.InfoFlags[2] = 1;
    app.IntervalMembers = o.members;

    const auto t0 = std::chrono::steady_clock::now();
    Result r;
    bool loaded = false;
    dispatch(app, [&] { loaded = NyttOmrade(app, o.countyItem, o.areaItem); });
    if (!loaded) return 1;
    Control& years = app.ctl(C::Combo_Startyear);
    years.position = years.items.empty() ? -1 : 0;
    if (o.startYear) {
        auto it = std::find(years.items.begin(), years.items.end(), std::to_string(*o.startYear));
        if (it == years.items.end())
            throw UsageError("startåret " + std::to_string(*o.startYear) + " finns inte i listan");
        years.position = static_cast<int>(it - years.items.begin());
    }
    dispatch(app, [&] { Combo_StartyearChange(app, StartYearSender::AreaItem); });
    r.path = pathTaken(app);
    Scheduler scheduler(app);
    dispatch(app, [&] { scheduler.runUntil([&] { return !calibrationRunning(app); }); });
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    r.verdict = prompts.verdict;
    app.prompts = &s.prompts;
    if (app.terminated) return 1;
    o.json ? printJson(app, r) : printText(app, r);
    // The time goes to the terminal, not into the result: the same seed gives the same output.
    std::cerr << "Tid: " << fix(r.seconds, 15, 2) << " s\n";
    return r.verdict || r.path == "replay" ? 0 : 1;
}

}  // namespace vildo::cli
