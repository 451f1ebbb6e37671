#include "app/estimate_ensemble.h"

#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <atomic>

#include "app/scheduler.h"
#include "app/season_driver.h"
#include "app/vildo.h"
#include "calibration/estimate_interval.h"
#include "calibration/full_calibration_steps.h"
#include "model/prompts.h"
#include "util/random.h"

namespace vildo {

namespace {

struct MemberResult {
    MemberEstimate estimate;
    MemberStock stock;
};

// One member: the pseudo-history, the perturbed start, then the full calibration as from a cached setting, on
// the virtual clock, to its verdict.
MemberResult runMember(const Vildo& base, uint32_t seed) {
    SilentPrompts prompts;
    Vildo m = base;
    m.prompts = &prompts;
    m.platform.clockSeed = [seed, k = 0u]() mutable { return mixSeed(mixSeed(seed, 4), k++); };
    applyPseudoHistory(m, base, mixSeed(seed, 1));
    const CalibrationSetting start = perturbedStart({static_cast<double>(base.pos(C::Trk_density)),
                                                     static_cast<double>(base.pos(C::Trk_barkraftovrig)), base.CCSlope},
                                                    mixSeed(seed, 2));
    btn_rensaClick(m);
    setPosition(m, C::Trk_density, static_cast<int>(start.density));
    setPosition(m, C::Trk_barkraftovrig, static_cast<int>(start.forage));
    m.CCSlope = start.ccSlope;
    m.CalibrationSeed = mixSeed(seed, 3);
    setTimer(m, 12, true);
    Scheduler(m).runUntil([&] { return !calibrationRunning(m); });

    // A replay that shot the stock out went back to where it began: the member's stock is gone.
    const bool shotOut = m.ReplayShotOut || m.Winter.WinterStock <= 0 || m.StartIndex - 1 + m.YearNo != m.DataYears;
    MemberResult r;
    if (!shotOut) r.estimate = {m.Winter.WinterDensity, m.Summer.SummerDensity};
    r.stock = takeStock(m, shotOut);
    return r;
}

}  // namespace

bool ensembleApplies(const Vildo& app) {
    return app.AreaLoaded && app.checked(C::chk_stats) && app.SeasonStarted && app.YearNo > 0 &&
           app.StartIndex - 1 + app.YearNo == app.DataYears && !app.Replay.summerDensity.empty();
}

std::shared_ptr<const Vildo> ensembleBase(const Vildo& app) {
    auto base = std::make_shared<Vildo>(app);
    base->prompts = nullptr;  // each member has its own
    base->dataService = nullptr;
    base->seasonObserver = nullptr;
    base->BatchStart.reset();
    base->NoSnapshotFile = true;
    base->IntervalMembers = 0;
    base->Ensemble.reset();
    base->TrimMode = false;
    base->CacheApplied = false;
    base->Recalibrate = false;
    base->ScenarioLoaded = false;  // a member's reset must not ask
    // Positions set directly: the change handlers would probe the working folder.
    base->ctl(C::chk_save).position = 0;
    base->ctl(C::chk_biodata).position = 0;
    for (int n = 1; n < kTimerCount; ++n) base->timers[n].enabled = false;
    return base;
}

std::optional<EstimateEnsemble> runEstimateEnsemble(const Vildo& base, const EnsembleRequest& request,
                                                    const EnsembleProgress& progress) {
    const int n = std::max(request.members, 0);
    std::vector<MemberResult> results(static_cast<size_t>(n));
    std::atomic<int> done{0};
    std::atomic<bool> cancelled{false};
    tbb::task_arena arena(request.threads > 0 ? request.threads : tbb::task_arena::automatic);
    arena.execute([&] {
        tbb::parallel_for(0, n, [&](int b) {
            if (cancelled.load(std::memory_order_relaxed)) return;
            results[static_cast<size_t>(b)] = runMember(base, mixSeed(request.seed, static_cast<uint32_t>(b)));
            if (progress && !progress(done.fetch_add(1) + 1)) cancelled = true;
        });
    });
    if (cancelled) return std::nullopt;
    EstimateEnsemble e;
    std::vector<MemberEstimate> estimates;
    for (MemberResult& r : results) {
        estimates.push_back(r.estimate);
        e.stocks.push_back(r.stock);
    }
    e.interval = summariseMembers(estimates);
    e.startIndex = base.StartIndex;
    e.yearNo = base.YearNo;
    return e;
}

void estimateInterval(Vildo& app) {
    app.Ensemble.reset();
    if (app.IntervalMembers <= 0 || !ensembleApplies(app)) return;
    EnsembleRequest request;
    request.members = app.IntervalMembers;
    request.seed = app.platform.clockSeed();
    // The copy is taken here, on the thread that owns the state; the work reads nothing else of it.
    std::shared_ptr<const Vildo> base = ensembleBase(app);
    std::optional<EstimateEnsemble> result;
    const bool finished = app.prompts->longWork(
        "Beräknar osäkerheten i skattningen: " + std::to_string(request.members) + " omräkningar …",
        [&](const ProgressReport& report) {
            result = runEstimateEnsemble(*base, request,
                                         [&](int done) { return report(static_cast<double>(done) / request.members); });
        });
    if (finished && result) app.Ensemble = std::move(result);
}

}  // namespace vildo
