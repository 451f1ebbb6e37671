// The harvest-pressure controller: a two-stock flow model integrated by Heun's method, four sub-steps a year.
// A stock holds the lag of the density (0) and the harvest pressure (1); the functions take exactly these two.
#pragma once
#include "model/model_state.h"

namespace vildo {

void EulerStep(ModelState& app, TStock& stock);
double StockInflow(ModelState& app, TStock& stock, size_t index);
void ins(ModelState& app, TStock& stock);
void outs(TStock& stock);

}  // namespace vildo
