// The planning mode's model year, and the stock kept at its density on a new hunting area.
#pragma once
#include "model/model_state.h"
#include "util/errors.h"

namespace vildo {

// An error in the year's predation kills: reported like a controller failure, not like a failed year.
struct PredationError : VildoError {
    using VildoError::VildoError;
};

// One model year: aging and births, summer, the deterministic hunt, winter.
void Processpop(ModelState& app);
// A new hunting area keeps the density of the stock, not its head count: the next equilibrium run carries
// on from this stock, and a few thousand moose of the previous area spread over the whole country would be
// taken by the new area's predators in the first year and never recover.
void scaleStockToArea(ModelState& app, int32_t oldKha, int32_t newKha);

}  // namespace vildo
