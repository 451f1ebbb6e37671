// The hidden carrying-capacity batch: the forage setting of every start year of an area, the area's
// yearly forage trend from them, and the walk through the area menu that writes "GlobalCC.csv".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "area/global_cc.h"

namespace vildo {

struct Vildo;

// One start year's estimate into its slot, then the year before, until the first start year sets the trend.
void Timer5Timer(Vildo& app);
// The area's line of GlobalCC.csv once its batch is done, then the next area of the menu.
void Timer4Timer(Vildo& app);

// The batch's search gave up: the message names the area and its start year, and the walk goes on with the
// area's line, its estimate fields empty.
void batchSearchGaveUp(Vildo& app);

// The walk's next area, loaded from the state the walk started from; false, the walk ending, when it could
// not be loaded.
bool enterBatchArea(Vildo& app, AreaItem area);

}  // namespace vildo
