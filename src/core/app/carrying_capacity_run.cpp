#include "app/carrying_capacity_run.h"

#include <tbb/blocked_range.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/global_control.h>
#include <tbb/info.h>
#include <tbb/parallel_for.h>
#include <tbb/partitioner.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "app/carrying_capacity_batch.h"
#include "app/dispatch.h"
#include "app/full_calibration.h"
#include "app/scheduler.h"
#include "app/start_year.h"
#include "app/vildo.h"
#include "area/data_service.h"
#include "area/global_cc.h"
#include "model/prompts.h"

namespace vildo {

namespace {

// What an area's copy told or asked its user, passed on to the walk's own prompts in area order once the
// areas before it are through. The copy gets the answers of an unattended run: nothing chosen, and Abort
// for an error nothing handles.
class RecordedPrompts : public Prompts {
public:
    void message(const std::string& text) override {
        calls_.push_back([text](Prompts& p) { p.message(text); });
    }
    bool warningOkAbort(const std::string& text) override {
        calls_.push_back([text](Prompts& p) { p.warningOkAbort(text); });
        return false;
    }
    bool warningAbortIgnore(const std::string& text) override {
        calls_.push_back([text](Prompts& p) { p.warningAbortIgnore(text); });
        return true;
    }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> inputText(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    bool info(const std::string& text, const std::string& okCaption, bool showBox) override {
        calls_.push_back([=](Prompts& p) { p.info(text, okCaption, showBox); });
        return false;
    }
    bool question(const std::string& text, const std::string& okCaption, const std::string& cancelCaption) override {
        calls_.push_back([=](Prompts& p) { p.question(text, okCaption, cancelCaption); });
        return false;
    }

    void replay(Prompts& to) const {
        for (const auto& call : calls_) call(to);
    }

private:
    std::vector<std::function<void(Prompts&)>> calls_;
};

struct AreaRun {
    RecordedPrompts prompts;
    bool loaded = false;
    bool ended = false;               // the program was ended
    std::optional<std::string> line;  // the area's line of GlobalCC.csv, once its batch is done
    bool unestimated = false;         // ... without an estimate: its search gave up
};

// One area of the walk on a copy of the walk's start. The first area is clicked as the walk's operator
// clicks it; every later one is entered as the walk enters it after the area before.
void runArea(const std::shared_ptr<const Vildo>& start, AreaItem area, bool first, DataService* service, AreaRun& run) {
    auto copy = std::make_unique<Vildo>(*start);
    Vildo& app = *copy;
    app.prompts = &run.prompts;
    app.dataService = service;
    app.seasonObserver = nullptr;  // belongs to the caller's state, not to its copies on other threads
    app.BatchStart = start;
    Scheduler scheduler(app);
    dispatch(app, [&] {
        run.loaded = first ? areaItemClick(app, static_cast<int>(area.lan), static_cast<int>(area.afo))
                           : enterBatchArea(app, area);
        if (!run.loaded) return;
        // The walk writes the area's line where timer 4 fires once its start years are estimated.
        while (calibrationRunning(app) && !app.terminated) {
            const int next = scheduler.next();
            if (next == 0) return;
            if (next == 4 && !app.TrimMode) {
                run.unestimated = app.BatchSearchFailed;
                run.line = globalCCLine(app, !run.unestimated);
                return;
            }
            scheduler.step();
        }
    });
    run.ended = app.terminated;
}

}  // namespace

CarryingCapacityOutcome runCarryingCapacityBatch(Vildo& app, const CarryingCapacityRequest& request) {
    const std::vector<AreaItem> areas = batchAreas(app.Omrde1);
    if (areas.empty()) return CarryingCapacityOutcome::NotStarted;
    Vildo startState = app;
    startState.BatchStart.reset();
    const auto start = std::make_shared<const Vildo>(std::move(startState));

    std::vector<AreaRun> runs(areas.size());
    // The walk ends at the first area that does not finish; the areas after it need not run.
    std::atomic<size_t> stopAt{areas.size()};
    tbb::enumerable_thread_specific<std::unique_ptr<DataService>> clients(
        [&] { return request.service ? request.service() : std::unique_ptr<DataService>(); });
    const int threads = request.threads > 0 ? request.threads : tbb::info::default_concurrency();
    // More threads than cores are asked for on purpose: the process's limit follows for this run.
    tbb::global_control limit(tbb::global_control::max_allowed_parallelism,
                              static_cast<size_t>(std::max(threads, tbb::info::default_concurrency())));
    tbb::task_arena arena(threads);
    arena.execute([&] {
        tbb::parallel_for(
            tbb::blocked_range<size_t>(0, areas.size(), 1),
            [&](const tbb::blocked_range<size_t>& range) {
                for (size_t k = range.begin(); k != range.end(); ++k) {
                    if (k > stopAt.load()) continue;
                    runArea(start, areas[k], k == 0, clients.local().get(), runs[k]);
                    if (runs[k].line) continue;
                    size_t at = stopAt.load();
                    while (k < at && !stopAt.compare_exchange_weak(at, k)) {
                    }
                }
            },
            tbb::simple_partitioner());
    });

    bool unestimated = false;
    for (size_t k = 0; k < runs.size(); ++k) {
        const AreaRun& run = runs[k];
        run.prompts.replay(*app.prompts);
        if (run.ended) {
            app.terminated = true;
            return CarryingCapacityOutcome::Ended;
        }
        if (!run.loaded && k == 0) return CarryingCapacityOutcome::NotStarted;
        if (!run.line) return CarryingCapacityOutcome::Stopped;
        appendGlobalCC(*app.prompts, app.GlobalCCFile, *run.line);
        unestimated = unestimated || run.unestimated;
    }
    app.prompts->message("Klar!");
    return unestimated ? CarryingCapacityOutcome::Unestimated : CarryingCapacityOutcome::Done;
}

}  // namespace vildo
