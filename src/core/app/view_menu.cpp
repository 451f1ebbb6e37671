#include "app/view_menu.h"

#include <algorithm>
#include <initializer_list>

#include "app/vildo.h"
#include "ui/area_display.h"
#include "ui/chart_ops.h"

namespace vildo {

namespace {

constexpr C kLeftGroup[] = {C::Demografi1, C::Medellder1, C::Avskjutning1, C::ReproduktionochTjurandel1};
constexpr C kRightGroup[] = {C::lgtthetochAvskjutning1, C::Foderochlgbonitet1, C::Ddlighet1};

void setActive(Chart& c, std::initializer_list<size_t> indexes, bool active) {
    for (size_t i : indexes) c.series.at(i).active = active;
}

void showLeft(Vildo& app, std::initializer_list<int> shown) {
    for (int n : {1, 2, 8, 9}) app.charts[n].visible = false;
    for (int n : shown) app.charts[n].visible = true;
}

// The main chart's curve groups; the batch densities (series 4) keep their state.
void showCurves(Vildo& app, std::initializer_list<size_t> active, const char* leftTitle) {
    Chart& c = app.charts[5];
    c.left.title = leftTitle;
    setActive(c, {0, 1, 2, 3, 5, 6, 7, 8, 9, 10}, false);
    setActive(c, active, true);
    // The estimate's interval goes with the winter density.
    if (c.series.size() > kEstimateIntervalSeries)
        c.series[kEstimateIntervalSeries].active = std::find(active.begin(), active.end(), 1) != active.end();
    PopGraph(app, app.YearNo);
}

// Radio items check themselves: a click on the checked item only checks it again; any other click
// unchecks the rest of its group and shows the item's view.
template <size_t N>
bool select(Vildo& app, const C (&group)[N], C item) {
    Control& ctl = app.ctl(item);
    if (!ctl.checked()) {
        ctl.position = 1;
        return false;
    }
    for (C other : group)
        if (other != item) app.ctl(other).position = 0;
    return true;
}

void viewItemChanged(Vildo& app, C item) {
    switch (item) {
        case C::Demografi1: Demografi1Click(app); break;
        case C::Medellder1: Medellder1Click(app); break;
        case C::Avskjutning1: Avskjutning1Click(app); break;
        case C::ReproduktionochTjurandel1: ReproduktionochTjurandel1Click(app); break;
        case C::lgtthetochAvskjutning1: lgtthetochAvskjutning1Click(app); break;
        case C::Foderochlgbonitet1: Foderochlgbonitet1Click(app); break;
        case C::Ddlighet1: Ddlighet1Click(app); break;
        default: break;
    }
}

}  // namespace

void Demografi1Click(Vildo& app) {
    if (select(app, kLeftGroup, C::Demografi1)) showLeft(app, {1, 2});
}

void Medellder1Click(Vildo& app) {
    if (!select(app, kLeftGroup, C::Medellder1)) return;
    showLeft(app, {9});
    Chart& c = app.charts[9];
    setActive(c, {0, 1}, true);
    setActive(c, {2, 3, 4, 5}, false);
    c.bottom.visible = true;
}

void Avskjutning1Click(Vildo& app) {
    if (!select(app, kLeftGroup, C::Avskjutning1)) return;
    showLeft(app, {9});
    Chart& c = app.charts[9];
    setActive(c, {0, 1}, false);
    setActive(c, {2, 3, 4, 5}, true);
    c.bottom.visible = false;
}

void ReproduktionochTjurandel1Click(Vildo& app) {
    if (select(app, kLeftGroup, C::ReproduktionochTjurandel1)) showLeft(app, {8});
}

void lgtthetochAvskjutning1Click(Vildo& app) {
    if (select(app, kRightGroup, C::lgtthetochAvskjutning1)) showCurves(app, {0, 1, 2, 3}, kDensityTitle);
}

void Foderochlgbonitet1Click(Vildo& app) {
    if (select(app, kRightGroup, C::Foderochlgbonitet1)) showCurves(app, {5, 6}, kForageTitle);
}

void Ddlighet1Click(Vildo& app) {
    if (select(app, kRightGroup, C::Ddlighet1)) showCurves(app, {7, 8, 9, 10}, kMortalityTitle);
}

void Chart5Click(Vildo& app, int leftOfRight, int belowTop) {
    if (leftOfRight >= 20 && leftOfRight <= 100 && belowTop >= 1 && belowTop <= 29) click(app, C::Medellder1);
}

void wireViewMenuHandlers(Vildo& app) {
    for (C id : kLeftGroup) app.ctl(id).onChange = [](ModelState& s, C item, int) { viewItemChanged(whole(s), item); };
    for (C id : kRightGroup) app.ctl(id).onChange = [](ModelState& s, C item, int) { viewItemChanged(whole(s), item); };
}

void wireChartHandlers(Vildo& app) {
    wireViewMenuHandlers(app);
    app.ctl(C::CheckBox1).onChange = [](ModelState& s, C, int) { Fekgraph(whole(s)); };
}

}  // namespace vildo
