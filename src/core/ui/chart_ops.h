// The chart operations: population pyramids and yearly curves, the land-use pie and the parameter graphs.
#pragma once
#include "ui/window_state.h"

namespace vildo {

// The bars of age index j (0..19) in both pyramids; j = 1 also refreshes the mean-age and harvest chart
// and the land-use pie.
void Graph(WindowState& app, int j);
// Appends year n of the hunt (0 = the preparing year) to the yearly charts and refreshes the pie.
void PopGraph(WindowState& app, int year);
// Empties the yearly charts and resets their year axes; reports its own errors.
void Cleargraph(WindowState& app);
// The parameter graphs: fecundity, carcass weight, mortality by age; predators from the area's history.
void Fekgraph(WindowState& app);
void Slaktgraf(WindowState& app);
void Dodlighetgraf(WindowState& app);
void Rovdjursgraf(WindowState& app);

// The land-use pie from the four land shares.
void landUsePie(WindowState& app);
// Empties both pyramids.
void clearPyramids(WindowState& app);
// The pyramids' horizontal ranges: the harvest's from its largest class value, the winter stock's from
// the wintering calves.
void scalePyramids(WindowState& app, double largestShot);
// Empties the pyramids, scales them and draws every age: the redraw after a settled run or a season.
void redrawPyramids(WindowState& app, double largestShot);

// The charts' part of the initialisation: year axes from last year on, ten empty predator years,
// observation and secondary series hidden, fixed pyramid ranges.
void initiateCharts(WindowState& app);

}  // namespace vildo
