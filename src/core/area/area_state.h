// The area's part of the state: the averages of the yearly statistics, the statistics table, the area menu,
// the data service and the batch's place in the menu.
#pragma once
#include <cstdint>
#include <vector>

#include "area/county_table.h"
#include "area/statistics.h"
#include "hunt/season_state.h"
#include "util/grid.h"

namespace vildo {

class DataService;

struct AreaState : SeasonState {
    AreaAverages StartAverages{}, RecentAverages{};
    std::vector<int32_t> CCValues;
    Grid StringGrid6 = statisticsGrid();
    CountyMenu Omrde1 = countyMenu();
    DataService* dataService = nullptr;   // not owned; without one every request fails as offline
    bool AreaNamesFailed = false;         // the last fetch of the area menu's names failed: it may be tried again
    uint32_t BatchLan = 0, BatchAfo = 0;  // copies of LanAFO's indexes for the carrying-capacity batch
};

}  // namespace vildo
