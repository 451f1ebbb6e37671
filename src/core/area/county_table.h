// The counties: their official codes, the "Område" menu with one item per county and the management areas
// the data service knows under each, fetched at start-up.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace vildo {

struct AreaState;

struct CountyItem {
    std::string caption;
    std::vector<std::string> areas;  // the area items, in the order the service gave them
};
using CountyMenu = std::vector<CountyItem>;

constexpr int kCountyItems = 21;
constexpr int kNationalCode = 26;

// The 21 county items in menu order, without areas.
CountyMenu countyMenu();

// The code of a county caption in the county table, or nothing for an unknown name.
std::optional<int> countyCode(const std::string& name);

// What follows a county's caption in the area label: "", " län" or "s län".
std::string countySuffix(int countyItem);

// One request per county, in menu order; false, with its message, when a request fails.
bool FetchAreaNames(AreaState& app);

}  // namespace vildo
