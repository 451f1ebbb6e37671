// The chart operations: population pyramids and yearly curves, the land-use pie and the parameter graphs.
#pragma once
#include "model/state.h"

namespace vildo {

// The bars of age index j (0..19) in both pyramids; j = 1 also refreshes the mean-age and harvest chart
// and the land-use pie.
void Graph(Vildo& app, int j);
// Appends year n of the hunt (0 = the preparing year) to the yearly charts and refreshes the pie.
void PopGraph(Vildo& app, int year);
// Empties the yearly charts and resets their year axes; reports its own errors.
void Cleargraph(Vildo& app);
// The parameter graphs: fecundity, carcass weight, mortality by age; predators from the area's history.
void Fekgraph(Vildo& app);
void Slaktgraf(Vildo& app);
void Dodlighetgraf(Vildo& app);
void Rovdjursgraf(Vildo& app);

// The land-use pie from the four land shares.
void landUsePie(Vildo& app);
// Empties both pyramids.
void clearPyramids(Vildo& app);
// The pyramids' horizontal ranges: the harvest's from its largest class value, the winter stock's from
// the wintering calves.
void scalePyramids(Vildo& app, double largestShot);
// Empties the pyramids, scales them and draws every age: the redraw after a settled run or a season.
void redrawPyramids(Vildo& app, double largestShot);

// The charts' part of the initialisation: year axes from last year on, ten empty predator years,
// observation and secondary series hidden, fixed pyramid ranges.
void initiateCharts(Vildo& app);
// Connects the view menu and "Visa aktuell fekunditet" to their handlers.
void wireChartHandlers(Vildo& app);

}  // namespace vildo
