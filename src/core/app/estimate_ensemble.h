// The estimate's interval: an ensemble of refits of the full calibration to pseudo-histories of the area,
// each on its own copy of the state and with its own random numbers, over every core.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "calibration/calibration_state.h"

namespace vildo {

struct Vildo;

struct EnsembleRequest {
    int members = 40;
    uint32_t seed = 0;  // member b draws from mixSeed(seed, b)
    int threads = 0;    // 0: every core; results never depend on it
};

// Called from worker threads with the number of members done; returning false cancels the run.
using EnsembleProgress = std::function<bool(int done)>;

// The state the members start from: a copy of the state after the best run's replay, made quiet (no dialog,
// service, file or export) and unable to start an ensemble of its own. Take it on the thread that owns the state.
std::shared_ptr<const Vildo> ensembleBase(const Vildo& app);

// Refits every member from the base and summarises their estimates; nothing when cancelled. The base's
// observations and replay series are the best run's; each member refits a pseudo-history of them from a
// perturbed best setting (the base's density and forage positions and CCSlope).
std::optional<EstimateEnsemble> runEstimateEnsemble(const Vildo& base, const EnsembleRequest& request,
                                                    const EnsembleProgress& progress = {});

// True when the state can carry an interval: an area's history replayed to its last year.
bool ensembleApplies(const Vildo& app);

// The verdict's wait: the ensemble of the state's best run, with the prompts' progress; kept in app.Ensemble.
void estimateInterval(Vildo& app);

}  // namespace vildo
