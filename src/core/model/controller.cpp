#include "model/controller.h"

#include <algorithm>

#include "util/errors.h"

namespace vildo {

namespace {

// The stocks' inflows as the density and the levels give them. Within a step only the levels move, so the
// gain and the pull are worked out once, and the relative change again only when stock 0 has moved. Every
// evaluation leaves the inflows and the flow measures as a full evaluation would, failing at the same point.
class Inflows {
public:
    Inflows(ModelState& app, TStock& stock) : app_(app), stock_(stock), d_(app.ModelDensity) {
        const double half = app.Tick * 0.5;
        const double h3 = half * half * half;
        app.ControllerGain = h3 * h3;
        stock[0].input[0] = d_ - stock[0].Level;
        const double dev = d_ - app.TargetDensity;
        pull_ = app.DensityPull = std::clamp(app.ControllerGain * dev * dev * dev, -1e20, 0.2);
        update();
    }

    void update() {
        const double l0 = stock_[0].Level;
        const double l1 = stock_[1].Level;
        stock_[0].input[0] = d_ - l0;
        if (!known_ || l0 != l0_) {
            app_.DensityChange = checkedDiv(d_ - l0, l0);
            l0_ = l0;
            known_ = true;
        }
        stock_[1].input[0] = (l1 > 1.5 && pull_ > 0) ? 0.0 : pull_ + app_.DensityChange;
    }

    double inflow(size_t index) const {
        double sum = 0;
        for (double v : stock_[index].input) sum += v;
        return sum;
    }

private:
    ModelState& app_;
    TStock& stock_;
    double d_, pull_ = 0;
    double l0_ = 0;  // stock 0's level the relative change was worked out for
    bool known_ = false;
};

}  // namespace

void ins(ModelState& app, TStock& stock) { Inflows(app, stock); }

void outs(TStock& stock) {
    for (StockRecord& s : stock) std::fill(s.Output.begin(), s.Output.end(), 0.0);
}

double StockInflow(ModelState& app, TStock& stock, size_t index) { return Inflows(app, stock).inflow(index); }

void EulerStep(ModelState& app, TStock& stock) {
    Inflows flows(app, stock);
    bool fresh = true;  // the first evaluation is the one the constructor made
    auto inflow = [&](size_t i) {
        if (!fresh) flows.update();
        fresh = false;
        return flows.inflow(i);
    };
    for (size_t i = 0; i < stock.size(); ++i) {
        StockRecord& s = stock[i];
        for (int sub = 0; sub < 4; ++sub) {
            s.X1 = s.Level;
            s.Eul1 = inflow(i);
            s.Level = s.Level + s.Eul1 / 4;
            if (s.Nonneg) s.Level = std::max(0.0, s.Level);
            s.Eul2 = inflow(i);
            s.Level = s.X1 + (s.Eul1 + s.Eul2) * 0.5 / 4;
            if (s.Nonneg) s.Level = std::max(0.0, s.Level);
        }
    }
    flows.update();
    outs(stock);
}

}  // namespace vildo
