// vildo-cli forecast: replicate futures from where the forward button stands, summarised year by year.
#include <iostream>
#include <optional>

#include "app/dispatch.h"
#include "app/forecast.h"
#include "app/season_driver.h"
#include "cli_common.h"
#include "commands.h"
#include "service_connection.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/json_writer.h"
#include "util/parse.h"

namespace vildo::cli {

namespace {

struct Options : SeasonStart {
    int years = 0;
    int replicates = 500;
    std::optional<int> presses;
    std::optional<std::string> csvFile;
    int threads = 0;
    bool json = false;
    std::optional<double> goal;
};

int intOption(const std::vector<std::string>& args, size_t& i, int min, int max) {
    const std::string name = args[i];
    std::string v = optionValue(args, i);
    auto n = parseInt(v);
    if (!n || *n < min || *n > max)
        throw UsageError(name + " ska vara ett heltal " + std::to_string(min) + ".." + std::to_string(max) +
                         ", fick: " + v);
    return static_cast<int>(*n);
}

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    o.intervalMembers = 40;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--years") {
            o.years = intOption(args, i, 1, 20);
        } else if (a == "--replicates") {
            o.replicates = intOption(args, i, 1, 1000000);
        } else if (a == "--threads") {
            o.threads = intOption(args, i, 1, 1024);
        } else if (a == "--presses") {
            o.presses = intOption(args, i, 0, 10000);
        } else if (a == "--county-item") {
            o.countyItem = intOption(args, i, 0, 1000);
        } else if (a == "--area-item") {
            o.areaItem = intOption(args, i, 0, 1000);
        } else if (a == "--no-estimate") {
            o.estimate = false;
        } else if (a == "--service") {
            o.service = optionValue(args, i);
        } else if (a == "--db") {
            o.db = optionValue(args, i);
        } else if (a == "--seed") {
            o.seed = seedOption(args, i);
        } else if (a == "--set") {
            o.settings.push_back(parseSetting(optionValue(args, i)));
        } else if (a == "--csv") {
            o.csvFile = optionValue(args, i);
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--members") {
            o.intervalMembers = intOption(args, i, 2, 10000);
        } else if (a == "--goal") {
            const std::string v = optionValue(args, i);
            const auto d = parseReal(v);
            if (!d || !(*d > 0) || *d > 1000) throw UsageError("--goal ska vara en täthet över 0, fick: " + v);
            o.goal = *d;
        } else {
            throw UsageError("Okänt argument: " + a);
        }
    }
    if (o.years == 0) throw UsageError("--years saknas");
    if (o.countyItem.has_value() != o.areaItem.has_value()) throw UsageError("--county-item och --area-item hör ihop");
    if (!o.countyItem && !o.estimate) throw UsageError("--no-estimate hör till --county-item och --area-item");
    return o;
}

void spreadJson(JsonWriter& j, const char* name, const Spread& s) {
    j.key(name).beginObject();
    j.key("p10").value(s.p10).key("p50").value(s.p50).key("p90").value(s.p90);
    j.endObject();
}

void printJson(const Forecast& f, uint32_t seed) {
    JsonWriter j;
    j.beginObject();
    j.key("replicates").value(f.replicates);
    j.key("seed").value(static_cast<int64_t>(seed));
    j.key("wantedDensity").value(f.wantedDensity);
    j.key("years").beginArray();
    for (const ForecastYear& y : f.years) {
        j.beginObject();
        j.key("season").value(y.season);
        j.key("year").value(y.year);
        spreadJson(j, "winterDensity", y.winterDensity);
        spreadJson(j, "summerDensity", y.summerDensity);
        spreadJson(j, "harvest", y.harvest);
        spreadJson(j, "bullShare", y.bullShare);
        spreadJson(j, "calvesPerCow", y.calvesPerCow);
        j.key("quotaFilled").value(y.quotaFilled);
        j.key("nearWanted").value(y.nearWanted);
        j.key("extinct").value(y.extinct);
        j.endObject();
    }
    j.endArray();
    j.endObject();
    std::cout << j.str() << '\n';
}

// Right-aligned in a field of `width` characters; the texts are UTF-8, so width counts characters, not bytes.
std::string right(const std::string& text, size_t width) {
    size_t chars = 0;
    for (unsigned char c : text) chars += (c & 0xC0) != 0x80;
    return std::string(width > chars ? width - chars : 0, ' ') + text;
}

std::string spreadText(const Spread& s, int decimals) {
    return right(fix(s.p10, 15, decimals), 7) + right(fix(s.p50, 15, decimals), 7) + right(fix(s.p90, 15, decimals), 7);
}

std::string percentText(double share) { return right(fix(100 * share, 15, 0) + " %", 10); }

void printText(const Forecast& f, uint32_t seed) {
    std::cout << "Prognos: " << f.replicates << " framtider om " << f.years.size() << " säsonger, frö " << seed
              << ", mål " << fix(f.wantedDensity, 15, 1) << " per 1000 ha vinterstam\n"
              << "Täthet per 1000 ha; percentilerna 10, 50 och 90 över framtiderna.\n"
              << right("", 11) << right("Vinterstam", 21) << right("Sommarstam", 21) << right("Avskjutning", 21)
              << right("Tjurandel %", 21) << right("Kalvar per ko", 21) << '\n'
              << right("År", 5) << right("Säsong", 7);
    for (int c = 0; c < 5; ++c) std::cout << right("p10", 7) << right("p50", 7) << right("p90", 7);
    std::cout << right("P(kvot)", 10) << right("P(±10 %)", 10) << right("P(utdöd)", 10) << '\n';
    for (const ForecastYear& y : f.years) {
        std::cout << right(y.year > 0 ? intStr(y.year) : "-", 5) << right(intStr(y.season), 7)
                  << spreadText(y.winterDensity, 2) << spreadText(y.summerDensity, 2) << spreadText(y.harvest, 0)
                  << spreadText(y.bullShare, 1) << spreadText(y.calvesPerCow, 2) << percentText(y.quotaFilled)
                  << percentText(y.nearWanted) << percentText(y.extinct) << '\n';
    }
}

}  // namespace

int forecastCommand(const std::vector<std::string>& args) {
    const Options o = parseOptions(args);
    Session s;
    Vildo& app = *s.app;
    std::unique_ptr<ServiceConnection> service;
    if (!startSeasons(s, o, service)) return 1;
    // With an area, one press replays its history: the forecast starts where the record ends.
    const int presses = o.presses.value_or(o.countyItem ? 1 : 0);
    for (int k = 1; k <= presses && !app.terminated; ++k) dispatch(app, [&] { SpeedButton1Click(app); });
    if (app.terminated) return 1;

    // Without --seed the clock chooses, as for the presses.
    const uint32_t seed = o.seed ? *o.seed : app.platform.clockSeed();
    const Forecast f = runForecast(
        app, {.years = o.years, .replicates = o.replicates, .seed = seed, .threads = o.threads, .goal = o.goal});
    o.json ? printJson(f, seed) : printText(f, seed);
    if (o.csvFile && !writeFileAtomic(*o.csvFile, forecastCsv(f))) {
        std::cerr << "Kan inte skriva till fil: " << *o.csvFile << '\n';
        return 1;
    }
    return 0;
}

}  // namespace vildo::cli
