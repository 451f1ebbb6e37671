// The harvest-pressure controller: a two-stock flow model integrated by Heun's method, four sub-steps a year.
#pragma once
#include "model/model_state.h"

namespace vildo {

void EulerStep(ModelState& app, TStock& stock);
double StockInflow(ModelState& app, TStock& stock, size_t index);
void ins(ModelState& app, TStock& stock);
void outs(TStock& stock);

}  // namespace vildo
