#include "app/scenarios.h"

#include <filesystem>

#include "app/equilibrium_run.h"
#include "app/saved_work.h"
#include "app/season_driver.h"
#include "app/vildo.h"
#include "hunt/goals.h"
#include "model/population.h"
#include "model/state_files.h"
#include "ui/chart_ops.h"
#include "ui/labels.h"

namespace vildo {

namespace {

FileDialogRequest scenarioDialog(const Vildo& app, const char* title) {
    return {title, app.Paths.Currentscn, "Scenario file|*.scn", "scn", false};
}

std::string folderOf(const std::string& file) {
    std::string folder = std::filesystem::path(file).parent_path().string();
    return folder.empty() ? folder : folder + "/";
}

}  // namespace

void Sparascenario1Click(Vildo& app) {
    FileDialogRequest req = scenarioDialog(app, "Spara scenario till disk");
    req.overwritePrompt = true;
    auto file = app.prompts->saveFile(req);
    // A cancelled dialog keeps the folder last used.
    if (!file) return;
    if (WriteScenario(app, *file)) {
        noteWorkSaved(app);
        noteRecentFile(app, *file);
    }
    app.Paths.Currentscn = folderOf(*file);
}

void Laddascenario1Click(Vildo& app) {
    auto file = app.prompts->openFile(scenarioDialog(app, "Ladda scenario till disk"));
    if (!file) return;
    if (!ReadSnapshot(app, *file, 0)) {
        app.prompts->message("Kunde inte läsa in scenario.");
        return;
    }
    app.Paths.Currentscn = folderOf(*file);
    for (int c : {1, 2}) {
        app.charts[c].clearSeries(0);
        app.charts[c].clearSeries(1);
    }
    redrawPyramidAxes(app);
    for (int j = 0; j <= 19; ++j) Graph(app, j);
    Fekgraph(app);
    Slaktgraf(app);
    Dodlighetgraf(app);
    refillGoalColumn(app);
    Labels(app);
    app.ScenarioLoaded = true;
    app.activeLeftPage = C::TabSheet8;
    app.activeRightPage = C::TabSheet1;
    SpeedButton1Click(app);
    noteWorkSaved(app);
    noteRecentFile(app, *file);
    app.prompts->message("Ett scenario har lästs in. ");
}

}  // namespace vildo
