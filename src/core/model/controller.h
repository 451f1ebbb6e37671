// The harvest-pressure controller: a two-stock flow model integrated by Heun's method, four sub-steps a year.
#pragma once
#include "model/state.h"

namespace vildo {

void EulerStep(Vildo& app, TStock& stock);
double StockInflow(Vildo& app, TStock& stock, size_t index);
void ins(Vildo& app, TStock& stock);
void outs(TStock& stock);

}  // namespace vildo
