#include "model/controller.h"

#include <algorithm>

#include "util/errors.h"

namespace vildo {

void ins(ModelState& app, TStock& stock) {
    double d = app.ModelDensity;
    double l0 = stock[0].Level;
    double l1 = stock[1].Level;
    double half = app.Tick * 0.5;
    double h3 = half * half * half;
    app.ControllerGain = h3 * h3;
    stock[0].input[0] = d - l0;
    double dev = d - app.TargetDensity;
    app.DensityPull = std::clamp(app.ControllerGain * dev * dev * dev, -1e20, 0.2);
    app.DensityChange = checkedDiv(d - l0, l0);
    stock[1].input[0] = (l1 > 1.5 && app.DensityPull > 0) ? 0.0 : app.DensityPull + app.DensityChange;
}

void outs(TStock& stock) {
    for (StockRecord& s : stock) std::fill(s.Output.begin(), s.Output.end(), 0.0);
}

double StockInflow(ModelState& app, TStock& stock, size_t index) {
    ins(app, stock);
    double sum = 0;
    for (double v : stock[index].input) sum += v;
    return sum;
}

void EulerStep(ModelState& app, TStock& stock) {
    for (size_t i = 0; i < stock.size(); ++i) {
        StockRecord& s = stock[i];
        for (int sub = 0; sub < 4; ++sub) {
            s.X1 = s.Level;
            s.Eul1 = StockInflow(app, stock, i);
            s.Level = s.Level + s.Eul1 / 4;
            if (s.Nonneg) s.Level = std::max(0.0, s.Level);
            s.Eul2 = StockInflow(app, stock, i);
            s.Level = s.X1 + (s.Eul1 + s.Eul2) * 0.5 / 4;
            if (s.Nonneg) s.Level = std::max(0.0, s.Level);
        }
    }
    ins(app, stock);
    outs(stock);
}

}  // namespace vildo
