// The planning mode's equilibrium run of four ticks of 1000 years, and its display.
#pragma once

namespace vildo {

struct Vildo;

// One tick of the equilibrium run.
void Runthepop(Vildo& app);
// The bottom-axis ranges of the two pyramids from the calves and the youngest harvest.
void redrawPyramidAxes(Vildo& app);
// The timer ticks of the equilibrium run and of the extinct population.
void Timer1Timer(Vildo& app);
void Timer3Timer(Vildo& app);

}  // namespace vildo
