// One headless calibration of a seed area, from the area item's click to the verdict: the search, the
// full calibration with its replays, and the replay of the best setting, on the virtual clock. The data
// service answers in-process from the seed file, so only the program's own computation is timed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "area/data_service.h"
#include "app/full_calibration.h"
#include "app/start_year.h"
#include "app/vildo.h"
#include "app/scheduler.h"
#include "app/startup.h"
#include "util/file_io.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSeedArea = fs::path(__FILE__).parent_path().parent_path() / "data" / "areas" / "01_01.csv";

// The seed file as "vildosql.php" answers it: comment lines dropped, fields joined by "|", lines by ";".
std::string statisticsAnswer(const std::string& file) {
    std::string answer, line;
    const std::string text = vildo::readWholeFile(file).value_or("");
    size_t at = 0;
    while (at < text.size()) {
        size_t nl = text.find('\n', at);
        line = text.substr(at, nl == std::string::npos ? std::string::npos : nl - at);
        at = nl == std::string::npos ? text.size() : nl + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        for (char& c : line)
            if (c == ';') c = '|';
        answer += (answer.empty() ? "" : ";") + line;
    }
    return answer;
}

// Norra Roslagen alone in the menu, nothing cached, every upload registered.
class SeedService : public vildo::DataService {
public:
    explicit SeedService(std::string stats) : stats_(std::move(stats)) {}
    std::string get(const std::string& script, const std::string& query) override {
        if (script == "vildoAFOsql.php") return query.rfind("a=1&", 0) == 0 ? "Stockholm|Norra Roslagen" : "";
        if (script == "vildosql.php") return stats_;
        if (script == "vildosql_R2.php") return "R2;0;0;0;0;0";
        return "Registrerat";
    }

private:
    std::string stats_;
};

void BM_CalibrateSeedArea(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "vildo-calibration-bench";
    fs::create_directories(dir / "program");
    SeedService service(statisticsAnswer(kSeedArea.string()));
    vildo::SilentPrompts prompts;
    int64_t replays = 0;
    double density = 0;
    for (auto _ : state) {
        state.PauseTiming();
        vildo::Platform p;
        p.exeDir = dir / "program";
        p.documentsDir = dir;
        p.appDataDir = dir / "appdata";
        p.clockSeed = [] { return 20260202u; };
        p.currentYear = [] { return 2026; };
        p.wallSeconds = [] { return 0.0; };
        auto app = std::make_unique<vildo::Vildo>(prompts, p);
        app->dataService = &service;
        vildo::startUp(*app);
        vildo::Scheduler(*app).runUntil([&] { return !app->timers[13].enabled && !app->timers[1].enabled; });
        state.ResumeTiming();

        vildo::areaItemClick(*app, 1, 0);
        vildo::Scheduler(*app).runUntil([&] { return !vildo::calibrationRunning(*app); });

        state.PauseTiming();
        replays = app->HistoricRuns;
        density = app->Winter.WinterDensity;
        app.reset();
        state.ResumeTiming();
    }
    state.counters["replays"] = static_cast<double>(replays);
    state.counters["winter_density"] = density;
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_CalibrateSeedArea)->Unit(benchmark::kMillisecond);

}  // namespace
