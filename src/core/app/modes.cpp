#include "app/modes.h"

#include <algorithm>

#include "app/pages.h"
#include "app/vildo.h"

namespace vildo {

void AdvancedClick(Vildo& app) {
    const bool v = app.checked(C::Advanced);
    if (!v) {
        setChecked(app, C::chk_save, false);
        setChecked(app, C::chk_biodata, false);
        setChecked(app, C::chk_kvotering, true);
    }
    for (C id : {C::lbl_Startar, C::Combo_Startyear, C::Trk_Slaktviktko, C::LSlaktviktkonstko, C::trk_slaktvikttjur,
                 C::LSlaktviktkonsttjur, C::LSexratio, C::chk_save, C::chk_stats, C::TabSheet6, C::TabSheet2,
                 C::TabSheet3, C::TabSheet4, C::TabSheet5})
        app.ctl(id).visible = v;
    app.ctl(C::Expertmode1).enabled = v;
    keepActivePagesVisible(app);
}

void Expertmode1Click(Vildo& app) {
    const bool e = app.checked(C::Expertmode1);
    for (C id : {C::trk_sexratio, C::trk_korisk, C::LKorisk, C::GroupBox5, C::chk_biodata, C::chk_kvotering, C::Panel7,
                 C::Panel9, C::Panel2})
        app.ctl(id).visible = e;
    Chart& pie = app.charts[3];
    pie.subFooterVisible = pie.footerVisible = e;
    // The bar charts take their editing clicks only in expert mode.
    for (int n : {4, 6}) {
        app.charts[n].titleVisible = e;
        app.charts[n].enabled = e;
    }
}

void Stortext1Click(Vildo& app) {
    const bool large = app.checked(C::Stortext1);
    WindowFonts& f = app.fonts;
    f.windowPx = large ? 15 : 13;
    f.chart5AxisPx = f.chart8AxisPx = large ? 17 : 13;
    f.chart5LegendPx = large ? 16 : 13;
    f.chart8LegendPx = large ? 14 : 13;
}

void toggleBatchSwitches(Vildo& app) {
    for (C id : {C::chk_simbonitet, C::chk_trimming}) app.ctl(id).visible = !app.ctl(id).visible;
}

int leftChartPanelWidth(int windowWidth) {
    // The main chart beside the panel keeps this much of the window (its margins included) before the panel
    // gives up its 533 pixels: below 885 pixels the two share the width.
    constexpr int kMainChartLeast = 352;
    return std::max(windowWidth / 2, std::min(533, windowWidth - kMainChartLeast));
}

void wireModeHandlers(Vildo& app) {
    app.ctl(C::Advanced).onChange = [](ModelState& s, C, int) { AdvancedClick(whole(s)); };
    app.ctl(C::Expertmode1).onChange = [](ModelState& s, C, int) { Expertmode1Click(whole(s)); };
    app.ctl(C::Stortext1).onChange = [](ModelState& s, C, int) { Stortext1Click(whole(s)); };
}

}  // namespace vildo
