// The planning mode's model year and the equilibrium run of four ticks of 1000 years.
#pragma once
#include "model/state.h"

namespace vildo {

// One model year: aging and births, summer, the deterministic hunt, winter.
void Processpop(Vildo& app);
// One tick of the equilibrium run.
void Runthepop(Vildo& app);
// A new hunting area keeps the density of the stock, not its head count: the next equilibrium run carries
// on from this stock, and a few thousand moose of the previous area spread over the whole country would be
// taken by the new area's predators in the first year and never recover.
void scaleStockToArea(Vildo& app, int32_t oldKha, int32_t newKha);
// The bottom-axis ranges of the two pyramids from the calves and the youngest harvest.
void redrawPyramidAxes(Vildo& app);
// The timer ticks of the equilibrium run and of the extinct population.
void Timer1Timer(Vildo& app);
void Timer3Timer(Vildo& app);

}  // namespace vildo
