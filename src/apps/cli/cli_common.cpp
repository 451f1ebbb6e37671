#include "cli_common.h"

#include <functional>
#include <iostream>

#include "app/dispatch.h"
#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/season_driver.h"
#include "app/start_year.h"
#include "app/startup.h"
#include "area/county_table.h"
#include "service_connection.h"
#include "ui/window_design.h"
#include "util/parse.h"
#include "util/random.h"

namespace vildo::cli {

namespace {

std::filesystem::path& folderOverride() {
    static std::filesystem::path folder;
    return folder;
}

// The program's folders, as the window's: beside a program run from its build tree, the user's data folder for
// an installed one. --folder puts every file the commands keep in one folder of the user's choice.
Platform commandPlatform() {
    const std::filesystem::path& folder = folderOverride();
    return Platform::system(folder.empty() ? runningProgramDir() : folder);
}

// The area loaded, its stock estimated or not, and its history switched on.
bool replayableHistory(Session& s, int countyItem, int areaItem, bool estimate) {
    Vildo& app = *s.app;
    bool loaded = false;
    dispatch(app, [&] { loaded = FetchAreaNames(app); });
    if (!loaded) return false;
    const CountyMenu& menu = app.Omrde1;
    if (countyItem >= static_cast<int>(menu.size()) || areaItem >= static_cast<int>(menu[countyItem].areas.size()))
        throw UsageError("Det finns inget område " + std::to_string(areaItem) + " under länsposten " +
                         std::to_string(countyItem));
    if (estimate) {
        // The start-up finishes first, as before a user's first click: its season reset would cut into the
        // estimate. Without a window nobody reads the search's message: it goes on to the full calibration.
        Scheduler(app).runUntil(
            [&] { return !app.timers[7].enabled && !app.timers[13].enabled && !app.timers[1].enabled; });
        app.InfoFlags[2] = 1;
    }
    loaded = false;
    dispatch(app, [&] { loaded = areaItemClick(app, countyItem, areaItem); });
    if (!loaded || !app.AreaLoaded) return false;
    if (estimate) {
        Scheduler scheduler(app);
        dispatch(app, [&] { scheduler.runUntil([&] { return !calibrationRunning(app); }); });
        if (app.terminated) return false;
        dispatch(app, [&] { btn_rensaClick(app); });
    } else {
        for (int n : {2, 6, 9, 11, 12}) setTimer(app, n, false);
        endCalibration(app);
    }
    dispatch(app, [&] {
        if (chk_statsMouseDown(app)) setChecked(app, C::chk_stats, true);
    });
    return app.checked(C::chk_stats);
}

}  // namespace

void TerminalPrompts::message(const std::string& text) { std::cerr << text << '\n'; }

bool TerminalPrompts::warningOkAbort(const std::string& text) {
    std::cerr << text << " [Avbryt]\n";
    return false;
}

bool TerminalPrompts::warningAbortIgnore(const std::string& text) {
    std::cerr << text << " [Avbryt]\n";
    return true;
}

bool TerminalPrompts::info(const std::string& text, const std::string&, bool) {
    std::cerr << text << '\n';
    return false;
}

bool TerminalPrompts::question(const std::string& text, const std::string&, const std::string& cancelCaption) {
    std::cerr << text << " [" << cancelCaption << "]\n";
    return false;
}

std::optional<std::string> TerminalPrompts::nextFile() {
    if (fileAnswers.empty()) return std::nullopt;
    std::string file = fileAnswers.front();
    fileAnswers.pop_front();
    return file;
}

ControlSetting parseSetting(const std::string& text) {
    auto eq = text.find('=');
    if (eq == std::string::npos) throw UsageError("--set väntar CONTROL=POSITION, fick: " + text);
    std::string name = text.substr(0, eq);
    auto id = controlByName(name);
    if (!id) throw UsageError("Okänd kontroll: " + name);
    auto value = parseInt(text.substr(eq + 1));
    const Control design = designControls()[static_cast<int>(*id)];
    const bool checkable =
        design.kind == ControlKind::CheckBox || (design.kind == ControlKind::MenuItem && design.max == 1);
    if (!checkable && design.kind != ControlKind::TrackBar && design.kind != ControlKind::UpDown)
        throw UsageError("Kontrollen " + name + " kan inte ställas med --set");
    int lo = checkable ? 0 : design.min, hi = checkable ? 1 : design.max;
    if (!value || *value < lo || *value > hi)
        throw UsageError("Positionen för " + name + " ska vara ett heltal " + std::to_string(lo) + ".." +
                         std::to_string(hi) + ", fick: " + text.substr(eq + 1));
    return {*id, static_cast<int>(*value)};
}

void useFolder(const std::filesystem::path& folder) {
    // A folder the user names is made when missing, so that the files land there and nowhere else.
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    folderOverride() = std::filesystem::absolute(folder, ec);
}

std::filesystem::path programDatabase(const Vildo& app) {
    return std::filesystem::path(app.Paths.Appdata.empty() ? app.Paths.Exefile : app.Paths.Appdata) /
           "vildo-dataservice.db";
}

namespace {

// What a position of each slider and up-down means; a check box's is its caption, on or off.
constexpr std::pair<C, const char*> kPositionMeanings[] = {
    {C::Trk_density, "önskad vinterstam × 10 per 1000 ha"},
    {C::Trk_tjurandel, "andel vuxna tjurar i avskjutningen, %"},
    {C::Trk_Kalvskytte, "andel kalv av hela avskjutningen, %"},
    {C::trk_kviga, "skydd för kalv som följer en ko, % (kalven som livförsäkring för kon)"},
    {C::trk_taggar, "andel taggtjurar i tjuravskjutningen, %"},
    {C::Trk_barkraftovrig, "bärkraft på övrig mark, älgar × 10 per 1000 ha"},
    {C::trk_ungskog, "andel ungskog × 10, %"},
    {C::trk_impediment, "andel impediment, %"},
    {C::Trk_ungskogskonstant, "ungskogens vikt i bärkraften"},
    {C::trk_sexratio, "andel hondjur bland kalvarna, %"},
    {C::trk_slaktvikttjur, "tjurarnas slaktvikt, kg"},
    {C::Trk_Slaktviktko, "kornas slaktvikt, kg"},
    {C::trk_harvest, "avskjutningens styrka × 10"},
    {C::trk_reprod, "reproduktionen, % av den normala"},
    {C::trk_kododlighet, "kornas naturliga dödlighet, % per år"},
    {C::trk_tjurdodlighet, "tjurarnas naturliga dödlighet, % per år"},
    {C::Trk_kalvdodlighetsommar, "kalvarnas dödlighet under sommaren, %"},
    {C::Trk_Kalvdodlighetvinter, "kalvarnas dödlighet under vintern, %"},
    {C::Trk_vargmortalitet, "älgar som ett vargrevir tar per år"},
    {C::Trk_bjornmortalitet, "älgkalvar som en björn tar per år"},
    {C::trk_korisk, "risken att en ko skjuts, % (utan kvotering av vuxna)"},
    {C::UD_Lutning, "förändring av älgboniteten per år, läggs till områdets"},
};

}  // namespace

std::string listControls() {
    std::string out;
    const Controls design = designControls();
    for (size_t i = 0; i < design.size(); ++i) {
        const Control& c = design[i];
        const bool checkable = c.kind == ControlKind::CheckBox || (c.kind == ControlKind::MenuItem && c.max == 1);
        if (!checkable && c.kind != ControlKind::TrackBar && c.kind != ControlKind::UpDown) continue;
        std::string meaning;
        for (auto [id, text] : kPositionMeanings)
            if (static_cast<size_t>(id) == i) meaning = text;
        if (checkable) meaning = (c.caption.empty() ? std::string(c.name) : c.caption) + ": 1 på, 0 av";
        out += std::string(c.name) + " " + std::to_string(checkable ? 0 : c.min) + ".." +
               std::to_string(checkable ? 1 : c.max) + ": " + meaning + "\n";
    }
    return out;
}

Session::Session() : app(std::make_unique<Vildo>(prompts, commandPlatform())) {}

void Session::start(const std::vector<ControlSetting>& settings) {
    dispatch(*app, [&] { startUp(*app); });
    for (const ControlSetting& s : settings) {
        const Control& c = app->ctl(s.control);
        if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::MenuItem)
            dispatch(*app, [&] { setChecked(*app, s.control, s.position != 0); });
        else
            dispatch(*app, [&] { setPosition(*app, s.control, s.position); });
    }
}

bool Session::settle() {
    Scheduler scheduler(*app);
    scheduler.runUntil([&] { return !app->timers[1].enabled && !app->timers[3].enabled; });
    return !app->terminated;
}

std::string optionValue(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size()) throw UsageError(args[i] + " väntar ett värde");
    return args[++i];
}

uint32_t seedOption(const std::vector<std::string>& args, size_t& i) {
    std::string v = optionValue(args, i);
    auto n = parseInt(v);
    if (!n || *n < 0 || *n > 4294967295LL) throw UsageError("--seed ska vara ett heltal 0..4294967295, fick: " + v);
    return static_cast<uint32_t>(*n);
}

void seedPresses(Vildo& app, uint32_t seed) {
    app.platform.clockSeed = [seed, calls = 0u]() mutable { return seed + (calls++ == 0 ? 0 : calls - 2); };
}

bool loadHistory(Session& s, int countyItem, int areaItem, bool estimate, std::optional<uint32_t> seed) {
    Vildo& app = *s.app;
    // The estimate draws from a stream of its own, so the presses keep theirs.
    std::function<uint32_t()> pressSeeds = app.platform.clockSeed;
    if (seed) app.platform.clockSeed = [seed = *seed, draws = 0u]() mutable { return mixSeed(seed, draws++); };
    const bool loaded = replayableHistory(s, countyItem, areaItem, estimate);
    app.platform.clockSeed = std::move(pressSeeds);
    return loaded;
}

bool startSeasons(Session& s, const SeasonStart& start, std::unique_ptr<ServiceConnection>& service) {
    Vildo& app = *s.app;
    if (start.seed) seedPresses(app, *start.seed);
    if (start.countyItem) {
        service = std::make_unique<ServiceConnection>(start.service, start.db);
        app.dataService = service->client();
    }
    s.start(start.settings);
    app.IntervalMembers = start.intervalMembers;
    if (start.countyItem && !loadHistory(s, *start.countyItem, *start.areaItem, start.estimate, start.seed))
        return false;
    return s.settle();
}

}  // namespace vildo::cli
