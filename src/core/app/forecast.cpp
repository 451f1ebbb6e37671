#include "app/forecast.h"

#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <atomic>
#include <stdexcept>

#include "app/estimate_ensemble.h"
#include "app/season_driver.h"
#include "app/vildo.h"
#include "calibration/estimate_interval.h"
#include "model/prompts.h"
#include "ui/window_design.h"
#include "util/random.h"

namespace vildo {

namespace {

ForecastSeason seasonOf(const Vildo& a) {
    ForecastSeason s;
    s.winterDensity = a.Winter.WinterDensity;
    s.summerDensity = a.Summer.SummerDensity;
    s.harvest = a.HarvestTot.TotalShot;
    s.target = static_cast<double>(a.Goals.BullQuota) + a.Goals.CowQuota + a.Goals.CalfQuota;
    s.bullShare = a.Winter.WinterAdults > 0 ? 100 * a.Winter.WinterBulls / a.Winter.WinterAdults : 0;
    s.calvesPerCow = a.CalvesPerCow;
    return s;
}

// A shot-out stock: nothing left to count from this season on; what was shot and planned stays.
ForecastSeason extinctSeason(ForecastSeason s) {
    s.winterDensity = s.summerDensity = s.bullShare = s.calvesPerCow = 0;
    s.extinct = true;
    return s;
}

// One future: presses of the forward button on a private copy of the state until `years` seasons have run.
std::vector<ForecastSeason> runReplicate(const Vildo& start, int years, uint32_t seed, const MemberStock* stock,
                                         const std::optional<HarvestPlan>& plan) {
    SilentPrompts prompts;  // the shot-out question is refused: the stock stays shot out
    Vildo app = start;
    app.HeldPlan = plan;
    app.prompts = &prompts;
    app.dataService = nullptr;
    app.CalibrationSeed.reset();
    app.NoSnapshotFile = true;
    // Positions set directly: the change handlers would probe the working folder.
    app.ctl(C::chk_save).position = 0;
    app.ctl(C::chk_biodata).position = 0;
    app.platform.clockSeed = [seed, k = 0u]() mutable { return mixSeed(seed, k++); };

    std::vector<ForecastSeason> seasons;
    seasons.reserve(static_cast<size_t>(years));
    if (stock && stock->shotOut) {
        // A member whose history shot the stock out: a plausible history with nothing left to hunt.
        ForecastSeason none = extinctSeason(seasonOf(app));
        none.harvest = 0;
        return std::vector<ForecastSeason>(static_cast<size_t>(years), none);
    }
    if (stock) putStock(app, widenedStock(*stock, start.Ensemble->interval.median));
    app.seasonObserver = [&](const Vildo& a) {
        if (seasons.size() < static_cast<size_t>(years)) seasons.push_back(seasonOf(a));
    };
    while (seasons.size() < static_cast<size_t>(years)) {
        const int yearBefore = app.YearNo;
        SpeedButton1Click(app);
        if (app.Winter.WinterStock <= 0) {
            // Every season counts one year on. The press returns before the observer when the stock is shot
            // out, but a first press has observed it already.
            const size_t shot = static_cast<size_t>(app.YearNo - start.YearNo - 1);
            if (shot >= static_cast<size_t>(years)) break;
            if (shot < seasons.size()) {
                seasons.resize(shot + 1);
                seasons.back() = extinctSeason(seasons.back());
            } else {
                seasons.push_back(extinctSeason(seasonOf(app)));
            }
            ForecastSeason after = seasons.back();
            after.harvest = 0;
            seasons.resize(static_cast<size_t>(years), after);
            break;
        }
        if (app.YearNo == yearBefore) throw std::logic_error("forecast: a forward press ran no season");
    }
    return seasons;
}

}  // namespace

int firstForecastYear(const Vildo& app) {
    if (app.AreaLoaded && app.checked(C::chk_stats) && app.StartIndex >= 0 &&
        static_cast<size_t>(app.StartIndex) < app.Statistics.size())
        return app.Statistics[static_cast<size_t>(app.StartIndex)].year + app.YearNo;
    return app.platform.currentYear ? app.platform.currentYear() + app.YearNo : 0;
}

double defaultForecastGoal(const Vildo& app) {
    if (!app.AreaLoaded) return app.TargetDensity;
    // Without one, the wanted density the program starts with.
    return app.WantedBeforeArea.value_or(designControls()[static_cast<int>(C::Trk_density)].position / 10.0);
}

bool forecastFromEnsemble(const Vildo& app) {
    return app.Ensemble && !app.Ensemble->stocks.empty() && ensembleApplies(app) &&
           app.Ensemble->startIndex == app.StartIndex && app.Ensemble->yearNo == app.YearNo;
}

Forecast runForecast(const Vildo& app, const ForecastRequest& request, const ForecastProgress& progress) {
    if (request.years < 1 || request.years > 20) throw std::invalid_argument("forecast: years outside 1..20");
    if (request.replicates < 1) throw std::invalid_argument("forecast: no replicates");
    if (request.goal && !(*request.goal > 0)) throw std::invalid_argument("forecast: a goal must be positive");
    if (!(request.floor >= 0)) throw std::invalid_argument("forecast: a floor must not be negative");
    if (request.plan && harvestPlanError(*request.plan)) throw std::invalid_argument("forecast: a plan cannot be hunted");
    const std::vector<MemberStock>* stocks = forecastFromEnsemble(app) ? &app.Ensemble->stocks : nullptr;
    const int n = request.replicates;
    std::vector<std::vector<ForecastSeason>> futures(static_cast<size_t>(n));
    std::atomic<int> done{0};
    std::atomic<bool> cancelled{false};
    tbb::task_arena arena(request.threads > 0 ? request.threads : tbb::task_arena::automatic);
    arena.execute([&] {
        tbb::parallel_for(0, n, [&](int r) {
            if (cancelled.load(std::memory_order_relaxed)) return;
            const MemberStock* stock = stocks ? &(*stocks)[static_cast<size_t>(r) % stocks->size()] : nullptr;
            futures[static_cast<size_t>(r)] =
                runReplicate(app, request.years, mixSeed(request.seed, static_cast<uint32_t>(r)), stock, request.plan);
            const int finished = done.fetch_add(1) + 1;
            if (progress && !progress(finished)) cancelled = true;
        });
    });
    // A cancelled run keeps its finished replicates, in replicate order.
    std::erase_if(futures, [](const std::vector<ForecastSeason>& f) { return f.empty(); });
    Forecast f = summariseForecast(futures, request.goal.value_or(defaultForecastGoal(app)), firstForecastYear(app),
                                   request.floor);
    f.cancelled = cancelled;
    return f;
}

}  // namespace vildo
