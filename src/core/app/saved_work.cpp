#include "app/saved_work.h"

#include <algorithm>

#include "app/vildo.h"
#include "area/area_file.h"
#include "model/parameters.h"

namespace vildo {

namespace {

// The area file's bytes as a save would write them now: the sliders' record takes the positions of the moment.
std::string workBytes(const Vildo& app) {
    const TSliderValues sliders = trackValues(app);
    return areaFileBytes(app).append(reinterpret_cast<const char*>(&sliders), sizeof sliders);
}

bool timersStopped(const Vildo& app) {
    return std::none_of(app.timers.begin() + 1, app.timers.end(), [](const Timer& t) { return t.enabled; });
}

}  // namespace

void noteWorkSaved(Vildo& app) { app.savedWorkDue = true; }

void settleSavedWork(Vildo& app) {
    if (!app.savedWorkDue || !timersStopped(app)) return;
    // The area file holds the whole state of the moment: what it would write now is what the user would lose.
    app.savedWork = workBytes(app);
    app.savedWorkDue = false;
}

bool hasUnsavedWork(const Vildo& app) {
    if (!app.AreaLoaded && !app.ScenarioLoaded) return false;
    if (app.savedWorkDue) return false;
    return workBytes(app) != app.savedWork;
}

void noteRecentFile(Vildo& app, const std::string& file) {
    auto& files = app.recentFiles;
    files.erase(std::remove(files.begin(), files.end(), file), files.end());
    files.insert(files.begin(), file);
    if (files.size() > kRecentFileCount) files.resize(kRecentFileCount);
}

}  // namespace vildo
