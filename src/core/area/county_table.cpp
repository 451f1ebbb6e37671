#include "area/county_table.h"

#include "area/area_state.h"
#include "area/data_service.h"
#include "area/service_text.h"

namespace vildo {

namespace {

// Name=code pairs; the codes are the official county codes, 26 the whole country.
constexpr std::pair<const char*, int> kCountyTable[] = {
    {"Blekinge", 10},       {"Dalarna", 20},     {"Gävleborg", 21},
    {"Halland", 13},        {"Jämtland", 23},    {"Jönköping", 6},
    {"Kalmar", 8},          {"Kronoberg", 7},    {"Norrbotten", 25},
    {"Skåne", 12},          {"Stockholm", 1},    {"Södermanland", 4},
    {"Uppsala", 3},         {"Värmland", 17},    {"Västerbotten", 24},
    {"Västernorrland", 22}, {"Västmanland", 19}, {"Västra Götaland", 14},
    {"Örebro", 18},         {"Östergötland", 5}, {"Nationellt", kNationalCode}};

constexpr const char* kMenuOrder[kCountyItems] = {
    "Nationellt",  "Stockholm", "Uppsala",   "Södermanland",   "Östergötland",    "Jönköping",    "Kronoberg",
    "Kalmar",      "Blekinge",  "Skåne",     "Halland",        "Västra Götaland", "Värmland",     "Örebro",
    "Västmanland", "Dalarna",   "Gävleborg", "Västernorrland", "Jämtland",        "Västerbotten", "Norrbotten"};

}  // namespace

CountyMenu countyMenu() {
    CountyMenu menu;
    for (const char* caption : kMenuOrder) menu.push_back({caption, {}});
    return menu;
}

std::optional<int> countyCode(const std::string& name) {
    for (const auto& [n, code] : kCountyTable)
        if (name == n) return code;
    return std::nullopt;
}

std::string countySuffix(int countyItem) {
    switch (countyItem) {
        case 0: return "";
        case 2:
        case 7:
        case 8:
        case 9:
        case 13: return " län";
        default: return "s län";
    }
}

bool FetchAreaNames(AreaState& app) {
    for (CountyItem& c : app.Omrde1) c.areas.clear();
    size_t m = 0;
    try {
        for (int i = 0; i <= 26; ++i) {
            if (i == 2 || i == 9 || i == 11 || i == 15 || i == 16 || i == 26) continue;
            std::string answer = serviceGet(app, "vildoAFOsql.php", areaNamesQuery(i == 0 ? kNationalCode : i));
            // Every county moves on to the next item, also one without areas: otherwise the areas of
            // every later county would land under the wrong county.
            if (m < app.Omrde1.size() && !answer.empty()) {
                std::vector<std::string> names = splitStrict(answer, '|', kMaxAreasPerCounty + 1);
                for (size_t k = 1; k < names.size(); ++k) {
                    if (names[k].size() > kMaxAreaNameBytes) throw ServiceError("för långt områdesnamn");
                    app.Omrde1[m].areas.push_back(std::move(names[k]));
                }
            }
            ++m;
        }
    } catch (const std::exception& e) {
        // The address and the reason, so that the user can tell a mistyped address from a service that is down.
        std::string text = "Något gick fel då ÄFO-namn skulle läsas in.";
        if (app.dataService && !app.dataService->address().empty())
            text += "\r\nAdress: " + app.dataService->address() + "produktion/vildoAFOsql.php";
        text += std::string("\r\nOrsak: ") + e.what();
        app.prompts->message(text);
        app.AreaNamesFailed = true;
        return false;
    }
    app.AreaNamesFailed = false;
    return true;
}

}  // namespace vildo
