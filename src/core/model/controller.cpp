#include "model/controller.h"

#include <algorithm>
#include <cmath>

#include "util/errors.h"

namespace vildo {

namespace {

// The stocks' inflows as the density and the levels give them. Within a step only the levels move, so the
// gain and the pull are worked out once, and the relative change only when stock 1 needs it: stock 0's own
// sub-steps move its level seven times without reading the change. Every evaluation still fails where a full
// one would, and leaves the inflows and the flow measures as a full evaluation would once settled.
// The levels come in as values, so the chain of sub-steps never waits on a store being read back.
class Inflows {
public:
    Inflows(ModelState& app, TStock& stock) : app_(app), stock_(stock), d_(app.ModelDensity) {
        const double half = app.Tick * 0.5;
        const double h3 = half * half * half;
        app.ControllerGain = h3 * h3;
        stock[0].input[0] = d_ - stock[0].Level;
        const double dev = d_ - app.TargetDensity;
        pull_ = app.DensityPull = std::clamp(app.ControllerGain * dev * dev * dev, -1e20, 0.2);
        update(stock[0].Level, stock[1].Level);
        settle();
    }

    void update(double l0, double l1) {
        first_[0] = stock_[0].input[0] = d_ - l0;
        if (!known_ || l0 != l0_) {
            // (d - l0) / l0 fails exactly then; what the failing evaluation leaves is the last one's.
            if (l0 == 0 || !std::isfinite(l0) || std::isnan(d_)) {
                if (known_) settle();
                checkedDiv(d_ - l0, l0);
            }
            l0_ = l0;
            known_ = true;
            pending_ = true;
        }
        l1_ = l1;
    }

    // The relative change and stock 1's input as the last evaluation leaves them.
    void settle() {
        if (pending_) {
            change_ = app_.DensityChange = checkedDiv(d_ - l0_, l0_);
            pending_ = false;
        }
        first_[1] = stock_[1].input[0] = (l1_ > 1.5 && pull_ > 0) ? 0.0 : pull_ + change_;
    }

    // The sum of a stock's inputs, in their order; the first is the one the last evaluation wrote.
    double inflow(size_t index) {
        if (index == 1) settle();
        double sum = 0;
        sum += first_[index];
        const std::vector<double>& input = stock_[index].input;
        for (size_t k = 1; k < input.size(); ++k) sum += input[k];
        return sum;
    }

private:
    ModelState& app_;
    TStock& stock_;
    double d_, pull_ = 0;
    double l0_ = 0, l1_ = 0;  // the levels of the last evaluation
    double change_ = 0;       // the relative change, worked out for l0_ unless pending_
    double first_[2] = {0, 0};
    bool known_ = false, pending_ = false;
};

}  // namespace

void ins(ModelState& app, TStock& stock) { Inflows(app, stock); }

void outs(TStock& stock) {
    for (StockRecord& s : stock) std::fill(s.Output.begin(), s.Output.end(), 0.0);
}

double StockInflow(ModelState& app, TStock& stock, size_t index) { return Inflows(app, stock).inflow(index); }

void EulerStep(ModelState& app, TStock& stock) {
    Inflows flows(app, stock);
    // Heun's four sub-steps of one stock, its inflow evaluated at its level by `at`. The level is a value, not an
    // element of an array indexed at run time, so it stays in a register.
    auto heun = [](StockRecord& s, double l, auto&& at) {
        const bool nonneg = s.Nonneg;
        for (int sub = 0; sub < 4; ++sub) {
            const double x1 = s.X1 = l;
            const double e1 = s.Eul1 = at(l);
            l = x1 + e1 / 4;
            if (nonneg) l = std::max(0.0, l);
            s.Level = l;
            const double e2 = s.Eul2 = at(l);
            l = x1 + (e1 + e2) * 0.5 / 4;
            if (nonneg) l = std::max(0.0, l);
            s.Level = l;
        }
        return l;
    };
    bool fresh = true;  // the first evaluation is the one the constructor made
    double l1 = stock[1].Level;
    const double l0 = heun(stock[0], stock[0].Level, [&](double l) {
        if (!fresh) flows.update(l, l1);
        fresh = false;
        return flows.inflow(0);
    });
    l1 = heun(stock[1], l1, [&](double l) {
        flows.update(l0, l);
        return flows.inflow(1);
    });
    flows.update(l0, l1);
    flows.settle();
    outs(stock);
}

}  // namespace vildo
