// The national carrying-capacity batch: every seed area through its start years' estimates, GlobalCC.csv
// written, on one thread and on every core. The stand-in service serves the seed data set over loopback,
// as the command line's own connection does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/carrying_capacity_batch.h"
#include "app/carrying_capacity_run.h"
#include "app/scheduler.h"
#include "app/startup.h"
#include "app/vildo.h"
#include "area/global_cc.h"
#include "area/http_data_service.h"
#include "bench_platform.h"
#include "service/server.h"
#include "util/file_io.h"

namespace {

namespace fs = std::filesystem;

void BM_NationalCarryingCapacityBatch(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "vildo-batch-bench";
    fs::remove_all(dir);
    fs::create_directories(dir);
    vildo::service::BackgroundService service(dir / "service.db", vildo::service::defaultSeedDir());
    vildo::HttpDataService client(service.url());
    vildo::SilentPrompts prompts;
    vildo::CarryingCapacityRequest request;
    request.threads = static_cast<int>(state.range(0));
    request.service = [url = service.url()] { return std::make_unique<vildo::HttpDataService>(url); };
    size_t areas = 0, lines = 0;  // the areas of the menu, and the lines written
    for (auto _ : state) {
        state.PauseTiming();
        vildo::Platform p = vildo::bench::benchPlatform();
        p.documentsDir = p.appDataDir = p.exeDir = dir;
        auto app = std::make_unique<vildo::Vildo>(prompts, p);
        app->dataService = &client;
        vildo::startUp(*app);
        vildo::Scheduler(*app).runUntil(
            [&] { return !app->timers[7].enabled && !app->timers[13].enabled && !app->timers[1].enabled; });
        app->GlobalCCFile = (dir / "GlobalCC.csv").string();
        fs::remove(app->GlobalCCFile);
        app->InfoFlags[2] = app->InfoFlags[5] = 0;
        vildo::setChecked(*app, vildo::C::chk_trimming, true);
        areas = vildo::batchAreas(app->Omrde1).size();
        state.ResumeTiming();

        const vildo::CarryingCapacityOutcome outcome = vildo::runCarryingCapacityBatch(*app, request);
        if (outcome != vildo::CarryingCapacityOutcome::Done && outcome != vildo::CarryingCapacityOutcome::Unestimated)
            state.SkipWithError("the walk did not reach its last area");
        state.PauseTiming();
        const std::string text = vildo::readWholeFile(app->GlobalCCFile).value_or("");
        const auto ends = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
        lines = ends > 0 ? ends - 1 : 0;
        state.ResumeTiming();
    }
    state.counters["areas"] = static_cast<double>(areas);
    state.counters["lines"] = static_cast<double>(lines);
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_NationalCarryingCapacityBatch)
    ->Arg(1)
    ->Arg(static_cast<int64_t>(std::max(1u, std::thread::hardware_concurrency())))
    ->ArgName("threads")
    ->UseRealTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
