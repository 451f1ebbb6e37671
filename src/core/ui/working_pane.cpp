#include "ui/working_pane.h"

#include <algorithm>
#include <cmath>

#include "calibration/full_calibration_steps.h"
#include "util/format.h"

namespace vildo {

bool paneArrowCursor(int x, int y, int paneWidth) {
    return x > paneWidth - 160 && x < paneWidth - 30 && y > 20 && y < 70;
}

WorkingPane Working(const WindowState& app, int W, int H) {
    WorkingPane p;
    p.cancelBox = {W - 150, 20, W - 20, 70};
    p.texts.push_back({W - 130, 25, 30, false, "Avbryt"});
    p.texts.push_back({W / 2 - 100, H / 2 - 45, 15, false, "Beräknar älgstammens utveckling"});
    if (app.Progress > 3 && app.Progress < 15)
        p.texts.push_back({W / 2 - 250, H / 2 + 15, 15, false,
                           "Glöm inte att komplettera med rovdjursdödlighet om varg eller björn förekommer i "
                           "området."});
    if (app.Progress > 14)
        p.texts.push_back({W / 2 - 300, H / 2 + 15, 15, false,
                           "Du vet väl att du kan spara området till vald mapp under arkiv! Då sparas inställningar "
                           "för t.ex. predation."});
    p.progressFrame = {W / 3, H / 2 - 20, 2 * W / 3, H / 2};
    const double share = progressShare(app);
    p.progressFill = {W / 3, H / 2 - 20, W / 3 + positionOf(share * W / 3), H / 2};
    if (app.Recalibrate && app.timers[2].enabled) p.texts.push_back({W / 2 - 200, 65, 15, false, app.SearchNote});

    auto diag = [&](int x, int y, const std::string& text) { p.texts.push_back({x, y, 15, true, text}); };
    auto f4 = [](double v) { return fix(v, 15, 4); };
    auto f2 = [](double v) { return fix(v, 15, 2); };
    const int64_t seconds =
        static_cast<int64_t>(std::floor(std::max(0.0, app.platform.wallSeconds() - app.CalibStart)));
    diag(50, 25, "Tid: " + intStr(seconds / 5 * 5) + " s");
    const int y0 = (H / 3) * 2;
    const int c1 = 50, c2 = W / 4, c3 = W / 2, c4 = 3 * W / 4;
    diag(c1, y0 + 10, "Modelfit:   " + f4(app.ModelFit));
    diag(c1, y0 + 25, "ObsFit:     " + f4(app.ObsFit));
    diag(c2, y0 + 25, "ReprodFit:   " + f4(app.ReprodFit));
    diag(c3, y0 + 25, "SexratioFit: " + f4(app.BullShareFit));
    diag(c4, y0 + 25, "CC:          " + f2(app.Land.ForageFactor / 100));
    diag(c1, y0 + 40, "ObsSlope:   " + f4(app.ObsSlope));
    diag(c2, y0 + 40, "ReprodSlope: " + f4(app.ReprodSlope));
    diag(c3, y0 + 40, "SexSlope:    " + f4(app.BullShareSlope));
    diag(c4, y0 + 40, "CCSlope:     " + f2(app.CCSlope));
    diag(c1, y0 + 55, "ObsAVG:      --- ");
    diag(c2, y0 + 55, "ReprodAVG:   " + f4(app.ReprodSum));
    diag(c3, y0 + 55, "SexAVG:      " + f4(app.BullShareSum));
    diag(c4, y0 + 55, "CCSlopeRate: " + f2(app.CCSlope * 100 / std::max(1, app.pos(C::Trk_barkraftovrig))));
    diag(c1, y0 + 70, "SlopeDiff:  " + f4(app.SlopeDiff));
    diag(c2, y0 + 70, "ReprodDiff:  " + f4(app.ReprodDiff));
    diag(c3, y0 + 70, "SexDiff:     " + f4(app.BullShareDiff));
    diag(c4, y0 + 70, "Density:     " + f2(app.Winter.WinterDensity));
    return p;
}

}  // namespace vildo
