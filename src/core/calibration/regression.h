// The fit statistics of a historic run: the least-squares slope, the fit value of two series, and the
// combined fit that steers the full calibration.
#pragma once
#include <vector>

namespace vildo {

// The least-squares slope of Y on X; 0 for arrays of different lengths or a constant X.
double Regress(const std::vector<double>& X, const std::vector<double>& Y);
// The fit of Y to X: element 0 of both is zeroed, the variance is X's, and the result is the square of
// the coefficient cut to at most 1 (so a very poor fit can exceed 1). 0 below three elements.
double FitR2(const std::vector<double>& X, const std::vector<double>& Y);

// f squared, where a negative f counts as 0 and a result above 1 as no fit.
double squaredFit(double f);
// The combined fit: observations 6, reproduction 4, reproduction trend 2, bull share 1 (squared).
double combinedFit(double obsFit, double reprodFit, double reprodDiff, double bullShareFit);

}  // namespace vildo
