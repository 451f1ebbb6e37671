// vildo-cli batch: the carrying-capacity batch over the areas of the chosen counties, one line per area in
// GlobalCC.csv.
#include <iostream>

#include "app/carrying_capacity_batch.h"
#include "app/carrying_capacity_run.h"
#include "app/dispatch.h"
#include "app/scheduler.h"
#include "area/county_table.h"
#include "area/global_cc.h"
#include "area/http_data_service.h"
#include "cli_common.h"
#include "commands.h"
#include "service_connection.h"
#include "util/parse.h"

namespace vildo::cli {

namespace {

struct Options {
    std::optional<int> countyItem;
    int threads = 0;           // every core
    std::string out, service;  // out empty: GlobalCC.csv in the documents folder, as the window writes it
    std::filesystem::path db;
};

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--county-item") {
            auto v = parseInt(optionValue(args, i));
            if (!v || *v < 0 || *v >= kCountyItems)
                throw UsageError("--county-item ska vara 0.." + std::to_string(kCountyItems - 1));
            o.countyItem = static_cast<int>(*v);
        } else if (a == "--threads") {
            auto v = parseInt(optionValue(args, i));
            if (!v || *v < 1 || *v > 1024) throw UsageError("--threads ska vara 1..1024");
            o.threads = static_cast<int>(*v);
        } else if (a == "--out") {
            o.out = optionValue(args, i);
        } else if (a == "--service") {
            o.service = optionValue(args, i);
        } else if (a == "--db") {
            o.db = optionValue(args, i);
        } else {
            throw UsageError("okänt argument: " + a);
        }
    }
    return o;
}

}  // namespace

int batchCommand(const std::vector<std::string>& args) {
    Options o = parseOptions(args);
    Session s;
    s.start({});
    ServiceConnection service(o.service, o.db.empty() ? programDatabase(*s.app) : o.db);
    if (o.out.empty()) o.out = (std::filesystem::path(s.app->Paths.MyDocs) / "GlobalCC.csv").string();
    Vildo& app = *s.app;
    app.dataService = service.client();
    bool names = false;
    dispatch(app, [&] { names = FetchAreaNames(app); });
    if (!names) return 1;
    // The start-up finishes first, as before a user's first click: its season reset would cut into the run.
    Scheduler(app).runUntil(
        [&] { return !app.timers[7].enabled && !app.timers[13].enabled && !app.timers[1].enabled; });
    // The walk covers the areas left in the menu.
    if (o.countyItem)
        for (int i = 0; i < static_cast<int>(app.Omrde1.size()); ++i)
            if (i != *o.countyItem) app.Omrde1[static_cast<size_t>(i)].areas.clear();
    if (batchAreas(app.Omrde1).empty()) {
        std::cerr << "Inga områden att gå igenom\n";
        return 1;
    }
    app.GlobalCCFile = o.out;
    // The batch runs unattended: the estimate messages are off, as the batch's operator sets them.
    app.InfoFlags[2] = 0;
    app.InfoFlags[5] = 0;
    setChecked(app, C::chk_trimming, true);
    // The areas run side by side, each with a client of its thread's own.
    CarryingCapacityRequest request;
    request.threads = o.threads;
    request.service = [url = service.url()] { return std::make_unique<HttpDataService>(url); };
    const CarryingCapacityOutcome outcome = runCarryingCapacityBatch(app, request);
    // A walk that stopped at an area has not done its job, though every line it wrote stands.
    if (outcome == CarryingCapacityOutcome::Stopped)
        std::cerr << "Körningen stannade vid ett område; " << o.out << " har raderna för områdena före det.\n";
    if (outcome == CarryingCapacityOutcome::Unestimated)
        std::cerr << "Alla områden har en rad i " << o.out << ", men några saknar skattning (se ovan).\n";
    return outcome == CarryingCapacityOutcome::Done ? 0 : 1;
}

}  // namespace vildo::cli
