// The data service's answers as the program reads them: the statistics of an area and its cached fit, loaded
// as the area menu does. Anything is either refused or gives a state the model can run.
#include <string>

#include "app/area_loading.h"
#include "app/scheduler.h"
#include "app/start_year.h"
#include "area/data_service.h"
#include "area_fakes.h"
#include "fuzz_app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static vildo::test::FakeDataService service;
    const std::string answer(reinterpret_cast<const char*>(data), size);
    vildo::fuzz::handle([&] { vildo::parseFitAnswer(answer); });
    vildo::Vildo& a = *vildo::fuzz::app();
    a.dataService = &service;
    service.answers["vildoAFOsql.php"] = "Uppsala|Testområdet";
    service.answers["vildosql.php"] = answer;
    service.answers["vildosql_R2.php"] = answer;
    service.calls.clear();
    if (a.Omrde1[2].areas.empty()) a.Omrde1[2].areas.push_back("Testområdet");
    // The area item's click: the download, then the start-year change with the cached fit; then the
    // equilibrium run from what was applied, without the estimate it would start.
    vildo::fuzz::handle([&] {
        if (!vildo::areaItemClick(a, 2, 0)) return;
        for (int n : {2, 6, 12}) vildo::setTimer(a, n, false);
        vildo::Scheduler(a).runUntil([&] { return !a.timers[1].enabled; });
    });
    return 0;
}
