// The fit measures of a historic run: the least-squares slope, the fit value of two series, the measures
// that steer the full calibration, and the uncertainty bands of the batch densities.
#pragma once
#include <vector>

namespace vildo {

struct Vildo;

// The least-squares slope of Y on X; 0 for arrays of different lengths or a constant X.
double Regress(const std::vector<double>& X, const std::vector<double>& Y);
// The fit of Y to X: element 0 of both is zeroed, the variance is X's, and the result is the square of
// the coefficient cut to at most 1 (so a very poor fit can exceed 1). 0 below three elements.
double FitR2(const std::vector<double>& X, const std::vector<double>& Y);

// The combined fit: observations 6, reproduction 4, reproduction trend 2, bull share 1 (squared).
double combinedFit(double obsFit, double reprodFit, double reprodDiff, double bullShareFit);

// Compares the simulated summer stock, calves per cow and bull share of the run just completed with the
// observed ones; uploads the result while the full calibration runs and the fit beats the cached one.
void FitMeasures(Vildo& app);
// The yearly uncertainty of the observation-scaled density, and the batch densities on the main chart.
void DensityBands(Vildo& app);

// The error bars of the batch densities: per point, Stddens / Vildodens of its year (the previous
// point's share where Vildodens is not positive). The view multiplies by the point's pixel row.
std::vector<double> errorBarShares(const Vildo& app);

}  // namespace vildo
