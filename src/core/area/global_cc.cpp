#include "area/global_cc.h"

#include <filesystem>

#include "util/cp1252.h"
#include "util/file_io.h"
#include "util/format.h"
#include "util/round.h"

namespace vildo {

const char* const kGlobalCCHeader =
    "År\tLanafo\tLankod\tLan\tAFOnr\tAFO\tJaktarea\tLandarea\tArea\tCCDensity\tDensity\tCCSlope";

bool nextArea(const CountyMenu& menu, uint32_t& lan, uint32_t& afo) {
    if (lan < menu.size() && afo + 1 < menu[lan].areas.size()) {
        ++afo;
        return true;
    }
    for (uint32_t l = lan + 1; l < menu.size(); ++l) {
        if (menu[l].areas.empty()) continue;
        lan = l;
        afo = 0;
        return true;
    }
    return false;
}

std::string selectedItem(const AreaState& app) {
    const Control& list = app.ctl(C::Combo_Startyear);
    if (list.position < 0 || list.position >= static_cast<int>(list.items.size())) return {};
    return list.items[static_cast<size_t>(list.position)];
}

std::string globalCCLine(const AreaState& app, bool estimated) {
    const TAreaHeader& h = app.Header;
    std::vector<std::string> fields = {selectedItem(app),
                                       intStr(static_cast<int64_t>(h.Lankod) * 100 + h.AFOnr),
                                       intStr(h.Lankod),
                                       getShort(h.Lan),
                                       intStr(h.AFOnr),
                                       getShort(h.AFO),
                                       intStr(h.Jaktarea),
                                       intStr(h.Landarea),
                                       intStr(app.AreaKha),
                                       fix(app.pos(C::Trk_barkraftovrig) / 10.0, 15, 1),
                                       fix(app.Winter.WinterDensity, 15, 1),
                                       intStr(Round(h.AreaCCSlope * 100))};
    if (!estimated)
        for (size_t i = fields.size() - 3; i < fields.size(); ++i) fields[i].clear();
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) line += (i ? "\t" : "") + fields[i];
    return line;
}

bool appendGlobalCC(Prompts& prompts, const std::string& file, const std::string& line) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(file, ec);
    const uint64_t end = exists ? std::filesystem::file_size(file, ec) : 0;
    std::string text = exists ? std::string() : std::string(kGlobalCCHeader) + "\r\n";
    text += line + "\r\n";
    if (ec || !writeBytesAt(file, end, toCp1252(text))) {
        prompts.message("Kunde inte skriva till filen: " + file);
        return false;
    }
    return true;
}

bool writeGlobalCC(AreaState& app, const std::string& file, bool estimated) {
    return appendGlobalCC(*app.prompts, file, globalCCLine(app, estimated));
}

std::vector<AreaItem> batchAreas(const CountyMenu& menu) {
    std::vector<AreaItem> areas;
    uint32_t lan = 0;
    while (lan < menu.size() && menu[lan].areas.empty()) ++lan;
    if (lan == menu.size()) return areas;
    uint32_t afo = 0;
    do areas.push_back({lan, afo});
    while (nextArea(menu, lan, afo));
    return areas;
}

}  // namespace vildo
