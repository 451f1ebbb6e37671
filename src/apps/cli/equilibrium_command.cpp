// vildo-cli equilibrium: the planning mode's steady state for the given control positions.
#include <iostream>

#include "cli_common.h"
#include "commands.h"
#include "ui_dump.h"
#include "util/format.h"
#include "util/json_writer.h"

namespace vildo::cli {

namespace {

void printJson(const Vildo& a) {
    JsonWriter j;
    j.beginObject();
    j.key("WinterDensity").value(a.Winter.WinterDensity);
    j.key("WinterStock").value(a.Winter.WinterStock);
    j.key("SummerStock").value(a.Summer.SummerStock);
    j.key("SummerDensity").value(a.Summer.SummerDensity);
    j.key("CalvesPerCow").value(a.CalvesPerCow);
    j.key("HarvestPerArea").value(a.HarvestTot.HarvestPerArea);
    j.key("BullsShot").value(a.HarvestTot.BullsShot);
    j.key("CowsShot").value(a.HarvestTot.CowsShot);
    j.key("CalvesShot").value(a.HarvestTot.CalvesShot);
    j.key("TotalShot").value(a.HarvestTot.TotalShot);
    j.key("HarvestPressure").value(a.HarvestPressure);
    j.key("MaleShareSummer").value(a.Summer.MaleShareSummer);
    j.key("BullShareAdjust").value(a.BullShareAdjust);
    j.key("FecundityFactor").value(a.Fec.FecundityFactor);
    j.key("CarryingCapacity").value(a.Land.CarryingCapacity);
    j.key("ModelYears").value(a.ModelYears);
    j.key("MeanAgeShotBulls").value(a.HarvestTot.MeanAgeShotBulls);
    j.key("MeanAgeShotCows").value(a.HarvestTot.MeanAgeShotCows);
    j.key("MeanAgeWinterBulls").value(a.Winter.MeanAgeWinterBulls);
    j.key("MeanAgeWinterCows").value(a.Winter.MeanAgeWinterCows);
    j.key("Level0").value(a.Controller[0].Level);
    j.key("Level1").value(a.Controller[1].Level);
    j.key("FemWinter").array(a.Pop.FemWinter, kAges);
    j.key("MaleWinter").array(a.Pop.MaleWinter, kAges);
    j.endObject();
    std::cout << j.str() << '\n';
}

void printText(const Vildo& a) {
    std::cout << "Vintertäthet:        " << fix(a.Winter.WinterDensity, 6, 2) << " per 1000 ha\n"
              << "Vinterstam:          " << fix(a.Winter.WinterStock, 8, 0) << "\n"
              << "Sommarstam:          " << fix(a.Summer.SummerStock, 8, 0) << "\n"
              << "Kalv per ko:         " << fix(a.CalvesPerCow, 4, 2) << "\n"
              << "Avskjutning:         " << fix(a.HarvestTot.TotalShot, 8, 0) << " (tjur "
              << fix(a.HarvestTot.BullsShot, 8, 0) << ", ko " << fix(a.HarvestTot.CowsShot, 8, 0) << ", kalv "
              << fix(a.HarvestTot.CalvesShot, 8, 0) << ")\n"
              << "Avskjutning/1000 ha: " << fix(a.HarvestTot.HarvestPerArea, 4, 2) << "\n"
              << "Jakttryck:           " << fix(a.HarvestPressure, 4, 3) << "\n"
              << "Tjurandel sommar:    " << fix(a.Summer.MaleShareSummer, 4, 3) << "\n"
              << "Bärkraft:            " << fix(a.Land.CarryingCapacity, 4, 1) << " per 1000 ha\n"
              << "Modellår:            " << a.ModelYears << "\n";
}

}  // namespace

int equilibriumCommand(const std::vector<std::string>& args) {
    std::vector<ControlSetting> settings;
    bool json = false;
    std::optional<std::string> dumpFile;
    for (size_t i = 0; i < args.size(); ++i) {
        if (takeDumpUiOption(args, i, dumpFile))
            continue;
        else if (args[i] == "--set")
            settings.push_back(parseSetting(optionValue(args, i)));
        else if (args[i] == "--json")
            json = true;
        else
            throw UsageError("Okänt argument: " + args[i]);
    }
    Session s;
    s.start(settings);
    if (!s.settle()) return 1;
    json ? printJson(*s.app) : printText(*s.app);
    return writeUiDump(*s.app, dumpFile) ? 0 : 1;
}

}  // namespace vildo::cli
