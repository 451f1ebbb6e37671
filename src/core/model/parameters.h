// Derived curves and values of the population model: mortality, weights, fecundity, carrying capacity, the
// start population, and the slider record kept with the controls.
#pragma once
#include "model/model_state.h"

namespace vildo {

void Initpop(ModelState& app);
void WeightCurves(ModelState& app);
double Dodlighet(double age, double dodsrisk);
double CallCC(const ModelState& app);
double MFactorlimit(double x, double d, double k);
// The lower bound MFactorlimit sets at density d and carrying capacity k: MFactorlimit(x, d, k) is
// max(MFactorfloor(d, k), x).
double MFactorfloor(double d, double k);
double Multifecund(ModelState& app);

// The control positions into the slider record, and back; each position set back runs its handler.
void storetrkvalues(ModelState& app);
// The slider record as storetrkvalues would store it now.
TSliderValues trackValues(const ModelState& app);
void Restoretrkvalues(ModelState& app);

}  // namespace vildo
