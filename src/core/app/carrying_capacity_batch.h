// The hidden carrying-capacity batch: the forage setting of every start year of an area, the area's
// yearly forage trend from them, and the walk through the area menu that writes "GlobalCC.csv".
#pragma once
#include <string>

namespace vildo {

struct Vildo;

extern const char* const kGlobalCCHeader;

// One start year's estimate into its slot, then the year before, until the first start year sets the trend.
void Timer5Timer(Vildo& app);
// The area's line of GlobalCC.csv once its batch is done, then the next area of the menu.
void Timer4Timer(Vildo& app);

// The area's data line (UTF-8, tab-separated, without the line end).
std::string globalCCLine(const Vildo& app);
// Appends the line to the file, the header first when the file is new; false, with its message, when it
// cannot be written.
bool writeGlobalCC(Vildo& app, const std::string& file);

}  // namespace vildo
