// The hidden carrying-capacity batch: the forage setting of every start year of an area, the area's
// yearly forage trend from them, and the walk through the area menu that writes "GlobalCC.csv".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "area/county_table.h"

namespace vildo {

struct Vildo;
class Prompts;

extern const char* const kGlobalCCHeader;

// One start year's estimate into its slot, then the year before, until the first start year sets the trend.
void Timer5Timer(Vildo& app);
// The area's line of GlobalCC.csv once its batch is done, then the next area of the menu.
void Timer4Timer(Vildo& app);

// An area item of the menu: county item and area item.
struct AreaItem {
    uint32_t lan = 0, afo = 0;
};
// The walk's areas in menu order from the first area of the first county that has any.
std::vector<AreaItem> batchAreas(const CountyMenu& menu);

// The walk's next area, loaded from the state the walk started from; false, the walk ending, when it could
// not be loaded.
bool enterBatchArea(Vildo& app, AreaItem area);

// The area's data line (UTF-8, tab-separated, without the line end).
std::string globalCCLine(const Vildo& app);
// Appends the line to the file, the header first when the file is new; false, with its message, when it
// cannot be written.
bool appendGlobalCC(Prompts& prompts, const std::string& file, const std::string& line);
// The loaded area's line appended to the file.
bool writeGlobalCC(Vildo& app, const std::string& file);

}  // namespace vildo
