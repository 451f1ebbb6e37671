// GlobalCC.csv, the carrying-capacity batch's file: one line per area of the walk through the area menu, in
// menu order.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "area/area_state.h"
#include "area/county_table.h"

namespace vildo {

extern const char* const kGlobalCCHeader;

// An area item of the menu: county item and area item.
struct AreaItem {
    uint32_t lan = 0, afo = 0;
};
// The next area item after (lan, afo) in menu order, over counties without areas; false after the last.
bool nextArea(const CountyMenu& menu, uint32_t& lan, uint32_t& afo);
// The walk's areas in menu order from the first area of the first county that has any.
std::vector<AreaItem> batchAreas(const CountyMenu& menu);

// The start-year list's selected text; empty when nothing is selected.
std::string selectedItem(const AreaState& app);
// The area's data line (UTF-8, tab-separated, without the line end). An area without an estimate has its
// three estimate fields empty: the controls hold no estimate, only where its search gave up.
std::string globalCCLine(const AreaState& app, bool estimated = true);
// Appends the line to the file, the header first when the file is new; false, with its message, when it
// cannot be written.
bool appendGlobalCC(Prompts& prompts, const std::string& file, const std::string& line);
// The loaded area's line appended to the file.
bool writeGlobalCC(AreaState& app, const std::string& file, bool estimated = true);

}  // namespace vildo
