// vildo-cli area: the area menu, one area's download, and area files, against the data service.
#include <iostream>
#include <vector>

#include "app/area_file_menu.h"
#include "app/area_loading.h"
#include "app/dispatch.h"
#include "area/area_file.h"
#include "area/county_table.h"
#include "cli_common.h"
#include "commands.h"
#include "service_connection.h"
#include "util/format.h"
#include "util/json_writer.h"
#include "util/parse.h"

namespace vildo::cli {

namespace {

struct Options {
    std::string sub, file, service;
    std::filesystem::path db;
    std::optional<int> county, countyItem, areaItem;
    bool json = false;
};

int intOption(const std::vector<std::string>& args, size_t& i) {
    std::string name = args[i];
    auto v = parseInt(optionValue(args, i));
    if (!v || *v < 0 || *v > 1000000) throw UsageError(name + " väntar ett heltal 0 eller större");
    return static_cast<int>(*v);
}

Options parseOptions(const std::vector<std::string>& args) {
    if (args.empty()) throw UsageError("area väntar list, show, save eller open");
    Options o;
    o.sub = args[0];
    if (o.sub != "list" && o.sub != "show" && o.sub != "save" && o.sub != "open")
        throw UsageError("okänt delkommando: " + o.sub);
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--county")
            o.county = intOption(args, i);
        else if (a == "--county-item")
            o.countyItem = intOption(args, i);
        else if (a == "--area-item")
            o.areaItem = intOption(args, i);
        else if (a == "--db")
            o.db = optionValue(args, i);
        else if (a == "--service")
            o.service = optionValue(args, i);
        else if (a == "--json")
            o.json = true;
        else if ((o.sub == "save" || o.sub == "open") && o.file.empty() && a.rfind("--", 0) != 0)
            o.file = a;
        else
            throw UsageError("okänt argument: " + a);
    }
    if ((o.sub == "save" || o.sub == "open") && o.file.empty()) throw UsageError("area " + o.sub + " väntar en FIL");
    if ((o.sub == "show" || o.sub == "save") && (!o.countyItem || !o.areaItem))
        throw UsageError("area " + o.sub + " väntar --county-item I och --area-item J");
    return o;
}

int list(Session& s, const Options& o) {
    const CountyMenu& menu = s.app->Omrde1;
    for (size_t i = 0; i < menu.size(); ++i) {
        int code = countyCode(menu[i].caption).value_or(0);
        if (o.county && *o.county != code) continue;
        std::cout << i << "  " << menu[i].caption << " (länskod " << code << ")\n";
        for (size_t j = 0; j < menu[i].areas.size(); ++j) std::cout << "    " << j << "  " << menu[i].areas[j] << '\n';
    }
    return 0;
}

// The area item, checked against the menu the service gave.
bool loadArea(Session& s, const Options& o) {
    const CountyMenu& menu = s.app->Omrde1;
    if (*o.countyItem >= static_cast<int>(menu.size()))
        throw UsageError("--county-item ska vara 0.." + std::to_string(menu.size() - 1));
    const CountyItem& county = menu[*o.countyItem];
    if (*o.areaItem >= static_cast<int>(county.areas.size()))
        throw UsageError(county.caption + " har " + std::to_string(county.areas.size()) +
                         " områden i datatjänsten; --area-item ska vara mindre");
    bool loaded = false;
    dispatch(*s.app, [&] { loaded = NyttOmrade(*s.app, *o.countyItem, *o.areaItem); });
    return loaded;
}

constexpr C kInputs[] = {C::trk_ungskog,
                         C::Trk_Kalvskytte,
                         C::Trk_tjurandel,
                         C::trk_harvest,
                         C::trk_reprod,
                         C::trk_sexratio,
                         C::Trk_Slaktviktko,
                         C::trk_slaktvikttjur,
                         C::Trk_barkraftovrig,
                         C::trk_kododlighet,
                         C::trk_tjurdodlighet,
                         C::Trk_kalvdodlighetsommar,
                         C::Trk_Kalvdodlighetvinter};

// The years of the statistics records. Record 0 holds none, nor does the record of the answer's fit-cache
// line at the end.
std::vector<int> recordedYears(const Vildo& a) {
    std::vector<int> years;
    for (size_t p = 1; p < a.Statistics.size(); ++p)
        if (a.Statistics[p].year != 0) years.push_back(a.Statistics[p].year);
    return years;
}

void printJson(const Vildo& a) {
    const TAreaHeader& h = a.Header;
    JsonWriter j;
    j.beginObject();
    j.key("LOmrade").value(a.ctl(C::LOmrade).caption);
    j.key("Header").beginObject();
    j.key("Jaktarea").value(h.Jaktarea).key("Landarea").value(h.Landarea);
    j.key("OtherLandHaA").value(h.OtherLandHaA).key("OtherLandHaB").value(h.OtherLandHaB);
    j.key("ImpedimentHa").value(h.ImpedimentHa).key("AreaForage").value(h.AreaForage);
    j.key("Lankod").value(h.Lankod).key("Lan").value(getShort(h.Lan));
    j.key("AFO").value(getShort(h.AFO)).key("AFOnr").value(h.AFOnr);
    j.key("AreaCCSlope").value(h.AreaCCSlope);
    j.endObject();
    j.key("DataYears").value(a.DataYears);
    j.key("Years").beginArray();
    for (int year : recordedYears(a)) j.value(year);
    j.endArray();
    j.key("StartYears").beginArray();
    for (const std::string& y : a.ctl(C::Combo_Startyear).items) j.value(y);
    j.endArray();
    j.key("Controls").beginObject();
    for (C id : kInputs) j.key(a.ctl(id).name).value(a.pos(id));
    j.endObject();
    j.key("YoungForestPct").value(a.Land.YoungForestPct).key("OtherLandPct").value(a.Land.OtherLandPct);
    j.key("ImpedimentPct").value(a.Land.ImpedimentPct).key("ForestPct").value(a.Land.ForestPct);
    j.key("HuntAreaHa").value(a.HuntAreaHa).key("AreaKha").value(a.AreaKha).key("CCSlope").value(a.CCSlope);
    j.key("BullWeightParam").value(a.BullWeightParam).key("CowWeightParam").value(a.CowWeightParam);
    j.key("BullCalfWeight").value(a.BullCalfWeight).key("HeiferCalfWeight").value(a.HeiferCalfWeight);
    j.key("StringGrid6").beginArray();
    for (int col : {0, 2})
        for (int row = 0; row < 6; ++row)
            j.beginArray().value(a.StringGrid6.cell(col, row)).value(a.StringGrid6.cell(col + 1, row)).endArray();
    j.endArray();
    j.endObject();
    std::cout << j.str() << '\n';
}

void printText(const Vildo& a) {
    const TAreaHeader& h = a.Header;
    std::cout << a.ctl(C::LOmrade).caption << '\n'
              << "Län: " << getShort(h.Lan) << " (länskod " << h.Lankod << "), område nr " << h.AFOnr << '\n'
              << "Jaktareal: " << grouped(h.Jaktarea, 0) << " ha, landareal: " << grouped(h.Landarea, 0) << " ha\n"
              << "Statistikår: ";
    const std::vector<int> years = recordedYears(a);
    for (size_t i = 0; i < years.size(); ++i) std::cout << (i > 0 ? " " : "") << years[i];
    std::cout << "\nÅr med avskjutning (DataYears): " << a.DataYears << "\nStartår:";
    for (const std::string& y : a.ctl(C::Combo_Startyear).items) std::cout << ' ' << y;
    std::cout << "\nModellindata:\n";
    for (C id : kInputs) std::cout << "  " << a.ctl(id).name << " = " << a.pos(id) << '\n';
    std::cout << "  Markanvändning: ungskog " << fix(a.Land.YoungForestPct, 4, 2) << " %, skog " << a.Land.ForestPct
              << " %, annan mark " << a.Land.OtherLandPct << " %, impediment " << a.Land.ImpedimentPct << " %\n"
              << "  Förändring älgbonitet per år: " << fix(a.CCSlope, 6, 3) << "\n"
              << a.ctl(C::GroupBox1).caption << ":\n";
    for (int col : {0, 2})
        for (int row = 0; row < 6; ++row)
            std::cout << "  " << a.StringGrid6.cell(col, row) << ": " << a.StringGrid6.cell(col + 1, row) << '\n';
}

}  // namespace

int areaCommand(const std::vector<std::string>& args) {
    Options o = parseOptions(args);
    Session s;
    if (o.sub == "open") {
        s.start({});
        s.prompts.fileAnswers.push_back(o.file);
        dispatch(*s.app, [&] { mnu_oppnaomradeClick(*s.app); });
        if (!s.app->AreaLoaded) {
            std::cerr << "Kunde inte läsa områdesfilen " << o.file << '\n';
            return 1;
        }
        o.json ? printJson(*s.app) : printText(*s.app);
        return 0;
    }
    ServiceConnection service(o.service, o.db);
    s.start({});
    s.app->dataService = service.client();
    bool names = false;
    dispatch(*s.app, [&] { names = FetchAreaNames(*s.app); });
    if (!names) return 1;
    if (o.sub == "list") return list(s, o);
    if (!loadArea(s, o)) return 1;
    if (o.sub == "save") {
        bool written = false;
        dispatch(*s.app, [&] { written = AreaWrite(*s.app, o.file); });
        return written ? 0 : 1;
    }
    o.json ? printJson(*s.app) : printText(*s.app);
    return 0;
}

}  // namespace vildo::cli
