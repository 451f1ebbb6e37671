#include "app/chart_editing.h"

#include <algorithm>
#include <cmath>

#include "app/parameter_handlers.h"
#include "app/vildo.h"
#include "model/parameters.h"
#include "model/settings_file.h"
#include "ui/chart_ops.h"
#include "ui/labels.h"
#include "util/round.h"

namespace vildo {

namespace {

// +step for the left button, -step for the right one, nothing for any other.
double buttonStep(MouseButton button, double step) {
    switch (button) {
        case MouseButton::Left: return step;
        case MouseButton::Right: return -step;
        default: return 0;
    }
}

void finishPredatorDrag(Vildo& app) {
    Chart& c = app.charts[10];
    const Series& wolves = c.series.at(0);
    const Series& bears = c.series.at(1);
    c.left.setRange(c.left.min, static_cast<double>(std::max<int64_t>(10, Round(wolves.largestY() + 2))));
    c.right.setRange(c.right.min, static_cast<double>(std::max<int64_t>(10, Round(bears.largestY() + 2))));
    TRov& r = app.Rov;
    const size_t n = wolves.points.size();
    r.Vargrevir.resize(n);
    r.Bjornpop.resize(n);
    auto bear = [&](size_t i) { return i < bears.points.size() ? bears.points[i].y : 0.0; };
    if (n > 0 && (movedFar(wolves.points[0].y, r.Vargrevir[0]) || movedFar(bear(0), r.Bjornpop[0]))) r.Changed = true;
    for (size_t i = 0; i < n; ++i) {
        r.Vargrevir[i] = wolves.points[i].y;
        r.Bjornpop[i] = bear(i);
    }
    app.SettingsChanged = true;
    trk_ungskogChange(app);
    Labels(app);
}

}  // namespace

bool movedFar(double now, double stored) { return std::fabs(now - stored) > std::max(stored, 1.0); }

void Chart6ClickSeries(Vildo& app, int age, MouseButton button) {
    const double step = buttonStep(button, 0.1);
    if (!app.charts[6].enabled || step == 0 || age < 0 || age > 20) return;
    double& f = app.Pop.Fecundity[age];
    f = std::clamp(f + step, 0.0, 3.0);
    Fekgraph(app);
    WriteSettings(app);
    app.Tick = 0;
    app.SettingsChanged = true;
    if (app.YearNo == 1) setTimer(app, 1, true);
}

void Chart4ClickSeries(Vildo& app, int series, int age, MouseButton button) {
    const double step = buttonStep(button, 1);
    if (!app.charts[4].enabled || step == 0 || age < 0 || age > 20) return;
    double& w = series == 0 ? app.Harvest.FemWeight[age] : app.Harvest.MaleWeight[age];
    w = std::clamp(w + step, 0.0, 300.0);
    Slaktgraf(app);
    WriteSettings(app);
    app.Tick = 0;
}

void Chart10MouseDown(Vildo& app, MouseButton button) {
    if (!app.charts[10].enabled) return;
    if (button == MouseButton::Left) app.predatorDrag = 0;
    if (button == MouseButton::Right) app.predatorDrag = 1;
}

void Chart10MouseMove(Vildo& app, double year, double value) {
    if (app.predatorDrag < 0) return;
    Chart& c = app.charts[10];
    Series& s = c.series.at(static_cast<size_t>(app.predatorDrag));
    const int64_t index = Round(year - c.bottom.min);
    if (index < 0 || index >= static_cast<int64_t>(s.points.size())) return;
    const double v = std::max(0.0, static_cast<double>(Round(value * 2)) / 2);
    s.points[static_cast<size_t>(index)].y = v;
    Axis& axis = app.predatorDrag == 0 ? c.left : c.right;
    if (v > axis.max) axis.setRange(axis.min, v + 2);
}

void Chart10MouseUp(Vildo& app, MouseButton button) {
    const int released = button == MouseButton::Left ? 0 : button == MouseButton::Right ? 1 : -1;
    if (app.predatorDrag < 0 || released != app.predatorDrag) return;
    app.predatorDrag = -1;
    finishPredatorDrag(app);
}

}  // namespace vildo
